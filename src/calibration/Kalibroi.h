#pragma once
// The calibration window: the roadside display's and the speedometer's readings, the
// error margin computed from them on every change, and the on/off choice of using the
// margin in the calculation. It edits the calibration state that the main window owns;
// closing it (Sulje, Escape or the close box) commits the readings and the choice
// (announced by committed()), and it is then destroyed.

#include "look/SecondaryWindow.h"

#include <QPixmap>
#include <QPointer>
#include <array>

class QLabel;
class QLineEdit;
class QWindow;

namespace tankeli {

class CalibrationState;
class PictureButton;

class Kalibroi : public SecondaryWindow
{
    Q_OBJECT
public:
    Kalibroi(const ProgramFolders &folders, QWidget *mainWindow, CalibrationState &state);

    // The load sequence; the failure names a picture that could not be read.
    Done Form_Load();
    // The picture button: Sulje.
    enum class Command { Close };
    void Nappi_Komento(Command command);

signals:
    void committed();

protected:
    void layOut() override;
    void Form_Unload() override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape too commits the readings and the choice: on a desktop without a close key
    // there is no other way out by the keyboard.
    void closeCommand() override { close(); }

private:
    void readingChanged();
    // Shows the choice in force in the main window.
    void showCommittedChoice();
    void focusWindowChanged(QWindow *now);
    QLineEdit *field(int row) const { return m_fields[row]; }

    CalibrationState &m_state;
    QLabel *m_title;
    std::array<QLineEdit *, 3> m_fields{}; // txt_Taulu, txt_Mittari, txt_Virhe
    std::array<QLabel *, 3> m_captions{};
    std::array<QLabel *, 2> m_units{};
    QLabel *m_choiceCaption;
    PictureButton *m_option; // Opti; its check state is the choice, its picture shows it
    QPixmap m_off;           // Opti1
    QPixmap m_on;            // Opti2
    QPointer<QWindow> m_previousFocus;
    bool m_minimisedSinceActive = false;
};

} // namespace tankeli
