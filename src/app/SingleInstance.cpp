#include "SingleInstance.h"

#include "base/FailureText.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tankeli {

SingleInstance::SingleInstance(const ProgramFolders &folders)
    : m_folder(folders.dataFolder())
{
}

SingleInstance::~SingleInstance()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

Outcome<bool> SingleInstance::claim()
{
    // QLockFile would leave a file behind after a power cut, and that file then has to be
    // judged stale; a lock on an open descriptor of the folder cannot outlive its holder.
    const int descriptor = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = errno;
    if (descriptor < 0 && (error == ENOENT || error == ENOTDIR))
        return true;
    if (descriptor >= 0) {
        int locked;
        while ((locked = ::flock(descriptor, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (locked == 0) {
            m_descriptor = descriptor;
            return true;
        }
        error = errno;
        ::close(descriptor);
        if (error == EWOULDBLOCK)
            return false;
    }
    return Outcome<bool>::failure(
        QStringLiteral("Ohjelman tietokansiota %1 ei voitu lukita: %2. Ohjelma ei käynnisty, "
                       "jotta kaksi kopiota ei käyttäisi samoja tiedostoja.")
            .arg(shownPath(m_folder), systemErrorText(error)));
}

} // namespace tankeli
