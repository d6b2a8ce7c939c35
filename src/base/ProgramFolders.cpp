#include "ProgramFolders.h"

#include "AtomicFile.h"
#include "FailureText.h"
#include "LineReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tankeli {

namespace {

bool userMayWrite(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

// Makes one folder unless it is there, closed to others from its first moment (mode
// 0700, narrowed further only by the umask); a file or a dangling link in its place is
// a failure.
Done makeFolder(const QString &path)
{
    errno = 0;
    if (QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return {};
    const int error = errno; // mkdir's own, which QDir leaves as it is
    struct stat status {};
    if (error == EEXIST && ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode))
        return {};
    return Done::failure(QStringLiteral("Kansiota %1 ei voitu tehdä: %2.")
                             .arg(shownPath(path), systemErrorText(error == EEXIST ? ENOTDIR : error)));
}

// Makes each missing folder of path from the top down, so that the failure names the
// first one that could not be made and why (a read-only home: no permission).
Done makeFolders(const QString &path)
{
    const QStringList parts = QDir::cleanPath(QDir::current().absoluteFilePath(path)).split(QLatin1Char('/'));
    QString folder;
    for (const QString &part : parts) {
        folder += part;
        struct stat status {};
        if (!folder.isEmpty() && (::stat(QFile::encodeName(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode)))
            if (const Done made = makeFolder(folder); !made)
                return made;
        folder += QLatin1Char('/');
    }
    return {};
}

// A path as a shell command takes it: in single quotes unless every character is plain.
QString shellWord(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+,:@%-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    return QLatin1Char('\'') + QString(path).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

// Whether the folder (a link's real folder) is the user's alone to write: any other user
// who could write it could put a link there that the program then writes through.
Done ownedAlone(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return Done::failure(QStringLiteral("Kansiota %1 ei voitu lukea: %2.").arg(shownPath(path), systemErrorText(errno)));
    if (status.st_uid != ::geteuid())
        return Done::failure(QStringLiteral("Kansio %1 kuuluu toiselle käyttäjälle, joten Tankeli ei käytä sitä. "
                                            "Nimeä kansio toiseksi (tai pyydä ylläpitäjää tekemään se), niin Tankeli "
                                            "tekee sinulle uuden.").arg(shownPath(path)));
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return Done::failure(QStringLiteral("Muut voivat kirjoittaa kansioon %1, joten Tankeli ei käytä sitä. Poista "
                                            "muiden kirjoitusoikeus komennolla chmod go-w %2 ja käynnistä Tankeli "
                                            "uudelleen.").arg(shownPath(path), shellWord(QDir::toNativeSeparators(path))));
    return {};
}

} // namespace

ProgramFolders::ProgramFolders(QString base)
    : m_dataRoot(base)
    , m_pictureFolder(base + QStringLiteral("/pic"))
{
}

ProgramFolders::ProgramFolders(QString dataRoot, QString pictureFolder, QString defaultSettings)
    : m_dataRoot(std::move(dataRoot))
    , m_pictureFolder(std::move(pictureFolder))
    , m_defaultSettings(std::move(defaultSettings))
{
}

ProgramFolders ProgramFolders::choose(const QString &programFolder, const QString &userDataFolder)
{
    const ProgramFolders beside(programFolder);
    if (QFileInfo(beside.dataFolder()).isDir()
        && (userMayWrite(beside.dataFolder()) || userMayWrite(beside.settingsFile())))
        return beside;
    // A copy on a read-only medium (a CD, a locked stick) brings its own pictures and
    // settings; an installed program finds them in ../share/tankeli.
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/tankeli"));
    const bool ownPictures = QFileInfo(programFolder + QStringLiteral("/pic")).isDir();
    const bool ownSettings = QFileInfo(beside.settingsFile()).isFile();
    return ProgramFolders(userDataFolder, ownPictures ? programFolder + QStringLiteral("/pic") : installed + QStringLiteral("/pic"),
                          ownSettings ? beside.settingsFile() : installed + QStringLiteral("/Arvot.txt"));
}

ProgramFolders ProgramFolders::forRunningProgram()
{
    return choose(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString ProgramFolders::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

Done ProgramFolders::prepare() const
{
    if (!perUser())
        return {};
    if (m_dataRoot.isEmpty())
        return Done::failure(QStringLiteral("Käyttäjän tietokansiota ei löytynyt: kotikansiota ei ole asetettu."));
    // Each folder is checked before anything is made in it.
    for (const QString &folder : {m_dataRoot, dataFolder(), recordFolder()}) {
        if (const Done made = folder == m_dataRoot ? makeFolders(folder) : makeFolder(folder); !made)
            return made;
        if (const Done safe = ownedAlone(folder); !safe)
            return safe;
    }
    if (QFileInfo::exists(settingsFile()))
        return {};
    return copyDefaultSettings();
}

Done ProgramFolders::copyDefaultSettings() const
{
    // The installed file is the settings as they are saved (CR LF lines): copied byte for
    // byte, no larger than the settings' own limit.
    ReadableFile installed(QFile::encodeName(m_defaultSettings));
    QFile file;
    QByteArray content;
    int readError = 0;
    if (installed.isOpen() && file.open(installed.descriptor(), QIODevice::ReadOnly, QFile::DontCloseHandle)) {
        errno = 0;
        content = file.read(maxSettingsBytes + 1);
        if (file.error() != QFile::NoError)
            readError = errno != 0 ? errno : EIO;
    }
    if (readError == 0 && content.size() > maxSettingsBytes)
        return Done::failure(QStringLiteral("Asennettu asetustiedosto %1 on liian suuri asetustiedostoksi (yli %2 kt). "
                                            "Asenna Tankeli uudelleen.")
                                 .arg(shownPath(m_defaultSettings)).arg(maxSettingsBytes / 1024));
    if (!installed.isOpen() || readError != 0)
        return Done::failure(QStringLiteral("Asennettua asetustiedostoa %1 ei voitu lukea: %2.")
                                 .arg(shownPath(m_defaultSettings),
                                      installed.isOpen() ? systemErrorText(readError) : installed.problem()));
    // Written like every settings write, whole or not at all; two first starts that race
    // write the same content.
    const QByteArray to = QFile::encodeName(settingsFile());
    if (const Done written = replaceOwnFile(to, QFile::encodeName(dataFolder()) + "/.tallennus", content); !written)
        return Done::failure(QStringLiteral("Asetustiedostoa %1 ei voitu tehdä: %2.").arg(shownPath(settingsFile()), written.error()));
    return {};
}

} // namespace tankeli
