#pragma once
// One painting of a chart plan for every place it is shown: the canvas, the image files
// (PNG at twice the screen scale, SVG, PDF) and the printed page, so that all of them
// show the same curve, scale labels and title.

#include "ChartBuilder.h"
#include "base/Outcome.h"

#include <QSize>
#include <QString>
#include <optional>

class QPainter;
class QPrinter;

namespace tankeli {

// Paints the plan laid out for a canvas of this size, in its pixels: white ground, the
// red curve, the black texts.
void paintChart(QPainter &painter, const ChartPlan &plan, QSize size);

enum class ChartImageFormat { Png, Svg, Pdf };
// The format a file name asks for by its extension (letter case ignored), or nullopt.
std::optional<ChartImageFormat> chartImageFormat(const QString &path);
// The file dialog's choices, in the order of ChartImageFormat.
QStringList chartImageFilters();
// The format's own extension, without the dot: "png".
QString chartImageSuffix(ChartImageFormat format);

// Writes the chart as an image file, whole or not at all; the failure message names the
// file and the cause in Finnish.
Done saveChartImage(const ChartPlan &plan, QSize size, const QString &path, ChartImageFormat format);
// Prints the chart on one page, as large as the page takes it with its shape kept.
Done printChart(QPrinter &printer, const ChartPlan &plan, QSize size);

} // namespace tankeli
