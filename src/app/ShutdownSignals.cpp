#include "ShutdownSignals.h"

#include "base/FailureText.h"

#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tankeli {
namespace {

constexpr std::array<int, 3> handled{SIGTERM, SIGHUP, SIGINT};
std::array<struct sigaction, handled.size()> previous{};
std::atomic<int> writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may use only lock-free atomics");

extern "C" void onShutdownSignal(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd.load(), &number, 1);
    errno = savedErrno;
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject *parent)
    : QObject(parent)
{
}

ShutdownSignals::~ShutdownSignals()
{
    if (!m_installed)
        return;
    for (std::size_t i = 0; i < handled.size(); ++i)
        ::sigaction(handled[i], &previous[i], nullptr);
    ::close(writeEnd.exchange(-1));
    ::close(m_readEnd);
}

Done ShutdownSignals::install()
{
    Q_ASSERT(!m_installed && writeEnd.load() < 0);
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return Done::failure(QStringLiteral("Ohjelma ei käynnisty, koska se ei voi varautua "
                                            "uloskirjautumiseen ja sammutukseen: %1.")
                                 .arg(systemErrorText(errno)));
    m_readEnd = ends[0];
    writeEnd.store(ends[1]);
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::readPipe);

    struct sigaction action{};
    action.sa_handler = onShutdownSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handled.size(); ++i)
        ::sigaction(handled[i], &action, &previous[i]);
    m_installed = true;
    return {};
}

void ShutdownSignals::readPipe()
{
    std::array<unsigned char, 64> numbers{};
    ssize_t count = 0;
    int first = 0;
    while ((count = ::read(m_readEnd, numbers.data(), numbers.size())) > 0 || (count < 0 && errno == EINTR)) {
        if (count > 0 && first == 0)
            first = numbers[0];
    }
    if (first != 0)
        emit requested(first);
}

} // namespace tankeli
