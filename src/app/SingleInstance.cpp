#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>

namespace tankeli {

SingleInstance::SingleInstance(const QString &programFolder)
{
    const QByteArray key = QCryptographicHash::hash(
        QDir(programFolder).canonicalPath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_lock = std::make_unique<QLockFile>(QDir::temp().filePath(
        QStringLiteral("tankeli-%1.lock").arg(QString::fromLatin1(key))));
    // A running copy holds its lock for as long as it runs, so age never makes a lock
    // stale; only a holder that is no longer running does.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::claim()
{
    return m_lock->tryLock(0);
}

} // namespace tankeli
