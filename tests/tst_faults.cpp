#include "RecordingMessages.h"
#include "TestFolders.h"

#include "app/SingleInstance.h"
#include "mainwindow/Tankeli.h"
#include "records/RecordStore.h"

#include <QProcess>
#include <QTest>
#include <QRandomGenerator>
#include <QThread>
#include <memory>

using namespace tankeli;

namespace {
const QByteArray matka("1\r\n2\r\n3\r\n4\r\n5\r\n");
} // namespace

// Faults a user meets in the program as a whole, as a user whose file permissions bind
// (tests/unprivileged): pictures and locks that cannot be had, a second copy, a full
// disk, a save killed halfway.
class TestFaults : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestFolders> dirs;
    RecordingMessages messages;

private slots:
    void init()
    {
        dirs = std::make_unique<TestFolders>();
        messages.shown.clear();
        QVERIFY(writeBytes(dirs->stat("matka.sav"), matka));
    }

    void pictureOrLockThatCannotBeHad()
    {
        NEEDS_BINDING_PERMISSIONS();
        TestFolders folders;
        QFile::setPermissions(folders.path("pic/button1.gif"), QFile::WriteOwner);
        QVERIFY(Tankeli(folders.folders()).Form_Load().error().endsWith("button1.gif ei voitu lukea: Ei käyttöoikeutta."));
        // The lock lives with the program: in its folder, or in Data/ where the folder may
        // not be written; where neither may, the program says so.
        QFile::setPermissions(folders.path(""), readOnly);
        SingleInstance first(folders.folders());
        QCOMPARE(first.claim().value(), true);
        QVERIFY(QFile::exists(folders.path("Data/.tankeli.lock")));
        QCOMPARE(SingleInstance(folders.folders()).claim().value(), false);
        TestFolders other;
        QFile::setPermissions(other.path("Data"), readOnly);
        QFile::setPermissions(other.path(""), readOnly);
        QVERIFY(SingleInstance(other.folders()).claim().error().contains("lukitustiedostoa ei voitu tehdä"));
        for (const QString &folder : {other.path(""), other.path("Data"), folders.path("")})
            QFile::setPermissions(folder, writable);
    }

    // One copy per program folder, whatever the current and temporary folders of each;
    // a copy that was killed leaves no lock that keeps the next one out.
    void oneCopyPerProgramFolder()
    {
        const QString program = dirs->path("tankeli");
        QVERIFY(QFile::copy(TANKELI_PROGRAM, program));
        const auto run = [&](QProcess &copy, const QString &temporary, const QString &current) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("TMPDIR", dirs->path(temporary));
            copy.setProcessEnvironment(env);
            copy.setWorkingDirectory(dirs->path(current));
            copy.start(program, {});
            return copy.waitForStarted();
        };
        QProcess first; // its temporary folder does not exist
        QVERIFY(run(first, "puuttuu", "stat") && !first.waitForFinished(1500));
        QProcess second;
        QVERIFY(run(second, "Data", "Data") && second.waitForFinished(3000));
        QCOMPARE(second.exitCode(), 0);
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QProcess third;
        QVERIFY(run(third, "puuttuu", "stat") && !third.waitForFinished(1500));
        third.kill();
        third.waitForFinished(5000);
    }

    // On a full disk nothing is emptied: the old settings and the old record stay, and
    // the message says why.
    void fullDisk()
    {
        const QString disk = qEnvironmentVariable("TANKELI_SMALL_DISK");
        if (disk.isEmpty())
            QSKIP("no small file system could be mounted here (tests/unprivileged makes one as root)");
        TestFolders onDisk(defaultSettings, disk);
        QVERIFY(writeBytes(onDisk.stat("matka.sav"), matka));
        Tankeli w{onDisk.folders()};
        QVERIFY(w.Form_Load());
        QFile filler(disk + "/täyte");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        QVERIFY(RecordStore(onDisk.path("stat")).write("matka.sav", {"9", "9", "9", "9", "9"}).error().endsWith("Laitteessa ei ole tilaa vapaana."));
        w.close();
        QCOMPARE(onDisk.settings(), defaultSettings);
        QCOMPARE(readBytes(onDisk.stat("matka.sav")), matka);
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
