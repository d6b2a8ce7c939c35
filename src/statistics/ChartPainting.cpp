#include "ChartPainting.h"

#include "ChartHeading.h"
#include "base/AtomicFile.h"
#include "base/FailureText.h"
#include "look/Fonts.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <array>
#include <cmath>

namespace tankeli {
namespace {
// The screen's logical resolution: the files' units are the canvas's pixels, and a page
// is laid out in pixels of this size too, so its texts are as large as on the screen.
constexpr int screenDpi = 96;

// Each type's extension and the file dialog's choice, in the order of ChartImageFormat.
struct ImageType
{
    const char *suffix;
    const char *filter;
};
constexpr std::array<ImageType, 3> imageTypes{{{"png", "PNG-kuva (*.png)"}, {"svg", "SVG-kuva (*.svg)"},
                                               {"pdf", "PDF-tiedosto (*.pdf)"}}};

// The heading's first line, the quantity, stands out in bold; the second is in the
// canvas's own font. Both are sized in pixels, so they keep their size on any device.
QFont headingFont(qsizetype line)
{
    QFont font = canvasFont();
    if (line == 0) {
        font.setPixelSize(13);
        font.setBold(true);
    }
    return font;
}
constexpr qreal headingMargin = 4; // pixels around the heading's text
constexpr int headingFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QRectF headingLineRect(qreal top, int width)
{
    return QRectF(headingMargin, top, width - 2 * headingMargin, 1e6);
}

// The height of the band the heading takes above a chart this wide, its lines wrapped.
int headingHeight(const QStringList &heading, int width)
{
    qreal top = headingMargin;
    for (qsizetype i = 0; i < heading.size(); ++i)
        top += QFontMetricsF(headingFont(i)).boundingRect(headingLineRect(top, width), headingFlags, heading[i]).height();
    return int(std::ceil(top + 2 * headingMargin));
}

// The heading in a band this high, then below it the chart planned for chartSize.
void paintHeaded(QPainter &painter, const ChartPlan &plan, const QStringList &heading, int band, QSize chartSize)
{
    painter.fillRect(QRect(0, 0, chartSize.width(), band), Qt::white);
    painter.setPen(Qt::black);
    qreal top = headingMargin;
    for (qsizetype i = 0; i < heading.size(); ++i) {
        painter.setFont(headingFont(i));
        QRectF drawn;
        painter.drawText(headingLineRect(top, chartSize.width()), headingFlags, heading[i], &drawn);
        top = drawn.bottom();
    }
    painter.translate(0, band);
    paintChart(painter, plan, chartSize);
}

// The chart as the bytes of an image file: the heading above the chart of this size.
Outcome<QByteArray> chartImageBytes(const ChartPlan &plan, QSize size, ChartImageFormat format)
{
    const QStringList heading = chartHeading(plan);
    const int band = headingHeight(heading, size.width());
    const QSize whole(size.width(), band + size.height());
    const QString title = heading.join(QStringLiteral(", "));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPainter painter;
    bool made = false;
    if (format == ChartImageFormat::Png) {
        QImage image(whole * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        image.setText(QStringLiteral("Title"), title);
        if (painter.begin(&image)) {
            paintHeaded(painter, plan, heading, band, size);
            painter.end();
            made = image.save(&buffer, "PNG");
        }
    } else if (format == ChartImageFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(whole);
        svg.setViewBox(QRect(QPoint(0, 0), whole));
        svg.setResolution(screenDpi);
        svg.setTitle(title);
        if (painter.begin(&svg)) {
            paintHeaded(painter, plan, heading, band, size);
            made = painter.end();
        }
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(screenDpi);
        pdf.setPageSize(QPageSize(QSizeF(whole) * 72.0 / screenDpi, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Tankeli"));
        if (painter.begin(&pdf)) {
            paintHeaded(painter, plan, heading, band, size);
            made = painter.end();
        }
    }
    // Made in memory, an image fails only where its format refuses it (a PNG is at most a
    // million pixels high and wide); that is no system error, and errno would name a stale
    // cause.
    if (!made && format == ChartImageFormat::Png)
        return Outcome<QByteArray>::failure(QStringLiteral("Se on liian suuri PNG-kuvaksi. Tallenna se SVG- tai PDF-muodossa"));
    if (!made)
        return Outcome<QByteArray>::failure(
            QStringLiteral("%1-muotoon piirtäminen epäonnistui").arg(chartImageSuffix(format).toUpper()));
    return bytes;
}

// The printed page: the heading across the page's printable area and the chart planned
// anew for the rest of it, so that the chart fills the page with its texts and its curve
// as large as on the screen.
void paintPage(QPainter &painter, const QPageLayout &layout, int resolution, const ChartPlan &plan)
{
    const qreal scale = qreal(resolution) / screenDpi;
    const QSizeF area = QSizeF(layout.paintRectPixels(resolution).size()) / scale;
    const QStringList heading = chartHeading(plan);
    const int width = int(area.width());
    const int band = headingHeight(heading, width);
    const QSize chart(width, qMax(1, int(area.height()) - band));
    const ChartPlan filling = replanChart(plan, float(chart.width()), float(chart.height()));
    painter.scale(scale, scale);
    paintHeaded(painter, filling, heading, band, chart);
}

Done printToFile(const QPrinter &printer, const ChartPlan &plan)
{
    const QString path = printer.outputFileName();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(printer.pageLayout());
    pdf.setResolution(screenDpi);
    pdf.setTitle(chartHeading(plan).join(QStringLiteral(", ")));
    pdf.setCreator(QStringLiteral("Tankeli"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return Done::failure(QStringLiteral("Käyrää ei voitu tulostaa tiedostoon %1.").arg(shownPath(path)));
    paintPage(painter, pdf.pageLayout(), pdf.resolution(), plan);
    painter.end();
    // Never opened by the printer itself: a FIFO or a device there would hold the program
    // up for ever, and a full disk would leave a cut-off file without a word.
    const Done written = replaceChosenFile(QFile::encodeName(path), bytes);
    if (!written)
        return Done::failure(QStringLiteral("Käyrää ei voitu tulostaa tiedostoon %1: %2.").arg(shownPath(path), written.error()));
    return {};
}

} // namespace

void paintChart(QPainter &painter, const ChartPlan &plan, QSize size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setFont(canvasFont());
    // With more segments than pixels across, smoothing shows nothing and costs the most.
    painter.setRenderHint(QPainter::Antialiasing, plan.segments.size() <= size.width());
    painter.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QVector<QLineF> lines;
    lines.reserve(plan.segments.size());
    for (const ChartSegment &s : plan.segments)
        lines.append(QLineF(s.x1, s.y1, s.x2, s.y2));
    painter.drawLines(lines);
    painter.setPen(Qt::black);
    QVector<const ChartText *> texts{&plan.title, &plan.topLabel, &plan.middleLabel, &plan.bottomLabel};
    for (const ChartText &date : plan.dateLabels)
        texts << &date;
    for (const ChartText *text : texts) {
        // The plan gives each text's top-left corner.
        painter.drawText(QRectF(text->x, text->y, size.width(), size.height()), Qt::AlignLeft | Qt::AlignTop,
                         text->text);
    }
}

std::optional<ChartImageFormat> chartImageFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (std::size_t i = 0; i < imageTypes.size(); ++i)
        if (suffix == QLatin1String(imageTypes[i].suffix))
            return ChartImageFormat(i);
    return std::nullopt;
}

QStringList chartImageFilters()
{
    QStringList filters;
    for (const ImageType &type : imageTypes)
        filters << QString::fromUtf8(type.filter);
    return filters;
}

QStringList chartImageSuffixes()
{
    QStringList suffixes;
    for (const ImageType &type : imageTypes)
        suffixes << QString::fromLatin1(type.suffix);
    return suffixes;
}

QString chartImageSuffix(ChartImageFormat format)
{
    return QLatin1String(imageTypes[std::size_t(format)].suffix);
}

Done saveChartImage(const ChartPlan &plan, QSize size, const QString &path, ChartImageFormat format)
{
    const auto failed = [&path](const QString &why) {
        return Done::failure(QStringLiteral("Kuvaa %1 ei voitu tallentaa: %2.").arg(shownPath(path), why));
    };
    const Outcome<QByteArray> image = chartImageBytes(plan, size, format);
    if (!image)
        return failed(image.error());
    const Done written = replaceChosenFile(QFile::encodeName(path), *image);
    if (!written)
        return failed(written.error());
    return {};
}

Done printChart(QPrinter &printer, const ChartPlan &plan)
{
    if (!printer.outputFileName().isEmpty())
        return printToFile(printer, plan);
    QPainter painter;
    if (!painter.begin(&printer))
        return Done::failure(QStringLiteral("Käyrää ei voitu tulostaa: tulostinta %1 ei voitu käyttää.").arg(printer.printerName()));
    paintPage(painter, printer.pageLayout(), printer.resolution(), plan);
    return {};
}

} // namespace tankeli
