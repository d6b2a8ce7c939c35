#include "WindowSizing.h"

#include "base/WindowGeometry.h"

#include <QMargins>
#include <QWidget>
#include <QWindow>

namespace tankeli {

WindowSizing::WindowSizing(QWidget &window, QSize designedClient, QSize minimumOuterTwips,
                           QSize contentMinimum)
    : m_window(window)
    , m_designed(designedClient)
    , m_outerMinimum(twipsToPixels(minimumOuterTwips))
    , m_contentMinimum(contentMinimum)
{
}

QSize WindowSizing::minimumFor(int extraHeight) const
{
    // Before the desktop has framed the window, no frame is known and none is assumed.
    const QWindow *handle = m_window.windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    const QSize inner(m_outerMinimum.width() - frame.left() - frame.right(),
                      m_outerMinimum.height() - frame.top() - frame.bottom());
    return inner.expandedTo(m_contentMinimum + QSize(0, extraHeight));
}

void WindowSizing::open(int extraHeight)
{
    m_window.setMinimumSize(minimumFor(extraHeight));
    m_openingSize = (m_designed + QSize(0, extraHeight)).expandedTo(m_window.minimumSize());
    m_window.resize(m_openingSize);
}

void WindowSizing::update(int extraHeight)
{
    const QSize minimum = minimumFor(extraHeight);
    if (m_window.minimumSize() != minimum)
        m_window.setMinimumSize(minimum);
    const QWindow *handle = m_window.windowHandle();
    if (m_frameKnown || !handle || handle->frameMargins().isNull())
        return;
    m_frameKnown = true;
    if (m_window.size() == m_openingSize) {
        m_openingSize = (m_designed + QSize(0, extraHeight)).expandedTo(minimum);
        m_window.resize(m_openingSize);
    }
}

} // namespace tankeli
