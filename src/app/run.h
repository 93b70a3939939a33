// The whole program: the command line read, the rooms wired together, the window shown and
// the event loop run. main() calls it.
#pragma once

namespace App {

// Returns the program's exit code.
int Run(int argc, char** argv);

}  // namespace App
