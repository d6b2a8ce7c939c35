#include "TestFolders.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

// Starts copies of the built program in a throw-away program folder.
class TestSingleInstance : public QObject
{
    Q_OBJECT
    TestFolders dirs;
    QString program;

    // Each copy starts from its own current folder with its own temporary folder, and
    // still finds the lock of the same program folder.
    void startProgram(QProcess &process, const QString &tmp = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TMPDIR", tmp.isEmpty() ? dirs.path("missing-temp") : tmp);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(tmp.isEmpty() ? dirs.path("stat") : tmp);
        process.start(program, {});
        QVERIFY(process.waitForStarted());
    }

private slots:
    void initTestCase()
    {
        program = dirs.path("tankeli");
        QVERIFY(QFile::copy(TANKELI_PROGRAM, program));
    }

    void secondCopyEndsAtOnceAndCrashedLockIsTakenOver()
    {
        QProcess first;
        startProgram(first);
        QVERIFY(!first.waitForFinished(1500)); // running, holding the lock

        QProcess second;
        QElapsedTimer timer;
        timer.start();
        startProgram(second, dirs.path("Data"));
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(timer.elapsed() < 3000);

        first.kill(); // a crash: the lock file stays behind
        QVERIFY(first.waitForFinished(5000));
        QProcess third;
        startProgram(third);
        QVERIFY(!third.waitForFinished(1500));
        third.kill();
        third.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
