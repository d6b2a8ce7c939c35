#pragma once
// What every secondary window shares: it belongs to the main window without blocking
// it and comes forward when opened; it has the gradient background, picture buttons
// with their pictures loaded, the common resize order (minimum size, background,
// refresh, layout) and minimum size; it is a window to a screen reader; and it
// announces when the user leaves it for the main window.

#include "GradientBackground.h"
#include "PictureButtons.h"
#include "WindowSizing.h"
#include "base/Outcome.h"
#include "base/ProgramFolders.h"

#include <QSet>
#include <QSet>
#include <QStringList>
#include <initializer_list>
#include <initializer_list>

namespace tankeli {

class SecondaryWindow : public GradientBackground
{
    Q_OBJECT
public:
    struct Shape
    {
        QSize designedClient;
        QSize minimumOuterTwips;
        QSize contentMinimum;
    };
    SecondaryWindow(const ProgramFolders &folders, QWidget *mainWindow, const Shape &shape);

    // Shows the window, not modal, in front of the others; the first time over the
    // middle of the main window.
    void showInFront();

signals:
    // The user left the window for the main window, which takes the keyboard focus.
    void left();

protected:
    const ProgramFolders &folders() const { return m_folders; }
    PictureButtons *buttons() const { return m_buttons; }
    // The button pictures, loaded by loadPictures or makeButtons.
    const ButtonPictures &pictures() const { return m_pictures; }
    // Loads Btn1 and Btn2 unless they are loaded; the failure names the picture that
    // could not be read. Buttons made before makeButtons come before its own in Tab order.
    Done loadPictures();
    // Loads the pictures and makes the picture buttons with these captions.
    Done makeButtons(const QStringList &captions, QSizeF faceSize = pictureButtonSize,
                     QSizeF captionSize = pictureCaptionSize);
    // Hides the window, keeping its state, and hands the focus back to the main window.
    void hideToMainWindow();
    // The window's Sulje, run by Escape anywhere in it too: by default hideToMainWindow().
    virtual void closeCommand() { hideToMainWindow(); }
    // S runs closeCommand() too where one of these has the focus (the window itself:
    // where no control takes the letter), before a list or a text takes it for a search.
    void closeOnS(std::initializer_list<QWidget *> controls);
    // The window's own placement of its controls for its current client size.
    virtual void layOut() = 0;
    // The close box destroys the window after this; by default the main window gets
    // the focus back.
    virtual void Form_Unload() { emit left(); }

    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ProgramFolders m_folders;
    WindowSizing m_sizing;
    ButtonPictures m_pictures;
    PictureButtons *m_buttons = nullptr;
    QSet<const QObject *> m_closingOnS;
};

} // namespace tankeli
