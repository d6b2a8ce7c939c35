#include "WindowMemory.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tankeli {
namespace {

// Whether the desktop lets a program place its windows and tells it where they are.
bool desktopPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool inNormalState(const QWidget &window)
{
    return !(window.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace

WindowMemory::WindowMemory(WindowPlacesFile file, QObject *parent)
    : QObject(parent)
    , m_file(std::move(file))
    , m_places(m_file.read())
{
}

void WindowMemory::attach(QWidget &window, const QString &name)
{
    m_attached.removeIf([](const Attached &a) { return !a.window; });
    m_attached.append({&window, name, QPoint()});
    window.installEventFilter(this);
    const auto remembered = m_places.constFind(name);
    if (remembered != m_places.cend()) {
        const Placement placed = placeOnScreens(*remembered, window.minimumSize(), screenAreas());
        window.resize(placed.size);
        if (placed.position && desktopPlacesWindows())
            window.move(*placed.position);
        if (remembered->maximised)
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

void WindowMemory::note(const Attached &attached)
{
    const QWidget &window = *attached.window;
    WindowPlace place;
    place.maximised = window.isMaximized();
    if (inNormalState(window)) {
        place.size = window.size();
        place.position = window.pos();
    } else {
        const QRect inner = window.normalGeometry();
        place.size = inner.size();
        place.position = inner.topLeft() - attached.frameOffset;
    }
    if (!desktopPlacesWindows())
        place.position = m_places.value(attached.name).position;
    if (!place.size.isEmpty())
        m_places.insert(attached.name, place);
}

Done WindowMemory::save()
{
    for (const Attached &attached : std::as_const(m_attached))
        if (attached.window && attached.window->isVisible())
            note(attached);
    return m_file.write(m_places);
}

bool WindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    for (Attached &attached : m_attached) {
        if (attached.window != watched)
            continue;
        const QWidget &window = *attached.window;
        if (event->type() == QEvent::Hide && !event->spontaneous()) {
            note(attached);
        } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && window.isVisible()
                   && inNormalState(window)) {
            attached.frameOffset = window.geometry().topLeft() - window.pos();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tankeli
