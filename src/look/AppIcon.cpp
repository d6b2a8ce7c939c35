#include "AppIcon.h"

#include <QtGlobal>

// The pictures are built into the static windows' library, which must load them itself;
// the macro works only outside a namespace.
static void loadIconResources()
{
    Q_INIT_RESOURCE(tankeli_icons);
}

namespace tankeli {

QIcon programIcon()
{
    static const QIcon icon = [] {
        loadIconResources();
        QIcon made;
        for (const int size : {16, 32, 48, 64, 128, 256})
            made.addFile(QStringLiteral(":/icons/tankeli-%1.png").arg(size), QSize(size, size));
        return made;
    }();
    return icon;
}

} // namespace tankeli
