#pragma once
// The program's own icon, which every window shows in its title bar and the desktop
// shows in its window list, and the application id that links a running window to
// the program's desktop entry.

#include <QIcon>
#include <QString>

namespace tankeli {

QIcon programIcon();

inline const QString applicationId = QStringLiteral("org.example.Tankeli");

} // namespace tankeli
