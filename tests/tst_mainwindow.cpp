#include "MainWindowFixture.h"

#include "help/Help.h"
#include "look/GradientBackground.h"
#include "mainwindow/Tankeli.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace tankeli;

namespace {
QPoint centreOf(const QWidget *widget, const QWidget *window)
{
    return widget->mapTo(window, widget->rect().center());
}
} // namespace

class TestMainWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

private slots:
    void cleanup() { stop(); }

    void startsWithCaptionsAndTexts()
    {
        Tankeli &w = start();
        QCOMPARE(w.windowTitle(), QStringLiteral("Tankeli v1.1 - Tankelin kehittäjät 2006"));
        QCOMPARE(w.txt_Otsikko()->text(),
                 QStringLiteral("Tankelilla voit laskea autosi kulutusta matkojen pituuksilta "
                                "esimerkiksi hinnan tai litrojen suhteen."));
        QStringList captions, units, names;
        for (int row = 0; row < Tankeli::rowCount; ++row) {
            captions << w.txt_Vasen(row)->text();
            units << w.txt_Oikea(row)->text();
            names << w.rowField(row)->accessibleName();
        }
        const QStringList expectedCaptions{"Bensanhinta", "Bensankulutus", "Matka", "Kokonaiskulutus",
                                           "Yhteishinta", "Kuukausihinta", "Vuosihinta"};
        QCOMPARE(captions, expectedCaptions);
        QCOMPARE(names, expectedCaptions);
        QCOMPARE(units, (QStringList{"€ / Litra", "Litraa / 100 Km", "Kilometriä", "Litraa / matka",
                                     "€ / Matka", "€ / KK", "€ / Vuosi"}));
        QCOMPARE(w.rowField(4)->toolTip(), QStringLiteral("Ajetun matkan hinta"));
        QCOMPARE(rows(), (QStringList{"1,3", "0", "0", "0", "0", "0", "0"}));
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(w.buttons()->Nappi(k)->accessibleName(),
                     (QStringList{"Laske", "Nollaa", "Ohjeita"})[k]);
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w.buttons()->Nappi(k));
            QCOMPARE(face->role(), QAccessible::Button);
            QCOMPARE(face->text(QAccessible::Name), w.buttons()->Nappi_Txt(k)->text());
        }
    }

    void everyCaptionFitsItsLabel()
    {
        Tankeli &w = start();
        QList<QLabel *> labels{w.txt_Otsikko()};
        for (int row = 0; row < Tankeli::rowCount; ++row)
            labels << w.txt_Vasen(row) << w.txt_Oikea(row);
        for (int k = 0; k < 3; ++k)
            labels << w.buttons()->Nappi_Txt(k);
        for (QLabel *label : labels)
            QVERIFY2(captionFits(label), qPrintable(label->text()));
    }

    void settingsAtStartUp_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<float>("margin");
        QTest::addColumn<bool>("calibrated");
        QTest::addColumn<bool>("timeView");
        QTest::newRow("calibrated, no time view")
            << QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n") << 5.0f << true << false;
        QTest::newRow("defaults") << QByteArray("1,30\r\n0\r\n0\r\nFalse\r\nTrue\r\n") << 0.0f
                                  << false << true;
        QTest::newRow("display 110") << QByteArray("1,3\r\n110\r\n100\r\nfalse\r\ntrue\r\n")
                                     << -10.0f << false << true;
    }
    void settingsAtStartUp()
    {
        QFETCH(QByteArray, settings);
        Tankeli &w = start(settings);
        QCOMPARE(w.Txt_Bensanhinta()->text(), QString::fromLatin1(settings.split('\r').first()));
        QTEST(w.Virhemarginaali, "margin");
        QTEST(w.Kalibrointi_Kaytossa, "calibrated");
        QTEST(w.Menu_Kalibroi->isChecked(), "calibrated");
        QTEST(w.Menu_Aika->isChecked(), "timeView");
        QTEST(w.rowField(5)->isVisible(), "timeView");
        QTEST(w.txt_Vasen(6)->isVisible(), "timeView");
        QTEST(w.txt_Oikea(6)->isVisible(), "timeView");
        QVERIFY(w.rowField(4)->isVisible());
        // Closing with no input writes the file back byte for byte.
        w.close();
        QCOMPARE(dirs->settings(), settings.replace("false", "False").replace("true", "True"));
    }

    void calibratedCalculationUsesTheMargin()
    {
        Tankeli &w = start("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        setRows({"1,3", "6,5", "100"});
        QTest::keyClick(w.rowField(2), Qt::Key_L);
        QCOMPARE(rows(), (QStringList{"1,3", "6,5", "100", "6,825", "8,872499", "266,175",
                                           "3238,462"}));
    }

    void startUpRefusesBrokenFiles_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("removedPicture");
        QTest::addColumn<QString>("named");
        QTest::newRow("missing settings") << QByteArray() << "" << "Arvot.txt";
        QTest::newRow("bad truth") << QByteArray("1,3\r\n0\r\n0\r\nJoo\r\nTrue\r\n") << ""
                                   << "Arvot.txt";
        QTest::newRow("missing picture") << QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
                                         << "button2.gif" << "button2.gif";
    }
    void startUpRefusesBrokenFiles()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, removedPicture);
        QFETCH(QString, named);
        TestFolders folders(settings.isEmpty() ? QByteArray() : settings);
        if (!removedPicture.isEmpty())
            QVERIFY(QFile::remove(folders.path("pic/" + removedPicture)));
        Tankeli w(folders.folders());
        const QString error = w.Form_Load();
        QVERIFY2(error.contains(named), qPrintable(error));
        w.close(); // a window that never loaded writes nothing
        QCOMPARE(folders.settings(), settings);
    }

    void calculationFailureShowsMessageAndKeepsFields_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("hidden year field") << QStringList{"1,3", "6,5", "100", "0", "0", "0", "x"};
        QTest::newRow("price 0, case C") << QStringList{"0", "0", "100", "0", "8,45", "0", "0"};
    }
    void calculationFailureShowsMessageAndKeepsFields()
    {
        QFETCH(QStringList, fields);
        Tankeli &w = start("1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n");
        setRows(fields);
        w.Suorita(0);
        QCOMPARE(rows(), fields);
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].text,
                 QStringLiteral("Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu."));
        QCOMPARE(messages->shown[0].title, QStringLiteral("Tankeli"));
        QCOMPARE(messages->shown[0].icon, Messages::Icon::None);
    }

    void keysInFields_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("after");
        const QStringList calculated{"1,3", "6,5", "100", "6,5", "8,45", "253,5", "3084,25"};
        const QStringList reset{"1,3", "0", "0", "0", "0", "0", "0"};
        QTest::newRow("L") << 1 << int(Qt::Key_L) << 0 << calculated;
        QTest::newRow("shift L") << 2 << int(Qt::Key_L) << int(Qt::ShiftModifier) << calculated;
        QTest::newRow("L in the year field") << 6 << int(Qt::Key_L) << 0 << calculated;
        QTest::newRow("N") << 0 << int(Qt::Key_N) << 0 << reset;
        QTest::newRow("shift N") << 3 << int(Qt::Key_N) << int(Qt::ShiftModifier) << reset;
    }
    void keysInFields()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Tankeli &w = start();
        setRows({"1,3", "6,5", "100", "0", "0", "0", "0"});
        w.rowField(row)->setFocus();
        QTest::keyClick(w.rowField(row), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(rows(), "after"); // the letter itself is never typed
    }

    void typingThenCalculatingByKeyboard()
    {
        Tankeli &w = start();
        w.rowField(1)->clear();
        QTest::keyClicks(w.rowField(1), "6,5");
        QTest::keyClick(w.rowField(1), Qt::Key_Return);
        QVERIFY(w.rowField(2)->hasFocus());
        w.rowField(2)->selectAll();
        QTest::keyClicks(w.rowField(2), "100l");
        QCOMPARE(rows(), (QStringList{"1,3", "6,5", "100", "6,5", "8,45", "253,5", "3084,25"}));
        QTest::keyClicks(w.rowField(2), "l"); // a second calculation finds all fields valid
        QVERIFY(messages->shown.isEmpty());
    }

    void enterWalksTheRing()
    {
        Tankeli &w = start();
        w.rowField(0)->setFocus();
        QList<int> visited;
        for (int i = 0; i < 6; ++i) {
            QLineEdit *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            QTest::keyClick(focused, Qt::Key_Return);
            for (int row = 0; row < Tankeli::rowCount; ++row)
                if (w.rowField(row)->hasFocus())
                    visited << row;
        }
        QCOMPARE(visited, (QList<int>{1, 2, 3, 4, 0, 1}));
        w.rowField(5)->setFocus();
        QTest::keyClick(w.rowField(5), Qt::Key_Enter);
        QVERIFY(w.rowField(5)->hasFocus());
    }

    void oOpensHelpAndEscapeClosesAndSaves()
    {
        Tankeli &w = start();
        QTest::keyClick(w.rowField(0), Qt::Key_O);
        QVERIFY(w.helpWindow() && w.helpWindow()->isVisible());
        QCOMPARE(w.helpWindow()->windowTitle(), QStringLiteral("Ohjeita"));
        QCOMPARE(w.rowField(0)->text(), QStringLiteral("1,3"));

        w.activateWindow();
        w.rowField(0)->setText("1,45");
        QTest::keyClick(w.rowField(0), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(dirs->settings(), QByteArray("1,45\r\n0\r\n0\r\nFalse\r\nTrue\r\n"));
    }

    void menuShortcutsGoToTheMenu_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("command");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "Avaa";
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << "Tallenna";
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << "Kalibrointi";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "Statistiikka";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "Ohjeita";
    }
    void menuShortcutsGoToTheMenu()
    {
        QFETCH(int, key);
        QFETCH(QString, command);
        Tankeli &w = start();
        QAction *action = nullptr;
        for (QAction *a : {w.Menu_Avaa, w.Menu_Tallenna, w.Menu_Kalibroi, w.Menu_Stat, w.Menu_Ohjeita})
            if (a->text() == command)
                action = a;
        QSignalSpy triggered(action, &QAction::triggered);
        w.rowField(1)->setFocus();
        w.rowField(1)->setText("6,5");
        QTest::keyClick(w.rowField(1), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(triggered.count(), 1);
        QCOMPARE(w.rowField(1)->text(), QStringLiteral("6,5"));
        QVERIFY(w.rowField(1)->selectedText().isEmpty());
    }

    void ctrlLClosesTheProgram()
    {
        Tankeli &w = start();
        w.rowField(0)->setFocus();
        QTest::keyClick(w.rowField(0), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!w.isVisible());
        QVERIFY(!dirs->settings().isEmpty());
    }

    void timeViewTogglesAndPersists()
    {
        Tankeli &w = start("1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n");
        w.Menu_Aika->trigger();
        QVERIFY(!w.Menu_Aika->isChecked());
        QVERIFY(!w.rowField(6)->isVisible());
        QVERIFY(!w.txt_Vasen(5)->isVisible());
        w.Menu_Aika->trigger();
        QVERIFY(w.Menu_Aika->isChecked());
        QVERIFY(w.rowField(6)->isVisible() && w.txt_Oikea(5)->isVisible());
        w.Menu_Aika->trigger();
        w.close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n0\r\n0\r\nFalse\r\nFalse\r\n"));
    }

    void unwritableSettingsAreReportedAtClosing()
    {
        Tankeli &w = start();
        QVERIFY(QDir(dirs->path("Data")).removeRecursively());
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].icon, Messages::Icon::Critical);
        QVERIFY(messages->shown[0].text.contains(QStringLiteral("Arvot.txt")));
    }

    void kalibrointiKeepsItsCheckMark()
    {
        Tankeli &w = start("1,3\r\n100\r\n105\r\nTrue\r\nFalse\r\n");
        w.Menu_Kalibroi->trigger();
        QVERIFY(w.Menu_Kalibroi->isChecked());
    }

    void aboutBox()
    {
        Tankeli &w = start();
        w.Menu_Tietoja->trigger();
        QCOMPARE(messages->shown.size(), 1);
        const auto &about = messages->shown[0];
        QCOMPARE(about.title, QStringLiteral("Tietoja"));
        QCOMPARE(about.icon, Messages::Icon::Information);
        QCOMPARE(about.text, QStringLiteral("Tankeli\r\n\r\nTankelin kehittäjät 2006\r\n"
                                            "Tekijä : Tankeli-tiimi\r\nhttps://www.example.org/tankeli"
                                            "\r\n\r\nOhjelman versio : v1.1\r\n"));
    }

    void layoutAtTheDesignedSize()
    {
        Tankeli &w = start();
        QCOMPARE(w.client()->size(), QSize(424, 320));
        QCOMPARE(w.rowField(6)->pos(), QPoint(184, 238));
        QCOMPARE(w.txt_Vasen(6)->pos(), QPoint(61, 238));
        QCOMPARE(w.buttons()->Nappi(2)->pos(), QPoint(302, 272));
        QCOMPARE(w.buttons()->Nappi_Txt(2)->pos(), QPoint(310, 280));
        w.resize(w.width() + 100, w.height());
        QTRY_COMPARE(w.rowField(0)->pos(), QPoint(234, 58));
        w.resize(100, 100);
        QVERIFY(w.width() >= w.minimumWidth() && w.client()->width() >= 400);
    }

    void clickingFacesAndCaptions_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("onCaption");
        QTest::newRow("Laske face") << 0 << false;
        QTest::newRow("Laske caption") << 0 << true;
        QTest::newRow("Nollaa face") << 1 << false;
        QTest::newRow("Ohjeita caption") << 2 << true;
    }
    void clickingFacesAndCaptions()
    {
        QFETCH(int, button);
        QFETCH(bool, onCaption);
        Tankeli &w = start();
        setRows({"1,3", "6,5", "100"});
        QWidget *target = onCaption ? static_cast<QWidget *>(w.buttons()->Nappi_Txt(button))
                                    : w.buttons()->Nappi(button);
        QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, centreOf(target, &w));
        const QStringList texts = rows();
        QCOMPARE(texts[3], button == 0 ? QStringLiteral("6,5") : QStringLiteral("0"));
        QCOMPARE(texts[1], button == 1 ? QStringLiteral("0") : QStringLiteral("6,5"));
        QCOMPARE(w.helpWindow() != nullptr, button == 2);
    }

    void accessiblePressRunsTheCommand()
    {
        Tankeli &w = start();
        setRows({"1,3", "6,5", "100"});
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w.buttons()->Nappi(1));
        QVERIFY(face->actionInterface());
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(w.rowField(1)->text(), QStringLiteral("0"));
    }

    // Moves are sent to the control under the pointer, as the window system does.
    void highlightFollowsThePointer()
    {
        Tankeli &w = start();
        PictureButtons *b = w.buttons();
        const auto highlighted = [b] {
            QList<bool> h;
            for (int k = 0; k < b->count(); ++k)
                h << b->isHighlighted(k);
            return h;
        };
        const auto moveAt = [](QWidget *under, QPoint local) {
            QMouseEvent move(QEvent::MouseMove, local, under->mapToGlobal(local), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(under, &move);
        };
        const auto moveOver = [&w, moveAt](QWidget *control) {
            const QPoint at = centreOf(control, &w);
            QWidget *under = w.childAt(at);
            moveAt(under, under->mapFrom(&w, at));
        };
        QCOMPARE(highlighted(), (QList<bool>{false, false, false}));
        moveOver(b->Nappi(0));
        QCOMPARE(highlighted(), (QList<bool>{true, false, false}));
        moveOver(b->Nappi_Txt(0)); // its own caption keeps it
        QCOMPARE(highlighted(), (QList<bool>{true, false, false}));
        moveOver(b->Nappi_Txt(1)); // another button's caption moves it
        QCOMPARE(highlighted(), (QList<bool>{false, true, false}));
        moveOver(w.rowField(3)); // a field leaves it on
        moveOver(w.txt_Vasen(3)); // so does a label
        QCOMPARE(highlighted(), (QList<bool>{false, true, false}));
        moveAt(w.client(), QPoint(5, 150)); // the background clears it
        QCOMPARE(highlighted(), (QList<bool>{false, false, false}));
    }

    void gradientFillsTheClientArea()
    {
        Tankeli &w = start();
        w.resize(600, 500);
        QTRY_COMPARE(w.client()->width(), 600);
        const QImage image = w.client()->grab().toImage();
        const int h = image.height();
        QCOMPARE(QColor(image.pixel(2, 0)), QColor(234, 246, 255));
        QCOMPARE(QColor(image.pixel(image.width() - 1, h - 1)), QColor(97, 117, 136));
        QVERIFY(qAbs(QColor(image.pixel(2, h / 2)).red() - (234 + 97) / 2) <= 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
