#pragma once
// Runs a step that must never wait on a file (a FIFO, a device, a huge file) on a thread
// of its own, and waits for it no longer than a limit far beyond any loaded machine's
// delay: a step that hangs fails the test instead of stalling it, and one that is only
// slow never does.

#include <QByteArray>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <optional>
#include <unistd.h>

inline constexpr std::chrono::seconds neverHangsLimit{60};

// The step's result, or nothing when it was still running at the limit. A step still
// waiting on the FIFO at fifoPath (empty for none) is then let go: the FIFO's other end
// is opened and closed, so that its open or read returns.
template <typename Step>
auto finishedWithin(Step step, const QByteArray &fifoPath = {}) -> std::optional<decltype(step())>
{
    std::future<decltype(step())> running = std::async(std::launch::async, step);
    if (running.wait_for(neverHangsLimit) == std::future_status::ready)
        return running.get();
    if (!fifoPath.isEmpty())
        if (const int end = ::open(fifoPath.constData(), O_WRONLY | O_NONBLOCK); end >= 0)
            ::close(end);
    running.wait();
    return std::nullopt;
}
