#include "MainWindowFixture.h"

#include "calibration/Kalibroi.h"
#include "look/PictureButton.h"

#include <QAccessible>
#include <QPointer>

using namespace tankeli;

class TestCalibrationWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    Kalibroi *open()
    {
        menu("Menu_Kalibroi")->trigger();
        Kalibroi *w = window<Kalibroi>();
        if (w)
            waitActive(w);
        return w;
    }
    void closeWindow()
    {
        QPointer<Kalibroi> w = window<Kalibroi>();
        in<PictureButton>(w, "Nappi(0)")->click();
        QTRY_VERIFY(w.isNull());
    }
    QLineEdit *field(const char *name) const { return in<QLineEdit>(window<Kalibroi>(), name); }
    PictureButton *option() const { return in<PictureButton>(window<Kalibroi>(), "Opti"); }

private slots:
    void init() { start("1,3\r\n100\r\n105\r\nFalse\r\nTrue\r\n"); }
    void cleanup() { stop(); }

    void opensWithItsTexts()
    {
        Kalibroi *w = open();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Kalibrointi"));
        QCOMPARE(field("txt_Taulu")->toolTip(), QStringLiteral("Aseta lukema, jonka olet ajanut nopeusnäyttöön."));
        QCOMPARE((QStringList{field("txt_Taulu")->text(), field("txt_Mittari")->text(), field("txt_Virhe")->text()}),
                 (QStringList{"100", "105", "5 %"}));
        QCOMPARE(field("txt_Mittari")->accessibleName() + " / " + field("txt_Mittari")->accessibleDescription(),
                 QStringLiteral("Auton mittari / Km / h"));
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(option());
        QCOMPARE(box->role(), QAccessible::CheckBox);
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Käytä laskutoimituksessa kalibrointia"));
        QVERIFY(!box->state().checked);
        QCOMPARE(QApplication::focusWidget(), field("txt_Taulu"));
        // The keyboard reaches the choice after the readings.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), option());
    }

    void typingRecomputesOnEveryKey()
    {
        open();
        field("txt_Mittari")->setText("126");
        field("txt_Taulu")->clear();
        QStringList shown;
        for (char digit : {'1', '2', '0'}) {
            QTest::keyClick(field("txt_Taulu"), digit);
            shown << field("txt_Virhe")->text();
        }
        QCOMPARE(shown, (QStringList{"12500 %", "950 %", "5 %"})); // displays 1, 12 and 120
        field("txt_Taulu")->clear(); // an empty display keeps the margin
        QCOMPARE(field("txt_Virhe")->text(), QStringLiteral("5 %"));
    }

    // However the choice is changed, the picture, what a screen reader reads and what
    // closing commits agree.
    void oneChoiceHoweverItIsToggled_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click on the picture") << "picture";
        QTest::newRow("click on the caption") << "caption";
        QTest::newRow("screen reader's toggle") << "accessible";
        QTest::newRow("Space on the focused choice") << "space";
    }
    void oneChoiceHoweverItIsToggled()
    {
        QFETCH(QString, how);
        open();
        const QPixmap *off = option()->picture();
        if (how == "picture") {
            QTest::mouseClick(option(), Qt::LeftButton);
        } else if (how == "caption") {
            QTest::mouseClick(in<QLabel>(window<Kalibroi>(), "txt_Kalibrointia"), Qt::LeftButton);
        } else if (how == "accessible") {
            QAccessible::queryAccessibleInterface(option())->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        } else {
            option()->setFocus();
            QTest::keyClick(option(), Qt::Key_Space);
        }
        QVERIFY(option()->picture() != off);
        QVERIFY(QAccessible::queryAccessibleInterface(option())->state().checked);
        closeWindow();
        QVERIFY(menu("Menu_Kalibroi")->isChecked());
        main->close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nTrue\r\n"));
    }

    // The choice shown goes back to the one in force when the window comes back from
    // the main window, but not from another program or from being minimised.
    void choiceAfterLeavingTheWindow_data()
    {
        QTest::addColumn<QString>("via");
        QTest::addColumn<bool>("kept");
        QTest::newRow("the main window") << "main" << false;
        QTest::newRow("another program") << "other" << true;
        QTest::newRow("minimised") << "minimised" << true;
    }
    void choiceAfterLeavingTheWindow()
    {
        QFETCH(QString, via);
        QFETCH(bool, kept);
        Kalibroi *w = open();
        QTest::mouseClick(option(), Qt::LeftButton);
        QWidget other;
        if (via == "main") {
            main->activateWindow();
            QVERIFY(waitActive(main.get()));
        } else if (via == "other") {
            other.show();
            other.activateWindow();
            QVERIFY(waitActive(&other));
        } else {
            w->showMinimized();
            QTest::qWait(20);
            w->showNormal();
        }
        w->activateWindow();
        QVERIFY(waitActive(w));
        QCOMPARE(option()->isChecked(), kept);
        QCOMPARE(QAccessible::queryAccessibleInterface(option())->state().checked, kept);
    }

    // A reading that is no reading at closing keeps the one in force, and so does the
    // settings file.
    void closingWithAnEmptiedReading()
    {
        open();
        field("txt_Taulu")->clear();
        closeWindow();
        open();
        QCOMPARE(field("txt_Taulu")->text(), QStringLiteral("100"));
        field("txt_Taulu")->setText("97,5");
        field("txt_Mittari")->setText("100");
        closeWindow();
        open();
        QCOMPARE((QStringList{field("txt_Taulu")->text(), field("txt_Virhe")->text()}), (QStringList{"98", "2 %"}));
        field("txt_Mittari")->setText("abc");
        main->close(); // the window is open: its readings are saved, the choice is not
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n98\r\n100\r\nFalse\r\nTrue\r\n"));
    }

    void calculationUsesTheMarginWhileTheWindowIsOpen()
    {
        start("1,3\r\n0\r\n0\r\nTrue\r\nTrue\r\n");
        open();
        field("txt_Mittari")->setText("105");
        field("txt_Taulu")->setText("100");
        setRows({"1,3", "6,5", "100"});
        main->Suorita(0);
        QCOMPARE(row(3)->text(), QStringLiteral("6,825"));
    }
};

QTEST_MAIN(TestCalibrationWindow)
#include "tst_calibrationwindow.moc"
