#include "ChartPainting.h"

#include "base/FailureText.h"
#include "look/Fonts.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <array>
#include <cerrno>

namespace tankeli {
namespace {
// The screen's logical resolution: the files' units are the canvas's pixels.
constexpr int screenDpi = 96;

// Each type's extension and the file dialog's choice, in the order of ChartImageFormat.
struct ImageType
{
    const char *suffix;
    const char *filter;
};
constexpr std::array<ImageType, 3> imageTypes{{{"png", "PNG-kuva (*.png)"}, {"svg", "SVG-kuva (*.svg)"},
                                               {"pdf", "PDF-tiedosto (*.pdf)"}}};
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
    for (const ChartText *text : {&plan.title, &plan.topLabel, &plan.middleLabel, &plan.bottomLabel}) {
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

QString chartImageSuffix(ChartImageFormat format)
{
    return QLatin1String(imageTypes[std::size_t(format)].suffix);
}

Done saveChartImage(const ChartPlan &plan, QSize size, const QString &path, ChartImageFormat format)
{
    // QSaveFile writes beside the target and renames, so a failed save leaves no half
    // image and keeps an older file of that name.
    QSaveFile file(path);
    const auto failed = [&](const QString &why) {
        file.cancelWriting();
        return Done::failure(QStringLiteral("Kuvaa %1 ei voitu tallentaa: %2.").arg(shownPath(path), why));
    };
    // errno names the cause in Finnish; Qt's own text would be in the system's language.
    if (!file.open(QIODevice::WriteOnly))
        return failed(systemErrorText(errno));
    bool painted = true;
    if (format == ChartImageFormat::Png) {
        QImage image(size * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        QPainter painter(&image);
        paintChart(painter, plan, size);
        painter.end();
        painted = image.save(&file, "PNG");
    } else if (format == ChartImageFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(screenDpi);
        svg.setTitle(plan.title.text);
        QPainter painter;
        painted = painter.begin(&svg);
        if (painted)
            paintChart(painter, plan, size);
    } else {
        QPdfWriter pdf(&file);
        pdf.setResolution(screenDpi);
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / screenDpi, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(plan.title.text);
        pdf.setCreator(QStringLiteral("Tankeli"));
        QPainter painter;
        painted = painter.begin(&pdf);
        if (painted)
            paintChart(painter, plan, size);
    }
    if (!painted || file.error() != QFileDevice::NoError || !file.commit())
        return failed(systemErrorText(errno));
    return {};
}

Done printChart(QPrinter &printer, const ChartPlan &plan, QSize size)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return Done::failure(QStringLiteral("Käyrää ei voitu tulostaa: tulostinta %1 ei voitu käyttää.").arg(printer.printerName()));
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize fitted = size.scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(QRect(QPoint(0, 0), fitted));
    painter.setWindow(QRect(QPoint(0, 0), size));
    paintChart(painter, plan, size);
    return {};
}

} // namespace tankeli
