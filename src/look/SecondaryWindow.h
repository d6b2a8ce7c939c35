#pragma once
// What the secondary windows share: they belong to the main window without blocking
// it, come forward when opened, hand the keyboard focus back to the main window, and
// are destroyed by their close box.

#include "GradientBackground.h"

#include <QStringList>

namespace tankeli {

struct ButtonPictures;
class PictureButtons;

class SecondaryWindow : public GradientBackground
{
    Q_OBJECT
public:
    explicit SecondaryWindow(QWidget *mainWindow);

    // Shows the window, not modal, in front of the others.
    void showInFront();

protected:
    void focusMainWindow();
    // What "Sulje" does in the help and statistics windows: hide, keeping the state,
    // and give the main window the focus.
    void hideToMainWindow();
    // A set of picture buttons with these captions; moving over the background puts
    // them back to normal.
    PictureButtons *addButtons(const ButtonPictures &pictures, const QStringList &captions);

private:
    QWidget *m_mainWindow;
};

} // namespace tankeli
