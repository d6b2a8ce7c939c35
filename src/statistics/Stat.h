#pragma once
// The statistics window: the chart canvas, five selectors that chart one quantity each
// over all saved trips, and a close button. Sulje, Escape and S hide it; the close box
// destroys it. Tab walks the selectors, the chart (for its context menu) and Sulje. The
// selector of the chart drawn is on.

#include "ChartBuilder.h"
#include "look/SecondaryWindow.h"

#include <functional>
#include <optional>

class QLabel;

namespace tankeli {

class ChartCanvas;
class PictureButtons;

class Stat : public SecondaryWindow
{
    Q_OBJECT
public:
    // records gives the list the chart walks, creating it when needed; nullptr when
    // it cannot be made.
    Stat(const ProgramFolders &folders, QWidget *mainWindow, std::function<RecordList *()> records);

    Done Form_Load();
    void Nappi_Komento(int index);
    // Draws the chart of selector `index` over the record list.
    void Piirra_Kayra(int index);

protected:
    void layOut() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void redrawForCanvasSize();

    std::function<RecordList *()> m_records;
    ChartCanvas *m_canvas;
    QLabel *m_title;
    PictureButtons *m_selectors = nullptr;

    // The last chart, planned again for a new canvas size without reading files.
    std::optional<ChartPlan> m_lastPlan;
};

} // namespace tankeli
