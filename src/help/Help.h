#pragma once
// The help window: the instructions in one scrollable text and a "Sulje" button.
// Sulje, S and Escape hide it and keep its scroll position; the close box destroys it.

#include "app/ProgramFolders.h"
#include "look/SecondaryWindow.h"

class QPlainTextEdit;

namespace tankeli {

class PictureButtons;

class Help : public SecondaryWindow
{
    Q_OBJECT
public:
    // mainWindow gets the keyboard focus back when the window is left.
    Help(ProgramFolders folders, QWidget *mainWindow);

    // Builds the text and loads the button pictures; returns a message on failure.
    QString Form_Load();
    void Nappi_Komento(int index);

    QPlainTextEdit *Ohje() const { return m_text; }
    PictureButtons *buttons() const { return m_buttons; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Resize();

    ProgramFolders m_folders;
    QPlainTextEdit *m_text;
    PictureButtons *m_buttons = nullptr;
};

} // namespace tankeli
