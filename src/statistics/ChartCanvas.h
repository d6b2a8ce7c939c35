#pragma once
// The chart canvas (Taulu): white, with the last chart drawn on it. The chart stays
// when the window is covered, hidden or shown again; resting the pointer on a point of
// the curve names its record and value. A screen reader reads the chosen quantity as its
// name and the chart's values as its description. Tab reaches it after the selectors;
// its context menu (right click, the Menu key or Shift+F10) saves the chart as an image
// or prints it, once a chart is drawn.

#include "ChartBuilder.h"

#include <QWidget>

class QAction;
class QMenu;

namespace tankeli {

class ChartCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit ChartCanvas(QWidget *parent = nullptr);

    // Shows a plan; its points' tooltips name the record and the value in this unit.
    void showPlan(const ChartPlan &plan, const QString &unit);
    // No chart: white, and the description says why.
    void clearChart(const QString &description);
    const ChartPlan &plan() const { return m_plan; }
    bool hasChart() const { return m_hasChart; }
    // The tooltip text for a point near pos, or empty.
    QString pointText(QPointF pos) const;

    // "Tallenna kuvana…": asks for a file, then writes the chart there as PNG, SVG or PDF.
    void saveAsImage();
    // "Tulosta…": the print dialog, then the chart on one page.
    void print();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showMenu(QPoint globalPos);
    QString suggestedImageName() const;

    QMenu *m_menu;
    QAction *m_saveImage;
    QAction *m_print;
    ChartPlan m_plan;
    QString m_unit;
    bool m_hasChart = false;
};

} // namespace tankeli
