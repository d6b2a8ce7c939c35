#include "SecondaryWindow.h"

#include "PictureButtons.h"

namespace tankeli {

SecondaryWindow::SecondaryWindow(QWidget *mainWindow)
    : GradientBackground(mainWindow, Qt::Window)
    , m_mainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void SecondaryWindow::showInFront()
{
    show();
    raise();
    activateWindow();
}

void SecondaryWindow::focusMainWindow()
{
    m_mainWindow->activateWindow();
    m_mainWindow->setFocus();
}

void SecondaryWindow::hideToMainWindow()
{
    hide();
    focusMainWindow();
}

PictureButtons *SecondaryWindow::addButtons(const ButtonPictures &pictures,
                                            const QStringList &captions)
{
    auto *buttons = new PictureButtons(this, pictures, int(captions.size()));
    for (int i = 0; i < captions.size(); ++i)
        buttons->setCaption(i, captions[i]);
    connect(this, &GradientBackground::backgroundMouseMoved, buttons,
            &PictureButtons::showAllNormal);
    return buttons;
}

} // namespace tankeli
