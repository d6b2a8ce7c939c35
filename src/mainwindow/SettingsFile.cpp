#include "SettingsFile.h"

#include "records/EightBitText.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace tankeli {
namespace {

// The file has five short lines; reading stops here whatever the file holds.
constexpr qsizetype maxSettingsBytes = 64 * 1024;

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

} // namespace

SettingsFile::SettingsFile(QString path)
    : m_path(std::move(path))
{
}

SettingsRead SettingsFile::read() const
{
    const QString shown = QDir::toNativeSeparators(m_path);
    QFile file(m_path);
    if (!file.exists())
        return {std::nullopt, QStringLiteral("Asetustiedostoa %1 ei löytynyt.").arg(shown)};
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("Asetustiedostoa %1 ei voitu lukea: %2")
                                  .arg(shown, file.errorString())};

    QStringList lines = decodeEightBit(file.read(maxSettingsBytes)).split(QLatin1Char('\n'));
    // A final line end leaves one empty piece behind that is no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 5)
        return {std::nullopt, QStringLiteral("Asetustiedostossa %1 on vain %2 riviä, "
                                             "vaikka niitä pitää olla viisi.")
                                  .arg(shown)
                                  .arg(lines.size())};
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    const auto calibration = truthValue(lines[3]);
    const auto timeView = truthValue(lines[4]);
    if (!calibration || !timeView) {
        return {std::nullopt, QStringLiteral("Asetustiedoston %1 rivillä %2 pitää olla "
                                             "True tai False, nyt siinä on \"%3\".")
                                  .arg(shown)
                                  .arg(calibration ? 5 : 4)
                                  .arg(calibration ? lines[4] : lines[3])};
    }
    return {Settings{lines[0], lines[1], lines[2], *calibration, *timeView}, {}};
}

QString SettingsFile::write(const Settings &settings) const
{
    const QString shown = QDir::toNativeSeparators(m_path);
    QByteArray content;
    for (const QString &line : {settings.price, settings.displayReading, settings.meterReading,
                                truthText(settings.calibrationInUse), truthText(settings.timeView)}) {
        const auto bytes = encodeEightBit(line);
        if (!bytes || line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            return QStringLiteral("Asetustiedostoon %1 ei voitu kirjoittaa arvoa \"%2\": "
                                  "siinä on merkki, jota ei voi tallentaa.")
                .arg(shown, line);
        content += *bytes + "\r\n";
    }
    // QSaveFile: a crash while saving leaves the old file or the new one, never half.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()
        || !file.commit())
        return QStringLiteral("Asetustiedostoa %1 ei voitu kirjoittaa: %2")
            .arg(shown, file.errorString());
    return {};
}

} // namespace tankeli
