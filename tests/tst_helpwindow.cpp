#include "MainWindowFixture.h"

#include "help/Help.h"
#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <memory>

using namespace tankeli;

class TestHelpWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    Help *openHelp()
    {
        main->Suorita(2);
        Help *help = main->helpWindow();
        if (help && !QTest::qWaitForWindowExposed(help))
            qWarning("help not exposed");
        return help;
    }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void showsTheInstructions()
    {
        Help *help = openHelp();
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("Ohjeita"));
        QStringList lines = help->Ohje()->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.takeLast(), QString()); // every line ends with a line break
        QCOMPARE(lines.size(), 25);
        QCOMPARE(lines[0], QStringLiteral("Ohjeita tankeliin"));
        QCOMPARE(lines[1], QString());
        QVERIFY(lines[14].startsWith(QStringLiteral("6. Jos tiedät")));
        QVERIFY(lines[14].endsWith(QStringLiteral("summalla. ")));
        QVERIFY(lines[16].endsWith(QStringLiteral("toimitusta. ")));
        QCOMPARE(lines.mid(22), (QStringList{"Tekijä Tankeli-tiimi", "Tankelin kehittäjät 2006",
                                             "https://www.example.org/tankeli"}));
        QCOMPARE(help->Ohje()->accessibleName(), QStringLiteral("Ohjeita"));
        QCOMPARE(help->buttons()->Nappi(0)->accessibleName(), QStringLiteral("Sulje"));
        QCOMPARE(help->size(), QSize(304, 401));
        QCOMPARE(help->Ohje()->geometry(), QRect(10, 16, 284, 301));
        QCOMPARE(help->buttons()->Nappi(0)->pos(), QPoint(96, 351));
        QCOMPARE(help->buttons()->Nappi_Txt(0)->pos(), QPoint(104, 359));
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
        QFETCH(bool, hides);
        Help *help = openHelp();
        const QString text = help->Ohje()->toPlainText();
        QTest::keyClick(help->Ohje(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(help->isHidden(), hides);
        QCOMPARE(help->Ohje()->toPlainText(), text);
        QCOMPARE(main->helpWindow(), help); // hiding keeps the window
    }

    void hidingKeepsTheScrollPosition()
    {
        Help *help = openHelp();
        QScrollBar *bar = help->Ohje()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum() / 2);
        const int position = bar->value();
        help->Nappi_Komento(0);
        QVERIFY(help->isHidden());
        QCOMPARE(openHelp(), help);
        QCOMPARE(bar->value(), position);
    }

    void closeBoxDestroysAndNextOpeningRebuilds()
    {
        QPointer<Help> help = openHelp();
        help->Ohje()->verticalScrollBar()->setValue(5);
        help->close();
        QTRY_VERIFY(help.isNull());
        Help *again = openHelp();
        QVERIFY(again);
        QCOMPARE(again->Ohje()->verticalScrollBar()->value(), 0);
        QCOMPARE(again->Ohje()->toPlainText().count(QLatin1Char('\n')), 25);
    }

    void narrowWindowShrinksTheText()
    {
        Help *help = openHelp();
        help->resize(200, 300);
        QTRY_COMPARE(help->Ohje()->width(), 180);
        QCOMPARE(help->Ohje()->height(), 200);
        help->resize(10, 10); // the minimum holds it
        QTRY_VERIFY(help->width() >= 150 && help->height() >= 228);
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
