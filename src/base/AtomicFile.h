#pragma once
// The one way the program replaces a file it keeps (the settings, a trip record): the
// new content goes to a temporary file that is then renamed over the old one, so a
// crash or a full disk leaves the old content or the new, never half of either.

#include "Outcome.h"

#include <QByteArray>

namespace tankeli {

// What a write of the program's own file does where its folder takes no new file (a
// read-only Data/ that holds a writable Arvot.txt): fail, or write the file in place
// (not atomic, but the settings are still saved).
enum class WhereFolderRefuses { Fail, WriteInPlace };

// Replaces a file of the program's own (the settings, a trip record) with content. The
// temporary file (six random characters) is made in scratchFolder, the program's own
// hidden folder beside the target, which is made when missing and emptied of what
// interrupted writes left in it (prepareScratchFolder). A target that is a symbolic link
// is written through to the file it points to; its permission bits are kept; a
// write-protected file is never replaced. Every step is checked (write, sync, rename); a
// file size limit (ulimit -f, a quota) fails the write instead of ending the program. The
// failure message is the cause in Finnish ("Laitteessa ei ole tilaa vapaana"), for the
// caller to put in a sentence that names the file.
Done replaceOwnFile(const QByteArray &target, const QByteArray &scratchFolder, const QByteArray &content,
                    WhereFolderRefuses whereRefused = WhereFolderRefuses::Fail);

// Replaces a file the user chose (an export, a chart image) with content, as above, but
// with its temporary file beside the target (beside a link's target), hidden and named
// after it: ".kuva.png.tankeli-aB3dE9". Leftovers of that same target, from a write that
// was killed, are removed; nothing else in the folder is ever touched.
Done replaceChosenFile(const QByteArray &target, const QByteArray &content);

// The prefix of the temporary files replaceChosenFile makes for a target's file name.
QByteArray chosenFileTemporaryPrefix(const QByteArray &fileName);

// Makes the scratch folder (mode 0700) unless it is there, and removes the temporary
// files that interrupted writes left in it. A link in its place is removed, never
// followed; a file in its place is a failure. Files outside it are never touched.
Done prepareScratchFolder(const QByteArray &scratch);

} // namespace tankeli
