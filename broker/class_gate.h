// Who may sign in to a class opened by the class view, and where each may write and read.
// The broker's plugin (gate_plugin.cpp) asks these; they know nothing of the broker.
//
// A class has one join code and one teacher. A group signs in with its name as the user and
// the code as the password, and writes only its own messages of its own class; the teacher's
// class view signs in as TeacherUser with its own secret and reads the class. Nobody else
// gets in, nobody reads but the teacher, and a name already signed in is not taken.
#pragma once

#include <string>

namespace ClassGate {

// The teacher's user, which no group may take.
inline const char* const TeacherUser = "kelvira-teacher";

struct Gate {
    std::string className;
    std::string code;     // the join code, as the groups type it (see SameCode)
    std::string teacher;  // the teacher's secret
};

enum class Entry {
    Teacher,    // the class view
    Group,      // a group with the right code
    NoName,     // no user, or one that cannot stand in a topic
    WrongCode,  // a group's name with another code
    NameInUse,  // the right code, but a group of that name is signed in from another client
    Refused,    // the teacher's user with the wrong secret
};

// Whether `user` (null: none) with `password` may sign in. `nameInUse`: another client holds
// that user now.
Entry SignIn(const Gate& gate, const char* user, const char* password, bool nameInUse);

// The code as a group typed it and as the class view shows it are the same: letters in either
// case, full-width or half-width, spaces and hyphens left out.
bool SameCode(const std::string& typed, const std::string& code);

// Whether `user`, signed in, may publish to `topic`.
bool MayWrite(const Gate& gate, const std::string& user, const std::string& topic);

// Whether `user`, signed in, may read or subscribe to `topic` (a filter, when subscribing).
bool MayRead(const Gate& gate, const std::string& user, const std::string& topic);

// A line for the broker's log that the class view reads, for a sign-in refused, e.g.
// "kelvira-gate: refused 3班: wrong code".
std::string RefusalLine(Entry entry, const char* user);

// True when `name` may stand as one level of a topic: 1 to 64 characters (UTF-8), none of
// "/", "+", "#" or a control character.
bool IsTopicLevel(const std::string& name);

}  // namespace ClassGate
