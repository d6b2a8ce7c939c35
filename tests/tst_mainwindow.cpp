#include "MainWindowFixture.h"

#include "calibration/Kalibroi.h"
#include "help/Help.h"
#include "look/PictureButton.h"
#include "statistics/Stat.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QSignalSpy>

using namespace tankeli;

class TestMainWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    PictureButton *button(int k) const
    {
        return main->findChild<PictureButton *>(QStringLiteral("Nappi(%1)").arg(k));
    }

private slots:
    void cleanup() { stop(); }

    void startsWithCaptionsAndTexts()
    {
        Tankeli &w = start();
        QCOMPARE(w.windowTitle(), QStringLiteral("Tankeli v1.1 - Tankelin kehittäjät 2006"));
        QStringList captions;
        QStringList units;
        QStringList names;
        for (const QLabel *label : w.findChildren<QLabel *>()) {
            if (label->buddy())
                captions << label->text();
            else if (label->alignment() & Qt::AlignLeft)
                units << label->text();
        }
        for (int r = 0; r < tripRowCount; ++r)
            names << row(r)->accessibleName() + " / " + row(r)->accessibleDescription();
        QCOMPARE(captions, (QStringList{"Bensanhinta", "Bensankulutus", "Matka", "Kokonaiskulutus",
                                        "Yhteishinta", "Kuukausihinta", "Vuosihinta"}));
        QCOMPARE(units, (QStringList{"€ / Litra", "Litraa / 100 Km", "Kilometriä", "Litraa / matka",
                                     "€ / Matka", "€ / KK", "€ / Vuosi"}));
        QCOMPARE(names[4], QStringLiteral("Yhteishinta / € / Matka"));
        QCOMPARE(row(4)->toolTip(), QStringLiteral("Ajetun matkan hinta"));
        QCOMPARE(rows(), (QStringList{"1,3", "0", "0", "0", "0", "0", "0"}));
        // Each picture button is one push button to a screen reader, named by its caption.
        QStringList buttons;
        QAccessibleInterface *client = QAccessible::queryAccessibleInterface(w.centralWidget());
        for (int i = 0; i < client->childCount(); ++i) {
            const QAccessibleInterface *child = client->child(i);
            const QString name = child->text(QAccessible::Name);
            if (name == "Laske" || name == "Nollaa" || name == "Ohjeita")
                buttons << name + (child->role() == QAccessible::Button ? "" : " (not a button)");
        }
        QCOMPARE(buttons, (QStringList{"Laske", "Nollaa", "Ohjeita"}));
    }

    void settingsAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("calibrated");
        QTest::addColumn<bool>("timeView");
        QTest::addColumn<QString>("litres"); // after consumption 6,5 and distance 100
        QTest::newRow("calibrated, no time view")
            << QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n") << true << false << "6,825";
        QTest::newRow("defaults, price kept as written") << QByteArray("1,30\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
                                                         << false << true << "6,5";
        QTest::newRow("any case") << QByteArray("1,3\r\n110\r\n100\r\nfalse\r\ntrue\r\n") << false << true << "6,5";
    }
    void settingsAtStartUp()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, calibrated);
        QFETCH(bool, timeView);
        Tankeli &w = start(settings);
        QCOMPARE(row(0)->text(), QString::fromLatin1(settings.split('\r').first()));
        QCOMPARE(menu("Menu_Kalibroi")->isChecked(), calibrated);
        QCOMPARE(menu("Menu_Aika")->isChecked(), timeView);
        QCOMPARE(row(5)->isVisible(), timeView);
        QVERIFY(row(4)->isVisible());
        // Closing with no input writes the file back byte for byte.
        w.close();
        QCOMPARE(dirs->settings(), settings.replace("false", "False").replace("true", "True"));
        start(settings);
        setRows({"1,3", "6,5", "100"});
        QTest::keyClick(row(2), Qt::Key_L);
        QTEST(row(3)->text(), "litres");
    }

    void keysInFields_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("after");
        const QStringList calculated{"1,3", "6,5", "100", "6,5", "8,45", "253,5", "3084,25"};
        const QStringList reset{"1,3", "0", "0", "0", "0", "0", "0"};
        const QStringList untouched{"1,3", "6,5", "100", "0", "0", "0", "0"};
        QTest::newRow("L") << 1 << int(Qt::Key_L) << 0 << calculated;
        QTest::newRow("shift L") << 2 << int(Qt::Key_L) << int(Qt::ShiftModifier) << calculated;
        QTest::newRow("Alt+L calculates too") << 2 << int(Qt::Key_L) << int(Qt::AltModifier) << calculated;
        QTest::newRow("L in the year field") << 6 << int(Qt::Key_L) << 0 << calculated;
        QTest::newRow("N") << 0 << int(Qt::Key_N) << 0 << reset;
        QTest::newRow("shift N") << 3 << int(Qt::Key_N) << int(Qt::ShiftModifier) << reset;
        QTest::newRow("Alt+T types nothing") << 1 << int(Qt::Key_T) << int(Qt::AltModifier) << untouched;
        QTest::newRow("a digit is typed") << 3 << int(Qt::Key_7) << 0
                                          << QStringList{"1,3", "6,5", "100", "07", "0", "0", "0"};
    }
    void keysInFields()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        start();
        setRows({"1,3", "6,5", "100", "0", "0", "0", "0"});
        this->row(row)->setFocus();
        this->row(row)->end(false);
        QTest::keyClick(this->row(row), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(rows(), "after"); // a command letter itself is never typed
    }

    void typingThenCalculatingByKeyboard()
    {
        start();
        row(1)->setFocus();
        row(1)->clear();
        QTest::keyClicks(row(1), "6,5");
        QList<int> visited;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            for (int r = 0; r < tripRowCount; ++r)
                if (row(r)->hasFocus())
                    visited << r;
        }
        QCOMPARE(visited, (QList<int>{2, 3, 4, 0, 1, 2})); // the Enter ring of five rows
        row(2)->selectAll();
        QTest::keyClicks(row(2), "100l");
        QCOMPARE(rows(), (QStringList{"1,3", "6,5", "100", "6,5", "8,45", "253,5", "3084,25"}));
        row(5)->setFocus();
        QTest::keyClick(row(5), Qt::Key_Enter);
        QVERIFY(row(5)->hasFocus()); // the month row moves no focus
        QVERIFY(messages->shown.isEmpty());
    }

    // A result written into a field shows its beginning: a long number is never read
    // without its leading digits or its minus sign.
    void resultsShowTheirBeginning_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("litres") << QStringList{"1,3", "0", "15", "0", "1"} << 3 << "0,7692308";
        QTest::newRow("negative trip price") << QStringList{"-1,37", "6,3", "123"} << 4 << "-10,61613";
        QTest::newRow("exponent") << QStringList{"1,3", "6,5", "1E+11"} << 4 << "8,449999E+09";
    }
    void resultsShowTheirBeginning()
    {
        QFETCH(QStringList, fields);
        QFETCH(int, row);
        start();
        setRows(fields);
        this->row(row)->setFocus();
        QTest::keyClick(this->row(row), Qt::Key_L);
        QTEST(this->row(row)->text(), "text");
        for (int r = 0; r < tripRowCount; ++r)
            QCOMPARE(this->row(r)->cursorPosition(), 0);
    }

    void oOpensHelpAndEscapeClosesAndSaves()
    {
        Tankeli &w = start();
        QTest::keyClick(row(0), Qt::Key_O);
        QVERIFY(window<Help>() && window<Help>()->isVisible());
        QCOMPARE(window<Help>()->windowTitle(), QStringLiteral("Ohjeita"));
        w.activateWindow();
        row(0)->setText("1,45");
        QTest::keyClick(row(0), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(dirs->settings(), QByteArray("1,45\r\n0\r\n0\r\nFalse\r\nTrue\r\n"));
    }

    void menuShortcutsGoToTheMenu_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("command");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "Menu_Avaa";
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << "Menu_Tallenna";
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << "Menu_Kalibroi";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "Menu_Stat";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "Menu_Ohjeita";
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << "Menu_Lopeta";
    }
    void menuShortcutsGoToTheMenu()
    {
        QFETCH(int, key);
        QFETCH(QString, command);
        start();
        QSignalSpy triggered(menu(qPrintable(command)), &QAction::triggered);
        row(1)->setFocus();
        row(1)->setText("6,5");
        QTest::keyClick(row(1), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
        QCOMPARE(row(1)->text(), QStringLiteral("6,5"));
        QVERIFY(row(1)->selectedText().isEmpty());
    }

    void timeViewTogglesAndPersists()
    {
        Tankeli &w = start("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");
        QAction *timeView = menu("Menu_Aika");
        timeView->trigger();
        QVERIFY(!timeView->isChecked() && !row(6)->isVisible());
        timeView->trigger();
        QVERIFY(timeView->isChecked() && row(6)->isVisible());
        timeView->trigger();
        w.close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
    }

    void messagesOfTheMainWindow()
    {
        start();
        setRows({"1,3", "6.5", "100"});
        main->Suorita(0);
        QCOMPARE(row(1)->text(), QStringLiteral("6.5"));
        menu("Menu_Tietoja")->trigger();
        QCOMPARE(messages->shown,
                 (QStringList{"!Tankeli: Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu.",
                              "!Tietoja: Tankeli\r\n\r\nTankelin kehittäjät 2006\r\nTekijä : Tankeli-tiimi\r\n"
                              "https://www.example.org/tankeli\r\n\r\nOhjelman versio : v1.1\r\n"}));
        QCOMPARE(messages->icons, (QList<Messages::Icon>{Messages::Icon::None, Messages::Icon::Information}));
    }

    void clickingButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("onCaption");
        QTest::newRow("Laske") << 0 << false;
        QTest::newRow("Laske caption") << 0 << true;
        QTest::newRow("Nollaa") << 1 << false;
        QTest::newRow("Ohjeita caption") << 2 << true;
    }
    void clickingButtons()
    {
        QFETCH(int, button);
        QFETCH(bool, onCaption);
        Tankeli &w = start();
        setRows({"1,3", "6,5", "100"});
        PictureButton *face = this->button(button);
        const QPoint at = onCaption ? face->captionRect().center() : QPoint(3, 3);
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, face->mapTo(&w, at));
        QCOMPARE(row(3)->text(), button == 0 ? QStringLiteral("6,5") : QStringLiteral("0"));
        QCOMPARE(row(1)->text(), button == 1 ? QStringLiteral("0") : QStringLiteral("6,5"));
        QCOMPARE(window<Help>() != nullptr, button == 2);
    }

    // Moves are sent to the control under the pointer, as the window system does.
    void highlightFollowsThePointer()
    {
        Tankeli &w = start();
        const auto highlighted = [this] {
            QList<bool> h;
            for (int k = 0; k < 3; ++k)
                h << (button(k)->picture() != button((k + 1) % 3)->picture()
                      && button(k)->picture() != button((k + 2) % 3)->picture());
            return h;
        };
        QCOMPARE(highlighted(), (QList<bool>{false, false, false}));
        moveOver(button(0));
        QCOMPARE(highlighted(), (QList<bool>{true, false, false}));
        moveOver(button(1));
        QCOMPARE(highlighted(), (QList<bool>{false, true, false}));
        moveOver(row(3)); // a field leaves it on
        QCOMPARE(highlighted(), (QList<bool>{false, true, false}));
        moveOver(w.centralWidget(), QPoint(5, 150)); // the background clears it
        QCOMPARE(highlighted(), (QList<bool>{false, false, false}));
    }

    // Leaving the help, statistics or calibration window, however it is left, gives the
    // focus back to the field that had it, so typing goes on at once.
    void focusComesBackToTheField_data()
    {
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QString>("leave");
        for (const char *how : {"Sulje", "Escape", "S", "close box"})
            QTest::newRow(qPrintable(QStringLiteral("help, %1").arg(how))) << "Menu_Ohjeita" << how;
        for (const char *how : {"Sulje", "Escape", "S", "close box"})
            QTest::newRow(qPrintable(QStringLiteral("statistics, %1").arg(how))) << "Menu_Stat" << how;
        for (const char *how : {"Sulje", "close box"})
            QTest::newRow(qPrintable(QStringLiteral("calibration, %1").arg(how))) << "Menu_Kalibroi" << how;
    }
    void focusComesBackToTheField()
    {
        QFETCH(QString, opens);
        QFETCH(QString, leave);
        Tankeli &w = start();
        row(2)->setFocus();
        row(2)->setText("1");
        row(2)->end(false);
        menu(qPrintable(opens))->trigger();
        QTRY_VERIFY(QApplication::activeWindow() != &w);
        QWidget *secondary = QApplication::activeWindow();
        QVERIFY(secondary);
        if (leave == "Sulje") {
            auto *close = secondary->findChild<PictureButton *>(QStringLiteral("Nappi(0)"));
            QVERIFY(close);
            close->click();
        } else if (leave == "close box") {
            secondary->close();
        } else {
            QTest::keyClick(QApplication::focusWidget(), leave == "S" ? Qt::Key_S : Qt::Key_Escape);
        }
        QTRY_COMPARE(QApplication::activeWindow(), &w);
        QCOMPARE(QApplication::focusWidget(), row(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
        QCOMPARE(row(2)->text(), QStringLiteral("15"));
    }

    void gradientFillsTheClientArea()
    {
        Tankeli &w = start();
        w.resize(600, 500);
        QTRY_COMPARE(w.centralWidget()->width(), 600);
        const QImage image = w.centralWidget()->grab().toImage();
        const int h = image.height();
        QCOMPARE(QColor(image.pixel(2, 0)), QColor(234, 246, 255));
        QCOMPARE(QColor(image.pixel(image.width() - 1, h - 1)), QColor(97, 117, 136));
        QVERIFY(qAbs(QColor(image.pixel(2, h / 2)).red() - (234 + 97) / 2) <= 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
