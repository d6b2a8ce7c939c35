#include "RunningCopy.h"

#include "ShowRequests.h"
#include "look/Messages.h"

#include <QWidget>

namespace tankeli {

void remindOfRunningCopy(const QString &channel)
{
    if (askToShow(channel))
        return;
    Messages::current().inform(nullptr,
                               QStringLiteral("Tankeli on jo käynnissä. Käynnissä oleva ohjelma ei "
                                              "vastannut, kun sitä pyydettiin näyttämään ikkunansa; "
                                              "sen voi olla käynnistänyt toinen käyttäjä."),
                               programTitle(), Messages::Icon::Information);
}

void showInFront(QWidget &window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace tankeli
