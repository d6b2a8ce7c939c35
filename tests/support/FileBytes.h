#pragma once
// Whole-file reads and writes for tests that check exact bytes on disk, and the
// permissions they set.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
inline const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Whether permissions bind this process: a user who may override them sees no faults.
inline bool permissionsBind()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("probe"), "x");
    QFile::setPermissions(dir.filePath("probe"), QFile::ReadOwner);
    return !QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
}
#define NEEDS_BINDING_PERMISSIONS()                                                                      \
    if (!permissionsBind())                                                                            \
    QSKIP("this user may override file permissions; run through tests/unprivileged")
