#include "RecordStore.h"

#include "base/EightBitText.h"
#include "base/AtomicFile.h"
#include "base/FailureText.h"
#include "base/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tankeli {
namespace {

const QString extension = QStringLiteral(".sav");
// Saves write a temporary file here first; the folder is hidden and never listed.
const QByteArray scratchName = ".tallennus";

QString twoDigits(int n)
{
    const QString text = QString::number(n);
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

// A name that would reach outside the folder, or names no file at all.
bool leavesFolder(const QString &name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QChar(0));
}

bool isProtected(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0
        && ((info.st_mode & 0222) == 0 || ::access(path.constData(), W_OK) != 0);
}

// The control characters: C0 (tab, NUL and the rest below a space), DEL and C1.
bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

// The first control character of text as "U+0009", if there is one.
std::optional<QString> firstControl(const QString &text)
{
    for (const QChar c : text)
        if (isControl(c))
            return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return std::nullopt;
}

// Text as a message may show it: each control character as the replacement character.
QString shownControls(QString text)
{
    for (QChar &c : text)
        if (isControl(c))
            c = QChar::ReplacementCharacter;
    return text;
}

// Moves a record into the desktop's trash, where a file manager can restore it (a link
// goes there as a link), or deletes it where the folder has no trash (a file system that
// takes none, another disk than the trash's); 0 when it is gone, else the error number.
// Qt names files in UTF-8, so a name in other bytes is first given its shown name, when
// no other file has that name.
int discard(const QByteArray &folder, const QByteArray &fileName)
{
    const QByteArray path = folder + '/' + fileName;
    const QByteArray asShown = folder + '/' + RecordStore::shownName(fileName).toUtf8();
    const bool plain = QFile::encodeName(QFile::decodeName(path)) == path;
    const bool renamed = !plain
        && ::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, asShown.constData(), RENAME_NOREPLACE) == 0;
    if (plain || renamed) {
        if (moveToTrash(QFile::decodeName(renamed ? asShown : path)))
            return 0;
        if (renamed && ::rename(asShown.constData(), path.constData()) != 0)
            return ::unlink(asShown.constData()) == 0 ? 0 : errno;
    }
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

bool sortsBefore(const RecordEntry &a, const RecordEntry &b)
{
    const int c = a.name.compare(b.name, Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    return a.name != b.name ? a.name < b.name : a.fileName < b.fileName;
}

} // namespace

RecordStore::RecordStore(QString folder)
    : m_folder(std::move(folder))
    , m_folderBytes(QFile::encodeName(m_folder))
{
}

QString RecordStore::defaultName(const QDate &date)
{
    return QString::number(date.year()) + QLatin1Char('_') + twoDigits(date.month())
        + QLatin1Char('_') + twoDigits(date.day());
}

QString RecordStore::finalName(const QString &typed)
{
    if (typed.isEmpty())
        return {};
    return typed.endsWith(extension, Qt::CaseSensitive) ? typed : typed + extension;
}

std::optional<QString> RecordStore::nameProblem(const QString &name)
{
    const QString shown = elideMiddle(shownControls(name));
    if (name.isEmpty())
        return QStringLiteral("Tiedostonimi puuttuu.");
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u'*' || c == u'?')
            return QStringLiteral("Tiedostonimessä \"%1\" on merkki, jota ei voi käyttää. "
                                  "Nimessä ei saa olla merkkejä / \\ * ?")
                .arg(shown);
    }
    if (const auto control = firstControl(name))
        return QStringLiteral("Tiedostonimessä \"%1\" on ohjausmerkki %2, jota ei voi käyttää.")
            .arg(shown, *control);
    // Such a record would be saved but never listed, summed or exported.
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("Tiedostonimi \"%1\" alkaa pisteellä, eikä lista näytä pisteellä alkavia nimiä. "
                              "Anna nimi, joka alkaa muulla merkillä.")
            .arg(shown);
    if (const auto bad = firstUnencodable(name))
        return QStringLiteral("Tiedostonimessä \"%1\" on merkki \"%2\", jota ei voi käyttää.")
            .arg(shown, *bad);
    return std::nullopt;
}

std::optional<QString> RecordStore::valueProblem(const QString &value)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return QStringLiteral("Arvossa \"%1\" on rivinvaihto, jota ei voi tallentaa.")
            .arg(elideMiddle(value.simplified()));
    if (const auto control = firstControl(value))
        return QStringLiteral("Arvossa \"%1\" on ohjausmerkki %2, jota ei voi tallentaa.")
            .arg(elideMiddle(shownControls(value)), *control);
    const auto bytes = encodeEightBit(value);
    if (!bytes)
        return QStringLiteral("Arvossa \"%1\" on merkki \"%2\", jota ei voi tallentaa tiedostoon.")
            .arg(elideMiddle(value), *firstUnencodable(value));
    // A longer line could be written, but the record could never be opened again.
    if (bytes->size() > maxLineBytes)
        return QStringLiteral("Arvo \"%1\" on liian pitkä tallennettavaksi: siinä on %2 merkkiä, "
                              "ja yhteen arvoon mahtuu enintään %3.")
            .arg(elideMiddle(value)).arg(bytes->size()).arg(maxLineBytes);
    return std::nullopt;
}

QString RecordStore::shownName(const QByteArray &fileName)
{
    return fileName.isValidUtf8() ? QString::fromUtf8(fileName) : decodeEightBit(fileName);
}

QByteArray RecordStore::pathOf(const QByteArray &fileName) const
{
    return m_folderBytes + '/' + fileName;
}

QString RecordStore::shownFolder() const
{
    return shownPath(m_folder);
}

std::optional<QByteArray> RecordStore::locate(const QString &name) const
{
    if (leavesFolder(name))
        return std::nullopt;
    const QByteArray utf8 = name.toUtf8();
    struct stat info;
    if (::lstat(pathOf(utf8).constData(), &info) == 0)
        return utf8;
    // Only a name with characters beyond ASCII can stand for other bytes on disk.
    if (utf8.size() == name.size())
        return std::nullopt;
    DIR *dir = ::opendir(m_folderBytes.constData());
    if (!dir)
        return std::nullopt;
    std::optional<QByteArray> found;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray bytes(entry->d_name);
        if (!bytes.isValidUtf8() && decodeEightBit(bytes) == name) {
            found = bytes;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

RecordEntry RecordStore::entryNamed(const QString &name) const
{
    if (leavesFolder(name))
        return {name, QByteArray()};
    return {name, locate(name).value_or(name.toUtf8())};
}

bool RecordStore::exists(const RecordEntry &entry) const
{
    struct stat info;
    return !entry.fileName.isEmpty() && ::stat(pathOf(entry.fileName).constData(), &info) == 0
        && !S_ISDIR(info.st_mode);
}

Done RecordStore::prepareScratchFolder() const
{
    if (::mkdir(m_folderBytes.constData(), 0777) != 0 && errno != EEXIST)
        return Done::failure(QStringLiteral("Kansiota %1 ei voitu luoda: %2.")
                                 .arg(shownFolder(), systemErrorText(errno)));
    // Made here first, so that a folder that takes no new file is named in the message.
    if (const Done scratch = tankeli::prepareScratchFolder(pathOf(scratchName)); !scratch)
        return Done::failure(QStringLiteral("Kansioon %1 ei voitu tallentaa: %2.")
                                 .arg(shownFolder(), scratch.error()));
    return {};
}

std::optional<QString> RecordStore::saveProblem(const RecordEntry &entry) const
{
    if (const auto problem = nameProblem(entry.name))
        return problem;
    const QByteArray path = pathOf(entry.fileName);
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return std::nullopt;
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("Nimellä %1 on jo kansio.").arg(elideMiddle(entry.name));
    if (isProtected(path))
        return QStringLiteral("Tiedostoa %1 ei voitu tallentaa: Tiedosto on kirjoitussuojattu.")
            .arg(elideMiddle(entry.name));
    return std::nullopt;
}

Done RecordStore::write(const RecordEntry &entry, const RecordValues &values)
{
    if (const auto problem = saveProblem(entry))
        return Done::failure(*problem);
    QByteArray content;
    for (const QString &value : values) {
        if (const auto problem = valueProblem(value))
            return Done::failure(*problem);
        content += *encodeEightBit(value) + "\r\n";
    }
    if (const Done scratch = prepareScratchFolder(); !scratch)
        return scratch;
    const Done written = replaceOwnFile(pathOf(entry.fileName), pathOf(scratchName), content);
    if (!written)
        return Done::failure(QStringLiteral("Tiedostoa %1 ei voitu tallentaa: %2.")
                                 .arg(elideMiddle(entry.name), written.error()));
    return {};
}

Outcome<RecordLines> RecordStore::readLines(const RecordEntry &entry) const
{
    const ReadableFile file(pathOf(entry.fileName));
    if (!file.isOpen())
        return Outcome<RecordLines>::failure(QStringLiteral("Tiedostoa %1 ei voitu avata: %2.")
                                                 .arg(elideMiddle(entry.name), file.problem()));
    RecordLines lines;
    // Five lines at the limit with their line ends are all a record can hold; a huge or
    // endless file is never read further.
    LineReader reader(file.descriptor(), maxLineBytes, RecordLineCount * (maxLineBytes + 2));
    QByteArray text;
    for (int i = 0; i < RecordLineCount; ++i) {
        lines.state[i] = reader.next(text);
        lines.text[i] = decodeEightBit(text);
    }
    return lines;
}

Outcome<RecordValues> RecordStore::read(const RecordEntry &entry) const
{
    const QString name = elideMiddle(entry.name);
    if (entry.fileName.isEmpty())
        return Outcome<RecordValues>::failure(QStringLiteral("Tiedostoa %1 ei voitu avata: %2.")
                                                  .arg(name, systemErrorText(ENOENT)));
    const Outcome<RecordLines> lines = readLines(entry);
    if (!lines)
        return Outcome<RecordValues>::failure(lines.error());
    RecordValues values;
    for (int i = 0; i < RecordLineCount; ++i) {
        if (lines->state[i] == LineReader::Line::Missing)
            return Outcome<RecordValues>::failure(
                QStringLiteral("Tiedostosta %1 puuttuu rivi %2.").arg(name).arg(i + 1));
        if (lines->state[i] == LineReader::Line::TooLong)
            return Outcome<RecordValues>::failure(
                QStringLiteral("Tiedoston %1 rivi %2 on liian pitkä.").arg(name).arg(i + 1));
        values[i] = lines->text[i];
    }
    return values;
}

Done RecordStore::remove(const RecordEntry &entry)
{
    const QString failure = QStringLiteral("Tiedostoa %1 ei voitu poistaa: %2.").arg(elideMiddle(entry.name));
    if (!exists(entry))
        return Done::failure(failure.arg(systemErrorText(ENOENT)));
    if (isProtected(pathOf(entry.fileName)))
        return Done::failure(failure.arg(QStringLiteral("Tiedosto on kirjoitussuojattu")));
    if (const int error = discard(m_folderBytes, entry.fileName); error != 0)
        return Done::failure(failure.arg(systemErrorText(error)));
    return {};
}

Outcome<QList<RecordEntry>> RecordStore::list() const
{
    QList<RecordEntry> entries;
    DIR *dir = ::opendir(m_folderBytes.constData());
    if (!dir) {
        if (errno == ENOENT)
            return entries;
        return Outcome<QList<RecordEntry>>::failure(
            QStringLiteral("Kansiota %1 ei voitu lukea: %2.").arg(shownFolder(), systemErrorText(errno)));
    }
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray fileName(entry->d_name);
        // Hidden files (a file manager's .directory, an office program's lock files) are
        // not trips.
        if (fileName.startsWith('.'))
            continue;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            isFile = ::stat(pathOf(fileName).constData(), &info) == 0 && S_ISREG(info.st_mode);
        }
        if (isFile)
            entries.append({shownName(fileName), fileName});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), sortsBefore);
    return entries;
}

} // namespace tankeli
