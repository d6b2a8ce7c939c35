#include "SingleInstance.h"

#include "FailureText.h"

#include <QFile>
#include <cerrno>
#include <unistd.h>

namespace tankeli {

SingleInstance::SingleInstance(const ProgramFolders &folders)
    : m_folders(folders)
{
}

Outcome<bool> SingleInstance::claim()
{
    // The first of these folders that may be written holds the lock; every copy of the
    // same program folder picks the same one.
    const QStringList folders{m_folders.base(), m_folders.base() + QStringLiteral("/Data")};
    int lastError = EACCES;
    for (const QString &folder : folders) {
        if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
            lastError = errno;
            continue;
        }
        m_lock = std::make_unique<QLockFile>(folder + QStringLiteral("/.tankeli.lock"));
        // A running copy holds its lock for as long as it runs, so age never makes a
        // lock stale; only a holder that is no longer running does.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0))
            return true;
        if (m_lock->error() == QLockFile::LockFailedError)
            return false;
        return Outcome<bool>::failure(
            QStringLiteral("Ohjelman lukitustiedostoa ei voitu tehdä kansioon %1. Ohjelma "
                           "ei käynnisty, jotta kaksi kopiota ei käyttäisi samoja tiedostoja.")
                .arg(shownPath(folder)));
    }
    return Outcome<bool>::failure(
        QStringLiteral("Ohjelman lukitustiedostoa ei voitu tehdä kansioon %1: %2. Ohjelma ei "
                       "käynnisty, jotta kaksi kopiota ei käyttäisi samoja tiedostoja.")
            .arg(shownPath(m_folders.base()), systemErrorText(lastError)));
}

} // namespace tankeli
