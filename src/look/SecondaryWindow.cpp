#include "SecondaryWindow.h"

#include "AppIcon.h"
#include "PictureButtons.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace tankeli {
namespace {

// Without this a plain widget window is a "filler" to a screen reader, not a window.
QAccessibleInterface *accessibleAsWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("tankeli::SecondaryWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// The designed size, or less where the screen's free area, less the main window's frame,
// is smaller: no window opens larger than the screen. Its minimum still rules.
QSize fittingClient(QSize designed, const QWidget *mainWindow)
{
    if (!mainWindow || !mainWindow->screen())
        return designed;
    const QWidget *main = mainWindow->window();
    const QSize frame = main->frameGeometry().size() - main->geometry().size();
    return designed.boundedTo(mainWindow->screen()->availableGeometry().size() - frame);
}

} // namespace

SecondaryWindow::SecondaryWindow(const ProgramFolders &folders, QWidget *mainWindow,
                                 const Shape &shape)
    // A dialog of the main window's: the desktop keeps it above the main window and gives
    // it no taskbar entry of its own (WM_TRANSIENT_FOR on X11, a parent on Wayland). The
    // title bar keeps the buttons of a window.
    : GradientBackground(mainWindow, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , m_folders(folders)
    , m_sizing(*this, fittingClient(shape.designedClient, mainWindow), shape.minimumOuterTwips, shape.contentMinimum)
{
    static const bool roleInstalled = (QAccessible::installFactory(accessibleAsWindow), true);
    Q_UNUSED(roleInstalled);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(programIcon());
    m_sizing.open();
}

void SecondaryWindow::showInFront()
{
    // The first time it opens over the middle of the main window, on its screen; later
    // where the user left it.
    if (!testAttribute(Qt::WA_Moved) && parentWidget()) {
        const QRect over = parentWidget()->window()->frameGeometry();
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(over.center());
        if (const QScreen *screen = parentWidget()->screen()) {
            const QRect room = screen->availableGeometry();
            placed.moveLeft(qBound(room.left(), placed.left(), qMax(room.left(), room.right() - placed.width())));
            placed.moveTop(qBound(room.top(), placed.top(), qMax(room.top(), room.bottom() - placed.height())));
        }
        move(placed.topLeft());
    }
    show();
    raise();
    activateWindow();
}

Done SecondaryWindow::loadPictures()
{
    if (!m_pictures.Btn1.isNull())
        return {};
    const Outcome<ButtonPictures> pictures = ButtonPictures::load(m_folders);
    if (!pictures)
        return Done::failure(pictures.error());
    m_pictures = *pictures;
    return {};
}

Done SecondaryWindow::makeButtons(const QStringList &captions, QSizeF faceSize, QSizeF captionSize)
{
    const Done loaded = loadPictures();
    if (!loaded)
        return loaded;
    m_buttons = new PictureButtons(this, m_pictures, captions, faceSize, captionSize);
    connect(this, &GradientBackground::backgroundMouseMoved, m_buttons,
            &PictureButtons::showAllNormal);
    layOut();
    return {};
}

void SecondaryWindow::hideToMainWindow()
{
    hide();
    emit left();
}

void SecondaryWindow::closeOnS(std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls) {
        m_closingOnS.insert(control);
        if (control != this)
            control->installEventFilter(this);
    }
}

void SecondaryWindow::keyPressEvent(QKeyEvent *event)
{
    const bool closes = event->key() == Qt::Key_Escape || (event->key() == Qt::Key_S && m_closingOnS.contains(this));
    if (!closes)
        return GradientBackground::keyPressEvent(event);
    closeCommand();
}

bool SecondaryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this && m_closingOnS.contains(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_S) {
            closeCommand();
            return true;
        }
    }
    return GradientBackground::eventFilter(watched, event);
}

void SecondaryWindow::resizeEvent(QResizeEvent *event)
{
    m_sizing.update();
    GradientBackground::resizeEvent(event);
    update();
    layOut();
}

void SecondaryWindow::showEvent(QShowEvent *event)
{
    m_sizing.update();
    GradientBackground::showEvent(event);
}

void SecondaryWindow::moveEvent(QMoveEvent *event)
{
    // The desktop frames a window after it is first shown; the frame is known then.
    m_sizing.update();
    GradientBackground::moveEvent(event);
}

void SecondaryWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

} // namespace tankeli
