#pragma once
// The statistics window: the chart canvas, five selectors that chart one quantity each
// over all saved trips, and a close button. Sulje, Escape and S hide it; the close box
// destroys it.

#include "ChartBuilder.h"
#include "app/ProgramFolders.h"
#include "look/SecondaryWindow.h"

#include <optional>

class QLabel;

namespace tankeli {

class ChartCanvas;
class PictureButtons;
class Tankeli;

class Stat : public SecondaryWindow
{
    Q_OBJECT
public:
    Stat(ProgramFolders folders, Tankeli *mainWindow);

    QString Form_Load();
    void Nappi_Komento(int index);
    // Draws the chart of selector `index` over the file window's list.
    void Piirra_Kayra(int index);

    ChartCanvas *Taulu() const { return m_canvas; }
    QLabel *txt_Otsikko() const { return m_title; }
    PictureButtons *Knapit() const { return m_selectors; }
    PictureButtons *buttons() const { return m_buttons; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Resize();
    void redrawForCanvasSize();

    ProgramFolders m_folders;
    Tankeli *m_main;
    ChartCanvas *m_canvas;
    QLabel *m_title;
    PictureButtons *m_selectors = nullptr;
    PictureButtons *m_buttons = nullptr;

    // The last run, kept to draw it again for a new canvas size without reading files.
    struct LastRun
    {
        ChartValues values;
        QStringList names;
        int selector;
    };
    std::optional<LastRun> m_lastRun;
};

} // namespace tankeli
