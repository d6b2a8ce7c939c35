#pragma once
// The channel by which a second start asks the running copy to show its main window: a
// local socket in the user's own runtime folder that only the same user may connect to,
// named after the data folder, so two program folders never share one. The running copy
// acts on its one fixed request and answers it; whatever else is sent is dropped after
// a few bytes, and a connection that stays silent is dropped. It never waits on a
// connection, so a stranger cannot stall the windows.

#include "base/Outcome.h"
#include "base/ProgramFolders.h"

#include <QObject>
#include <chrono>

class QLocalServer;
class QLocalSocket;

namespace tankeli {

// Where the channel of this data folder lies; empty when the user has no runtime folder.
QString channelName(const ProgramFolders &folders);

// The running copy's end.
class ShowRequests : public QObject
{
    Q_OBJECT
public:
    explicit ShowRequests(QObject *parent = nullptr);

    // Starts listening at name; the failure says why it cannot. Only the copy that holds
    // the data folder's lock listens, so a socket found at name was left by an earlier copy.
    Done listen(const QString &name);

signals:
    // A second start asked for the main window; the answer goes out after this returns.
    void showRequested();

private:
    void accept();
    void read(QLocalSocket *socket);

    QLocalServer *m_server;
};

// A second start's end: asks the copy listening at name to show its main window. True
// once it answered; false when nobody answered within the time given.
bool askToShow(const QString &name, std::chrono::milliseconds patience = std::chrono::seconds(2));

} // namespace tankeli
