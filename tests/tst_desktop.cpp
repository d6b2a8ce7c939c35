#include "MainWindowFixture.h"

#include "look/PictureButton.h"
#include "look/WindowGeometry.h"

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

    // Clicks into the distance field and opens a window by its key.
    QWidget *openBy(const QString &key)
    {
        clickAt(row(2), QPoint(50, 9));
        if (key.isEmpty())
            return main.get();
        typeKey(key);
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() && QApplication::activeWindow() != main.get(); }))
            return nullptr;
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
    // field that had the focus; the file window hands none back, but a click does.
    void typingGoesOnAfterLeavingAWindow_data()
    {
        QTest::addColumn<QString>("opens");
        QTest::addColumn<QString>("leave");
        QTest::newRow("help, S") << "o" << "s";
        QTest::newRow("statistics, Escape") << "ctrl+s" << "Escape";
        QTest::newRow("calibration, close box") << "ctrl+k" << "alt+F4";
        QTest::newRow("file window, Sulje, then a click") << "ctrl+a" << "Nappi(1)";
    }
    void typingGoesOnAfterLeavingAWindow()
    {
        QFETCH(QString, opens);
        QFETCH(QString, leave);
        QWidget *secondary = openBy(opens);
        QVERIFY(secondary);
        if (leave.startsWith("Nappi"))
            clickAt(secondary->findChild<PictureButton *>(leave), QPoint(10, 10));
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
        QWidget *w = openBy(opens);
        QVERIFY(w);
        QTRY_VERIFY(!w->windowHandle()->frameMargins().isNull());
        xdotool({"windowsize", QString::number(w->winId()), "50", "50"});
        QTRY_COMPARE(w->size(), w->minimumSize());
        const QSize outer = w->frameGeometry().size();
        QVERIFY2(outer.expandedTo(twipsToPixels(outerTwips)) == outer, qPrintable(QStringLiteral("%1 x %2").arg(outer.width()).arg(outer.height())));
        QWidget *client = w == main.get() ? main->centralWidget() : w;
        for (QWidget *control : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(!control->isVisible() || qobject_cast<QLabel *>(control) || client->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
