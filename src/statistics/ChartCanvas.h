#pragma once
// The chart canvas (Taulu): white, with the last chart drawn on it. The chart stays
// when the window is covered, hidden or shown again; resting the pointer on a point of
// the curve names its record and value. A screen reader reads the chosen quantity as its
// name and the chart's values as its description. It takes no keyboard focus.

#include "ChartBuilder.h"

#include <QWidget>

namespace tankeli {

class ChartCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit ChartCanvas(QWidget *parent = nullptr);

    // Shows a plan; its points' tooltips name the record and the value in this unit.
    void showPlan(const ChartPlan &plan, const QString &unit);
    const ChartPlan &plan() const { return m_plan; }
    bool hasChart() const { return m_hasChart; }
    // The tooltip text for a point near pos, or empty.
    QString pointText(QPointF pos) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    ChartPlan m_plan;
    QString m_unit;
    bool m_hasChart = false;
};

} // namespace tankeli
