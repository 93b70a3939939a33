// What the kernel says about a running process: its CPU time and its peak resident memory.
#pragma once

#include <sys/types.h>

// User plus system CPU time of every thread of process `pid`, in seconds; -1 when unknown.
double CpuSeconds(pid_t pid);
// The most resident memory process `pid` has held (VmHWM), in KiB; -1 when unknown.
long PeakResidentKiB(pid_t pid);
