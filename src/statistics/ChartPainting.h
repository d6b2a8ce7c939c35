#pragma once
// One painting of a chart plan for every place it is shown: the canvas, the image files
// (PNG at twice the screen scale, SVG, PDF) and the printed page, so that all of them
// show the same curve, scale labels and title. The files and the page carry a heading
// above the chart (ChartHeading.h); the canvas shows the chart alone.

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
// Their extensions without the dot, in the same order: "png", "svg", "pdf".
QStringList chartImageSuffixes();
// The format's own extension, without the dot: "png".
QString chartImageSuffix(ChartImageFormat format);

// Writes the chart of a canvas this size, with the heading above it, as an image file
// through the program's writer: whole or not at all, an older file of the name kept on
// failure. The failure message names the file and the cause in Finnish.
Done saveChartImage(const ChartPlan &plan, QSize size, const QString &path, ChartImageFormat format);
// Prints the heading and the chart on one page, the chart planned anew to fill it. A print
// to a file (the print dialog's output file) is a PDF written through the program's
// writer, a regular file or nothing; the failure message names the cause in Finnish.
Done printChart(QPrinter &printer, const ChartPlan &plan);

} // namespace tankeli
