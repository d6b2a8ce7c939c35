#include "AtomicFile.h"

#include "FailureText.h"

#include <QString>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tankeli {
namespace {

// By default a write past the file size limit kills the process with SIGXFSZ and every
// unsaved value with it; ignored, the write fails with EFBIG and is reported.
void survivingFileSizeLimit()
{
    static const bool ignored = [] {
        struct sigaction action {};
        action.sa_handler = SIG_IGN;
        return ::sigaction(SIGXFSZ, &action, nullptr) == 0;
    }();
    (void)ignored;
}

Done failedWith(int errorNumber)
{
    return Done::failure(systemErrorText(errorNumber));
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

bool writeAll(int fd, const QByteArray &content, off_t offset)
{
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::pwrite(fd, content.constData() + done, size_t(content.size() - done),
                                   offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

// Flushes a folder's entries to disk after a rename; a failure here loses nothing.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

struct Target
{
    QByteArray path; // the file itself, links followed
    bool exists = false;
    mode_t mode = 0666;
};

Outcome<Target> examine(const QByteArray &path)
{
    Target target{path};
    struct stat info;
    if (::lstat(path.constData(), &info) != 0) {
        if (errno != ENOENT)
            return Outcome<Target>::failure(systemErrorText(errno));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        target.mode = 0666 & ~mask;
        return target;
    }
    if (S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.constData(), resolved) || ::stat(resolved, &info) != 0)
            return Outcome<Target>::failure(
                QStringLiteral("Se on linkki, joka ei osoita olemassa olevaan tiedostoon"));
        target.path = resolved;
    }
    if (S_ISDIR(info.st_mode))
        return Outcome<Target>::failure(systemErrorText(EISDIR));
    if (!S_ISREG(info.st_mode))
        return Outcome<Target>::failure(QStringLiteral("Se ei ole tavallinen tiedosto"));
    target.exists = true;
    target.mode = info.st_mode & 07777;
    // Without any write bit the file is protected, also from a user who could override it.
    if ((target.mode & 0222) == 0 || ::access(target.path.constData(), W_OK) != 0) {
        if (errno == EROFS)
            return Outcome<Target>::failure(systemErrorText(EROFS));
        return Outcome<Target>::failure(QStringLiteral("Tiedosto on kirjoitussuojattu"));
    }
    return target;
}

Done writeInPlace(const Target &target, const QByteArray &content)
{
    const int fd = ::open(target.path.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failedWith(errno);
    // Overwritten from the start and cut to length afterwards, so that a failure part-way
    // leaves as much of the old file as it can.
    const bool written = writeAll(fd, content, 0) && ::ftruncate(fd, off_t(content.size())) == 0
        && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 && written)
        return failedWith(errno);
    return written ? Done() : failedWith(writeError);
}

// A temporary file's name: six letters and digits.
bool isLeftoverName(const char *name)
{
    if (std::strlen(name) != 6)
        return false;
    for (const char *c = name; *c; ++c)
        if (!(*c >= 'a' && *c <= 'z') && !(*c >= 'A' && *c <= 'Z') && !(*c >= '0' && *c <= '9'))
            return false;
    return true;
}

void removeLeftovers(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isLeftoverName(entry->d_name))
            continue;
        const QByteArray path = folder + '/' + entry->d_name;
        struct stat info;
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

} // namespace

Done prepareScratchFolder(const QByteArray &scratch)
{
    struct stat info;
    const bool present = ::lstat(scratch.constData(), &info) == 0;
    if (present && S_ISLNK(info.st_mode) && ::unlink(scratch.constData()) != 0)
        return failedWith(errno);
    if (present && !S_ISLNK(info.st_mode) && !S_ISDIR(info.st_mode))
        return Done::failure(QStringLiteral("Kansion %1 paikalla on tiedosto")
                                 .arg(QString::fromLocal8Bit(scratch.mid(scratch.lastIndexOf('/') + 1))));
    if ((!present || S_ISLNK(info.st_mode)) && ::mkdir(scratch.constData(), 0700) != 0)
        return failedWith(errno);
    removeLeftovers(scratch);
    return {};
}

Done writeAtomically(const AtomicWrite &how, const QByteArray &content)
{
    survivingFileSizeLimit();
    const Outcome<Target> examined = examine(how.target);
    if (!examined)
        return Done::failure(examined.error());
    const Target &target = *examined;

    const Done scratch = how.scratchPrepared ? Done() : prepareScratchFolder(how.scratchFolder);
    QByteArray tempName = how.scratchFolder + "/XXXXXX";
    const int fd = scratch ? ::mkostemp(tempName.data(), O_CLOEXEC) : -1;
    if (fd < 0) {
        const int createError = errno;
        if (how.inPlaceFallback && target.exists)
            return writeInPlace(target, content);
        return scratch ? failedWith(createError) : scratch;
    }
    const bool written = ::fchmod(fd, target.mode) == 0 && writeAll(fd, content, 0)
        && ::fsync(fd) == 0;
    int failure = errno;
    const bool closed = ::close(fd) == 0;
    if (written && !closed)
        failure = errno;
    if (!written || !closed || ::rename(tempName.constData(), target.path.constData()) != 0) {
        const bool renameFailed = written && closed;
        if (renameFailed)
            failure = errno;
        ::unlink(tempName.constData());
        // A folder that takes no new name (read-only) may still let the file be written.
        if (renameFailed && how.inPlaceFallback && target.exists)
            return writeInPlace(target, content);
        return failedWith(failure);
    }
    syncFolder(folderOf(target.path));
    return {};
}

} // namespace tankeli
