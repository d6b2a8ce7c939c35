#include "MainWindowFixture.h"

#include "help/Help.h"
#include "look/PictureButton.h"

#include <QAccessible>

using namespace tankeli;

class TestMainWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    PictureButton *button(int k) const { return main->findChild<PictureButton *>(QStringLiteral("Nappi(%1)").arg(k)); }
    int highlighted() const
    {
        for (int k = 0; k < 3; ++k)
            if (button(k)->picture() != button((k + 1) % 3)->picture() && button(k)->picture() != button((k + 2) % 3)->picture())
                return k;
        return -1;
    }

private slots:
    void cleanup() { stop(); }

    void startsWithCaptionsAndTexts()
    {
        Tankeli &w = start();
        QCOMPARE(w.windowTitle(), QStringLiteral("Tankeli v1.1 - Tankelin kehittäjät 2006"));
        QStringList rowTexts;
        for (const QLabel *label : w.findChildren<QLabel *>())
            if (label->buddy())
                rowTexts << label->text() + " [" + label->buddy()->accessibleName() + ", "
                        + label->buddy()->accessibleDescription() + "]";
        QCOMPARE(rowTexts.join(' '), QStringLiteral(
            "Bensanhinta [Bensanhinta, € / Litra] Bensankulutus [Bensankulutus, Litraa / 100 Km] Matka [Matka, Kilometriä] "
            "Kokonaiskulutus [Kokonaiskulutus, Litraa / matka] Yhteishinta [Yhteishinta, € / Matka] "
            "Kuukausihinta [Kuukausihinta, € / KK] Vuosihinta [Vuosihinta, € / Vuosi]"));
        QCOMPARE(row(4)->toolTip(), QStringLiteral("Ajetun matkan hinta"));
        QCOMPARE(rows(), QStringLiteral("1,3;0;0;0;0;0;0"));
        // Each picture button is one push button to a screen reader, named by its caption.
        QStringList named;
        QAccessibleInterface *client = QAccessible::queryAccessibleInterface(w.centralWidget());
        for (int i = 0; i < client->childCount(); ++i)
            if (QStringList{"Laske", "Nollaa", "Ohjeita"}.contains(client->child(i)->text(QAccessible::Name)))
                named << client->child(i)->text(QAccessible::Name) + (client->child(i)->role() == QAccessible::Button ? "" : "?");
        QCOMPARE(named.join(' '), QStringLiteral("Laske Nollaa Ohjeita"));
    }

    void settingsAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("shown"); // Kalibrointi checked, time view, litres of 6,5 over 100 km
        QTest::newRow("calibrated, no time view") << QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n") << "1 0 6,825";
        QTest::newRow("defaults, price as written") << QByteArray("1,30\r\n0\r\n0\r\nFalse\r\nTrue\r\n") << "0 1 6,5";
    }
    void settingsAtStartUp()
    {
        QFETCH(QByteArray, settings);
        Tankeli &w = start(settings);
        QCOMPARE(row(0)->text(), QString::fromLatin1(settings.split('\r').first()));
        w.close(); // closing with no input writes the file back byte for byte
        QCOMPARE(dirs->settings(), settings);
        start(settings);
        setRows({"1,3", "6,5", "100"});
        QTest::keyClick(row(2), Qt::Key_L);
        QTEST(QStringList({QString::number(menu("Menu_Kalibroi")->isChecked()), QString::number(row(5)->isVisible()),
                           row(3)->text()}).join(' '), "shown");
    }

    // A key in a field, with the fields "1,3;6,5;100;0;0;0;0" and the cursor at the end:
    // the fields and the focused one, the window it opened, or the price saved at the end.
    void keysInFields_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        const QString calculated = "1,3;6,5;100;6,5;8,45;253,5;3084,25 row";
        const QString untouched = "1,3;6,5;100;0;0;0;0 row";
        const QList<std::tuple<const char *, int, int, int, QString>> rows{
            {"L", 1, Qt::Key_L, 0, calculated + "1"}, {"shift L", 2, Qt::Key_L, Qt::ShiftModifier, calculated + "2"},
            {"Alt+L calculates too", 2, Qt::Key_L, Qt::AltModifier, calculated + "2"},
            {"L in the year field", 6, Qt::Key_L, 0, calculated + "6"},
            {"shift N", 3, Qt::Key_N, Qt::ShiftModifier, "1,3;0;0;0;0;0;0 row3"},
            {"Alt+T types nothing", 1, Qt::Key_T, Qt::AltModifier, untouched + "1"},
            {"a digit is typed", 3, Qt::Key_7, 0, "1,3;6,5;100;07;0;0;0 row3"},
            {"Enter moves on", 1, Qt::Key_Return, 0, untouched + "2"},
            {"Enter after the trip price goes round", 4, Qt::Key_Enter, 0, untouched + "0"},
            {"Enter in the month field stays", 5, Qt::Key_Return, 0, untouched + "5"},
            {"O opens the help", 0, Qt::Key_O, 0, "window Ohjeita"},
            {"Ctrl+A is the menu's", 1, Qt::Key_A, Qt::ControlModifier, "window Avaa"},
            {"Ctrl+T", 1, Qt::Key_T, Qt::ControlModifier, "window Tallenna"},
            {"Ctrl+K", 1, Qt::Key_K, Qt::ControlModifier, "window Kalibrointi"},
            {"Ctrl+S", 1, Qt::Key_S, Qt::ControlModifier, "window Statistiikka"},
            {"Ctrl+O", 1, Qt::Key_O, Qt::ControlModifier, "window Ohjeita"},
            {"Ctrl+L ends", 1, Qt::Key_L, Qt::ControlModifier, "ended 1,3"},
            {"Escape ends and saves", 0, Qt::Key_Escape, 0, "ended 1,45"}};
        for (const auto &[name, row, key, modifiers, after] : rows)
            QTest::newRow(name) << row << key << modifiers << after;
    }
    void keysInFields()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        start();
        setRows({key == Qt::Key_Escape ? "1,45" : "1,3", "6,5", "100", "0", "0", "0", "0"});
        this->row(row)->setFocus();
        this->row(row)->end(false);
        QTest::keyClick(this->row(row), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QString after = rows() + " " + (main->focusWidget() ? main->focusWidget()->objectName() : QString());
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != main.get())
                after = "window " + w->windowTitle();
        if (!main->isVisible())
            after = "ended " + QString::fromLatin1(dirs->settings().split('\r').first());
        QTEST(after, "after"); // a command letter itself is never typed
    }

    // A result written into a field shows its beginning: a long number is never read
    // without its leading digits or its minus sign.
    void resultsShowTheirBeginning_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("result"); // the row and its text
        QTest::newRow("litres") << QStringList{"1,3", "0", "15", "0", "1"} << "3 0,7692308";
        QTest::newRow("negative trip price") << QStringList{"-1,37", "6,3", "123"} << "4 -10,61613";
        QTest::newRow("exponent") << QStringList{"1,3", "6,5", "1E+11"} << "4 8,449999E+09";
    }
    void resultsShowTheirBeginning()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, result);
        start();
        setRows(fields);
        QTest::keyClick(row(2), Qt::Key_L);
        QCOMPARE(result.section(' ', 0, 0) + ' ' + row(result.section(' ', 0, 0).toInt())->text(), result);
        for (int r = 0; r < tripRowCount; ++r)
            QCOMPARE(row(r)->cursorPosition(), 0);
    }

    void timeViewAndMessages()
    {
        Tankeli &w = start();
        menu("Menu_Aika")->trigger();
        QVERIFY(!row(6)->isVisible());
        setRows({"1,3", "6.5", "100"});
        main->Suorita(0);
        QCOMPARE(row(1)->text(), QStringLiteral("6.5"));
        menu("Menu_Tietoja")->trigger();
        QCOMPARE(messages->shown, (QStringList{"!Tankeli: Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu.",
                                               "!Tietoja: Tankeli\r\n\r\nTankelin kehittäjät 2006\r\nTekijä : Tankeli-tiimi\r\n"
                                               "https://www.example.org/tankeli\r\n\r\nOhjelman versio : v1.1\r\n"}));
        QCOMPARE(messages->icons, (QList<Messages::Icon>{Messages::Icon::None, Messages::Icon::Information}));
        w.close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
    }

    // Clicks on a button or its caption run its command; moves highlight the button
    // under the pointer until the pointer moves over the background.
    void buttonsUnderThePointer()
    {
        Tankeli &w = start();
        setRows({"1,3", "6,5", "100"});
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, button(0)->mapTo(&w, button(0)->captionRect().center()));
        QCOMPARE(row(3)->text(), QStringLiteral("6,5"));
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, button(1)->mapTo(&w, QPoint(3, 3)));
        QCOMPARE(row(1)->text(), QStringLiteral("0"));
        moveOver(w.centralWidget(), QPoint(5, 150));
        QCOMPARE(highlighted(), -1);
        moveOver(button(0));
        QCOMPARE(highlighted(), 0);
        moveOver(button(2), button(2)->captionRect().center());
        QCOMPARE(highlighted(), 2);
        moveOver(row(3)); // a field leaves it on
        QCOMPARE(highlighted(), 2);
        moveOver(w.centralWidget(), QPoint(5, 150));
        QCOMPARE(highlighted(), -1);
    }

    // Leaving the help, statistics or calibration window, however it is left, gives the
    // focus back to the field that had it, so typing goes on at once.
    void focusComesBackToTheField_data()
    {
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QString>("leave");
        for (const char *how : {"Sulje", "Escape", "S", "close box"}) {
            QTest::newRow(qPrintable(QStringLiteral("help, %1").arg(how))) << "Menu_Ohjeita" << how;
            QTest::newRow(qPrintable(QStringLiteral("statistics, %1").arg(how))) << "Menu_Stat" << how;
        }
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
        if (leave == "Sulje")
            secondary->findChild<PictureButton *>(QStringLiteral("Nappi(0)"))->click();
        else if (leave == "close box")
            secondary->close();
        else
            QTest::keyClick(QApplication::focusWidget(), leave == "S" ? Qt::Key_S : Qt::Key_Escape);
        QTRY_COMPARE(QApplication::activeWindow(), &w);
        QCOMPARE(QApplication::focusWidget(), row(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
        QCOMPARE(row(2)->text(), QStringLiteral("15"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
