#pragma once
// The words messages use for why a file operation failed, and long names shortened so
// that a message box stays narrower than the screen.

#include <QString>

namespace tankeli {

// Finnish for the common causes (no permission, no space left, read-only file system,
// name too long, no such file, a folder, too many open files); the system's own text
// for any other error number.
QString systemErrorText(int errorNumber);

// A name or path longer than maxCharacters, shortened in the middle with "…", so both
// its beginning and its end stay readable.
QString elideMiddle(const QString &text, qsizetype maxCharacters = 60);

// A path as messages show it: the system's separators, shortened in the middle.
QString shownPath(const QString &path);

} // namespace tankeli
