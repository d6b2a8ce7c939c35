#include "VehicleFile.h"

#include "base/AtomicFile.h"
#include "base/FailureText.h"
#include "base/LineReader.h"

#include <QFile>
#include <array>
#include <cerrno>

namespace tankeli {
namespace {
constexpr int lineCount = 3;
constexpr qsizetype maxLineBytes = 4096;
} // namespace

Outcome<VehicleInfo> readVehicleFile(const QString &path, const VehicleInfo &fallback)
{
    using Read = Outcome<VehicleInfo>;
    const ReadableFile file(QFile::encodeName(path));
    if (!file.isOpen()) {
        if (file.openError() == ENOENT)
            return fallback;
        return Read::failure(QStringLiteral("Ajoneuvon tiedostoa %1 ei voitu lukea: %2.").arg(shownPath(path), file.problem()));
    }
    LineReader reader(file.descriptor(), maxLineBytes, lineCount * (maxLineBytes + 2));
    std::array<QString, lineCount> lines;
    QByteArray text;
    for (QString &line : lines) {
        const LineReader::Line state = reader.next(text);
        if (state == LineReader::Line::TooLong)
            return Read::failure(QStringLiteral("Ajoneuvon tiedostossa %1 on liian pitkä rivi.").arg(shownPath(path)));
        line = state == LineReader::Line::Text ? QString::fromUtf8(text) : QString();
    }
    if (reader.readError() != 0)
        return Read::failure(QStringLiteral("Ajoneuvon tiedostoa %1 ei voitu lukea: %2.")
                                 .arg(shownPath(path), systemErrorText(reader.readError())));
    VehicleInfo info = fallback;
    if (!lines[0].isEmpty())
        info.name = lines[0];
    if (!lines[1].isEmpty()) {
        const std::optional<Energy> energy = energyNamed(lines[1]);
        if (!energy)
            return Read::failure(QStringLiteral("Ajoneuvon tiedoston %1 toisella rivillä pitää olla käyttövoima "
                                                "(Bensiini, Diesel, Sähkö tai Kaasu), nyt siinä on \"%2\".")
                                     .arg(shownPath(path), elideMiddle(lines[1])));
        info.energy = *energy;
    }
    info.lastConsumption = lines[2];
    return info;
}

Done writeVehicleFile(const QString &path, const VehicleInfo &info)
{
    QByteArray content;
    for (const QString &line : {info.name, energyName(info.energy), info.lastConsumption})
        content += line.toUtf8() + "\r\n";
    const QByteArray target = QFile::encodeName(path);
    const QByteArray folder = target.left(qMax<qsizetype>(target.lastIndexOf('/'), 1));
    const Done written = replaceOwnFile(target, folder + "/.tallennus", content);
    if (!written)
        return Done::failure(QStringLiteral("Ajoneuvon tiedostoa %1 ei voitu kirjoittaa: %2.").arg(shownPath(path), written.error()));
    return {};
}

} // namespace tankeli
