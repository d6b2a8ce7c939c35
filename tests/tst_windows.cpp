#include "FileBytes.h"
#include "MainWindowFixture.h"

#include "calibration/Kalibroi.h"
#include "help/Help.h"
#include "look/AppIcon.h"
#include "look/PictureButton.h"
#include "records/Tiedosto.h"
#include "statistics/ChartCanvas.h"
#include "statistics/Stat.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace tankeli;

namespace {
QByteArray record(const char *consumption)
{
    return QByteArray("1,3\r\n") + consumption + "\r\n100\r\n8\r\n6\r\n";
}
int redPixels(QWidget *canvas)
{
    const QImage image = canvas->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 80;
    return count;
}
// Where a control shows something: a label's caption, any other control whole.
QRect shownRect(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    if (!label)
        return control->geometry();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(label->rect(), flags, label->text()).translated(label->pos());
}
} // namespace

// What the windows share, the real message boxes, and what the help, file, statistics
// and calibration windows add to the rules they call.
class TestWindows : public QObject, MainWindowFixture
{
    Q_OBJECT

    template <typename Window>
    Window *open(const char *command)
    {
        menu(command)->trigger();
        Window *w = window<Window>();
        if (w && !waitActive(w))
            qWarning("the window did not become active");
        return w;
    }
    template <typename Control = PictureButton>
    Control *control(const QWidget *w, const QString &name) const { return w->findChild<Control *>(name); }
    QListWidget *list() const { return control<QListWidget>(window<Tiedosto>(), "Tiedostot"); }
    QLineEdit *name() const { return control<QLineEdit>(window<Tiedosto>(), "Tiedostonimi"); }
    PictureButton *fileButton(int k) const { return control(window<Tiedosto>(), QStringLiteral("Nappi(%1)").arg(k)); }
    QLineEdit *reading(const char *field) const { return control<QLineEdit>(window<Kalibroi>(), field); }
    PictureButton *option() const { return control(window<Kalibroi>(), "Opti"); }

private slots:
    void init()
    {
        start("1,3\r\n100\r\n105\r\nFalse\r\nTrue\r\n");
        QVERIFY(writeBytes(dirs->stat("2006_03_07.sav"), "1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n"));
        QVERIFY(writeBytes(dirs->stat("matka.sav"), "1,5\r\n6\r\n100\r\n9\r\n6\r\n"));
    }
    void cleanup() { stop(); }

    // At its minimum size every control of a window is whole inside its client area and
    // no caption is clipped, the gradient fills it; it is a window to a screen reader, with the icon.
    void windows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::newRow("main") << "" << "Tankeli v1.1 - Tankelin kehittäjät 2006";
        QTest::newRow("help") << "Menu_Ohjeita" << "Ohjeita";
        QTest::newRow("file") << "Menu_Avaa" << "Avaa";
        QTest::newRow("statistics") << "Menu_Stat" << "Statistiikka";
        QTest::newRow("calibration") << "Menu_Kalibroi" << "Kalibrointi";
    }
    void windows()
    {
        QFETCH(QString, command);
        if (!command.isEmpty())
            menu(qPrintable(command))->trigger();
        QVERIFY(QTest::qWaitFor([&] { return command.isEmpty() || QApplication::activeWindow() != main.get(); }));
        QWidget *w = QApplication::activeWindow();
        QTEST(w->windowTitle(), "title");
        w->resize(1, 1);
        QTRY_COMPARE(w->size(), w->minimumSize());
        QWidget *client = w == main.get() ? main->centralWidget() : w;
        for (QWidget *control : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            const QString what = control->objectName() + " " + control->accessibleName();
            QVERIFY2(control->isHidden() || client->rect().contains(shownRect(control)), qPrintable(what));
            if (const auto *label = qobject_cast<QLabel *>(control))
                QVERIFY2(shownRect(label).width() <= label->width() && shownRect(label).height() <= label->height(), qPrintable(what));
            if (const auto *button = qobject_cast<PictureButton *>(control))
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->captionRect().width(), qPrintable(what));
        }
        const QImage image = client->grab().toImage(); // the gradient reaches both corners
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(234, 246, 255));
        QCOMPARE(QColor(image.pixel(image.width() - 1, image.height() - 1)), QColor(97, 117, 136));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
        QCOMPARE(accessible->role(), QAccessible::Window);
        QCOMPARE(accessible->text(QAccessible::Name), w->windowTitle());
        QVERIFY(!programIcon().pixmap(16).isNull());
        QCOMPARE(w->windowIcon().pixmap(16).toImage(), programIcon().pixmap(16).toImage());
    }

    // The program's own boxes, not the recorder: Finnish buttons with Yes as the default,
    // the icon the message asks for, and a long name shortened so that the box fits a
    // 1024-pixel screen.
    void realMessageBoxes()
    {
        Messages::replace(nullptr);
        QStringList seen;
        const auto answer = [&seen](const char *button) {
            QTimer::singleShot(0, [&seen, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QStringList buttons;
                for (QAbstractButton *b : box->buttons())
                    buttons << b->text();
                buttons.sort();
                seen << QStringList{box->windowTitle(), buttons.join('/'), box->defaultButton()->text(),
                                    QString::number(int(box->icon())), box->width() <= 1024 ? QStringLiteral("fits") : QStringLiteral("too wide"),
                                    box->text().right(24)}.join(" | ");
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == QLatin1String(button))
                        b->click();
            });
        };
        answer("Ei");
        QVERIFY(!Messages::current().ask(main.get(), QStringLiteral("Korvataanko?"), QStringLiteral("Ylikirjoita")));
        answer("OK");
        menu("Menu_Tallenna")->trigger();
        window<Tiedosto>()->findChild<QLineEdit *>("Tiedostonimi")->setText(QString(300, 'm'));
        window<Tiedosto>()->findChild<PictureButton *>("Nappi(0)")->click();
        answer("OK");
        menu("Menu_Tietoja")->trigger();
        QCOMPARE(seen, (QStringList{"Ylikirjoita | Ei/Kyllä | Kyllä | 0 | fits | Korvataanko?",
                                    "Tankeli | OK | OK | 0 | fits | aa: Nimi on liian pitkä.",
                                    "Tietoja | OK | OK | 1 | fits | Ohjelman versio : v1.1\r\n"}));
    }

    void helpShowsTheInstructions()
    {
        Help *help = open<Help>("Menu_Ohjeita");
        QVERIFY(help);
        auto *text = control<QPlainTextEdit>(help, "Ohje");
        QStringList lines = text->toPlainText().split('\n');
        QCOMPARE(lines.size(), 26); // 25 lines, each ended by a line break
        QCOMPARE(lines.mid(0, 5).join('|'), QStringLiteral("Ohjeita tankeliin||Voit laskea ohjelmalla monella eri tapaa "
            "polttoaineen kulutusta, kustannuksia tai matkan kustannuksia.||1. Ensimmäisenä kannattaa päivittää paikallisen "
            "huoltoaseman bensanhinta, joka tallentuu ohjelman muistiin seuraavaa avauskertaa varten"));
        QCOMPARE(lines[16], QStringLiteral("7. Jos laskutoimitus epäonnistuu nollaa nuppari ennen toimitusta. "));
        QCOMPARE(lines.mid(21).join('|'), QStringLiteral("|Tekijä Tankeli-tiimi|Tankelin kehittäjät 2006|https://www.example.org/tankeli|"));
        QCOMPARE(QApplication::focusWidget(), text);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_A}) // only S and Escape leave it
            QTest::keyClick(text, key);
        QVERIFY(help->isVisible());
    }

    void fileWindowModesAndCommands()
    {
        Tiedosto *files = open<Tiedosto>("Menu_Avaa");
        QCOMPARE(files->windowTitle() + " / " + fileButton(0)->text() + " / " + name()->text(), QStringLiteral("Avaa / Avaa / "));
        QCOMPARE(QApplication::focusWidget(), list()); // the list's keys work at once
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
        QCOMPARE(name()->text(), QStringLiteral("2006_03_07.sav"));
        QTest::mouseClick(fileButton(0), Qt::LeftButton);
        QCOMPARE(rows(), QStringLiteral("1,3;7,5;120;9;11,7;351;4270,5"));
        QVERIFY(files->isHidden());
        QCOMPARE(open<Tiedosto>("Menu_Tallenna"), files);
        QCOMPARE(files->windowTitle() + " / " + fileButton(0)->text() + " / " + name()->text(),
                 "Tallenna / Tallenna / " + QDate::currentDate().toString("yyyy_MM_dd"));
        list()->setCurrentRow(1);
        name()->setText("reissu");
        QTest::mouseClick(fileButton(0), Qt::LeftButton);
        QCOMPARE(readBytes(dirs->stat("reissu.sav")), QByteArray("1,3\r\n7,5\r\n120\r\n11,7\r\n9\r\n"));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("matka.sav")); // the selection stays when read again
        QVERIFY(list()->currentItem()->isSelected() && files->isVisible());
        row(0)->setText("2"); // a double click saves under the entry's name, asking first
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(1)).center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(1)).center());
        QCOMPARE(messages->shown, QStringList{"?Ylikirjoita: Sinulla on jo olemassa matka.sav niminen tiedosto. "
                                              "Korvataanko kyseinen tiedosto?"});
        QVERIFY(readBytes(dirs->stat("matka.sav")).startsWith("2\r\n"));
        files->close(); // the close box: a fresh window next time
        QTRY_VERIFY(!window<Tiedosto>());
        QCOMPARE(open<Tiedosto>("Menu_Avaa") && name()->text().isEmpty() && list()->count() == 3, true);
    }

    void fileWindowKeys_data()
    {
        QTest::addColumn<bool>("inList");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after"); // hidden, messages shown, the name field
        QTest::newRow("list Escape") << true << int(Qt::Key_Escape) << "1 0 matka.sav";
        QTest::newRow("list s") << true << int(Qt::Key_S) << "1 0 matka.sav";
        QTest::newRow("list Delete asks") << true << int(Qt::Key_Delete) << "0 1 matka.sav";
        QTest::newRow("list Enter") << true << int(Qt::Key_Return) << "0 0 matka.sav";
        QTest::newRow("name Escape") << false << int(Qt::Key_Escape) << "1 0 matka.sav";
        QTest::newRow("name s is typing") << false << int(Qt::Key_S) << "0 0 matka.savs";
    }
    void fileWindowKeys()
    {
        QFETCH(bool, inList);
        QFETCH(int, key);
        Tiedosto *files = open<Tiedosto>("Menu_Avaa");
        list()->setCurrentRow(1);
        messages->answers = {false};
        QTest::keyClick(inList ? static_cast<QWidget *>(list()) : name(), Qt::Key(key));
        QTEST(QStringLiteral("%1 %2 %3").arg(files->isHidden()).arg(messages->shown.size()).arg(name()->text()), "after");
    }

    // A selector click draws the red curve; its walk leaves the last record selected in
    // the file window; every faulted step gives one message.
    void statisticsDraws_data()
    {
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("three consumptions") << QList<QByteArray>{record("7,5"), record("8"), record("6,5")} << QStringList{};
        QTest::newRow("decimal point") << QList<QByteArray>{record("7"), record("6.5")}
            << QStringList{"!Tankeli: Jokin arvo ei täsmää. Tarkasta ettei luvuissa ole kirjaimia tai ettei desimaalit ole . merkillä."};
        QTest::newRow("one record") << QList<QByteArray>{record("7")}
            << QStringList{"!Huomio!: Et voi tarkastella statistiikkaa vielä. Sinulla on oltava minimissään 2 "
                           "tiedostoa tallennettuna tietokantaan, jotta käyrä voidaan muodostaa."};
    }
    void statisticsDraws()
    {
        QFETCH(QList<QByteArray>, records);
        QFile::remove(dirs->stat("2006_03_07.sav"));
        QFile::remove(dirs->stat("matka.sav"));
        for (int i = 0; i < records.size(); ++i)
            QVERIFY(writeBytes(dirs->stat(QStringLiteral("r%1.sav").arg(i)), records[i]));
        Stat *stat = open<Stat>("Menu_Stat");
        auto *canvas = control<ChartCanvas>(stat, "Taulu");
        canvas->resize(329, 212);
        PictureButton *selector = control(stat, "Knapi(1)");
        QCOMPARE(selector->text(), QStringLiteral("Bensankulutus"));
        QCOMPARE(redPixels(canvas), 0);
        QTest::mouseClick(selector, Qt::LeftButton, {}, selector->captionRect().center());
        QTEST(messages->shown, "shown");
        QCOMPARE(redPixels(canvas) > 100, records.size() > 1);
        QCOMPARE(list()->currentRow(), records.size() > 1 ? int(records.size()) - 1 : -1);
        if (records.size() < 3)
            return;
        // The chart stays when the window is hidden and shown again, and follows a new
        // canvas size without reading the records again.
        QTest::keyClick(canvas, Qt::Key_Escape);
        QVERIFY(stat->isHidden());
        QCOMPARE(open<Stat>("Menu_Stat"), stat);
        for (int i = 0; i < 3; ++i)
            QFile::remove(dirs->stat(QStringLiteral("r%1.sav").arg(i)));
        stat->resize(stat->width() + 40, stat->height() + 100);
        QTRY_VERIFY(canvas->height() > 212);
        QCOMPARE(canvas->plan().bottomLabel.y, float(canvas->height() - 20));
        QVERIFY(redPixels(canvas) > 100 && messages->shown.isEmpty());
    }

    void calibrationOpensWithItsTexts()
    {
        open<Kalibroi>("Menu_Kalibroi");
        QCOMPARE(reading("txt_Taulu")->toolTip(), QStringLiteral("Aseta lukema, jonka olet ajanut nopeusnäyttöön."));
        QCOMPARE(reading("txt_Taulu")->text() + ' ' + reading("txt_Mittari")->text() + ' ' + reading("txt_Virhe")->text(),
                 QStringLiteral("100 105 5 %"));
        QCOMPARE(reading("txt_Mittari")->accessibleName() + " / " + reading("txt_Mittari")->accessibleDescription(),
                 QStringLiteral("Auton mittari / Km / h"));
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(option());
        QCOMPARE(box->role(), QAccessible::CheckBox);
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Käytä laskutoimituksessa kalibrointia"));
        QCOMPARE(QApplication::focusWidget(), reading("txt_Taulu"));
        for (int i = 0; i < 3; ++i) // the keyboard reaches the choice after the readings
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), option());
        reading("txt_Mittari")->setText("126");
        reading("txt_Taulu")->clear();
        QStringList shown;
        for (char digit : {'1', '2', '0'}) {
            QTest::keyClick(reading("txt_Taulu"), digit);
            shown << reading("txt_Virhe")->text();
        }
        QCOMPARE(shown.join(", "), QStringLiteral("12500 %, 950 %, 5 %")); // displays 1, 12 and 120
    }

    // However the choice is changed, the picture, what a screen reader reads and what
    // closing commits agree.
    void calibrationChoice_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"picture", "caption", "screen reader", "Space"})
            QTest::newRow(how) << how;
    }
    void calibrationChoice()
    {
        QFETCH(QString, how);
        open<Kalibroi>("Menu_Kalibroi");
        const QPixmap *off = option()->picture();
        if (how == "picture")
            QTest::mouseClick(option(), Qt::LeftButton);
        else if (how == "caption")
            QTest::mouseClick(control<QLabel>(window<Kalibroi>(), "txt_Kalibrointia"), Qt::LeftButton);
        else if (how == "screen reader")
            QAccessible::queryAccessibleInterface(option())->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        else
            option()->setFocus(), QTest::keyClick(option(), Qt::Key_Space);
        QVERIFY(option()->picture() != off && QAccessible::queryAccessibleInterface(option())->state().checked);
        control(window<Kalibroi>(), "Nappi(0)")->click();
        QTRY_VERIFY(!window<Kalibroi>());
        QVERIFY(menu("Menu_Kalibroi")->isChecked());
        main->close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n100\r\n105\r\nTrue\r\nTrue\r\n"));
    }

    // The choice shown goes back to the one in force when the window comes back from
    // the main window, but not from another program or from being minimised.
    void calibrationChoiceAfterLeaving_data()
    {
        QTest::addColumn<QString>("via");
        QTest::addColumn<bool>("kept");
        QTest::newRow("the main window") << "main" << false;
        QTest::newRow("another program") << "other" << true;
        QTest::newRow("minimised") << "minimised" << true;
    }
    void calibrationChoiceAfterLeaving()
    {
        QFETCH(QString, via);
        Kalibroi *w = open<Kalibroi>("Menu_Kalibroi");
        QTest::mouseClick(option(), Qt::LeftButton);
        QWidget other;
        QWidget *away = via == "main" ? main.get() : &other;
        if (via == "minimised") {
            w->showMinimized();
            QTest::qWait(20);
            w->showNormal();
        } else {
            away->show();
            away->activateWindow();
            QVERIFY(waitActive(away));
        }
        w->activateWindow();
        QVERIFY(waitActive(w));
        QTEST(bool(QAccessible::queryAccessibleInterface(option())->state().checked), "kept");
        QTEST(option()->isChecked(), "kept");
    }

    // Closing the program with the window open saves its readings, a reading that is no
    // reading as the one in force, and not the choice, which only closing the window commits.
    void calibrationReadings()
    {
        open<Kalibroi>("Menu_Kalibroi");
        reading("txt_Taulu")->setText("97,5");
        reading("txt_Mittari")->setText("abc");
        QTest::mouseClick(option(), Qt::LeftButton);
        main->close();
        QCOMPARE(dirs->settings(), QByteArray("1,3\r\n97,5\r\n105\r\nFalse\r\nTrue\r\n"));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
