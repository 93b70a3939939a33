// The command line: --help, --version, --port DEVICE, --config-dir DIR, --demo, --no-record,
// --class URL, --group NAME, --password-file FILE and --share[=[HOST:]PORT].
// Parsed before anything else, so that a mistake ends the program before a window appears
// and --help and --version work without a display.
#pragma once

#include <QString>
#include <QStringList>

#include "app/options.h"

namespace App {

struct CommandLine {
    enum class Outcome { Run, Help, Version, Mistake };
    Outcome outcome = Outcome::Run;
    Options options;  // what to run with (Run)
    QString text;     // what to print: the help, the version, or the mistake and the usage
};

// Reads `arguments` (the program's name first). Looks at nothing else.
CommandLine ParseCommandLine(const QStringList& arguments);

// The arguments as the system passed them.
QStringList ArgumentList(int argc, char** argv);

// Writes over the password of every address among the arguments with "***", whatever its
// length (one shorter than three with as many "*"), so that the system's list of processes
// shows neither it nor its length. Arguments after it may move: call once they are read.
void HidePasswords(int argc, char** argv);

// Prints the text of a Help, Version or Mistake outcome (a mistake on stderr) and returns
// the exit code: 0, or 2 for a mistake.
int Answer(const CommandLine& line);

// Takes every --share out of `arguments` (the program's name first).
ShareAsked TakeShare(QStringList& arguments);

}  // namespace App
