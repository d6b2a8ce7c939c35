#include "ChartCanvas.h"

#include "ChartPainting.h"
#include "base/FailureText.h"
#include "base/GradientRamp.h"
#include "base/ProgramFolders.h"
#include "look/Fonts.h"
#include "look/Messages.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QToolTip>
#include <algorithm>

namespace tankeli {
namespace {
constexpr double pointReach = 5; // pixels around a point that show its tooltip
}

ChartCanvas::ChartCanvas(QWidget *parent)
    : QWidget(parent)
    , m_menu(new QMenu(this))
    , m_saveImage(m_menu->addAction(QStringLiteral("Tallenna kuvana…")))
    , m_print(m_menu->addAction(QStringLiteral("Tulosta…")))
{
    setFont(canvasFont());
    // Tab reaches it for its context menu; a click does not take the focus from a selector.
    setFocusPolicy(Qt::TabFocus);
    m_menu->setObjectName(QStringLiteral("Kuvavalikko"));
    m_saveImage->setObjectName(QStringLiteral("Tallenna_Kuvana"));
    m_print->setObjectName(QStringLiteral("Tulosta"));
    m_saveImage->setEnabled(false);
    m_print->setEnabled(false);
    connect(m_saveImage, &QAction::triggered, this, &ChartCanvas::saveAsImage);
    connect(m_print, &QAction::triggered, this, &ChartCanvas::print);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(chartNotDrawnName);
    setAccessibleDescription(chartNotDrawnDescription);
}

void ChartCanvas::showPlan(const ChartPlan &plan, const QString &unit)
{
    // The same chart drawn again for another canvas size tells nothing new.
    if (!m_hasChart || plan.selector != m_plan.selector || plan.series != m_plan.series
        || plan.names != m_plan.names) {
        setAccessibleName(chartSelector(plan.selector, plan.energy).caption);
        setAccessibleDescription(chartDescription(plan));
    }
    m_plan = plan;
    m_unit = unit;
    m_hasChart = true;
    m_saveImage->setEnabled(true);
    m_print->setEnabled(true);
    update();
}

void ChartCanvas::clearChart(const QString &description)
{
    m_plan = {};
    m_hasChart = false;
    m_saveImage->setEnabled(false);
    m_print->setEnabled(false);
    setAccessibleName(chartNotDrawnName);
    setAccessibleDescription(description);
    update();
}

void ChartCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_hasChart)
        paintChart(painter, m_plan, size());
    else
        painter.fillRect(rect(), Qt::white);
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor(ownTextColour.red, ownTextColour.green, ownTextColour.blue), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

QString ChartCanvas::pointText(QPointF pos) const
{
    if (!m_hasChart)
        return {};
    for (const ChartPoint &p : m_plan.points) {
        if (QLineF(pos, QPointF(p.x, p.y)).length() <= pointReach)
            return m_plan.names.value(p.record) + QStringLiteral(": ")
                + chartValueText(m_plan.series[p.record], m_plan.selector) + QLatin1Char(' ') + m_unit;
    }
    return {};
}

bool ChartCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = pointText(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void ChartCanvas::contextMenuEvent(QContextMenuEvent *event)
{
    // A menu asked for by the Menu key opens in the middle of the canvas.
    showMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mapToGlobal(rect().center()));
}

void ChartCanvas::keyPressEvent(QKeyEvent *event)
{
    // Shift+F10 is the other key that opens a context menu; Menu comes here where the
    // platform sends it as a key rather than as a context menu request.
    if ((event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) || event->key() == Qt::Key_Menu)
        showMenu(mapToGlobal(rect().center()));
    else
        QWidget::keyPressEvent(event);
}

void ChartCanvas::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void ChartCanvas::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void ChartCanvas::showMenu(QPoint globalPos)
{
    // Not exec(): the menu is a popup like any other, and the window goes on meanwhile.
    m_menu->popup(globalPos);
}

QString ChartCanvas::suggestedImageName() const
{
    const QString name = m_plan.days.isEmpty() ? chartSelector(m_plan.selector, m_plan.energy).caption.toLower()
                                               : QStringLiteral("tankkaukset");
    return ProgramFolders::documentsFolder() + QStringLiteral("/tankeli-") + name + QLatin1Char('.')
        + chartImageSuffix(ChartImageFormat::Png);
}

void ChartCanvas::saveAsImage()
{
    if (!m_hasChart)
        return;
    const QString title = QStringLiteral("Tallenna kuvana");
    const QStringList filters = chartImageFilters();
    const Messages::FileChoice chosen = Messages::current().chooseFile(
        window(), Messages::FileUse::Save, title, suggestedImageName(), filters, chartImageSuffixes());
    if (chosen.path.isEmpty())
        return;
    // The name's own extension decides; a name without one takes the chosen type's.
    QString path = chosen.path;
    std::optional<ChartImageFormat> format = chartImageFormat(path);
    if (!format) {
        format = ChartImageFormat(std::clamp(chosen.filter, 0, int(filters.size()) - 1));
        path += QLatin1Char('.') + chartImageSuffix(*format);
        // The dialog asked about the name it handed back, if at all; this one is another.
        if (QFileInfo::exists(path)
            && Messages::current().ask(window(),
                                       QStringLiteral("Tiedosto %1 on jo olemassa. Korvataanko se?")
                                           .arg(elideMiddle(QFileInfo(path).fileName())),
                                       title) != Answer::Yes)
            return;
    }
    const Done saved = saveChartImage(m_plan, size(), path, *format);
    if (!saved)
        Messages::current().inform(window(), saved.error(), programTitle(), Messages::Icon::Critical);
}

void ChartCanvas::print()
{
    if (!m_hasChart)
        return;
    QPrinter printer(QPrinter::HighResolution);
    // The print dialog offers the document's name as the name of a file printed to.
    printer.setDocName(QFileInfo(suggestedImageName()).completeBaseName());
    // The page turns the way the chart is wider; the dialog can still turn it back.
    printer.setPageOrientation(width() > height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!Messages::current().choosePrinter(window(), printer))
        return;
    const Done printed = printChart(printer, m_plan);
    if (!printed)
        Messages::current().inform(window(), printed.error(), programTitle(), Messages::Icon::Critical);
}

} // namespace tankeli
