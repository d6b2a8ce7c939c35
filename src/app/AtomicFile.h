#pragma once
// The one way the program replaces a file it keeps (the settings, a trip record): the
// new content goes to a temporary file that is then renamed over the old one, so a
// crash or a full disk leaves the old content or the new, never half of either.

#include "Outcome.h"

#include <QByteArray>

namespace tankeli {

struct AtomicWrite
{
    QByteArray target;        // the file to replace or create (path bytes)
    QByteArray scratchFolder; // where the temporary file is made; empty: beside the target
    QByteArray tempPrefix;    // the temporary file is tempPrefix + six random characters
    // When the folder refuses a temporary file but the file itself may be written, write
    // it in place instead (not atomic, but the settings are still saved).
    bool inPlaceFallback = false;
};

// Writes content as the whole file. A target that is a symbolic link is written through
// to the file it points to; its permission bits are kept; a write-protected file is
// never replaced. Every step is checked (write, sync, rename). The failure message is
// the cause in Finnish ("Laitteessa ei ole tilaa vapaana"), for the caller to put in a
// sentence that names the file.
Done writeAtomically(const AtomicWrite &how, const QByteArray &content);

// Removes the temporary files that an interrupted write left in folder: regular files
// named prefix + six letters and digits. With wordsAllowed false, six lower-case letters
// are kept too, because such a name is more likely a word a user chose than a random one.
void removeLeftovers(const QByteArray &folder, const QByteArray &prefix, bool wordsAllowed);

} // namespace tankeli
