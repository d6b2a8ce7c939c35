#pragma once
// A home of the test's own, so that no test reads or writes the real user's files: HOME,
// and under it the desktop's data folder (where its trash is) and settings folder.

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

class TestHome
{
public:
    TestHome()
    {
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataFolder()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral(".config"))));
        QDir().mkpath(dataFolder());
    }
    QString path() const { return m_dir.path(); }
    QString dataFolder() const { return m_dir.filePath(QStringLiteral(".local/share")); }
    QString trash(const QString &relative) const { return dataFolder() + QStringLiteral("/Trash/") + relative; }
    // The names in the desktop's trash, in order.
    QStringList trashed() const
    {
        return QDir(trash(QStringLiteral("files")))
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
};
