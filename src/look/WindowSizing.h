#pragma once
// Keeps a window's minimum size: its outer minimum in twips less the frame the desktop
// really draws around it (measured whenever the window is shown, moved or resized),
// and never less than what its own layout needs to show every control whole. The
// toolkit then keeps a window in its normal state from being made smaller; a
// minimised or maximised window is left alone. A window opens at its designed size,
// or at its minimum where that is larger.

#include <QSize>

class QWidget;

namespace tankeli {

class WindowSizing
{
public:
    // Sizes are client areas; extraHeight is what the window holds above its client
    // area (the main window's menu bar), added to both.
    WindowSizing(QWidget &window, QSize designedClient, QSize minimumOuterTwips,
                 QSize contentMinimum);

    // Sets the minimum for the frame known now. The first time the frame is known, a
    // window that still has its opening size is fitted to the new minimum.
    void update(int extraHeight = 0);
    // Gives the window its opening size.
    void open(int extraHeight = 0);

private:
    QSize minimumFor(int extraHeight) const;

    QWidget &m_window;
    QSize m_designed;
    QSize m_outerMinimum;
    QSize m_contentMinimum;
    QSize m_openingSize;
    bool m_frameKnown = false;
};

} // namespace tankeli
