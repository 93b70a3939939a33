// Files written by their descriptor, a whole piece at a time, as the lessons are recorded:
// made, written, cut back, brought onto the disk and put in place the same way on every
// system. Paths are the program's own texts, in any script.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

namespace PlainFile {

// Makes the file at `path` for appending, over an existing one only when `replace`, or for
// writing from its start when not `append`; its descriptor, or -1 with the reason (an errno
// value, EEXIST when the name is taken) in `error`.
int Create(const QString& path, bool replace, bool append, int& error);
// Writes all of `size` bytes in one call; false on an error or a short write (errno ENOSPC).
bool WriteWhole(int fd, const char* bytes, size_t size);
// Cuts the file back to `length` bytes.
bool Truncate(int fd, int64_t length);
// Brings what was written onto the disk (slow on a slow stick: call it off the window's thread).
void Sync(int fd);
void Close(int fd);
void Remove(const QString& path);
// A descriptor of its own for `fd`; -1 when none was left.
int Duplicate(int fd);
// A descriptor of the folder, whose entries are brought onto the disk with Sync; -1 where the
// system has no such thing.
int OpenFolder(const QString& path);
// Puts the file `from`, open as `fd`, in the place of `to`, and hands `fd` to `done` (which
// brings it onto the disk and closes it) or closes it itself where the system cannot rename
// an open file. False when it could not be put in place; `fd` is closed then too.
bool PutInPlace(int fd, const QString& from, const QString& to, void (*done)(int fd));

}  // namespace PlainFile
