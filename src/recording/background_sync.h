// Bringing recordings onto the disk without holding up the window: a slow or dying USB
// stick may take seconds to confirm a write, so that wait happens on a thread of its own.
#pragma once

namespace Vexo {

// Flushes the data of `fd` (a file or a folder) to its device in the background, then closes
// it. Takes `fd` over, whatever happens; a negative `fd` is ignored. When a backlog has
// piled up (the device does not answer), further requests are dropped.
void SyncInBackground(int fd);

// A descriptor of its own for `fd`, to hand to SyncInBackground; -1 when none was left.
int DuplicateForSync(int fd);

}  // namespace Vexo
