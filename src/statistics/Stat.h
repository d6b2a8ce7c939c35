#pragma once
// The statistics window: the chart canvas, five selectors that chart one quantity each
// over all saved trips, and a close button. Sulje, Escape and S hide it; the close box
// destroys it. Tab walks the selectors, the chart (for its context menu), the chart's
// values as a table (once a chart is drawn) and Sulje. The selector of the chart drawn
// is on. The table lies in the chart's own place, under it, and comes over it while it
// has the focus, so that it moves nothing and takes no room of its own.

#include "ChartBuilder.h"
#include "look/SecondaryWindow.h"

#include <optional>

class QLabel;
class QTableView;

namespace tankeli {

class ChartCanvas;
class ChartTable;
class PictureButtons;

class Stat : public SecondaryWindow
{
    Q_OBJECT
public:
    // energy: of the vehicle whose trips are charted, which words the selectors and units.
    Stat(const ProgramFolders &folders, QWidget *mainWindow, Energy energy = Energy::Petrol);

    Done Form_Load();
    // The picture button: Sulje.
    enum class Command { Close };
    void Nappi_Komento(Command command);
    // Draws the chart of selector `index` over the saved trips, read anew.
    void Piirra_Kayra(int index);

signals:
    // A chart was drawn; its last trip is the one the file window selects, as if the
    // chart had selected each trip in turn.
    void chartWalked(const tankeli::RecordEntry &last);

protected:
    void layOut() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void redrawForCanvasSize();

    Energy m_energy;
    ChartCanvas *m_canvas;
    ChartTable *m_values;
    QTableView *m_table;
    QLabel *m_title;
    PictureButtons *m_selectors = nullptr;

    // The last chart, planned again for a new canvas size without reading files.
    std::optional<ChartPlan> m_lastPlan;
};

} // namespace tankeli
