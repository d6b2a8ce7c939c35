#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "app/SingleInstance.h"
#include "look/PictureButton.h"
#include "records/RecordStore.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"

#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

using namespace tankeli;

namespace {
const QByteArray matka("1\r\n2\r\n3\r\n4\r\n5\r\n");
const QFile::Permissions readOnlyFolder = QFile::ReadOwner | QFile::ExeOwner;
const QFile::Permissions writableFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Whether permissions bind this process: a user who may override them sees no faults.
bool permissionsBind()
{
    QTemporaryDir dir;
    const QString probe = dir.filePath("probe");
    writeBytes(probe, "x");
    QFile::setPermissions(probe, QFile::ReadOwner);
    return !QFile(probe).open(QIODevice::WriteOnly);
}
} // namespace

// Faults a user may meet, through the real windows, as a user whose file permissions
// bind (tests/unprivileged).
class TestFaults : public QObject, MainWindowFixture
{
    Q_OBJECT

    Tiedosto *files(const char *command)
    {
        menu(command)->trigger();
        return window<Tiedosto>();
    }
    void run(Tiedosto *window, int command, const QString &name)
    {
        in<QLineEdit>(window, "Tiedostonimi")->setText(name);
        in<PictureButton>(window, qPrintable(QStringLiteral("Nappi(%1)").arg(command)))->click();
    }

private slots:
    void init()
    {
        start();
        QVERIFY(writeBytes(dirs->stat("matka.sav"), matka));
    }
    void cleanup()
    {
        for (const char *folder : {"stat", "Data", "pic", ""})
            QFile::setPermissions(dirs->path(QString::fromLatin1(folder)), writableFolder);
        stop();
    }

    // A folder of the program that may not be written or read, and what the user is told.
    void protectedFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("permissions");
        QTest::addColumn<QStringList>("shownPrefixes");
        QTest::newRow("read-only stat") << "stat" << int(readOnlyFolder)
            << QStringList{"!Tankeli: Kansioon ", "?Poista tiedosto:", "!Tankeli: Tiedostoa matka.sav ei voitu poistaa: Ei käyttöoikeutta."};
        QTest::newRow("unreadable stat") << "stat" << int(QFile::WriteOwner | QFile::ExeOwner)
            << QStringList{"!Tankeli: Kansiota ", "!Tankeli: Kansiota "};
    }
    void protectedFolders()
    {
        if (!permissionsBind())
            QSKIP("this user may override file permissions; run through tests/unprivileged");
        QFETCH(QString, folder);
        QFETCH(int, permissions);
        QFETCH(QStringList, shownPrefixes);
        QVERIFY(QFile::setPermissions(dirs->path(folder), QFile::Permissions(permissions)));
        Tiedosto *fileWindow = files("Menu_Tallenna");
        QVERIFY(fileWindow);
        if (permissions == int(readOnlyFolder)) {
            run(fileWindow, 0, "uusi");
            QVERIFY(messages->shown.value(0).contains(QStringLiteral("stat ei voitu tallentaa: Ei käyttöoikeutta.")));
            in<QListWidget>(fileWindow, "Tiedostot")->setCurrentRow(0);
            run(fileWindow, 2, "matka.sav");
        } else {
            QVERIFY(messages->shown.value(0).endsWith(QStringLiteral("stat ei voitu lukea: Ei käyttöoikeutta.")));
            menu("Menu_Stat")->trigger();
            in<PictureButton>(window<Stat>(), "Knapi(1)")->click();
        }
        QCOMPARE(messages->shown.size(), shownPrefixes.size());
        for (int i = 0; i < shownPrefixes.size(); ++i)
            QVERIFY2(messages->shown[i].startsWith(shownPrefixes[i]), qPrintable(messages->shown[i]));
        QFile::setPermissions(dirs->path(folder), writableFolder);
        QCOMPARE(readBytes(dirs->stat("matka.sav")), matka);
        QCOMPARE(QDir(dirs->path("stat")).entryList(QDir::Files), QStringList{"matka.sav"});
    }

    // Closing with Data/ or Arvot.txt protected: the settings are saved where they can
    // be, and otherwise the old file stays and the real cause is named.
    void settingsAtClosing_data()
    {
        QTest::addColumn<int>("dataFolder");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<QString>("cause"); // empty: saved
        QTest::newRow("read-only Data, writable file: written in place") << int(readOnlyFolder) << true << "";
        QTest::newRow("read-only Data and file") << int(readOnlyFolder) << false << "Tiedosto on kirjoitussuojattu";
        QTest::newRow("write-protected file") << int(writableFolder) << false << "Tiedosto on kirjoitussuojattu";
    }
    void settingsAtClosing()
    {
        if (!permissionsBind())
            QSKIP("this user may override file permissions; run through tests/unprivileged");
        QFETCH(int, dataFolder);
        QFETCH(bool, fileWritable);
        QFETCH(QString, cause);
        const QByteArray before = dirs->settings();
        QFile::setPermissions(dirs->path("Data/Arvot.txt"), fileWritable ? QFile::ReadOwner | QFile::WriteOwner : QFile::ReadOwner);
        QFile::setPermissions(dirs->path("Data"), QFile::Permissions(dataFolder));
        row(0)->setText("1,99");
        main->close();
        QCOMPARE(dirs->settings(), cause.isEmpty() ? QByteArray("1,99\r\n0\r\n0\r\nFalse\r\nTrue\r\n") : before);
        QCOMPARE(messages->shown.size(), cause.isEmpty() ? 0 : 1);
        if (!cause.isEmpty())
            QVERIFY2(messages->shown[0].contains(cause), qPrintable(messages->shown[0]));
    }

    void pictureThatMayNotBeRead()
    {
        if (!permissionsBind())
            QSKIP("this user may override file permissions; run through tests/unprivileged");
        TestFolders folders;
        QFile::setPermissions(folders.path("pic/button1.gif"), QFile::WriteOwner);
        Tankeli w(folders.folders());
        QVERIFY(w.Form_Load().error().endsWith(QStringLiteral("button1.gif ei voitu lukea: Ei käyttöoikeutta.")));
    }

    // The lock lives with the program: in its folder, or in Data where the folder may
    // not be written; where neither may, the program says so instead of ending silently.
    void lockOfTheProgramFolder()
    {
        if (!permissionsBind())
            QSKIP("this user may override file permissions; run through tests/unprivileged");
        TestFolders folders;
        QFile::setPermissions(folders.path(""), readOnlyFolder);
        SingleInstance first(folders.folders());
        QCOMPARE(first.claim().value(), true);
        QVERIFY(QFile::exists(folders.path("Data/.tankeli.lock")));
        QCOMPARE(SingleInstance(folders.folders()).claim().value(), false);
        QFile::setPermissions(folders.path("Data"), readOnlyFolder);
        TestFolders other;
        QFile::setPermissions(other.path("Data"), readOnlyFolder);
        QFile::setPermissions(other.path(""), readOnlyFolder);
        const Outcome<bool> refused = SingleInstance(other.folders()).claim();
        QVERIFY(refused.error().contains(QStringLiteral("lukitustiedostoa ei voitu tehdä")));
        QFile::setPermissions(other.path(""), writableFolder);
        QFile::setPermissions(folders.path(""), writableFolder);
        QFile::setPermissions(folders.path("Data"), writableFolder);
    }

    // On a full disk nothing is emptied: the old settings and the old record stay, and
    // the message says why.
    void fullDisk()
    {
        const QString disk = qEnvironmentVariable("TANKELI_SMALL_DISK");
        if (disk.isEmpty())
            QSKIP("no small file system could be mounted here (tests/unprivileged makes one as root)");
        for (const char *folder : {"Data", "stat", "pic"})
            QDir(disk).mkpath(QString::fromLatin1(folder));
        const QByteArray settings("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        QVERIFY(writeBytes(disk + "/Data/Arvot.txt", settings));
        QVERIFY(writeBytes(disk + "/stat/matka.sav", matka));
        for (const char *name : {"button1.gif", "button2.gif", "option1.gif", "option2.gif"})
            QFile::copy(dirs->path("pic/") + name, disk + "/pic/" + name);
        Tankeli w{ProgramFolders(disk)};
        QVERIFY(w.Form_Load());
        QFile filler(disk + "/täyte");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        QVERIFY(RecordStore(disk + "/stat").write("matka.sav", {"9", "9", "9", "9", "9"}).error()
                    .endsWith(QStringLiteral("Laitteessa ei ole tilaa vapaana.")));
        w.close();
        QCOMPARE(readBytes(disk + "/Data/Arvot.txt"), settings);
        QCOMPARE(readBytes(disk + "/stat/matka.sav"), matka);
        QVERIFY(messages->shown.value(0).contains(QStringLiteral("Laitteessa ei ole tilaa vapaana")));
        QFile::remove(filler.fileName());
    }

    // A 100 MB file without line ends is charted quickly: one record whose first line
    // does not convert and whose other lines cannot be read.
    void hugeFileWithoutLineBreaks()
    {
        QVERIFY(writeBytes(dirs->stat("a.sav"), matka));
        QFile huge(dirs->stat("valtava.sav"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
        huge.close();
        menu("Menu_Stat")->trigger();
        QElapsedTimer timer;
        timer.start();
        in<PictureButton>(window<Stat>(), "Knapi(1)")->click();
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(messages->shown.size(), 9);
    }

    // A save killed at any moment leaves the old five lines or the new five lines.
    void killedWhileSavingLeavesOldOrNew()
    {
        const QByteArray older("1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n");
        const QByteArray newer("1,45\r\n6,25\r\n1000\r\n90,625\r\n62,5\r\n");
        QRandomGenerator random(7);
        for (int round = 0; round < 20; ++round) {
            QProcess saver;
            saver.start(QStringLiteral(TANKELI_SAVE_LOOP), {dirs->path("stat")});
            QVERIFY(saver.waitForStarted());
            QThread::msleep(20 + random.bounded(60));
            saver.kill();
            QVERIFY(saver.waitForFinished());
            const QByteArray left = readBytes(dirs->stat("matka.sav"));
            QVERIFY2(left == older || left == newer || left == matka, left.constData());
        }
        QCOMPARE(QDir(dirs->path("stat")).entryList(QDir::Files), QStringList{"matka.sav"});
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
