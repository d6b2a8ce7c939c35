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
    // The hidden folder of the program's own where the temporary file is made (six
    // random characters); made when missing (prepareScratchFolder).
    QByteArray scratchFolder;
    // When no temporary file can be made but the file itself may be written, write it in
    // place instead (not atomic, but the settings are still saved).
    bool inPlaceFallback = false;
    // The caller prepared the scratch folder itself, to name its own folder in a failure.
    bool scratchPrepared = false;
};

// Writes content as the whole file. A target that is a symbolic link is written through
// to the file it points to; its permission bits are kept; a write-protected file is
// never replaced. Every step is checked (write, sync, rename); a file size limit
// (ulimit -f, a quota) fails the write instead of ending the program. The failure
// message is the cause in Finnish ("Laitteessa ei ole tilaa vapaana"), for the caller to
// put in a sentence that names the file.
Done writeAtomically(const AtomicWrite &how, const QByteArray &content);

// Makes the scratch folder (mode 0700) unless it is there, and removes the temporary
// files that interrupted writes left in it. A link in its place is removed, never
// followed; a file in its place is a failure. Files outside it are never touched.
Done prepareScratchFolder(const QByteArray &scratch);

} // namespace tankeli
