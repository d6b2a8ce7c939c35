#pragma once
// Where the user left each window when the program last closed, kept across starts in a
// small text file of the program's own (never in the settings file): one line a window,
// "name WxH+X+Y", the inner size and then the frame's top-left corner, with " maximized"
// after it for a maximised window. The corner's numbers carry their signs ("+-8+20" is
// 8 pixels left of the screen's edge) and are left out where the desktop does not tell
// where windows are. A line that does not read is passed over, and a file that cannot
// be read is as good as none: the windows then open as designed.

#include "Outcome.h"

#include <QList>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace tankeli {

struct WindowPlace
{
    QSize size;                     // inner size in the normal state
    std::optional<QPoint> position; // the frame's top-left corner in the normal state
    bool maximised = false;
    friend bool operator==(const WindowPlace &, const WindowPlace &) = default;
};

// By window name.
using WindowPlaces = QMap<QString, WindowPlace>;

QByteArray windowPlacesText(const WindowPlaces &places);
WindowPlaces readWindowPlaces(const QByteArray &text);

// Where a remembered window goes now. Its size is never below the window's minimum, nor,
// where it keeps its position, above the screen it lands on (unless the minimum is). It
// keeps its position on the screen it overlaps most, moved wholly onto that screen; on
// none of the screens there now (given by their available areas) its position is dropped,
// and the window is placed as when nothing is remembered.
struct Placement
{
    QSize size;
    std::optional<QPoint> position;
    friend bool operator==(const Placement &, const Placement &) = default;
};
Placement placeOnScreens(const WindowPlace &remembered, QSize minimum, const QList<QRect> &screens);

class WindowPlacesFile
{
public:
    // The file, and the program's own hidden folder for its temporary file.
    WindowPlacesFile(QString path, QString scratchFolder);

    // What the file holds; nothing for a file that is missing or cannot be read.
    WindowPlaces read() const;
    // Replaces the file whole, or leaves it as it was; the failure gives the cause.
    Done write(const WindowPlaces &places) const;

    static constexpr qsizetype maxBytes = 64 * 1024;

private:
    QString m_path;
    QString m_scratch;
};

} // namespace tankeli
