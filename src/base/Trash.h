#pragma once
// The desktop's trash, from which the file manager can bring back what the program removes.

#include "Outcome.h"

#include <QString>

namespace tankeli {

// Moves a file or a folder into the trash (the freedesktop.org trash of the user's data
// folder, or of the disk it lies on); the failure says why in Finnish and leaves it where it
// was. A link is moved itself, never what it points to.
Done moveToTrash(const QString &path);

} // namespace tankeli
