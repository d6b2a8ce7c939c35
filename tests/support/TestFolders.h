#pragma once
// A throw-away program folder for tests: Data/Arvot.txt, stat/ and pic/ with the
// project's own pictures (found through TANKELI_PICTURES).

#include "FileBytes.h"
#include "base/ProgramFolders.h"

#include <QDir>
#include <QTemporaryDir>

inline const QByteArray defaultSettings("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");

class TestFolders
{
public:
    // base: the folder to make it in; the system's temporary folder when empty.
    explicit TestFolders(const QByteArray &settings = defaultSettings, const QString &base = QString())
        : m_dir((base.isEmpty() ? QDir::tempPath() : base) + QStringLiteral("/tankeli-XXXXXX"))
    {
        for (const char *folder : {"Data", "stat", "pic"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(folder));
        for (const char *name : {"button1.gif", "button2.gif", "option1.gif", "option2.gif"})
            QFile::copy(QStringLiteral(TANKELI_PICTURES "/") + name, path("pic/") + name);
        writeBytes(path("Data/Arvot.txt"), settings);
    }
    tankeli::ProgramFolders folders() const { return tankeli::ProgramFolders(m_dir.path()); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString stat(const QString &name) const { return path("stat/" + name); }
    QByteArray settings() const { return readBytes(path("Data/Arvot.txt")); }

private:
    QTemporaryDir m_dir;
};
