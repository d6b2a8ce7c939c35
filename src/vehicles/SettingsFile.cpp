#include "SettingsFile.h"

#include "base/AtomicFile.h"
#include "base/FailureText.h"
#include "base/LineReader.h"
#include "base/EightBitText.h"

#include <QFile>
#include <array>
#include <cerrno>
#include <optional>

namespace tankeli {
namespace {

constexpr int lineCount = 5;
const QByteArray utf8ByteOrderMark("\xef\xbb\xbf");
// What a user can do about a file whose lines are wrong: the program cannot guess them.
QString mendByHand()
{
    return QStringLiteral(" Korjaa tiedosto tekstieditorilla: siinä on viisi riviä, hinta, kalibroinnin kaksi "
                          "lukemaa ja kahdesti True tai False.");
}

std::optional<bool> truthValue(const QString &line)
{
    if (line.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (line.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString truthText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Why a line cannot be stored in the file, if it cannot.
std::optional<QString> storingProblem(const QString &line)
{
    if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
        return QStringLiteral("rivinvaihto");
    if (const auto bad = firstUnencodable(line))
        return QStringLiteral("merkki \"%1\"").arg(*bad);
    return std::nullopt;
}

} // namespace

SettingsFile::SettingsFile(QString path)
    : m_path(std::move(path))
{
}

Outcome<Settings> SettingsFile::read()
{
    using Read = Outcome<Settings>;
    const QString shown = shownPath(m_path);
    const ReadableFile file(QFile::encodeName(m_path));
    if (!file.isOpen()) {
        if (file.openError() == ENOENT)
            return Read::failure(QStringLiteral("Asetustiedostoa %1 ei löytynyt.").arg(shown));
        return Read::failure(QStringLiteral("Asetustiedostoa %1 ei voitu lukea: %2.")
                                 .arg(shown, file.problem()));
    }
    // Lines after the fifth are never read; neither is an endless file.
    LineReader reader(file.descriptor(), maxLineBytes, lineCount * (maxLineBytes + 2));
    std::array<QString, lineCount> lines;
    QByteArray text;
    int count = 0;
    LineReader::Line last = LineReader::Line::Text;
    while (count < lineCount && (last = reader.next(text)) == LineReader::Line::Text) {
        // An editor that saved the file as UTF-8 may have put its byte-order mark first;
        // it is no part of the price, and the next write leaves it out.
        if (count == 0 && text.startsWith(utf8ByteOrderMark))
            text.remove(0, utf8ByteOrderMark.size());
        lines[count++] = decodeEightBit(text);
    }
    const int readError = reader.readError();

    if (last == LineReader::Line::TooLong)
        return Read::failure(QStringLiteral("Asetustiedoston %1 rivi %2 on liian pitkä.")
                                 .arg(shown).arg(count + 1) + mendByHand());
    if (readError != 0)
        return Read::failure(QStringLiteral("Asetustiedostoa %1 ei voitu lukea: %2.")
                                 .arg(shown, systemErrorText(readError)));
    if (count < lineCount) {
        for (int i = 0; i < count; ++i)
            if (lines[i].contains(QLatin1Char('\r')))
                return Read::failure(QStringLiteral("Asetustiedoston %1 rivit on erotettu pelkillä "
                                                    "CR-merkeillä, vaikka rivinvaihdon pitää olla "
                                                    "CR LF.").arg(shown) + mendByHand());
        return Read::failure(QStringLiteral("Asetustiedostossa %1 on vain %2 riviä, "
                                            "vaikka niitä pitää olla viisi.")
                                 .arg(shown).arg(count) + mendByHand());
    }
    const auto calibration = truthValue(lines[3]);
    const auto timeView = truthValue(lines[4]);
    if (!calibration || !timeView)
        return Read::failure(QStringLiteral("Asetustiedoston %1 rivillä %2 pitää olla "
                                            "True tai False, nyt siinä on \"%3\".")
                                 .arg(shown)
                                 .arg(calibration ? 5 : 4)
                                 .arg(elideMiddle(calibration ? lines[4] : lines[3])) + mendByHand());
    m_storedPrice = lines[0];
    return Settings{lines[0], lines[1], lines[2], *calibration, *timeView};
}

Done SettingsFile::write(const Settings &settings)
{
    const QString previousPrice = m_storedPrice;
    const QString shown = shownPath(m_path);
    const auto priceProblem = storingProblem(settings.price);
    std::array<QString, lineCount> lines{priceProblem ? previousPrice : settings.price,
                                         settings.displayReading, settings.meterReading,
                                         truthText(settings.calibrationInUse),
                                         truthText(settings.timeView)};
    QByteArray content;
    for (const QString &line : lines) {
        if (const auto problem = storingProblem(line))
            return Done::failure(QStringLiteral("Asetustiedostoon %1 ei voitu kirjoittaa arvoa "
                                                "\"%2\": siinä on %3, jota ei voi tallentaa.")
                                     .arg(shown, elideMiddle(line), *problem));
        content += *encodeEightBit(line) + "\r\n";
    }
    // A price whose first characters are the very bytes of a byte-order mark ("ï»¿") would
    // lose them to the next read; a mark before it keeps the price as it was typed.
    if (content.startsWith(utf8ByteOrderMark))
        content.prepend(utf8ByteOrderMark);

    const QByteArray path = QFile::encodeName(m_path);
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(qMax<qsizetype>(slash, 1));
    // The temporary file goes into a hidden folder of the program's own, never beside the
    // settings, where a user's own copies may lie.
    const Done written = replaceOwnFile(path, folder + "/.tallennus", content, WhereFolderRefuses::WriteInPlace);
    if (!written)
        return Done::failure(QStringLiteral("Asetustiedostoa %1 ei voitu kirjoittaa: %2. "
                                            "Aiemmat asetukset jäivät voimaan.")
                                 .arg(shown, written.error()));
    m_storedPrice = lines[0];
    if (priceProblem)
        return Done::failure(QStringLiteral("Bensanhintaa \"%1\" ei voitu tallentaa, koska siinä on "
                                            "%2, jota ei voi tallentaa. Asetustiedostoon jäi "
                                            "edellinen hinta \"%3\"; muut asetukset tallennettiin.")
                                 .arg(elideMiddle(settings.price), *priceProblem,
                                      elideMiddle(previousPrice)));
    return {};
}

} // namespace tankeli
