#pragma once
// What start-up does when a copy already runs: the second start asks the running copy
// to show its main window, and the running copy brings it to the front.

#include <QString>

class QWidget;

namespace tankeli {

// The second start's part: asks the copy at channel to show its window, and says that
// the program already runs when that copy cannot be reached (another user's copy, or
// one that does not answer).
void remindOfRunningCopy(const QString &channel);

// The running copy's part: shows the window, brought back from the task bar to the
// state it had (normal or maximised), raised and active.
void showInFront(QWidget &window);

} // namespace tankeli
