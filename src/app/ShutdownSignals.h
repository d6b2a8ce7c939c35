#pragma once
// Logout, shutdown, kill and Ctrl+C (SIGHUP, SIGTERM, SIGINT) turned into a Qt signal,
// so that the program ends through its normal close path instead of at once. The
// handler only writes the signal's number into a pipe, which a handler may safely do;
// the event loop reads the pipe.

#include "base/Outcome.h"

#include <QObject>

class QSocketNotifier;

namespace tankeli {

class ShutdownSignals : public QObject
{
    Q_OBJECT
public:
    explicit ShutdownSignals(QObject *parent = nullptr);
    // Puts the previous handlers back.
    ~ShutdownSignals() override;

    // Installs the handlers; the failure says why they could not be. Only one object may
    // have them installed at a time.
    Done install();

signals:
    // One of the signals arrived; it is reported once however many arrive together.
    void requested(int signal);

private:
    void readPipe();

    int m_readEnd = -1;
    QSocketNotifier *m_notifier = nullptr;
    bool m_installed = false;
};

} // namespace tankeli
