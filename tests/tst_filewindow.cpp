#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "look/PictureButton.h"
#include "records/Tiedosto.h"

#include <QListWidget>

using namespace tankeli;

namespace {
const QByteArray recordA("1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n");
const QByteArray recordB("1,5\r\n6\r\n100\r\n9\r\n6\r\n");
} // namespace

class TestFileWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    Tiedosto *openBy(const char *command)
    {
        menu(command)->trigger();
        Tiedosto *files = window<Tiedosto>();
        if (files)
            (void)QTest::qWaitForWindowExposed(files);
        return files;
    }
    QListWidget *list() const { return in<QListWidget>(window<Tiedosto>(), "Tiedostot"); }
    QLineEdit *name() const { return in<QLineEdit>(window<Tiedosto>(), "Tiedostonimi"); }
    PictureButton *button(int k) const
    {
        return in<PictureButton>(window<Tiedosto>(), qPrintable(QStringLiteral("Nappi(%1)").arg(k)));
    }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->item(i)->text();
        return names;
    }

private slots:
    void init()
    {
        start();
        QVERIFY(writeBytes(dirs->stat("2006_03_07.sav"), recordA));
        QVERIFY(writeBytes(dirs->stat("matka.sav"), recordB));
    }
    void cleanup() { stop(); }

    void menusSetTheModeOfOneWindow()
    {
        Tiedosto *files = openBy("Menu_Avaa");
        QVERIFY(files && files->isVisible());
        QCOMPARE(files->windowTitle(), QStringLiteral("Avaa"));
        QCOMPARE(button(0)->text(), QStringLiteral("Avaa"));
        QCOMPARE(name()->text(), QString());
        QCOMPARE(listed(), (QStringList{"2006_03_07.sav", "matka.sav"}));
        QVERIFY(list()->selectedItems().isEmpty());
        QCOMPARE(QApplication::focusWidget(), list()); // the list's keys work at once
        QCOMPARE(openBy("Menu_Tallenna"), files);
        QCOMPARE(files->windowTitle(), QStringLiteral("Tallenna"));
        QCOMPARE(button(0)->text(), QStringLiteral("Tallenna"));
        QCOMPARE(name()->text(), QDate::currentDate().toString("yyyy_MM_dd"));
        QCOMPARE(list()->accessibleName(), QStringLiteral("Tallennetut tiedostot"));
    }

    void clickingAnEntryAndAvaaOpensTheTrip()
    {
        Tiedosto *files = openBy("Menu_Avaa");
        const QRect entry = list()->visualItemRect(list()->item(0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, entry.center());
        QCOMPARE(name()->text(), QStringLiteral("2006_03_07.sav"));
        QVERIFY(writeBytes(dirs->stat("uusi.sav"), recordB));
        QTest::mouseClick(button(0), Qt::LeftButton);
        QVERIFY(messages->shown.isEmpty());
        // Rows: price, consumption, distance, litres, trip price, month, year.
        QCOMPARE(rows(), (QStringList{"1,3", "7,5", "120", "9", "11,7", "351", "4270,5"}));
        QVERIFY(files->isHidden());
        QCOMPARE(listed().size(), 3); // read again
    }

    void savingTheTripAndOpeningItAgain()
    {
        setRows({"1,3", "6,5", "100"});
        main->Suorita(0);
        const QStringList saved = rows();
        openBy("Menu_Tallenna");
        name()->setText("reissu");
        QTest::mouseClick(button(0), Qt::LeftButton);
        QCOMPARE(readBytes(dirs->stat("reissu.sav")), QByteArray("1,3\r\n6,5\r\n100\r\n8,45\r\n6,5\r\n"));
        QVERIFY(listed().contains("reissu.sav") && window<Tiedosto>()->isVisible());
        list()->setCurrentRow(int(listed().indexOf("matka.sav")));
        name()->setText("toinen");
        QTest::mouseClick(button(0), Qt::LeftButton);
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("matka.sav")); // kept when read again
        QVERIFY(list()->currentItem()->isSelected());
        main->Suorita(1);
        openBy("Menu_Avaa");
        list()->setCurrentRow(int(listed().indexOf("reissu.sav")));
        QTest::mouseClick(button(0), Qt::LeftButton);
        QCOMPARE(rows(), saved);
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
        Tiedosto *files = openBy("Menu_Avaa");
        list()->setCurrentRow(1);
        messages->answers = {false};
        QWidget *target = inList ? static_cast<QWidget *>(list()) : name();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(files->isHidden(), hides);
        QCOMPARE(messages->shown.size(), asksToDelete ? 1 : 0);
        if (!inList && !hides)
            QCOMPARE(name()->text(), QStringLiteral("matka.savs"));
    }

    void doubleClickInSaveModeAsksAndSaves()
    {
        row(0)->setText("2");
        openBy("Menu_Tallenna");
        const QRect entry = list()->visualItemRect(list()->item(1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, entry.center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, entry.center());
        QCOMPARE(messages->shown, QStringList{"?Ylikirjoita: Sinulla on jo olemassa matka.sav niminen "
                                              "tiedosto. Korvataanko kyseinen tiedosto?"});
        QVERIFY(readBytes(dirs->stat("matka.sav")).startsWith("2\r\n"));
    }

    // The close box destroys the window; the next command makes a fresh one.
    void closeBoxGivesAFreshWindow()
    {
        Tiedosto *files = openBy("Menu_Avaa");
        name()->setText("jotain");
        QVERIFY(writeBytes(dirs->stat("uusi.sav"), recordB));
        files->close();
        QTRY_VERIFY(!window<Tiedosto>());
        openBy("Menu_Avaa");
        QCOMPARE(name()->text(), QString());
        QCOMPARE(listed().size(), 3);
    }
};

QTEST_MAIN(TestFileWindow)
#include "tst_filewindow.moc"
