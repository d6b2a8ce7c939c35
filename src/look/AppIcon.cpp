#include "AppIcon.h"

namespace tankeli {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon made;
        for (const int size : {16, 32, 48, 64, 128, 256})
            made.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(applicationId),
                         QSize(size, size));
        return made;
    }();
    return icon;
}

} // namespace tankeli
