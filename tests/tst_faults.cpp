#include "RecordingMessages.h"
#include "TestFolders.h"

#include "app/RunningCopy.h"
#include "app/ShowRequests.h"
#include "app/SingleInstance.h"
#include "mainwindow/Tankeli.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <future>
#include <memory>

using namespace tankeli;

namespace {
const QByteArray matka("1\r\n2\r\n3\r\n4\r\n5\r\n");
// Settings as a user may have typed them: bare LF, any letter case.
const QByteArray typedSettings("1,30\n100\n105\ntrue\nfalse\n");
} // namespace

// Faults a user meets in the program as a whole, as a user whose file permissions bind
// (tests/unprivileged): pictures and locks that cannot be had, a second start, logout
// and kill, a full disk, a save killed halfway.
class TestFaults : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestFolders> dirs;
    RecordingMessages messages;
    QTemporaryDir runtime; // the user's runtime folder, for the test and the programs it starts

    // Starts the program, copied into the test folder, with the given temporary and
    // current folders.
    bool start(QProcess &copy, const QString &temporary = "puuttuu", const QString &current = "stat")
    {
        const QString program = dirs->path("tankeli");
        if (!QFile::exists(program) && !QFile::copy(TANKELI_PROGRAM, program))
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", dirs->path(temporary));
        env.insert("XDG_DATA_HOME", dirs->path("user")); // never the real user's files
        copy.setProcessEnvironment(env);
        copy.setWorkingDirectory(dirs->path(current));
        copy.start(program, {});
        return copy.waitForStarted();
    }
    // Whether the copy comes to hold the lock on its data folder: this test cannot take it.
    bool holdsLock(const QProcess &copy) const
    {
        const auto held = [this] { return !SingleInstance(dirs->folders()).claim().value(); };
        return QTest::qWaitFor([&] { return held() || copy.state() != QProcess::Running; }, 5000) && held();
    }

private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())); }
    void init()
    {
        dirs = std::make_unique<TestFolders>();
        messages.shown.clear();
        Messages::setEndRequested(false);
        QVERIFY(writeBytes(dirs->stat("matka.sav"), matka));
    }

    void pictureThatCannotBeRead()
    {
        NEEDS_BINDING_PERMISSIONS();
        TestFolders folders;
        QFile::setPermissions(folders.path("pic/button1.gif"), QFile::WriteOwner);
        QVERIFY(Tankeli(folders.folders()).Form_Load().error().endsWith("button1.gif ei voitu lukea: Ei käyttöoikeutta."));
    }

    // One copy per data folder, whatever the current and temporary folders of each and
    // whatever an older version or a power cut left where its lock file was: the leftover
    // stays as it was, and a copy that was killed never keeps the next one out.
    void oneCopyPerDataFolder_data()
    {
        QTest::addColumn<QString>("leftover"); // relative path, empty for none
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("nothing left over") << QString() << QByteArray();
        QTest::newRow("an older version's lock file in Data") << "Data/.tankeli.lock" << QByteArray("4242\ntankeli\ntoinen-kone\nabc123\n");
    }
    void oneCopyPerDataFolder()
    {
        QFETCH(QString, leftover);
        QFETCH(QByteArray, contents);
        if (!leftover.isEmpty())
            QVERIFY(writeBytes(dirs->path(leftover), contents));
        QProcess killed; // its temporary folder does not exist
        QVERIFY(start(killed, "puuttuu", "stat") && holdsLock(killed));
        killed.kill();
        QVERIFY(killed.waitForFinished(5000));
        QProcess first;
        QVERIFY(start(first, "puuttuu", "stat") && holdsLock(first));
        // A second start reaches the copy that replaced the killed one, and ends; a box
        // that says it did not would wait here for an answer.
        QProcess second;
        QVERIFY(start(second, "Data", "Data") && second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished(5000);
        if (!leftover.isEmpty()) // left as it was
            QCOMPARE(readBytes(dirs->path(leftover)), contents);
    }

    // A second start that reaches no running copy able to answer (another user's, one
    // that hangs) says that the program already runs, within a second or two. (One that
    // answers: oneCopyPerDataFolder.)
    void secondStartUnanswered()
    {
        QLocalServer silent;
        QVERIFY(silent.listen(channelName(dirs->folders())));
        QElapsedTimer waited;
        waited.start();
        remindOfRunningCopy(channelName(dirs->folders()));
        QVERIFY(messages.shown.size() == 1 && messages.shown[0].startsWith("!Tankeli: Tankeli on jo käynnissä. "));
        QVERIFY(waited.elapsed() < 4000);
    }

    // The running copy brings its minimised main window to the front on a request, and
    // drops whatever else is sent to it, however long or malformed, without stalling:
    // a proper request still works while a stranger's connection is open.
    void showRequest_data()
    {
        QTest::addColumn<QByteArray>("strangerSends");
        QTest::newRow("silence") << QByteArray();
        QTest::newRow("an over-long message") << QByteArray(4 << 20, 'x');
    }
    void showRequest()
    {
        QFETCH(QByteArray, strangerSends);
        Tankeli window(dirs->folders());
        QVERIFY(window.Form_Load());
        window.show();
        window.showMinimized();
        ShowRequests copy;
        const QString name = channelName(dirs->folders());
        QVERIFY(copy.listen(name));
        connect(&copy, &ShowRequests::showRequested, &window, [&window] { showInFront(window); });
        QLocalSocket stranger;
        stranger.connectToServer(name);
        QVERIFY(stranger.waitForConnected(1000));
        stranger.write(strangerSends);
        QTest::qWait(200);
        QVERIFY(window.isMinimized());
        // A second start is another process; here it asks from a thread of its own while
        // this one serves the request.
        std::future<bool> asked = std::async(std::launch::async, [&name] { return askToShow(name); });
        QTRY_VERIFY(asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(asked.get());
        QVERIFY(!window.isMinimized() && window.isVisible());
        QTRY_VERIFY(window.isActiveWindow());
        QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, 5000);
    }

    // Logout (SIGHUP), shutdown and kill (SIGTERM) and Ctrl+C (SIGINT) end the program
    // as its close command does: the settings are written, and where the windows are,
    // and the status is 0. No box
    // waits for an answer that nobody may give: where the settings cannot be written,
    // stderr says why, and a box open at that moment ends with the program.
    void endsOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("settingsBefore");
        QTest::addColumn<bool>("canWrite");
        QTest::addColumn<QByteArray>("settingsAfter");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("stderrSays");
        QTest::addColumn<bool>("windowsRemembered");
        const QByteArray written("1,30\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        const QByteArray broken("1,30\n100\n105\nkyllä\nfalse\n");
        QTest::newRow("SIGTERM: shutdown, kill") << SIGTERM << typedSettings << true << written << 0 << QByteArray() << true;
        QTest::newRow("SIGHUP: logout") << SIGHUP << typedSettings << true << written << 0 << QByteArray() << true;
        QTest::newRow("SIGINT: Ctrl+C") << SIGINT << typedSettings << true << written << 0 << QByteArray() << true;
        QTest::newRow("settings that cannot be written") << SIGTERM << typedSettings << false << typedSettings << 1
                                                         << QByteArray("Arvot.txt ei voitu kirjoittaa: Tiedosto on kirjoitussuojattu.") << false;
        // The box that says why the program cannot start.
        QTest::newRow("while a box waits for an answer") << SIGTERM << broken << true << broken << 1 << QByteArray() << false;
    }
    void endsOnSignal()
    {
        QFETCH(int, signal);
        QFETCH(QByteArray, settingsBefore);
        QFETCH(bool, canWrite);
        QFETCH(QByteArray, settingsAfter);
        QFETCH(int, status);
        QFETCH(QByteArray, stderrSays);
        if (!canWrite && !permissionsBind())
            QSKIP("this user may override file permissions; run through tests/unprivileged");
        QVERIFY(writeBytes(dirs->path("Data/Arvot.txt"), settingsBefore));
        QProcess copy;
        QVERIFY(start(copy) && holdsLock(copy));
        // Taken away once it runs: a copy that starts read-only keeps its files per user.
        if (!canWrite) {
            QFile::setPermissions(dirs->path("Data/Arvot.txt"), QFile::ReadOwner);
            QFile::setPermissions(dirs->path("Data"), readOnly);
        }
        ::kill(pid_t(copy.processId()), signal);
        const bool ended = copy.waitForFinished(5000);
        QFile::setPermissions(dirs->path("Data"), writable);
        QVERIFY(ended);
        QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy.exitCode(), status);
        QCOMPARE(dirs->settings(), settingsAfter);
        const QByteArray said = copy.readAllStandardError();
        QVERIFY2(said.contains(stderrSays), said.constData());
        QTEST(readBytes(dirs->path("Data/Ikkunat.txt")).startsWith("Tankeli "), "windowsRemembered");
    }

    // On a full disk nothing is emptied: the old settings stay (the record store shares the
    // same writer), and the message says why.
    void fullDisk()
    {
        const QString disk = qEnvironmentVariable("TANKELI_SMALL_DISK");
        if (disk.isEmpty())
            QSKIP("no small file system could be mounted here (tests/unprivileged makes one as root)");
        TestFolders onDisk(defaultSettings, disk);
        Tankeli w{onDisk.folders()};
        QVERIFY(w.Form_Load());
        QFile filler(disk + "/täyte");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        w.close();
        QCOMPARE(onDisk.settings(), defaultSettings);
        QVERIFY(messages.shown.value(0).contains("Laitteessa ei ole tilaa vapaana"));
        filler.remove();
    }

    // A save killed at any moment leaves the old five lines or the new five lines.
    void killedWhileSavingLeavesOldOrNew()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 20; ++round) {
            QProcess saver;
            saver.start(QStringLiteral(TANKELI_SAVE_LOOP), {dirs->path("stat")});
            QVERIFY(saver.waitForStarted());
            QThread::msleep(20 + random.bounded(60));
            saver.kill();
            QVERIFY(saver.waitForFinished());
            const QByteArray left = readBytes(dirs->stat("matka.sav"));
            QVERIFY2(left == "1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n" || left == "1,45\r\n6,25\r\n1000\r\n90,625\r\n62,5\r\n"
                         || left == matka, left.constData());
        }
        QCOMPARE(QDir(dirs->path("stat")).entryList(QDir::Files), QStringList{"matka.sav"});
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
