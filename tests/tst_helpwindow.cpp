#include "MainWindowFixture.h"

#include "help/Help.h"
#include "look/PictureButton.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>

using namespace tankeli;

class TestHelpWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    Help *openHelp()
    {
        main->Suorita(2);
        Help *help = window<Help>();
        if (help)
            (void)QTest::qWaitForWindowExposed(help);
        return help;
    }
    QPlainTextEdit *text() const { return in<QPlainTextEdit>(window<Help>(), "Ohje"); }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void showsTheInstructions()
    {
        Help *help = openHelp();
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("Ohjeita"));
        QStringList lines = text()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.takeLast(), QString()); // every line ends with a line break
        QCOMPARE(lines.size(), 25);
        QCOMPARE(lines[0], QStringLiteral("Ohjeita tankeliin"));
        QVERIFY(lines[1].isEmpty() && lines[3].isEmpty() && lines[21].isEmpty());
        QCOMPARE(lines[4], QStringLiteral("1. Ensimmäisenä kannattaa päivittää paikallisen huoltoaseman bensanhinta, "
                                          "joka tallentuu ohjelman muistiin seuraavaa avauskertaa varten"));
        QCOMPARE(lines[14], QStringLiteral("6. Jos tiedät autosi polttoainekulutuksen, voit syöttää tankattavan "
                                           "summan ja tämän avulla laskea kuinka pitkälle voit ajaa kyseisellä summalla. "));
        QCOMPARE(lines[16], QStringLiteral("7. Jos laskutoimitus epäonnistuu nollaa nuppari ennen toimitusta. "));
        QCOMPARE(lines.mid(22), (QStringList{"Tekijä Tankeli-tiimi", "Tankelin kehittäjät 2006",
                                             "https://www.example.org/tankeli"}));
        QCOMPARE(QApplication::focusWidget(), text());
    }

    void keysOfTheText_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("hides");
        QTest::newRow("s") << int(Qt::Key_S) << 0 << true;
        QTest::newRow("S") << int(Qt::Key_S) << int(Qt::ShiftModifier) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("a") << int(Qt::Key_A) << 0 << false;
    }
    void keysOfTheText()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Help *help = openHelp();
        const QString before = text()->toPlainText();
        QTest::keyClick(text(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(help->isHidden(), "hides");
        QCOMPARE(text()->toPlainText(), before);
        QCOMPARE(window<Help>(), help); // hiding keeps the window
    }

    // Sulje keeps the window and its scroll position; the close box destroys it and
    // the next opening builds it from the top.
    void hidingKeepsTheScrollPositionClosingDoesNot()
    {
        Help *help = openHelp();
        QScrollBar *bar = text()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum() / 2);
        const int position = bar->value();
        in<PictureButton>(help, "Nappi(0)")->click();
        QVERIFY(help->isHidden());
        QCOMPARE(openHelp(), help);
        QCOMPARE(bar->value(), position);
        QPointer<Help> closed = help;
        help->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(openHelp());
        QCOMPARE(text()->verticalScrollBar()->value(), 0);
    }

    void narrowWindowShrinksTheText()
    {
        Help *help = openHelp();
        help->resize(200, 300);
        QTRY_COMPARE(text()->width(), 180);
        QCOMPARE(text()->height(), 200);
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
