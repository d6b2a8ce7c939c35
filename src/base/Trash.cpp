#include "Trash.h"

#include "FailureText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace tankeli {

Done moveToTrash(const QString &path)
{
    // The user's own trash lies in the data folder, which a new account may not have yet.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        QDir().mkpath(dataHome);
    const QString noTrash = QStringLiteral("Kohteelle %1 ei löytynyt roskakoria").arg(shownPath(path));
    QFile file(path);
    if (!file.moveToTrash())
        return Done::failure(noTrash);
    // QFile::moveToTrash (Qt 6.4) that cannot make any trash folder moves the file into
    // files/ of the program's working folder instead, and reports success; such a move is
    // undone, and there is no trash.
    const QFileInfo trashed(file.fileName());
    if (trashed.isAbsolute())
        return {};
    const QDir files = trashed.dir();
    const QString info = files.absolutePath() + QStringLiteral("/../info/") + trashed.fileName() + QStringLiteral(".trashinfo");
    const bool back = std::rename(QFile::encodeName(trashed.absoluteFilePath()).constData(), QFile::encodeName(path).constData()) == 0;
    if (back) {
        QFile::remove(info);
        QDir().rmdir(QFileInfo(info).absolutePath());
        QDir().rmdir(files.absolutePath());
    }
    return Done::failure(back ? noTrash
                              : QStringLiteral("%1 siirtyi kansioon %2, koska roskakoria ei löytynyt")
                                    .arg(shownPath(path), shownPath(trashed.absoluteFilePath())));
}

} // namespace tankeli
