// The class view: kelvira-class, the teacher's view of every group of a class.
//   kelvira-class [URL] [FILE...] [--csv FILE]
#pragma once

namespace App {

// Returns the program's exit code.
int RunClassView(int argc, char** argv);

}  // namespace App
