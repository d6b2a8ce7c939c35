#pragma once
// A throw-away program folder for window tests: Data/Arvot.txt, stat/ and pic/ with
// the project's own pictures.

#include "FileBytes.h"
#include "app/ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFolders
{
public:
    explicit TestFolders(const QByteArray &settings = "1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
    {
        QDir base(m_dir.path());
        base.mkpath("Data");
        base.mkpath("stat");
        base.mkpath("pic");
        for (const char *name : {"button1.gif", "button2.gif", "option1.gif", "option2.gif"})
            QFile::copy(QStringLiteral(TANKELI_PICTURES "/") + name, base.filePath("pic/") + name);
        if (!settings.isNull())
            writeSettings(settings);
    }
    tankeli::ProgramFolders folders() const { return tankeli::ProgramFolders(m_dir.path()); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    void writeSettings(const QByteArray &bytes) const { writeBytes(path("Data/Arvot.txt"), bytes); }
    QByteArray settings() const { return readBytes(path("Data/Arvot.txt")); }

private:
    QTemporaryDir m_dir;
};
