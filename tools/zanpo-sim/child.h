// The program the box is plugged into, when --run starts it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace sim {

// Starts `command` with KELVIRA_PORT1 set to `device`. Returns its pid, or -1.
pid_t StartProgram(const std::vector<std::string>& command, const std::string& device);

// The exit status of a child as a shell reports it (128 + signal when killed).
int ExitCode(int waitStatus);

}  // namespace sim
