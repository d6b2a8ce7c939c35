#pragma once
// Remembers where the user left each window, across starts: a window attached here is put
// back where it was left (onto a screen that is there now), and where it is is noted each
// time it is hidden or closed, and for every window still shown when the file is saved.
// Where the desktop does not let a program place its windows (Wayland), only the sizes
// and the maximised state come back, and positions remembered before are kept.

#include "base/WindowPlaces.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace tankeli {

class WindowMemory : public QObject
{
    Q_OBJECT
public:
    // Reads the file; one that cannot be read is as good as none.
    explicit WindowMemory(WindowPlacesFile file, QObject *parent = nullptr);

    // Gives the window, not yet shown, the place remembered under its name, and keeps
    // track of it from now on. Nothing remembered: the window is left as it is.
    void attach(QWidget &window, const QString &name);
    // Notes where every attached window is, then writes the file whole; the failure gives
    // the cause.
    Done save();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Attached
    {
        QPointer<QWidget> window;
        QString name;
        // How far the inner area lies from the frame's corner, last seen in the normal
        // state; none for a window not yet seen so, whose normal place is where it was put.
        QPoint frameOffset;
    };
    void note(const Attached &attached);

    WindowPlacesFile m_file;
    WindowPlaces m_places;
    QList<Attached> m_attached;
};

} // namespace tankeli
