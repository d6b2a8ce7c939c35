#include "ChartCanvas.h"

#include "calculator/NumberText.h"
#include "look/Fonts.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace tankeli {
namespace {
constexpr double pointReach = 5; // pixels around a point that show its tooltip
}

ChartCanvas::ChartCanvas(QWidget *parent)
    : QWidget(parent)
{
    setFont(canvasFont());
    // Nothing on it answers a key: the keyboard goes from selector to selector instead.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(chartNotDrawnName);
    setAccessibleDescription(chartNotDrawnDescription);
}

void ChartCanvas::showPlan(const ChartPlan &plan, const QString &unit)
{
    // The same chart drawn again for another canvas size tells nothing new.
    if (!m_hasChart || plan.selector != m_plan.selector || plan.series != m_plan.series
        || plan.names != m_plan.names) {
        setAccessibleName(chartSelector(plan.selector).caption);
        setAccessibleDescription(chartDescription(plan));
    }
    m_plan = plan;
    m_unit = unit;
    m_hasChart = true;
    update();
}

void ChartCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_hasChart)
        return;
    // With more segments than pixels across, smoothing shows nothing and costs the most.
    painter.setRenderHint(QPainter::Antialiasing, m_plan.segments.size() <= width());
    painter.setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QVector<QLineF> lines;
    lines.reserve(m_plan.segments.size());
    for (const ChartSegment &s : m_plan.segments)
        lines.append(QLineF(s.x1, s.y1, s.x2, s.y2));
    painter.drawLines(lines);
    painter.setPen(Qt::black);
    for (const ChartText *text : {&m_plan.title, &m_plan.topLabel, &m_plan.middleLabel,
                                  &m_plan.bottomLabel}) {
        // The plan gives each text's top-left corner.
        painter.drawText(QRectF(text->x, text->y, width(), height()), Qt::AlignLeft | Qt::AlignTop,
                         text->text);
    }
}

QString ChartCanvas::pointText(QPointF pos) const
{
    if (!m_hasChart)
        return {};
    for (const ChartPoint &p : m_plan.points) {
        if (QLineF(pos, QPointF(p.x, p.y)).length() <= pointReach)
            return m_plan.names.value(p.record) + QStringLiteral(": ")
                + singleToText(m_plan.series[p.record]) + QLatin1Char(' ') + m_unit;
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

} // namespace tankeli
