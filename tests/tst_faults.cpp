#include "MainWindowFixture.h"

#include "app/SingleInstance.h"
#include "look/PictureButton.h"
#include "records/RecordStore.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <QThread>

using namespace tankeli;

namespace {
const QByteArray matka("1\r\n2\r\n3\r\n4\r\n5\r\n");
const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
const QFile::Permissions writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Whether permissions bind this process: a user who may override them sees no faults.
bool permissionsBind()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("probe"), "x");
    QFile::setPermissions(dir.filePath("probe"), QFile::ReadOwner);
    return !QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
}
#define NEEDS_BINDING_PERMISSIONS()                                                                      \
    if (!permissionsBind())                                                                            \
    QSKIP("this user may override file permissions; run through tests/unprivileged")
} // namespace

// Faults a user meets, through the real windows, as a user whose file permissions bind
// (tests/unprivileged).
class TestFaults : public QObject, MainWindowFixture
{
    Q_OBJECT

    void click(QWidget *window, const QString &button, const QString &name = QString())
    {
        if (!name.isNull())
            window->findChild<QLineEdit *>("Tiedostonimi")->setText(name);
        window->findChild<PictureButton *>(button)->click();
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
            QFile::setPermissions(dirs->path(QString::fromLatin1(folder)), writable);
        stop();
    }

    // A read-only stat/: saving and deleting are refused, naming stat/ and the cause.
    // An unreadable one: the file window and the chart say so, not "too few records".
    void protectedRecordFolder_data()
    {
        QTest::addColumn<int>("permissions");
        QTest::addColumn<QString>("shown");
        QTest::newRow("read-only") << int(readOnly) << "stat ei voitu tallentaa: Ei käyttöoikeutta. | "
            "Haluatko varmasti poistaa tiedoston : matka.sav ? | Tiedostoa matka.sav ei voitu poistaa: Ei käyttöoikeutta.";
        QTest::newRow("unreadable") << int(QFile::WriteOwner | QFile::ExeOwner)
                                    << "stat ei voitu lukea: Ei käyttöoikeutta. | stat ei voitu lukea: Ei käyttöoikeutta.";
    }
    void protectedRecordFolder()
    {
        NEEDS_BINDING_PERMISSIONS();
        QFETCH(int, permissions);
        QVERIFY(QFile::setPermissions(dirs->path("stat"), QFile::Permissions(permissions)));
        menu("Menu_Tallenna")->trigger();
        Tiedosto *files = window<Tiedosto>();
        if (permissions == int(readOnly)) {
            click(files, "Nappi(0)", "uusi");
            files->findChild<QListWidget *>()->setCurrentRow(0);
            click(files, "Nappi(2)", "matka.sav");
        } else {
            menu("Menu_Stat")->trigger();
            click(window<Stat>(), "Knapi(1)");
        }
        QStringList shown;
        for (const QString &text : messages->shown)
            shown << text.mid(text.indexOf(": ") + 2).remove(QRegularExpression("^.*/"));
        QTEST(shown.join(" | "), "shown");
        QFile::setPermissions(dirs->path("stat"), writable);
        QCOMPARE(QDir(dirs->path("stat")).entryList(QDir::Files), QStringList{"matka.sav"});
        QCOMPARE(readBytes(dirs->stat("matka.sav")), matka);
    }

    // Closing with Data/ or Arvot.txt protected: the settings are saved where they can
    // be, and otherwise the old file stays and the real cause is named.
    void settingsAtClosing_data()
    {
        QTest::addColumn<int>("folder");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<QString>("cause"); // empty: saved
        QTest::newRow("read-only Data, writable file: written in place") << int(readOnly) << true << "";
        QTest::newRow("read-only Data and file") << int(readOnly) << false << "Tiedosto on kirjoitussuojattu";
        QTest::newRow("read-only Data, no file") << int(readOnly) << true << "Ei käyttöoikeutta";
    }
    void settingsAtClosing()
    {
        NEEDS_BINDING_PERMISSIONS();
        QFETCH(int, folder);
        QFETCH(bool, fileWritable);
        QFETCH(QString, cause);
        const bool noFile = cause == "Ei käyttöoikeutta";
        if (noFile)
            QFile::remove(dirs->path("Data/Arvot.txt"));
        QFile::setPermissions(dirs->path("Data/Arvot.txt"), fileWritable ? QFile::ReadOwner | QFile::WriteOwner : QFile::ReadOwner);
        QFile::setPermissions(dirs->path("Data"), QFile::Permissions(folder));
        row(0)->setText("1,99");
        main->close();
        QCOMPARE(dirs->settings(), cause.isEmpty() ? QByteArray("1,99\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
                                   : noFile      ? QByteArray() : defaultSettings);
        QVERIFY2(cause.isEmpty() ? messages->shown.isEmpty() : messages->shown.value(0).contains(cause),
                 qPrintable(messages->shown.join('\n')));
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
        filler.close();
        QVERIFY(RecordStore(onDisk.path("stat")).write("matka.sav", {"9", "9", "9", "9", "9"}).error().endsWith("Laitteessa ei ole tilaa vapaana."));
        w.close();
        QCOMPARE(onDisk.settings(), defaultSettings);
        QCOMPARE(readBytes(onDisk.stat("matka.sav")), matka);
        QVERIFY(messages->shown.value(0).contains("Laitteessa ei ole tilaa vapaana"));
        filler.remove();
    }

    // A 100 MB file without line ends is charted quickly: one record whose first line
    // does not convert and whose other lines cannot be read.
    void hugeFileWithoutLineBreaks()
    {
        QFile huge(dirs->stat("valtava.sav"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
        huge.close();
        menu("Menu_Stat")->trigger();
        QElapsedTimer timer;
        timer.start();
        click(window<Stat>(), "Knapi(1)");
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(messages->shown.size(), 9);
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
