#include "WindowPlaces.h"

#include "AtomicFile.h"
#include "LineReader.h"

#include <QFile>
#include <QRegularExpression>

namespace tankeli {
namespace {

constexpr int largest = 100000; // pixels; no screen comes near, a number beyond it is garbage
constexpr qsizetype maxLineBytes = 200;
const QLatin1String maximisedWord("maximized");

QString signedNumber(int n)
{
    return (n < 0 ? QStringLiteral("-") : QStringLiteral("+")) + QString::number(qAbs(n));
}

// Where a stretch of `length` that starts at `from` starts once pulled within the room
// [low, low + room): at low when it is longer than the room.
int pulledInto(int from, int length, int low, int room)
{
    return length >= room ? low : qBound(low, from, low + room - length);
}

} // namespace

QByteArray windowPlacesText(const WindowPlaces &places)
{
    QByteArray text;
    for (auto it = places.cbegin(); it != places.cend(); ++it) {
        const WindowPlace &place = it.value();
        QString line = it.key() + QLatin1Char(' ') + QString::number(place.size.width())
            + QLatin1Char('x') + QString::number(place.size.height());
        if (place.position)
            line += signedNumber(place.position->x()) + signedNumber(place.position->y());
        if (place.maximised)
            line += QLatin1Char(' ') + maximisedWord;
        text += line.toLatin1() + '\n';
    }
    return text;
}

WindowPlaces readWindowPlaces(const QByteArray &text)
{
    static const QRegularExpression lineForm(QStringLiteral(
        "^([A-Za-z0-9_]+) ([0-9]{1,6})x([0-9]{1,6})(?:([+-][0-9]{1,6})([+-][0-9]{1,6}))?( maximized)?\\r?$"));
    WindowPlaces places;
    for (const QByteArray &line : text.split('\n')) {
        const QRegularExpressionMatch m = lineForm.match(QString::fromLatin1(line));
        if (!m.hasMatch())
            continue;
        WindowPlace place;
        place.size = QSize(m.captured(2).toInt(), m.captured(3).toInt());
        if (m.capturedLength(4) > 0)
            place.position = QPoint(m.captured(4).toInt(), m.captured(5).toInt());
        place.maximised = m.capturedLength(6) > 0;
        const bool sizeFits = place.size.width() > 0 && place.size.height() > 0
            && place.size.width() <= largest && place.size.height() <= largest;
        const bool positionFits = !place.position
            || (qAbs(place.position->x()) <= largest && qAbs(place.position->y()) <= largest);
        if (sizeFits && positionFits)
            places.insert(m.captured(1), place);
    }
    return places;
}

Placement placeOnScreens(const WindowPlace &remembered, QSize minimum, const QList<QRect> &screens)
{
    Placement placed{remembered.size.expandedTo(minimum), std::nullopt};
    if (!remembered.position)
        return placed;
    const QRect wanted(*remembered.position, placed.size);
    const QRect *best = nullptr;
    qint64 bestOverlap = 0;
    for (const QRect &screen : screens) {
        const QRect overlap = screen.intersected(wanted);
        const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (area > bestOverlap) {
            best = &screen;
            bestOverlap = area;
        }
    }
    if (!best)
        return placed;
    placed.size = placed.size.boundedTo(best->size()).expandedTo(minimum);
    placed.position = QPoint(pulledInto(wanted.x(), placed.size.width(), best->x(), best->width()),
                             pulledInto(wanted.y(), placed.size.height(), best->y(), best->height()));
    return placed;
}

WindowPlacesFile::WindowPlacesFile(QString path, QString scratchFolder)
    : m_path(std::move(path))
    , m_scratch(std::move(scratchFolder))
{
}

WindowPlaces WindowPlacesFile::read() const
{
    const ReadableFile file(QFile::encodeName(m_path));
    if (!file.isOpen())
        return {};
    LineReader reader(file.descriptor(), maxLineBytes, maxBytes);
    QByteArray text;
    QByteArray line;
    LineReader::Line kind = LineReader::Line::Text;
    while ((kind = reader.next(line)) != LineReader::Line::Missing)
        if (kind == LineReader::Line::Text)
            text += line + '\n';
    return reader.readError() == 0 ? readWindowPlaces(text) : WindowPlaces();
}

Done WindowPlacesFile::write(const WindowPlaces &places) const
{
    return replaceOwnFile(QFile::encodeName(m_path), QFile::encodeName(m_scratch), windowPlacesText(places));
}

} // namespace tankeli
