// One click on a chart selector in the real statistics window, with the accessibility
// bridge on as on any desktop that offers a screen reader: the main window is loaded
// over a throw-away program folder of 10,000 records, the statistics window is opened
// through its menu command, and a selector is clicked as the window system delivers a
// click. Each click is timed until its handler returns and set against the bare
// system-call floor of the same records, measured in turn in this process; the
// resident memory is read before and after ten clicks. tools/bench-window runs this in
// a desktop session of its own. Usage: bench_window [records] [clicks]
#include "look/Fonts.h"
#include "mainwindow/Tankeli.h"
#include "statistics/ChartCanvas.h"
#include "statistics/Stat.h"
#include "RecordingMessages.h"
#include "SystemCallFloor.h"
#include "TestFolders.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <malloc.h>
#include <QStyleFactory>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace tankeli;

namespace {

using Clock = std::chrono::steady_clock;

// Why the run cannot give a number; main tells it, after the throw-away folder is gone.
struct GaveUp
{
    QString why;
};

[[noreturn]] void giveUp(const QString &why)
{
    throw GaveUp{why};
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Memory in use: freed memory that the allocator still keeps is handed back first, so
// that only what the program holds is counted.
// Memory the program holds on its heap (the allocator's own count).
long heapKilobytes()
{
    const struct mallinfo2 info = ::mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

long residentKilobytes()
{
    ::malloc_trim(0);
    long pages = 0;
    long resident = 0;
    if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Lets queued work (painting, the bridge's messages, deferred deletes) run out.
void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

// The records, written directly as in the core benchmark; the same lines in turn.
void writeRecords(const TestFolders &dirs, int count)
{
    for (int i = 0; i < count; ++i) {
        QFile file(dirs.stat(QStringLiteral("%1.sav").arg(i, 6, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly)
            || file.write("1,3\r\n" + QByteArray::number(5 + i % 4) + ",5\r\n120\r\n11,7\r\n9\r\n") < 0)
            giveUp(QStringLiteral("could not write the record %1: %2").arg(file.fileName(), file.errorString()));
    }
}

// How many applications the AT-SPI registry lists, and whether this process is one of
// them; asked on a connection of its own to the accessibility bus.
struct Registration
{
    int applications = -1;
    bool thisProcess = false;
    QString problem;
};

Registration askRegistry()
{
    Registration seen;
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                      QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    const QDBusMessage address = QDBusConnection::sessionBus().call(ask, QDBus::Block, 5000);
    if (address.type() != QDBusMessage::ReplyMessage || address.arguments().isEmpty()) {
        seen.problem = QStringLiteral("no accessibility bus on the session bus (%1)").arg(address.errorMessage());
        return seen;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(address.arguments().first().toString(),
                                                        QStringLiteral("bench-window-registry"));
    if (!bus.isConnected()) {
        seen.problem = QStringLiteral("the accessibility bus cannot be reached (%1)").arg(bus.lastError().message());
        return seen;
    }
    ask = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.atspi.Registry"),
                                         QStringLiteral("/org/a11y/atspi/accessible/root"),
                                         QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetChildren"));
    const QDBusMessage children = bus.call(ask, QDBus::Block, 5000);
    if (children.type() != QDBusMessage::ReplyMessage || children.arguments().isEmpty()) {
        seen.problem = QStringLiteral("the AT-SPI registry does not answer (%1)").arg(children.errorMessage());
        return seen;
    }
    QStringList owners;
    const QDBusArgument list = children.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString owner;
        QDBusObjectPath path;
        list.beginStructure();
        list >> owner >> path;
        list.endStructure();
        owners << owner;
    }
    list.endArray();
    seen.applications = int(owners.size());
    for (const QString &owner : owners) {
        ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                             QStringLiteral("org.freedesktop.DBus"),
                                             QStringLiteral("GetConnectionUnixProcessID"));
        ask << owner;
        const QDBusMessage pid = bus.call(ask, QDBus::Block, 5000);
        if (pid.type() == QDBusMessage::ReplyMessage && !pid.arguments().isEmpty()
            && pid.arguments().first().toUInt() == uint(::getpid()))
            seen.thisProcess = true;
    }
    return seen;
}

// Waits until the bridge is on and the registry lists this program, or gives up.
void requireBridge()
{
    Registration seen;
    QElapsedTimer waited;
    waited.start();
    do {
        settle();
        seen = askRegistry();
        if (QAccessible::isActive() && seen.thisProcess) {
            std::printf("accessibility bridge on: the program is among the %d applications on the AT-SPI bus\n",
                        seen.applications);
            return;
        }
    } while (waited.elapsed() < 10000);
    if (!QAccessible::isActive())
        giveUp(QStringLiteral("the accessibility bridge is off (run in tools/bench-window's desktop session, "
                              "with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)"));
    giveUp(seen.problem.isEmpty() ? QStringLiteral("the program is not registered on the AT-SPI bus (%1 other "
                                                   "applications are)").arg(seen.applications)
                                  : seen.problem);
}

// The statistics window, a window of its own whose parent is the main window.
Stat *statisticsWindow()
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *stat = qobject_cast<Stat *>(top); stat && stat->isVisible())
            return stat;
    return nullptr;
}

void run(int count, int clicks)
{
    RecordingMessages messages; // a fault is recorded and told, never waited on
    const TestFolders dirs;
    writeRecords(dirs, count);
    const std::string recordFolder = QFile::encodeName(dirs.path(QStringLiteral("stat"))).toStdString();

    Tankeli main(dirs.folders());
    const Done loaded = main.Form_Load();
    if (!loaded)
        giveUp(QStringLiteral("the main window did not load: ") + loaded.error());
    main.show();
    if (!QTest::qWaitForWindowExposed(&main, 10000))
        giveUp(QStringLiteral("the main window did not come on screen"));
    requireBridge();

    auto *menuStat = main.findChild<QAction *>(QStringLiteral("Menu_Stat"));
    if (!menuStat)
        giveUp(QStringLiteral("the main window has no Menu_Stat command"));
    menuStat->trigger();
    Stat *statWindow = statisticsWindow();
    if (!statWindow || !QTest::qWaitForWindowExposed(statWindow, 10000))
        giveUp(QStringLiteral("the statistics window did not come on screen"));
    auto *selector = statWindow->findChild<QWidget *>(QStringLiteral("Knapi(1)"));
    auto *canvas = statWindow->findChild<ChartCanvas *>(QStringLiteral("Taulu"));
    if (!selector || !canvas)
        giveUp(QStringLiteral("the statistics window has no selector Knapi(1) or no chart canvas"));
    statWindow->activateWindow(); // a click activates its window, as a desktop does
    (void)QTest::qWaitForWindowActive(statWindow, 2000);
    settle();

    const QPoint there = selector->mapTo(statWindow, selector->rect().center());
    const auto click = [&] {
        const auto start = Clock::now();
        QTest::mouseClick(statWindow->windowHandle(), Qt::LeftButton, {}, there);
        const double ms = millisecondsSince(start);
        if (!messages.shown.isEmpty())
            giveUp(QStringLiteral("the click showed a message: ") + messages.shown.join(QStringLiteral(" | ")));
        settle();
        return ms;
    };

    // The first click also makes the file window's list; the clicks timed come after.
    const double first = click();
    if (!canvas->hasChart() || canvas->plan().names.size() != count)
        giveUp(QStringLiteral("the click drew no chart of %1 records").arg(count));
    // A second click fills what stays cached for good (the selection the walk left, the
    // texts drawn); the growth counted is what the clicks after it add.
    click();
    const long heapBefore = heapKilobytes();
    const long before = residentKilobytes();
    std::vector<double> clickTimes;
    std::vector<double> floorTimes;
    for (int i = 0; i < clicks; ++i) {
        const auto start = Clock::now();
        if (systemCallFloor(recordFolder) == 0)
            giveUp(QStringLiteral("the floor read nothing from %1").arg(QString::fromStdString(recordFolder)));
        floorTimes.push_back(millisecondsSince(start));
        clickTimes.push_back(click());
    }
    const long growth = residentKilobytes() - before;
    const long heapGrowth = heapKilobytes() - heapBefore;

    const double clickMs = median(clickTimes);
    const double floorMs = median(floorTimes);
    std::printf("%-22s %12s %12s %8s %8s\n", qPrintable(QStringLiteral("chart click (%1)").arg(count)), "Tankeli",
                "floor", "ratio", "target");
    std::printf("%-22s %9.1f ms %9.1f ms %8.2f %8s\n", qPrintable(QStringLiteral("median of %1 clicks").arg(clicks)),
                clickMs, floorMs, clickMs / floorMs, "<= 3");
    std::printf("%-22s %9.1f ms %12s %8s %8s\n", "first click", first, "", "", "");
    std::printf("%-22s %+9ld kB %12s %8s %8s\n", qPrintable(QStringLiteral("heap over %1 clicks").arg(clicks)),
                heapGrowth, "", "", "<= 0");
    // The resident size also moves with what the allocator, the X server connection and
    // the bus keep in pages; a growth here without one on the heap is not the program's.
    std::printf("%-22s %+9ld kB\n", qPrintable(QStringLiteral("resident over %1 clicks").arg(clicks)), growth);
}

} // namespace

int main(int argc, char *argv[])
{
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 10000;
    const int clicks = argc > 2 ? QByteArray(argv[2]).toInt() : 10;
    if (count < 2 || clicks < 1) {
        std::fprintf(stderr, "usage: bench_window [records >= 2] [clicks >= 1]\n");
        return 2;
    }
    // As the program's own start-up sets the application up.
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(labelFont());
    try {
        run(count, clicks);
    } catch (const GaveUp &gaveUp) {
        std::fflush(stdout);
        std::fprintf(stderr, "bench-window: %s\n", qPrintable(gaveUp.why));
        return 1;
    }
    return 0;
}
