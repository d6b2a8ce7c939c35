#include "MainWindowFixture.h"

#include "look/AppIcon.h"
#include "look/PictureButton.h"
#include "records/Tiedosto.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace tankeli;

namespace {
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

// What every window shares, and the real message boxes.
class TestWindows : public QObject, MainWindowFixture
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    // At its minimum size every control of a window is whole inside its client area and
    // no caption is clipped; the window is a window to a screen reader, with the icon.
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
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
