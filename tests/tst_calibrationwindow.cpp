#include "MainWindowFixture.h"

#include "calibration/Kalibroi.h"
#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace tankeli;

class TestCalibrationWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    Kalibroi *open()
    {
        main->Menu_Kalibroi->trigger();
        return main->calibrationWindow();
    }
    void closeWindow()
    {
        QPointer<Kalibroi> window = main->calibrationWindow();
        window->Nappi_Komento(0);
        QTRY_VERIFY(window.isNull());
    }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void opensWithItsTexts()
    {
        Kalibroi *w = open();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Kalibrointi"));
        QCOMPARE(w->size(), QSize(318, 256));
        QCOMPARE(w->txt_Taulu()->toolTip(),
                 QStringLiteral("Aseta lukema, jonka olet ajanut nopeusnäyttöön."));
        QStringList names;
        for (QLineEdit *field : {w->txt_Taulu(), w->txt_Mittari(), w->txt_Virhe()})
            names << field->accessibleName();
        QCOMPARE(names, (QStringList{"Nopeusnäyttö", "Auton mittari", "Virhemarginaali"}));
        QAccessibleInterface *option = QAccessible::queryAccessibleInterface(w->Opti());
        QCOMPARE(option->role(), QAccessible::CheckBox);
        QCOMPARE(option->text(QAccessible::Name),
                 QStringLiteral("Käytä laskutoimituksessa kalibrointia"));
        QCOMPARE(option->state().checked, false);
        QCOMPARE(w->buttons()->Nappi(0)->accessibleName(), QStringLiteral("Sulje"));
        QCOMPARE(w->txt_Taulu()->pos(), QPoint(111, 77));
        QCOMPARE(w->buttons()->Nappi(0)->pos(), QPoint(103, 206));
        QCOMPARE(w->Opti()->pos(), QPoint(25, 177));
        for (QLabel *label : {w->txt_Otsikko(), w->txt_Vasen(0), w->txt_Vasen(1), w->txt_Vasen(2),
                              w->txt_Oikea(0), w->txt_Kalibrointia()}) {
            QVERIFY2(captionFits(label), qPrintable(label->text()));
        }
    }

    void marginsShown_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("margin");
        QTest::newRow("5") << "100" << "105" << "5 %" << 5.0f;
        QTest::newRow("3") << "97" << "100" << "3 %" << 3.0f;
        QTest::newRow("-10") << "110" << "100" << "-10 %" << -10.0f;
        QTest::newRow("0") << "80" << "80" << "0 %" << 0.0f;
        QTest::newRow("28") << "100" << "129" << "28 %" << 28.0f;
        QTest::newRow("-8") << "100" << "93" << "-8 %" << -8.0f;
        QTest::newRow("459") << "5" << "28" << "459 %" << 459.0f;
    }
    void marginsShown()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        Kalibroi *w = open();
        w->txt_Mittari()->setText(meter);
        w->txt_Taulu()->setText(display);
        QTEST(w->txt_Virhe()->text(), "shown");
        QTEST(main->Virhemarginaali, "margin");
    }

    void failedChangesKeepThePreviousMargin_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("display 0") << "0";
        QTest::newRow("empty display") << "";
    }
    void failedChangesKeepThePreviousMargin()
    {
        QFETCH(QString, display);
        Kalibroi *w = open();
        w->txt_Mittari()->setText("105");
        w->txt_Taulu()->setText("100");
        w->txt_Taulu()->setText(display);
        QCOMPARE(w->txt_Virhe()->text(), QStringLiteral("5 %"));
        QCOMPARE(main->Virhemarginaali, 5.0f);
        QVERIFY(messages->shown.isEmpty());
    }

    void typingRecomputesOnEveryKey()
    {
        Kalibroi *w = open();
        w->txt_Mittari()->setText("126");
        w->txt_Taulu()->clear();
        QList<float> margins;
        for (char digit : {'1', '2', '0'}) {
            QTest::keyClick(w->txt_Taulu(), digit);
            margins << main->Virhemarginaali;
        }
        QCOMPARE(margins, (QList<float>{12500, 950, 5})); // displays 1, 12 and 120
    }

    void calculationUsesTheMarginWhileTheWindowIsOpen()
    {
        main->Kalibrointi_Kaytossa = true;
        Kalibroi *w = open();
        w->txt_Mittari()->setText("105");
        w->txt_Taulu()->setText("100");
        main->rowField(1)->setText("6,5");
        main->rowField(2)->setText("100");
        main->Suorita(0);
        QCOMPARE(main->rowField(3)->text(), QStringLiteral("6,825"));
        QCOMPARE(main->rowField(4)->text(), QStringLiteral("8,872499"));
    }

    void closingCommitsReadingsAndChoice_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("meter");
        QTest::addColumn<int>("toggles");
        QTest::addColumn<int>("committedDisplay");
        QTest::addColumn<int>("committedMeter");
        QTest::addColumn<bool>("on");
        QTest::newRow("97,5 to 98, toggled once") << "97,5" << "100" << 1 << 98 << 100 << true;
        QTest::newRow("96,5 to 96, toggled twice") << "96,5" << "100" << 2 << 96 << 100 << false;
        QTest::newRow("empty display keeps 0") << "" << "104" << 1 << 0 << 104 << true;
        QTest::newRow("beyond 16 bits keeps 0") << "100" << "40000" << 0 << 100 << 0 << false;
    }
    void closingCommitsReadingsAndChoice()
    {
        QFETCH(QString, display);
        QFETCH(QString, meter);
        QFETCH(int, toggles);
        Kalibroi *w = open();
        w->txt_Taulu()->setText(display);
        w->txt_Mittari()->setText(meter);
        for (int i = 0; i < toggles; ++i)
            QTest::mouseClick(w->Opti(), Qt::LeftButton);
        QCOMPARE(main->Kalibrointi_Kaytossa, false); // only closing commits the choice
        closeWindow();
        QTEST(int(main->Taulun_Lukema), "committedDisplay");
        QTEST(int(main->Mittarin_Lukema), "committedMeter");
        QTEST(main->Kalibrointi_Kaytossa, "on");
        QTEST(main->Menu_Kalibroi->isChecked(), "on");
    }

    void reopeningShowsTheCommittedReadings()
    {
        Kalibroi *w = open();
        w->txt_Taulu()->setText("97,5");
        w->txt_Mittari()->setText("100");
        closeWindow();
        w = open();
        QCOMPARE(w->txt_Taulu()->text(), QStringLiteral("98"));
        QCOMPARE(w->txt_Mittari()->text(), QStringLiteral("100"));
        QCOMPARE(w->txt_Virhe()->text(), QStringLiteral("2 %"));
        QCOMPARE(main->Virhemarginaali, 2.0f);
        QVERIFY(!w->choiceIsOn());
    }

    void settingsGiveMarginAndChoice()
    {
        start("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        QCOMPARE(main->Virhemarginaali, 5.0f);
        QVERIFY(main->calibrationWindow()->isHidden());
        QVERIFY(main->calibrationWindow()->choiceIsOn());
        QCOMPARE(int(main->Taulun_Lukema), 0); // nothing committed until the window closes
        Kalibroi *w = open();
        QCOMPARE(w->txt_Virhe()->text(), QStringLiteral("5 %"));
        QTest::mouseClick(w->Opti(), Qt::LeftButton); // an open window's choice is not saved
        w->txt_Mittari()->setText("110");
        main->close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n100\r\n110\r\nTrue\r\nFalse\r\n"));
    }

    void closedWindowsReadingsAreSaved()
    {
        Kalibroi *w = open();
        w->txt_Taulu()->setText("90");
        w->txt_Mittari()->setText("95,4");
        closeWindow();
        main->close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n90\r\n95\r\nFalse\r\nTrue\r\n"));
    }

    void missingOptionPictureStopsTheStart()
    {
        TestFolders folders;
        QVERIFY(QFile::remove(folders.path("pic/option2.gif")));
        Tankeli w(folders.folders());
        QVERIFY(w.Form_Load().contains(QStringLiteral("option2.gif")));
    }
};

QTEST_MAIN(TestCalibrationWindow)
#include "tst_calibrationwindow.moc"
