#pragma once
// The help window: the instructions in one scrollable text and a "Sulje" button.
// Sulje, S and Escape hide it and keep its scroll position; the close box destroys it.

#include "look/SecondaryWindow.h"

class QPlainTextEdit;

namespace tankeli {

class Help : public SecondaryWindow
{
    Q_OBJECT
public:
    Help(const ProgramFolders &folders, QWidget *mainWindow);

    // Builds the text and loads the button pictures; the failure names a picture.
    Done Form_Load();
    // The picture button: Sulje.
    enum class Command { Close };
    void Nappi_Komento(Command command);

protected:
    void layOut() override;

private:
    QPlainTextEdit *m_text;
};

} // namespace tankeli
