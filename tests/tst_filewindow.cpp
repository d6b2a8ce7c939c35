#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"
#include "records/Tiedosto.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <memory>

using namespace tankeli;

namespace {
const QByteArray recordA("1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n");
const QByteArray recordB("1,5\r\n6\r\n100\r\n9\r\n6\r\n");
} // namespace

class TestFileWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    // Opens the window through the menu command, as a user does.
    Tiedosto *openBy(QAction *command)
    {
        command->trigger();
        return main->existingFileWindow();
    }
    QStringList listed(Tiedosto *files) const
    {
        QStringList names;
        for (int i = 0; i < files->Tiedostot()->count(); ++i)
            names << files->Tiedostot()->item(i)->text();
        return names;
    }

private slots:
    void init()
    {
        start();
        QVERIFY(writeBytes(stat("2006_03_07.sav"), recordA));
        QVERIFY(writeBytes(stat("matka.sav"), recordB));
    }
    void cleanup() { stop(); }

    void menusSetTheModeOfOneWindow()
    {
        Tiedosto *files = openBy(main->Menu_Avaa);
        QVERIFY(files && files->isVisible());
        QCOMPARE(files->windowTitle(), QStringLiteral("Avaa"));
        QCOMPARE(files->buttons()->Nappi_Txt(0)->text(), QStringLiteral("Avaa"));
        QCOMPARE(files->Tiedostonimi()->text(), QString());
        QCOMPARE(listed(files), (QStringList{"2006_03_07.sav", "matka.sav"}));
        QCOMPARE(files->Tiedostot()->selectedItems().size(), 0);
        QCOMPARE(openBy(main->Menu_Tallenna), files);
        QCOMPARE(files->windowTitle(), QStringLiteral("Tallenna"));
        QCOMPARE(files->buttons()->Nappi_Txt(0)->text(), QStringLiteral("Tallenna"));
        QCOMPARE(files->Tiedostonimi()->text(), QDate::currentDate().toString("yyyy_MM_dd"));
        QCOMPARE(files->Tiedostot()->accessibleName(), QStringLiteral("Tallennetut tiedostot"));
        QCOMPARE(files->Tiedostonimi()->accessibleName(), QStringLiteral("Tiedostonimi"));
        QCOMPARE(files->buttons()->Nappi(2)->accessibleName(), QStringLiteral("Poista"));
    }

    void openRefusals_data()
    {
        QTest::addColumn<int>("select"); // -1: nothing selected
        QTest::addColumn<QString>("name");
        QTest::newRow("no selection, valid name typed") << -1 << "matka.sav";
        QTest::newRow("selected, name not a record") << 1 << "ei_ole.sav";
        QTest::newRow("selected, name emptied") << 0 << "";
        QTest::newRow("selected, name without .sav") << 0 << "2006_03_07";
        QTest::newRow("selected, name leaving stat") << 0 << "../Data/Arvot.txt";
    }
    void openRefusals()
    {
        QFETCH(int, select);
        QFETCH(QString, name);
        Tiedosto *files = openBy(main->Menu_Avaa);
        files->selectEntry(select);
        files->Tiedostonimi()->setText(name);
        const QStringList before = rows();
        files->Suorita_Toiminto(0);
        QCOMPARE(shown(), QStringList{"!Tankeli: Valitse avattava tiedosto listalta."});
        QCOMPARE(rows(), before);
        QVERIFY(files->isVisible());
    }

    void openFillsTheMainWindowAndCalculates()
    {
        Tiedosto *files = openBy(main->Menu_Avaa);
        files->Tiedostot()->setCurrentRow(0); // a user's click
        QCOMPARE(files->Tiedostonimi()->text(), QStringLiteral("2006_03_07.sav"));
        QVERIFY(writeBytes(stat("uusi.sav"), recordB));
        files->Suorita_Toiminto(0);
        QVERIFY(messages->shown.isEmpty());
        // Rows: price, consumption, distance, litres, trip price, month, year.
        QCOMPARE(rows(), (QStringList{"1,3", "7,5", "120", "9", "11,7", "351", "4270,5"}));
        QVERIFY(files->isHidden());
        QCOMPARE(listed(files).size(), 3); // re-read
    }

    void shortRecordIsReportedAndChangesNothing()
    {
        Tiedosto *files = openBy(main->Menu_Avaa);
        QVERIFY(writeBytes(stat("lyhyt.sav"), "1,3\r\n7\r\n"));
        files->Suorita_Toiminto(1);
        files = openBy(main->Menu_Avaa); // a hidden window is shown again as it was
        QCOMPARE(listed(files).size(), 2);
        files->Suorita_Toiminto(1);
        main->existingFileWindow()->close(); // the close box: created afresh next time
        QTRY_VERIFY(!main->existingFileWindow());
        files = openBy(main->Menu_Avaa);
        QCOMPARE(listed(files).size(), 3);
        files->selectEntry(1);
        const QStringList before = rows();
        files->Suorita_Toiminto(0);
        QCOMPARE(shown(), QStringList{"!Tankeli: Tiedostosta lyhyt.sav puuttuu rivi 3."});
        QCOMPARE(rows(), before);
    }

    void saveAndOpenGiveBackTheSameTrip()
    {
        main->rowField(1)->setText("6,5");
        main->rowField(2)->setText("100");
        main->Suorita(0);
        const QStringList saved = rows();
        Tiedosto *files = openBy(main->Menu_Tallenna);
        files->Tiedostonimi()->setText("reissu");
        files->Suorita_Toiminto(0);
        QCOMPARE(readBytes(stat("reissu.sav")), QByteArray("1,3\r\n6,5\r\n100\r\n8,45\r\n6,5\r\n"));
        QVERIFY(listed(files).contains("reissu.sav"));
        QVERIFY(files->isVisible());
        QCOMPARE(files->Tiedostonimi()->text(), QStringLiteral("reissu"));

        main->Suorita(1);
        openBy(main->Menu_Avaa);
        files->selectEntry(int(listed(files).indexOf("reissu.sav")));
        files->Suorita_Toiminto(0);
        QCOMPARE(rows(), saved);
    }

    void saveWithTheProposedName()
    {
        Tiedosto *files = openBy(main->Menu_Tallenna);
        files->Suorita_Toiminto(0);
        const QString name = QDate::currentDate().toString("yyyy_MM_dd") + ".sav";
        QCOMPARE(readBytes(stat(name)), QByteArray("1,3\r\n0\r\n0\r\n0\r\n0\r\n"));
        QVERIFY(listed(files).contains(name));
    }

    void saveQuestions_data()
    {
        QTest::addColumn<int>("select");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("written");
        const QString question = "?Ylikirjoita: Sinulla on jo olemassa matka.sav niminen tiedosto. "
                                 "Korvataanko kyseinen tiedosto?";
        QTest::newRow("emptied name") << 0 << "" << QList<bool>{} << QStringList{} << false;
        QTest::newRow("overwrite Yes") << 0 << "matka" << QList<bool>{true} << QStringList{question}
                                       << true;
        QTest::newRow("overwrite No") << 0 << "matka.sav" << QList<bool>{false}
                                      << QStringList{question} << false;
        QTest::newRow("no selection replaces") << -1 << "matka" << QList<bool>{} << QStringList{}
                                               << true;
        QTest::newRow("upper case is another file") << 1 << "matka.SAV" << QList<bool>{}
                                                    << QStringList{} << false;
        QTest::newRow("leaving stat") << 0 << "../matka" << QList<bool>{}
            << QStringList{"!Tankeli: Tiedostonimessä \"../matka.sav\" on merkki, jota ei voi "
                           "käyttää. Nimessä ei saa olla merkkejä / \\ * ?"}
            << false;
    }
    void saveQuestions()
    {
        QFETCH(int, select);
        QFETCH(QString, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, written);
        main->rowField(0)->setText("2");
        Tiedosto *files = openBy(main->Menu_Tallenna);
        files->selectEntry(select);
        files->Tiedostonimi()->setText(typed);
        messages->answers = answers;
        files->Suorita_Toiminto(0);
        QTEST(shown(), "asked");
        QCOMPARE(readBytes(stat("matka.sav")).startsWith("2\r\n"), written);
        QVERIFY(!QFile::exists(dirs->path("matka.sav")));
    }

    void deleteCommand_data()
    {
        QTest::addColumn<int>("select");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("Yes") << 1 << "matka.sav" << true
            << QStringList{"?Poista tiedosto: Haluatko varmasti poistaa tiedoston : matka.sav ?"} << true;
        QTest::newRow("No") << 1 << "matka.sav" << false
            << QStringList{"?Poista tiedosto: Haluatko varmasti poistaa tiedoston : matka.sav ?"} << false;
        QTest::newRow("missing name") << 1 << "matka" << true
            << QStringList{"?Poista tiedosto: Haluatko varmasti poistaa tiedoston : matka ?",
                           "!Tankeli: Kyseistä tiedostoa ei löytynyt. Tarkasta nimi"} << false;
        QTest::newRow("nothing selected") << -1 << "matka.sav" << true << QStringList{} << false;
        QTest::newRow("leaving stat") << 1 << "../Data/Arvot.txt" << true
            << QStringList{"?Poista tiedosto: Haluatko varmasti poistaa tiedoston : ../Data/Arvot.txt ?",
                           "!Tankeli: Kyseistä tiedostoa ei löytynyt. Tarkasta nimi"} << false;
    }
    void deleteCommand()
    {
        QFETCH(int, select);
        QFETCH(QString, name);
        QFETCH(bool, answer);
        QFETCH(bool, deleted);
        Tiedosto *files = openBy(main->Menu_Avaa);
        files->selectEntry(select);
        files->Tiedostonimi()->setText(name);
        messages->answers = {answer};
        files->Suorita_Toiminto(2);
        QTEST(shown(), "shown");
        QCOMPARE(QFile::exists(stat("matka.sav")), !deleted);
        QCOMPARE(listed(files).contains("matka.sav"), !deleted);
        QCOMPARE(files->Tiedostonimi()->text(), deleted ? QString() : name);
        QVERIFY(QFile::exists(dirs->path("Data/Arvot.txt")));
    }

    void keys_data()
    {
        QTest::addColumn<bool>("inList");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("hides");
        QTest::addColumn<bool>("asksToDelete");
        QTest::newRow("list Escape") << true << int(Qt::Key_Escape) << 0 << true << false;
        QTest::newRow("list s") << true << int(Qt::Key_S) << 0 << true << false;
        QTest::newRow("list S") << true << int(Qt::Key_S) << int(Qt::ShiftModifier) << true << false;
        QTest::newRow("list Delete") << true << int(Qt::Key_Delete) << 0 << false << true;
        QTest::newRow("list Enter") << true << int(Qt::Key_Return) << 0 << false << false;
        QTest::newRow("name Escape") << false << int(Qt::Key_Escape) << 0 << true << false;
        QTest::newRow("name s is typing") << false << int(Qt::Key_S) << 0 << false << false;
    }
    void keys()
    {
        QFETCH(bool, inList);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, hides);
        QFETCH(bool, asksToDelete);
        Tiedosto *files = openBy(main->Menu_Avaa);
        files->selectEntry(1);
        messages->answers = {false};
        QWidget *target = inList ? static_cast<QWidget *>(files->Tiedostot()) : files->Tiedostonimi();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(files->isHidden(), hides);
        QCOMPARE(messages->shown.size(), asksToDelete ? 1 : 0);
        if (!inList && !hides)
            QCOMPARE(files->Tiedostonimi()->text(), QStringLiteral("matka.savs"));
    }

    void doubleClickInSaveModeAsksAndSaves()
    {
        main->rowField(0)->setText("2");
        Tiedosto *files = openBy(main->Menu_Tallenna);
        QListWidget *list = files->Tiedostot();
        QVERIFY(QTest::qWaitForWindowExposed(files));
        const QRect entry = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry.center());
        QCOMPARE(shown(), QStringList{"?Ylikirjoita: Sinulla on jo olemassa matka.sav niminen "
                                          "tiedosto. Korvataanko kyseinen tiedosto?"});
        QVERIFY(readBytes(stat("matka.sav")).startsWith("2\r\n"));
    }

    void overwriteWalkHasNoEntryLimit()
    {
        for (int i = 0; i < 300; ++i)
            QVERIFY(writeBytes(stat(QStringLiteral("m%1.sav").arg(i, 3, 10, QLatin1Char('0'))), recordA));
        Tiedosto *files = openBy(main->Menu_Avaa);
        files->Suorita_Toiminto(1);
        files->close();
        QTRY_VERIFY(!main->existingFileWindow());
        files = openBy(main->Menu_Tallenna);
        files->selectEntry(0);
        files->Tiedostonimi()->setText("m299");
        messages->answers = {false};
        files->Suorita_Toiminto(0);
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(files->Tiedostot()->currentRow(), int(listed(files).indexOf("m299.sav")));
    }
};

QTEST_MAIN(TestFileWindow)
#include "tst_filewindow.moc"
