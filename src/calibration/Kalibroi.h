#pragma once
// The calibration window: the roadside display's and the speedometer's readings, the
// error margin computed from them on every change, and the on/off choice of using the
// margin in the calculation. Closing it commits the readings and the choice to the
// main window; it is then destroyed.

#include "app/ProgramFolders.h"
#include "look/SecondaryWindow.h"

#include <QPixmap>
#include <array>

class QLabel;
class QLineEdit;

namespace tankeli {

class PictureButton;
class PictureButtons;
class Tankeli;

class Kalibroi : public SecondaryWindow
{
    Q_OBJECT
public:
    Kalibroi(ProgramFolders folders, Tankeli *mainWindow);

    // The load sequence; returns a message naming a picture that could not be read.
    QString Form_Load();
    void Nappi_Komento(int index);
    // Shows the on (true) or off picture in Opti.
    void showChoice(bool on);
    bool choiceIsOn() const;

    QLineEdit *txt_Taulu() const { return m_fields[0]; }
    QLineEdit *txt_Mittari() const { return m_fields[1]; }
    QLineEdit *txt_Virhe() const { return m_fields[2]; }
    QLabel *txt_Otsikko() const { return m_title; }
    QLabel *txt_Vasen(int i) const { return m_captions[i]; }
    QLabel *txt_Oikea(int i) const { return m_units[i]; }
    QLabel *txt_Kalibrointia() const { return m_choiceCaption; }
    PictureButton *Opti() const { return m_option; }
    PictureButtons *buttons() const { return m_buttons; }

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Resize();
    void readingChanged();
    void toggleChoice();
    void Form_Unload();

    ProgramFolders m_folders;
    Tankeli *m_main;
    QLabel *m_title;
    std::array<QLineEdit *, 3> m_fields{};
    std::array<QLabel *, 3> m_captions{};
    std::array<QLabel *, 2> m_units{};
    QLabel *m_choiceCaption;
    PictureButton *m_option;
    QPixmap m_off, m_on; // Opti1 and Opti2
    PictureButtons *m_buttons = nullptr;
};

} // namespace tankeli
