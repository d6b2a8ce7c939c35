#include "MainWindowFixture.h"

#include "calibration/Kalibroi.h"
#include "help/Help.h"
#include "look/PictureButton.h"
#include "look/WindowGeometry.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"

#include <QProcess>
#include <QWindow>

using namespace tankeli;

namespace {
// Real input through the X server, as a user's keyboard and mouse give it.
void xdotool(const QStringList &arguments)
{
    QProcess::execute(QStringLiteral("xdotool"), arguments);
    QTest::qWait(150);
}
void typeKey(const QString &key) { xdotool({"key", "--clearmodifiers", key}); }
void clickAt(const QWidget *widget, QPoint local)
{
    const QPoint at = widget->mapToGlobal(local);
    xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}
} // namespace

// The windows on a real desktop (tests/desktop starts Xvfb and openbox): frames,
// activation and focus as a user meets them.
class TestDesktop : public QObject, MainWindowFixture
{
    Q_OBJECT

    QWidget *activeAfter(const QString &key)
    {
        typeKey(key);
        for (int i = 0; i < 50 && (!QApplication::activeWindow() || QApplication::activeWindow() == main.get()); ++i)
            QTest::qWait(100);
        return QApplication::activeWindow() == main.get() ? nullptr : QApplication::activeWindow();
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs a desktop session; run through tests/desktop");
    }
    void init() { start(); }
    void cleanup() { stop(); }

    // Leaving a secondary window by key, button or close box, typing goes on in the
    // field that had the focus.
    void typingGoesOnAfterLeavingAWindow_data()
    {
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QString>("leave");
        QTest::newRow("help, S") << "o" << "s";
        QTest::newRow("help, close box") << "o" << "alt+F4";
        QTest::newRow("statistics, Escape") << "ctrl+s" << "Escape";
        QTest::newRow("statistics, Sulje") << "ctrl+s" << "Sulje";
        QTest::newRow("calibration, Sulje") << "ctrl+k" << "Sulje";
        QTest::newRow("calibration, close box") << "ctrl+k" << "alt+F4";
        // The file window hands no focus back; coming back by a click, typing goes on.
        QTest::newRow("file window, Sulje, then a click") << "ctrl+a" << "Sulje";
    }
    void typingGoesOnAfterLeavingAWindow()
    {
        QFETCH(QString, opens);
        QFETCH(QString, leave);
        clickAt(row(2), QPoint(50, 9));
        QTRY_COMPARE(QApplication::focusWidget(), row(2));
        QWidget *secondary = activeAfter(opens);
        QVERIFY(secondary);
        if (leave == "Sulje") // the file window's Sulje is its second button
            clickAt(in<PictureButton>(secondary, opens == "ctrl+a" ? "Nappi(1)" : "Nappi(0)"), QPoint(10, 10));
        else
            typeKey(leave);
        if (opens == "ctrl+a")
            clickAt(main->centralWidget(), QPoint(5, 150));
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), main.get(), 5000);
        typeKey("5");
        QTRY_COMPARE(row(2)->text(), QStringLiteral("05"));
        typeKey("l"); // and the command letters work at once
        QTRY_COMPARE(row(4)->text(), QStringLiteral("0"));
        QVERIFY(messages->shown.isEmpty());
    }

    // Shrunk as far as the desktop lets it, a window keeps its outer minimum and shows
    // every control whole.
    void smallestWindows_data()
    {
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QSize>("outerTwips");
        QTest::newRow("main") << "" << QSize(6500, 5500);
        QTest::newRow("help") << "o" << QSize(2500, 4000);
        QTest::newRow("file") << "ctrl+a" << QSize(5500, 6000);
        QTest::newRow("statistics") << "ctrl+s" << QSize(5500, 6000);
        QTest::newRow("calibration") << "ctrl+k" << QSize(5000, 4000);
    }
    void smallestWindows()
    {
        QFETCH(QString, opens);
        QFETCH(QSize, outerTwips);
        clickAt(row(0), QPoint(50, 9));
        QWidget *w = opens.isEmpty() ? main.get() : activeAfter(opens);
        QVERIFY(w);
        QTRY_VERIFY(!w->windowHandle()->frameMargins().isNull());
        xdotool({"windowsize", QString::number(w->winId()), "50", "50"});
        QTRY_COMPARE(w->size(), w->minimumSize());
        const QSize outer = w->frameGeometry().size();
        QVERIFY2(outer.width() >= twipsToPixels(outerTwips).width() && outer.height() >= twipsToPixels(outerTwips).height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(outer.width()).arg(outer.height())));
        QWidget *client = w == main.get() ? main->centralWidget() : w;
        for (QWidget *control : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (control->isVisible() && !qobject_cast<QLabel *>(control))
                QVERIFY2(client->rect().contains(control->geometry()), qPrintable(control->objectName()));
    }

    // The calibration choice survives a visit to another program.
    void choiceKeptAfterAnotherProgram()
    {
        Kalibroi *calibration = qobject_cast<Kalibroi *>(activeAfter("ctrl+k"));
        QVERIFY(calibration);
        PictureButton *option = in<PictureButton>(calibration, "Opti");
        clickAt(option, QPoint(8, 8));
        QTRY_VERIFY(option->isChecked());
        QProcess other;
        other.start(QStringLiteral("xmessage"), {"-name", "toinen", "Toinen ohjelma"});
        if (!other.waitForStarted())
            QSKIP("xmessage is not installed to stand for another program");
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeWindow(), 5000);
        xdotool({"windowactivate", "--sync", QString::number(calibration->winId())});
        QTRY_COMPARE(QApplication::activeWindow(), calibration);
        QVERIFY(option->isChecked());
        other.kill();
        other.waitForFinished();
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
