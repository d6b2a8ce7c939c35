#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "mainwindow/Tankeli.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <memory>
#include <unistd.h>

using namespace tankeli;

// Faults a user may meet, through the real windows. Runs unprivileged (see
// tests/unprivileged), so read-only files are read-only here.
class TestFaults : public QObject, MainWindowFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        start();
        QVERIFY(writeBytes(stat("matka.sav"), "1\r\n2\r\n3\r\n4\r\n5\r\n"));
    }
    void cleanup()
    {
        QFile::setPermissions(dirs->path("stat"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        stop();
    }

    void readOnlyRecordFolder()
    {
        if (geteuid() == 0)
            QSKIP("runs unprivileged only (tests/unprivileged)");
        QVERIFY(QFile::setPermissions(dirs->path("stat"), QFile::ReadOwner | QFile::ExeOwner));
        main->Menu_Tallenna->trigger();
        Tiedosto *files = main->existingFileWindow();
        files->Tiedostonimi()->setText("uusi");
        files->Suorita_Toiminto(0);
        files->selectEntry(0);
        messages->answers = {true};
        files->Suorita_Toiminto(2);
        QCOMPARE(messages->shown.size(), 3);
        QVERIFY(messages->shown[0].text.startsWith(QStringLiteral("Tiedostoa uusi.sav ei voitu tallentaa")));
        QVERIFY(messages->shown[2].text.startsWith(QStringLiteral("Tiedostoa matka.sav ei voitu poistaa")));
        QCOMPARE(readBytes(stat("matka.sav")), QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n"));
        QVERIFY(files->isVisible()); // the program goes on
    }

    void readOnlySettingsFile()
    {
        if (geteuid() == 0)
            QSKIP("runs unprivileged only (tests/unprivileged)");
        const QByteArray before = dirs->settings();
        QVERIFY(QFile::setPermissions(dirs->path("Data/Arvot.txt"), QFile::ReadOwner));
        main->Txt_Bensanhinta()->setText("1,99");
        main->close();
        QCOMPARE(messages->shown.size(), 1);
        QVERIFY(messages->shown[0].text.contains(QStringLiteral("Arvot.txt")));
        QCOMPARE(dirs->settings(), before);
        QVERIFY(!main->isVisible());
    }

    void hugeFileWithoutLineBreaksInStat()
    {
        QFile huge(stat("valtava.sav"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
        huge.close();
        main->Menu_Stat->trigger();
        QElapsedTimer timer;
        timer.start();
        main->statWindow()->Piirra_Kayra(1);
        QVERIFY(timer.elapsed() < 5000);
        QVERIFY(!messages->shown.isEmpty());
        for (const auto &m : messages->shown)
            QCOMPARE(m.text, chartFaultMessage);
    }

    void charactersOutsideTheCharacterSet()
    {
        main->Txt_Bensanhinta()->setText(QStringLiteral("1,3 ✓"));
        main->Menu_Tallenna->trigger();
        Tiedosto *files = main->existingFileWindow();
        files->Tiedostonimi()->setText("uusi");
        files->Suorita_Toiminto(0);
        files->Tiedostonimi()->setText(QStringLiteral("matka–kesä")); // an en dash fits, ✓ not
        main->Txt_Bensanhinta()->setText("1,3");
        files->Suorita_Toiminto(0);
        files->Tiedostonimi()->setText(QStringLiteral("tähti✓"));
        files->Suorita_Toiminto(0);
        QCOMPARE(messages->shown.size(), 2);
        QVERIFY(messages->shown[0].text.contains(QStringLiteral("\"✓\"")));
        QVERIFY(messages->shown[1].text.startsWith(QStringLiteral("Tiedostonimessä")));
        QVERIFY(!QFile::exists(stat("uusi.sav")));
        QCOMPARE(QDir(dirs->path("stat")).entryList(QDir::Files),
                 (QStringList{"matka.sav", QStringLiteral("matka–kesä.sav")}));
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
            const QByteArray left = readBytes(stat("matka.sav"));
            QVERIFY2(left == older || left == newer || left == "1\r\n2\r\n3\r\n4\r\n5\r\n",
                     left.constData());
        }
        QCOMPARE(QDir(dirs->path("stat")).entryList(QDir::Files), QStringList{"matka.sav"});
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
