#include "RecordStore.h"

#include "EightBitText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace tankeli {
namespace {

const QString extension = QStringLiteral(".sav");

QString twoDigits(int n)
{
    const QString text = QString::number(n);
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

// Checks one value before it is written: it must fit the character set and must not
// break the file into more lines than five.
std::optional<QString> valueProblem(const QString &value)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return QStringLiteral("Arvossa \"%1\" on rivinvaihto, jota ei voi tallentaa.")
            .arg(value.simplified());
    if (const auto bad = firstUnencodable(value))
        return QStringLiteral("Arvossa \"%1\" on merkki \"%2\", jota ei voi tallentaa tiedostoon.")
            .arg(value, *bad);
    return std::nullopt;
}

} // namespace

RecordStore::RecordStore(QString folder)
    : m_folder(std::move(folder))
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
    if (name.isEmpty())
        return QStringLiteral("Tiedostonimi puuttuu.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("\"%1\" ei kelpaa tiedostonimeksi.").arg(name);
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u'*' || c == u'?' || c.unicode() < 0x20)
            return QStringLiteral("Tiedostonimessä \"%1\" on merkki, jota ei voi käyttää. "
                                  "Nimessä ei saa olla merkkejä / \\ * ?")
                .arg(name);
    }
    if (const auto bad = firstUnencodable(name))
        return QStringLiteral("Tiedostonimessä \"%1\" on merkki \"%2\", jota ei voi käyttää.")
            .arg(name, *bad);
    return std::nullopt;
}

QString RecordStore::pathOf(const QString &name) const
{
    return m_folder + QLatin1Char('/') + name;
}

bool RecordStore::exists(const QString &name) const
{
    if (nameProblem(name))
        return false;
    const QFileInfo info(pathOf(name));
    return info.exists() && !info.isDir();
}

StoreOutcome RecordStore::ensureFolder()
{
    if (QFileInfo(m_folder).isDir() || QDir().mkpath(m_folder))
        return {};
    return {false, QStringLiteral("Kansiota %1 ei voitu luoda.")
                       .arg(QDir::toNativeSeparators(m_folder))};
}

StoreOutcome RecordStore::write(const QString &name, const RecordValues &values)
{
    if (const auto problem = nameProblem(name))
        return {false, *problem};
    QByteArray content;
    for (const QString &value : values) {
        if (const auto problem = valueProblem(value))
            return {false, *problem};
        content += *encodeEightBit(value) + "\r\n";
    }
    if (const auto folderOutcome = ensureFolder(); !folderOutcome.ok)
        return folderOutcome;
    if (QFileInfo(pathOf(name)).isDir())
        return {false, QStringLiteral("Nimellä %1 on jo kansio.").arg(name)};

    const QString error = replaceAtomically(pathOf(name), content);
    if (!error.isEmpty())
        return {false, QStringLiteral("Tiedostoa %1 ei voitu tallentaa: %2").arg(name, error)};
    return {};
}

// Writes the whole content to a temporary file and renames it over the record, so an
// interrupted save leaves the old record or the new one, never a mix. Not QSaveFile:
// killed at the wrong moment it leaves its temporary file beside the target, and in
// this folder every file is a record. The temporary files live in a hidden sub-folder,
// which is never listed; leftovers of a save that was cut off are removed here.
QString RecordStore::replaceAtomically(const QString &target, const QByteArray &content)
{
    QDir scratch(m_folder + QStringLiteral("/.tallennus"));
    if (!scratch.mkpath(QStringLiteral(".")))
        return QStringLiteral("kansiota %1 ei voitu luoda").arg(QDir::toNativeSeparators(scratch.path()));
    for (const QString &leftover : scratch.entryList(QDir::Files | QDir::Hidden))
        scratch.remove(leftover);

    QTemporaryFile file(scratch.filePath(QStringLiteral("XXXXXX")));
    if (!file.open()
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                | QFile::ReadOther)
        || file.write(content) != content.size() || !file.flush()
        || ::fsync(file.handle()) != 0)
        return file.errorString();
    std::error_code failure;
    std::filesystem::rename(file.fileName().toStdString(), target.toStdString(), failure);
    if (failure)
        return QString::fromLocal8Bit(failure.message().c_str());
    file.setAutoRemove(false); // it is the record now
    return {};
}

RecordLines RecordStore::readLines(const QString &name) const
{
    RecordLines result;
    if (const auto problem = nameProblem(name)) {
        result.openError = *problem;
        return result;
    }
    QFile file(pathOf(name));
    // Unbuffered: the record is read in one call, a buffer in between only copies it.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) { // nor does a folder
        result.openError = QStringLiteral("Tiedostoa %1 ei voitu avata: %2")
                               .arg(name, file.errorString());
        return result;
    }
    constexpr qsizetype budget = RecordLineCount * (maxLineBytes + 2);
    const QByteArray data = file.read(budget);
    const bool wholeFile = data.size() < budget || file.atEnd();

    qsizetype pos = 0;
    for (int i = 0; i < RecordLineCount; ++i) {
        qsizetype end = data.indexOf('\n', pos);
        qsizetype next = end + 1;
        if (end < 0 && wholeFile && pos < data.size())
            end = next = data.size(); // a last line without a line end
        if (end < 0 || end - pos > maxLineBytes + 1) {
            result.lineError = end < 0 && wholeFile
                ? QStringLiteral("Tiedostosta %1 puuttuu rivi %2.").arg(name).arg(i + 1)
                : QStringLiteral("Tiedoston %1 rivi %2 on liian pitkä.").arg(name).arg(i + 1);
            break;
        }
        QByteArray line = data.mid(pos, end - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        result.lines[i] = decodeEightBit(line);
        pos = next;
    }
    return result;
}

ReadOutcome RecordStore::read(const QString &name) const
{
    const RecordLines lines = readLines(name);
    if (!lines.opened())
        return {std::nullopt, lines.openError};
    if (!lines.lineError.isEmpty())
        return {std::nullopt, lines.lineError};
    RecordValues values;
    for (int i = 0; i < RecordLineCount; ++i)
        values[i] = *lines.lines[i];
    return {values, {}};
}

StoreOutcome RecordStore::remove(const QString &name)
{
    if (const auto problem = nameProblem(name))
        return {false, *problem};
    QFile file(pathOf(name));
    if (!exists(name) || !file.remove())
        return {false, QStringLiteral("Tiedostoa %1 ei voitu poistaa: %2")
                           .arg(name, file.errorString())};
    return {};
}

QStringList RecordStore::list() const
{
    QStringList names = QDir(m_folder).entryList(
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

} // namespace tankeli
