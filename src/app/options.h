// What the command line asked for, for the whole run.
#pragma once

#include <QString>

namespace App {

// --share or --share=[HOST:]PORT: whether it was given, and where.
struct ShareAsked {
    bool asked = false;
    QString host;   // empty: every address of this PC
    int port = -1;  // -1: the default
    QString error;
};

struct Options {
    QString port;           // --port: the device of the configured port number; empty: none given
    QString configDir;      // --config-dir: searched after the working folder; empty: none given
    bool demo = false;      // --demo: against the simulated box, with the example files
    bool noRecord = false;  // --no-record: no lesson is recorded
    QString classUrl;       // --class: the class to join, mqtt://HOST/CLASS; empty: Kurasu=
    QString group;          // --group: the group's name in the class; empty: Han=, the host
    QString passwordFile;   // --password-file: the class's password; empty: the user's own file
    QString code;           // --code: the join code of a class a class view opened; empty: Kode=
    ShareAsked share;       // --share: the lesson shared with the pupils' tablets
};

// Set once by main before the window is built; read where the program looks for its files
// and its port.
extern Options Given;

}  // namespace App
