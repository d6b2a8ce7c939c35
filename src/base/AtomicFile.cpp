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

namespace {

// Writes content to a new temporary file of the template (its last six characters are
// replaced), then renames it over the target. A folder that takes no new name may still
// let the file itself be written, where the caller allows that.
Done replaceThrough(const Target &target, QByteArray tempName, const Done &scratch, const QByteArray &content,
                    WhereFolderRefuses whereRefused)
{
    const bool inPlaceAllowed = whereRefused == WhereFolderRefuses::WriteInPlace && target.exists;
    const int fd = scratch ? ::mkostemp(tempName.data(), O_CLOEXEC) : -1;
    if (fd < 0) {
        const int createError = errno;
        if (inPlaceAllowed)
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
        if (renameFailed && inPlaceAllowed)
            return writeInPlace(target, content);
        return failedWith(failure);
    }
    syncFolder(folderOf(target.path));
    return {};
}

// Removes the temporary files that killed writes to this same file left beside it:
// regular files of the user's own, named by the prefix and six letters or digits.
void removeOwnTemporariesOf(const QByteArray &folder, const QByteArray &prefix)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix) || !isLeftoverName(name.constData() + prefix.size()))
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat info;
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

} // namespace

Done replaceOwnFile(const QByteArray &target, const QByteArray &scratchFolder, const QByteArray &content,
                    WhereFolderRefuses whereRefused)
{
    survivingFileSizeLimit();
    const Outcome<Target> examined = examine(target);
    if (!examined)
        return Done::failure(examined.error());
    return replaceThrough(*examined, scratchFolder + "/XXXXXX", prepareScratchFolder(scratchFolder), content,
                          whereRefused);
}

QByteArray chosenFileTemporaryPrefix(const QByteArray &fileName)
{
    // Kept within a file name's longest length (255 bytes) with its suffix; a cut name
    // ends on a whole UTF-8 character.
    static const QByteArray suffix = ".tankeli-";
    constexpr qsizetype longestName = 255;
    QByteArray kept = fileName.left(longestName - 1 - suffix.size() - 6);
    while (kept.size() < fileName.size() && !kept.isEmpty() && (uchar(fileName[kept.size()]) & 0xC0) == 0x80)
        kept.chop(1);
    return '.' + kept + suffix;
}

Done replaceChosenFile(const QByteArray &target, const QByteArray &content)
{
    survivingFileSizeLimit();
    const Outcome<Target> examined = examine(target);
    if (!examined)
        return Done::failure(examined.error());
    // Beside the file itself, so that the rename stays on one disk.
    const QByteArray folder = folderOf(examined->path);
    const QByteArray prefix = chosenFileTemporaryPrefix(examined->path.mid(examined->path.lastIndexOf('/') + 1));
    removeOwnTemporariesOf(folder, prefix);
    return replaceThrough(*examined, folder + '/' + prefix + "XXXXXX", Done(), content, WhereFolderRefuses::Fail);
}

} // namespace tankeli
