#include "MainWindowFixture.h"

#include "calibration/Kalibroi.h"
#include "help/Help.h"
#include "look/AppIcon.h"
#include "look/PictureButton.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace tankeli;

namespace {
// Where a control shows something: a label's caption, any other control whole.
QRect shownRect(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        return label->fontMetrics()
            .boundingRect(label->rect(), int(label->alignment()) | wrap, label->text())
            .translated(label->pos());
    }
    return control->geometry();
}
} // namespace

class TestWindows : public QObject, MainWindowFixture
{
    Q_OBJECT

    // Opens one of the five windows through its menu command, as a user does.
    QWidget *open(const QString &which)
    {
        if (which == "main")
            return main.get();
        const char *command = which == "help" ? "Menu_Ohjeita" : which == "file" ? "Menu_Avaa"
            : which == "stat"                 ? "Menu_Stat"
                                              : "Menu_Kalibroi";
        menu(command)->trigger();
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() != main.get(); }))
            return nullptr;
        return QApplication::activeWindow();
    }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void windows_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("title");
        for (const auto &[which, title] : QList<std::pair<const char *, const char *>>{
                 {"main", "Tankeli v1.1 - Tankelin kehittäjät 2006"}, {"help", "Ohjeita"},
                 {"file", "Avaa"}, {"stat", "Statistiikka"}, {"calibration", "Kalibrointi"}})
            QTest::newRow(which) << which << QString::fromUtf8(title);
    }
    // At its minimum size every control of a window is whole inside its client area,
    // no caption is clipped, and the window is a window to a screen reader, with the
    // program's icon.
    void windows()
    {
        QFETCH(QString, which);
        QWidget *w = open(which);
        QVERIFY(w);
        QTEST(w->windowTitle(), "title");
        w->resize(1, 1);
        QTRY_COMPARE(w->size(), w->minimumSize());
        QWidget *client = which == "main" ? main->centralWidget() : w;
        const QRect area = client->rect();
        for (QWidget *control : client->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control->isHidden())
                continue;
            QVERIFY2(area.contains(shownRect(control)), qPrintable(control->objectName() + " "
                                                                   + control->accessibleName()));
            if (const auto *label = qobject_cast<QLabel *>(control))
                QVERIFY2(captionFits(label), qPrintable(label->text()));
            if (const auto *button = qobject_cast<PictureButton *>(control); button && !button->text().isEmpty())
                QVERIFY2(button->captionRect().contains(
                             button->fontMetrics().boundingRect(button->captionRect(), Qt::AlignCenter, button->text())),
                         qPrintable(button->text()));
        }
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
        QCOMPARE(accessible->role(), QAccessible::Window);
        QCOMPARE(accessible->text(QAccessible::Name), w->windowTitle());
        QVERIFY(!w->windowIcon().isNull());
        QCOMPARE(w->windowIcon().pixmap(16).toImage(), programIcon().pixmap(16).toImage());
    }

    // The real boxes: Finnish buttons with Yes as the default, the icon the message
    // asks for, and a long name shortened so that the box fits a 1024-pixel screen.
    void realMessageBoxes()
    {
        Messages::replace(nullptr); // the program's own boxes, not the recorder
        QStringList seen;
        QStringList texts;
        const auto answer = [&seen, &texts](const char *button) {
            QTimer::singleShot(0, [&seen, &texts, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                texts << box->text();
                QStringList buttons;
                for (QAbstractButton *b : box->buttons())
                    buttons << b->text();
                buttons.sort();
                seen << box->windowTitle() + " | " + buttons.join('/') + " | "
                        + (box->defaultButton() ? box->defaultButton()->text() : QString()) + " | "
                        + QString::number(int(box->icon())) + " | "
                        + (box->width() <= 1024 ? "fits" : "too wide");
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == QLatin1String(button))
                        b->click();
            });
        };
        answer("Ei");
        const bool yes = Messages::current().ask(main.get(), QStringLiteral("Korvataanko?"), QStringLiteral("Ylikirjoita"));
        QVERIFY(!yes);
        answer("OK");
        const QString longName(300, QLatin1Char('m'));
        menu("Menu_Tallenna")->trigger();
        auto *name = in<QLineEdit>(window<Tiedosto>(), "Tiedostonimi");
        name->setText(longName);
        in<PictureButton>(window<Tiedosto>(), "Nappi(0)")->click();
        QCOMPARE(seen, (QStringList{"Ylikirjoita | Ei/Kyllä | Kyllä | 0 | fits",
                                    "Tankeli | OK | OK | 0 | fits"}));
        QVERIFY2(texts[1].contains(QChar(0x2026))
                     && texts[1].endsWith(QStringLiteral(".sav ei voitu tallentaa: Nimi on liian pitkä.")),
                 qPrintable(texts[1]));
        answer("OK");
        menu("Menu_Tietoja")->trigger();
        QCOMPARE(seen.last(), QStringLiteral("Tietoja | OK | OK | 1 | fits"));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
