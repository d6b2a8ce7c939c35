#include "RecordingMessages.h"
#include "ScreenReader.h"
#include "TestFolders.h"

#include "calculator/TripQuantities.h"
#include "look/AppIcon.h"
#include "look/PictureButton.h"
#include "base/WindowGeometry.h"
#include "mainwindow/Tankeli.h"
#include "records/Tiedosto.h"
#include "statistics/ChartCanvas.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>
#include <sys/stat.h>

using namespace tankeli;

namespace {
const QByteArray calibrated("1,3\r\n100\r\n105\r\nFalse\r\nTrue\r\n");

// Where a control shows something: a label's caption, any other control whole.
QRect shownRect(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    if (!label)
        return control->geometry();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(label->rect(), flags, label->text()).translated(label->pos());
}
// The highest WCAG contrast of an area's pixels against the colour at its top-left corner.
double contrastIn(const QImage &image, QRect area)
{
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) { return v <= 10 ? v / 3294.6 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const double ground = luminance(image.pixel(area.topLeft()));
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = qMax(best, (qMax(ground, luminance(image.pixel(x, y))) + 0.05) / (qMin(ground, luminance(image.pixel(x, y))) + 0.05));
    return best;
}
QString titleOf(const QWidget *w, const QWidget *main) { return !w ? "none" : w == main ? "main" : w->windowTitle(); }
QWidget *client(QWidget *w)
{
    auto *main = qobject_cast<Tankeli *>(w);
    return main ? main->centralWidget() : w;
}
} // namespace

// What the windows add to the rules they call, as a user meets it: a row of steps in
// the real windows of a throw-away program folder, and what the user then sees. Message
// boxes are answered by the test; controls are found as a user finds them, by name.
class TestWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestFolders> dirs;
    std::unique_ptr<RecordingMessages> messages;
    std::unique_ptr<Tankeli> main;
    std::unique_ptr<QWidget> otherProgram;
    QTemporaryDir home;

    void start(const QByteArray &settings)
    {
        dirs = std::make_unique<TestFolders>(settings);
        messages = std::make_unique<RecordingMessages>();
        main = std::make_unique<Tankeli>(dirs->folders());
        // A window that did not load has no buttons to press: stop with the reason.
        if (const Done loaded = main->Form_Load(); !loaded)
            qFatal("the main window did not load: %s", qPrintable(loaded.error()));
        main->show();
        main->activateWindow();
        waitActive(main.get());
    }
    // Offscreen windows become active a moment after they are shown.
    static bool waitActive(QWidget *window) { return QTest::qWaitFor([window] { return window->isActiveWindow(); }, 5000); }
    QLineEdit *row(int r) const { return main->findChild<QLineEdit *>(QStringLiteral("row%1").arg(r)); }
    QAction *menu(const char *name) const { return main->findChild<QAction *>(QString::fromLatin1(name)); }

    // The named control of the active window, or else of any window.
    template <typename Control = QWidget>
    Control *find(const QString &name) const
    {
        if (QWidget *active = QApplication::activeWindow())
            if (auto *found = active->findChild<Control *>(name))
                return found;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *found = top->findChild<Control *>(name))
                return found;
        return nullptr;
    }
    // Waits for the window a user would now be in: the last secondary window shown, or the main one.
    void settle(const QWidget *before) const
    {
        QWidget *expected = main->isVisible() ? main.get() : nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != main.get() && top != otherProgram.get() && top->isVisible() && !top->isMinimized())
                expected = top;
        const bool handsBack = !qobject_cast<const Tiedosto *>(before) || before->isVisible(); // the file window does not
        if (expected && handsBack)
            (void)QTest::qWaitFor([expected] { return expected->isActiveWindow(); }, 2000);
    }
    static QString pictureName(const QPixmap *picture, const QString &folder)
    {
        for (const char *name : {"button1", "button2", "option1", "option2"})
            if (picture && picture->toImage().convertToFormat(QImage::Format_ARGB32)
                               == QImage(folder + name + ".gif").convertToFormat(QImage::Format_ARGB32))
                return QString::fromLatin1(name);
        return QStringLiteral("no picture");
    }
    // A pointer move over a control, sent to whatever lies under that point of its
    // window, as the window system does.
    static void moveOver(QWidget *control, QPoint local = QPoint(3, 3))
    {
        QWidget *top = control->window();
        const QPoint at = control->mapTo(top, local);
        QWidget *under = top->childAt(at) ? top->childAt(at) : top;
        const QPointF there = under->mapFrom(top, at);
        QMouseEvent move(QEvent::MouseMove, there, under->mapToGlobal(there), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(under, &move);
    }
    static int redPixels(QWidget *canvas)
    {
        const QImage image = canvas->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 80;
        return count;
    }

    // One step: "name=text" ("fields=a;b;.." fills the rows), "@name" (focus, cursor at
    // the end), "menu:", "click:" and "dclick:" (name, or list#entry), "hover:", "toggle:"
    // (a screen reader's), "close" (the close box), "quit" (the main window's),
    // "away:main|other|minimised" and back, "record:name=l1/l2/..", "delete:name|*",
    // "chmod:folder=octal", "grow", "no" (the next answer), or a key such as "Ctrl+K".
    bool step(const QString &token)
    {
        const QString verb = token.section(':', 0, 0);
        const QString what = token.section(':', 1);
        QWidget *active = QApplication::activeWindow();
        if (verb == "menu" && menu(qPrintable(what)))
            menu(qPrintable(what))->trigger();
        else if (verb == "chmod")
            return ::chmod(QFile::encodeName(dirs->path(what.section('=', 0, 0))).constData(), what.section('=', 1).toUInt(nullptr, 8)) == 0;
        else if (verb == "record")
            return writeBytes(dirs->stat(what.section('=', 0, 0)), what.section('=', 1).replace('/', "\r\n").toLatin1() + "\r\n");
        else if (verb == "delete") {
            for (const QString &name : QDir(dirs->path("stat")).entryList(QDir::Files))
                if (what == "*" || what == name)
                    QFile::remove(dirs->stat(name));
        } else if (token == "hover:background")
            moveOver(main->centralWidget(), QPoint(5, 150));
        else if (verb == "click" || verb == "dclick" || verb == "hover" || verb == "toggle") {
            QWidget *target = find(what.section('#', 0, 0));
            if (!target)
                return false;
            QPoint at = target->rect().center();
            if (auto *list = qobject_cast<QListWidget *>(target))
                target = list->viewport(), at = list->visualItemRect(list->item(what.section('#', 1).toInt())).center();
            else if (auto *button = qobject_cast<PictureButton *>(target))
                at = verb == "hover" ? QPoint(3, 3) : button->captionRect().center();
            QWindow *window = target->window()->windowHandle();
            const QPoint there = target->mapTo(target->window(), at);
            if (verb == "hover")
                moveOver(target, at);
            else if (verb == "toggle")
                QAccessible::queryAccessibleInterface(target)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            else {
                target->window()->activateWindow(); // a click activates its window, as a desktop does
                QTest::mouseClick(window, Qt::LeftButton, {}, there);
            }
            if (verb == "dclick")
                QTest::mouseDClick(window, Qt::LeftButton, {}, there);
        } else if (token.startsWith('@') && find(token.mid(1))) {
            find(token.mid(1))->setFocus();
            if (auto *field = find<QLineEdit>(token.mid(1)))
                field->end(false);
        } else if (verb == "away") {
            otherProgram = std::make_unique<QWidget>();
            QWidget *away = what == "main" ? main.get() : otherProgram.get();
            if (what == "minimised")
                active->showMinimized();
            else {
                away->show();
                away->activateWindow();
            }
            if (!QTest::qWaitFor([&] { return active->isMinimized() || away->isActiveWindow(); }))
                return false;
            active->showNormal();
            active->activateWindow();
            return waitActive(active);
        } else if (token == "close" || token == "quit")
            (token == "quit" ? main.get() : active)->close();
        else if (token == "grow") {
            const QSize size = active->size() + QSize(40, 100);
            active->resize(size);
            return QTest::qWaitFor([&] { return active->size() == size; });
        } else if (token == "no")
            messages->answers << false;
        else if (verb == "file") // the next file dialog's answer
            messages->files << dirs->path(what);
        else if (token == "documents") // the user's documents folder
            return QDir().mkpath(QDir::homePath() + "/Documents");
        else if (token.startsWith("fields=")) {
            const QStringList fields = token.section('=', 1).split(';');
            for (int r = 0; r < fields.size(); ++r)
                row(r)->setText(fields[r]);
        } else if (token.contains('=') && find<QLineEdit>(token.section('=', 0, 0))) {
            find<QLineEdit>(token.section('=', 0, 0))->setText(token.section('=', 1));
        } else {
            const QKeySequence key = QKeySequence::fromString(token);
            QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : active;
            if (key.count() != 1 || !to)
                return false;
            QTest::keyClick(to, key[0].key(), key[0].keyboardModifiers());
        }
        return true;
    }

    // What a user sees of one thing: the fields ("rows", hidden ones as "-"), "cursors",
    // "focus", the buttons with a focus frame ("marks"), the active "window", the shown
    // "windows", the saved "settings", the messages "shown", "captions", the screen
    // reader's "buttons", "a11y:" (role, name, description, value, last word), what it "said" as
    // the window opened, "tip:", "stat:" (a record's lines), the control "seenAt:" another's
    // place, or any named control's text, picture or state.
    QString probe(const QString &name)
    {
        QStringList seen;
        QWidget *active = QApplication::activeWindow();
        for (int r = 0; r < tripRowCount && (name == "rows" || name == "cursors"); ++r)
            seen << (name == "cursors" ? QString::number(row(r)->cursorPosition()) : row(r)->isVisible() ? row(r)->text() : "-");
        for (QWidget *top : QApplication::topLevelWidgets())
            if (name == "windows" && top->isVisible() && top != otherProgram.get())
                seen << titleOf(top, main.get());
        for (const QLabel *label : main->findChildren<QLabel *>())
            if (name == "captions" && label->buddy())
                seen << label->text() + " [" + label->buddy()->accessibleName() + ", " + label->buddy()->accessibleDescription() + "]";
        if (name == "windows")
            seen.sort();
        if (!seen.isEmpty() || name == "windows")
            return seen.join(name == "rows" || name == "cursors" ? ";" : ", ");
        if (name == "buttons") {
            QAccessibleInterface *window = QAccessible::queryAccessibleInterface(client(active));
            for (int i = 0; i < window->childCount(); ++i) // a caption read apart from its button shows as "(text)"
                seen << window->child(i)->text(QAccessible::Name) + (window->child(i)->role() == QAccessible::Button ? "" : " (text)");
            return seen.filter(QRegularExpression("^(Laske|Nollaa|Ohjeita)")).join(", ");
        }
        for (PictureButton *button : name == "marks" ? active->findChildren<PictureButton *>() : QList<PictureButton *>()) {
            const QImage face = button->grab().toImage(); // a black dotted frame by the left edge; no picture has black
            for (int y = 0; y < face.height() && !seen.contains(button->objectName()); ++y)
                if (face.pixel(2, y) == qRgb(0, 0, 0) || face.pixel(3, y) == qRgb(0, 0, 0))
                    seen << button->objectName();
        }
        if (name == "marks")
            return seen.join(", ");
        if (name == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
        if (name == "window")
            return titleOf(active, main.get());
        if (name == "settings" || name.startsWith("stat:"))
            return QString::fromLatin1(name == "settings" ? dirs->settings() : readBytes(dirs->stat(name.mid(5)))).replace("\r\n", "/").section('/', 0, -2);
        if (name == "shown")
            return messages->shown.join(" + ").replace(dirs->path("stat"), "stat").replace(QFileInfo(dirs->path("stat")).path() + "/", "")
                .replace(QDir::homePath(), "~");
        if (name == "said") { // as the window opens: its role, name and description, then each caption that names no control
            QAccessibleInterface *window = QAccessible::queryAccessibleInterface(active);
            seen << (window->role() == QAccessible::Dialog ? "dialog " : "window ") + window->text(QAccessible::Name) + ": "
                    + window->text(QAccessible::Description);
            for (const QLabel *label : active->findChildren<QLabel *>())
                if (label->isVisible() && !label->buddy())
                    seen << label->text();
            return seen.join(" + ");
        }
        if (name.startsWith("tip:"))
            return find(name.mid(4))->toolTip();
        if (name.startsWith("a11y:")) {
            QAccessibleInterface *control = QAccessible::queryAccessibleInterface(find(name.mid(5)));
            const QString role = control->role() == QAccessible::CheckBox ? "check box" : control->role() == QAccessible::Button ? "push button" : "text";
            int from = 0;
            int to = 0; // and the word a reader takes at the end, where typing leaves the cursor
            const QString last = control->textInterface() ? control->textInterface()->textAtOffset(control->textInterface()->characterCount(), QAccessible::WordBoundary, &from, &to) : QString();
            return (QStringList{role, control->text(QAccessible::Name), control->text(QAccessible::Description), control->text(QAccessible::Value), last}).filter(QRegularExpression(".")).join(", ");
        }
        if (auto *action = main->findChild<QAction *>(name))
            return action->isChecked() ? "checked" : "unchecked";
        if (auto *list = find<QListWidget>(name.section('#', 0, 0)); list && name.contains('#')) // "name#k": entry k
            return list->item(name.section('#', 1).toInt()) ? list->item(name.section('#', 1).toInt())->text() : "none";
        if (auto *field = find<QLineEdit>(name.chopped(1)); field && name.endsWith('#')) // "name#": its length
            return QString::number(field->text().size());
        if (auto *list = find<QListWidget>(name))
            return (list->currentItem() && list->currentItem()->isSelected() ? list->currentItem()->text() : "")
                + QStringLiteral(" of %1").arg(list->count());
        if (auto *popup = find<QMenu>(name)) { // a context menu: its entries, if it is open
            for (const QAction *action : popup->actions())
                seen << action->text() + (action->isEnabled() ? " on" : " off");
            return popup->isVisible() ? seen.join(", ") : "closed";
        }
        if (auto *canvas = find<ChartCanvas>(name))
            return redPixels(canvas) < 100 ? "blank"
                : canvas->plan().bottomLabel.y == canvas->height() - 20 ? "curve" : "curve laid out for another size";
        if (auto *button = find<PictureButton>(name))
            return (QStringList{button->text(), pictureName(button->picture(), dirs->path("pic/")),
                                button->isChecked() ? "checked" : "", QAccessible::queryAccessibleInterface(button)->state().checked == button->isChecked() ? "" : "(read otherwise)"})
                .join(' ').simplified();
        if (auto *field = find<QLineEdit>(name))
            return field->text();
        if (auto *table = find<QTableView>(name)) { // "cell/cell/..; next row"
            const QAbstractItemModel *cells = table->model();
            for (int r = 0; r < cells->rowCount(); ++r) {
                QStringList row;
                for (int c = 0; c < cells->columnCount(); ++c)
                    row << cells->index(r, c).data().toString();
                seen << row.join('/');
            }
            return seen.join("; ");
        }
        if (name.startsWith("seenAt:")) { // the control a user sees in the middle of that one's place
            const QWidget *place = find(name.mid(7));
            const QWidget *top = place->window()->childAt(place->geometry().center());
            while (top && (top->objectName().isEmpty() || top->objectName().startsWith("qt_")))
                top = top->parentWidget();
            return top ? top->objectName() : "nothing";
        }
        if (auto *label = find<QLabel>(name))
            return label->text();
        if (auto *text = find<QPlainTextEdit>(name.section('#', 0, 0))) { // "name#k": line k; "name#": how many
            const QStringList lines = text->toPlainText().split('\n');
            return name.endsWith('#') ? QString::number(lines.size()) : lines.value(name.section('#', 1).toInt());
        }
        return "no " + name;
    }

private slots:

    // A home of the test's own, with no documents folder unless a step makes one.
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
    }
    void cleanup()
    {
        QDir(home.filePath("Documents")).removeRecursively();
        if (dirs)
            QFile::setPermissions(dirs->path("stat"), writable);
        otherProgram.reset();
        main.reset();
        messages.reset();
        dirs.reset();
    }

    // Steps from the start-up settings "1,3/100/105/False/True" (unless the first step is
    // "start:" with the five lines) and the records 2006_03_07.sav and matka.sav, and what
    // is then seen, as "what=text | ...".
    void scenarios_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("seen");
        const QString typed = "fields=1,3;6,5;100 ";
        const QString calculated = "rows=1,3;6,5;100;6,5;8,45;253,5;3084,25 | focus=";
        const QString untouched = "rows=1,3;6,5;100;0;0;0;0 | focus=";
        const QString firstLetters = " | cursors=0;0;0;0;0;0;0";
        const QString listed = "menu:Menu_Avaa click:Tiedostot#1 ";
        const QString chosen = "Opti=option2 checked";
        const QString curve = "Taulu=curve | shown=";
        const QList<std::array<QString, 3>> rows{
            {"the main window's texts", "", "captions=Bensanhinta [Bensanhinta, € / Litra], Bensankulutus [Bensankulutus, Litraa / 100 Km], "
             "Matka [Matka, Kilometriä], Kokonaiskulutus [Kokonaiskulutus, Litraa / matka], Yhteishinta [Yhteishinta, € / Matka], "
             "Kuukausihinta [Kuukausihinta, € / KK], Vuosihinta [Vuosihinta, € / Vuosi] | tip:row4=Ajetun matkan hinta "
             "| buttons=Laske, Nollaa, Ohjeita | rows=1,3;0;0;0;0;0;0"},
            // Keys in the fields: a command letter is never typed.
            {"L", typed + "@row1 L", calculated + "row1"},
            {"shift L", typed + "@row2 Shift+L", calculated + "row2"},
            {"Alt+L calculates too", typed + "@row2 Alt+L", calculated + "row2"},
            {"L in the year field", typed + "@row6 L", calculated + "row6"},
            {"shift N empties", typed + "@row3 Shift+N", "rows=1,3;0;0;0;0;0;0 | focus=row3"},
            {"Alt+T types nothing", typed + "@row1 Alt+T", untouched + "row1"},
            {"a digit is typed", typed + "@row3 7", "rows=1,3;6,5;100;07;0;0;0 | focus=row3"},
            {"Enter moves on", typed + "@row1 Return", untouched + "row2"},
            {"Enter after the trip price goes round", typed + "@row4 Enter", untouched + "row0"},
            {"Enter in the month field stays", typed + "@row5 Return", untouched + "row5"},
            {"O opens the help", "@row0 O", "window=Ohjeita | row0=1,3"},
            {"Ctrl+A opens, not selects", "@row1 Ctrl+A", "window=Avaa | row1=0"},
            {"Ctrl+L ends and saves", "fields=1,45 @row1 Ctrl+L", "windows= | settings=1,45/100/105/False/True"},
            {"Escape ends and saves", "fields=1,45 @row0 Escape", "windows= | settings=1,45/100/105/False/True"},
            // A result shows its beginning: never without its leading digits or minus sign.
            {"litres", "fields=1,3;0;15;0;1 @row2 L", "row3=0,7692308" + firstLetters},
            {"negative trip price", "fields=-1,37;6,3;123 @row2 L", "row4=-10,61613" + firstLetters},
            {"a result is read as shown", typed + "@row2 L", "a11y:row4=text, Yhteishinta, € / Matka, 8,45, 8,45 | a11y:row6=text, Vuosihinta, € / Vuosi, 3084,25, 3084,25"},
            {"exponent", typed + "row2=1E+11 @row2 L", "row4=8,449999E+09" + firstLetters},
            {"calibrated, no time view", "start:1,3/100/105/True/False " + typed + "@row2 L",
             "Menu_Kalibroi=checked | rows=1,3;6,5;100;6,825;8,872499;-;-"},
            {"untouched settings written back byte for byte", "start:1,30/0/0/False/True quit", "row0=1,30 | settings=1,30/0/0/False/True"},
            {"time view off, a decimal point", "menu:Menu_Aika fields=1,3;6.5;100 @row2 L",
             "rows=1,3;6.5;100;0;0;-;- | shown=!Tankeli: Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu."},
            {"the time view is saved", "menu:Menu_Aika quit", "settings=1,3/100/105/False/False"},
            {"about", "menu:Menu_Tietoja", "shown=!Tietoja: Tankeli\r\n\r\nTankelin kehittäjät 2006\r\nTekijä : Tankeli-tiimi\r\n"
             "https://www.example.org/tankeli\r\n\r\nOhjelman versio : v1.1\r\n\r\nMatkat tallennetaan kansioon:\r\nstat\r\n"},
            // A click on a caption reaches its button; the pointer lights the button under it.
            {"Laske by its caption", typed + "click:Nappi(0)", "row3=6,5 | focus=row0 | marks="},
            // Tab goes on from the fields through the buttons; Space and Enter press the one it is on.
            {"Tab through the buttons", "@row6 Tab Tab Tab Shift+Tab", "focus=Nappi(1) | marks=Nappi(1)"},
            {"Space on Laske", typed + "@row6 Tab Space", calculated + "Nappi(0)"},
            {"Enter on Nollaa", typed + "@row6 Tab Tab Return", "rows=1,3;0;0;0;0;0;0 | focus=Nappi(1)"},
            {"Nollaa", typed + "click:Nappi(1)", "rows=1,3;0;0;0;0;0;0"},
            {"the pointer lights one button", "hover:Nappi(0) hover:Nappi(2)", "Nappi(0)=Laske button1 | Nappi(2)=Ohjeita button2"},
            {"over a field the light stays", "hover:Nappi(2) hover:row3", "Nappi(2)=Ohjeita button2"},
            {"over the background it goes out", "hover:Nappi(2) hover:background", "Nappi(2)=Ohjeita button1"},
            {"the help keeps Enter and letters", "menu:Menu_Ohjeita Return A", "window=Ohjeita | focus=Ohje | Ohje#=26 "
             "| Ohje#0=Ohjeita tankeliin | Ohje#2=Voit laskea ohjelmalla monella eri tapaa polttoaineen kulutusta, kustannuksia tai "
             "matkan kustannuksia. | Ohje#4=1. Ensimmäisenä kannattaa päivittää paikallisen huoltoaseman bensanhinta, joka tallentuu "
             "ohjelman muistiin seuraavaa avauskertaa varten | Ohje#16=7. Jos laskutoimitus epäonnistuu nollaa nuppari ennen toimitusta.  | Ohje#22=Tekijä "
             "Tankeli-tiimi | Ohje#23=Tankelin kehittäjät 2006 | Ohje#24=https://www.example.org/tankeli | Ohje#25="},
            // The file window.
            {"open mode", "menu:Menu_Avaa", "window=Avaa | Nappi(0)=Avaa button1 | Tiedostonimi= | focus=Tiedostot"},
            {"an entry clicked is named", "menu:Menu_Avaa click:Tiedostot#0", "Tiedostonimi=2006_03_07.sav"},
            {"opening fills the fields", "menu:Menu_Avaa click:Tiedostot#0 click:Nappi(0)", "rows=1,3;7,5;120;9;11,7;351;4270,5 | windows=main"},
            {"save mode", "menu:Menu_Tallenna", "window=Tallenna | Nappi(0)=Tallenna button1 | Tiedostonimi=" + QDate::currentDate().toString("yyyy_MM_dd")},
            {"saving keeps the selection", "menu:Menu_Tallenna click:Tiedostot#1 Tiedostonimi=reissu click:Nappi(0)",
             "stat:reissu.sav=1,3/0/0/0/0 | Tiedostot=matka.sav of 3 | window=Tallenna"},
            {"a double click saves over, asking", "row0=2 menu:Menu_Tallenna dclick:Tiedostot#1", "shown=?Ylikirjoita: Sinulla on jo "
             "olemassa matka.sav niminen tiedosto. Korvataanko kyseinen tiedosto? | stat:matka.sav=2/0/0/0/0"},
            {"list Delete asks", listed + "no Delete", "shown=?Poista tiedosto: Haluatko varmasti poistaa tiedoston : matka.sav ? "
             "| windows=Avaa, main | Tiedostot=matka.sav of 2"},
            {"list Enter opens", listed + "Return", "windows=main | rows=1,5;6;100;6;9;270;3285"},
            {"name Enter opens", listed + "@Tiedostonimi Return", "windows=main | rows=1,5;6;100;6;9;270;3285"},
            {"name Enter saves", "menu:Menu_Tallenna Tiedostonimi=reissu @Tiedostonimi Return", "stat:reissu.sav=1,3/0/0/0/0 | window=Tallenna"},
            {"Tab to the mode's button", "menu:Menu_Avaa Tab Tab Tab", "focus=Nappi(0) | marks=Nappi(0)"},
            {"shown again, the list is read again", listed + "S record:uusi.sav=1/2/3/4/5 delete:2006_03_07.sav menu:Menu_Avaa",
             "Tiedostot=matka.sav of 2 | Tiedostot#1=uusi.sav"},
            {"a field takes no more than a record's line", "row2=" + QString(5000, '7'), "row2#=4096"},
            {"name Escape", listed + "@Tiedostonimi Escape", "windows=main"},
            {"name S is typing", listed + "@Tiedostonimi S", "Tiedostonimi=matka.savs"},
            // The statistics window: its walk leaves the last record selected in the file window.
            {"before a selector", "menu:Menu_Stat", "Knapi(1)=Bensankulutus button1 | Taulu=blank | focus=Knapi(0) | marks=Knapi(0) "
             "| a11y:Taulu=text, Käyrä, Käyrää ei ole vielä piirretty."},
            {"Tab through the selectors and the chart to Sulje", "menu:Menu_Stat Tab Tab Tab Tab Tab Tab", "focus=Nappi(0) | marks=Nappi(0)"},
            {"the chart's menu waits for a chart", "menu:Menu_Stat Tab Tab Tab Tab Tab Menu", "focus=Taulu | Kuvavalikko=Tallenna kuvana… off, Tulosta… off"},
            {"Shift+F10 on a drawn chart", "menu:Menu_Stat click:Knapi(1) Tab Tab Tab Tab Tab Shift+F10", "Kuvavalikko=Tallenna kuvana… on, Tulosta… on"},
            {"Enter on a selector draws", "menu:Menu_Stat Tab Return", "focus=Knapi(1) | " + curve},
            {"a selector draws", "menu:Menu_Stat click:Knapi(1)", "Tiedostot=matka.sav of 2 | a11y:Taulu=text, Bensankulutus, Bensankulutus "
             "(L/100Km), 2 matkaa: pienin 6 L/100Km (matka.sav), suurin 7,5 L/100Km (2006_03_07.sav). | " + curve},
            // The selector of the chart drawn is on; the chart's values are a table after it.
            {"the selector drawn is on", "menu:Menu_Stat click:Knapi(1) click:Knapi(4) hover:Knapi(1)",
             "Knapi(4)=Yhteishinta button1 checked | Knapi(1)=Bensankulutus button2 | a11y:Knapi(4)=check box, Yhteishinta"},
            {"clicked again it stays on", "menu:Menu_Stat click:Knapi(1) click:Knapi(1)", "Knapi(1)=Bensankulutus button2 checked"},
            {"no chart, no selector on", "delete:matka.sav menu:Menu_Stat click:Knapi(1)", "Knapi(1)=Bensankulutus button1"},
            {"a screen reader's toggle draws", "menu:Menu_Stat click:Knapi(1) toggle:Knapi(2) toggle:Knapi(2)",
             "Knapi(2)=Matka button1 checked | Knapi(1)=Bensankulutus button1 | a11y:Taulu=text, Matka, Matka (Km), 2 matkaa: pienin 100 Km "
             "(matka.sav), suurin 120 Km (2006_03_07.sav)."},
            {"Tab from the chart to its values", "menu:Menu_Stat click:Knapi(0) Tab Tab Tab Tab Tab Tab",
             "focus=Arvot | seenAt:Taulu=Arvot | Arvot=2006_03_07.sav/1,30; matka.sav/1,50"},
            {"and on to Sulje, the chart seen again", "menu:Menu_Stat click:Knapi(0) Tab Tab Tab Tab Tab Tab Tab", "focus=Nappi(0) | seenAt:Taulu=Taulu"},
            {"S in the values closes", "menu:Menu_Stat click:Knapi(0) Tab Tab Tab Tab Tab Tab S", "windows=main"},
            {"Escape in the values closes", "menu:Menu_Stat click:Knapi(0) Tab Tab Tab Tab Tab Tab Escape", "windows=main"},
            {"a decimal point is told", "record:r.sav=1,3/6.5/100/8/6 menu:Menu_Stat click:Knapi(1)", "Taulu=curve | shown=!Tankeli: "
             "Jokin arvo ei täsmää. Tarkasta ettei luvuissa ole kirjaimia tai ettei desimaalit ole . merkillä."},
            {"one record is too few", "delete:matka.sav menu:Menu_Stat click:Knapi(1)", "Taulu=blank | shown=!Huomio!: Et voi tarkastella "
             "statistiikkaa vielä. Sinulla on oltava minimissään 2 tiedostoa tallennettuna tietokantaan, jotta käyrä voidaan muodostaa."},
            {"the chart stays, and follows the canvas unread", "menu:Menu_Stat click:Knapi(1) Escape menu:Menu_Stat delete:* grow", curve},
            // The calibration window.
            {"calibration opens with its texts", "menu:Menu_Kalibroi", "focus=txt_Taulu | txt_Taulu=100 | txt_Mittari=105 | txt_Virhe=5 % "
             "| tip:txt_Taulu=Aseta lukema, jonka olet ajanut nopeusnäyttöön. | a11y:txt_Mittari=text, Auton mittari, Km / h, 105, 105 "
             "| a11y:Opti=check box, Käytä laskutoimituksessa kalibrointia | Opti=option1"},
            {"the calibration window says what it is for", "menu:Menu_Kalibroi", "said=dialog Kalibrointi: Ilmoita ohjelmalle, jos olet "
             "ajanut nopeusnäyttöön lukemat paljonko näyttö ilmoitti nopeudeksi ja paljonko autosi mittari näytti nopeudeksi."},
            {"Tab reaches the choice after the readings", "menu:Menu_Kalibroi Tab Tab Tab", "focus=Opti"},
            {"the margin follows the digit 1", "menu:Menu_Kalibroi txt_Mittari=126 txt_Taulu= @txt_Taulu 1", "txt_Virhe=12500 %"},
            {"and 12", "menu:Menu_Kalibroi txt_Mittari=126 txt_Taulu= @txt_Taulu 1 2", "txt_Virhe=950 %"},
            {"choice by its picture", "menu:Menu_Kalibroi click:Opti", chosen + " | marks="},
            {"choice by its caption", "menu:Menu_Kalibroi click:txt_Kalibrointia", chosen},
            {"choice by a screen reader", "menu:Menu_Kalibroi toggle:Opti", chosen},
            {"choice by Space", "menu:Menu_Kalibroi @Opti Space", chosen + " | marks=Opti"},
            {"Tab to Sulje, Enter commits", "menu:Menu_Kalibroi Tab Tab Tab Space Tab Return quit", "Menu_Kalibroi=checked | settings=1,3/100/105/True/True"},
            {"Escape commits", "menu:Menu_Kalibroi click:Opti Escape quit", "Menu_Kalibroi=checked | settings=1,3/100/105/True/True"},
            {"closing the window commits the choice", "menu:Menu_Kalibroi click:Opti click:Nappi(0) quit",
             "Menu_Kalibroi=checked | settings=1,3/100/105/True/True"},
            {"back from the main window: the choice in force", "menu:Menu_Kalibroi click:Opti away:main", "Opti=option1"},
            {"back from another program: kept", "menu:Menu_Kalibroi click:Opti away:other", chosen},
            {"back from being minimised: kept", "menu:Menu_Kalibroi click:Opti away:minimised", chosen},
            {"quitting saves the readings, a bad one as in force, not the choice",
             "menu:Menu_Kalibroi txt_Taulu=97,5 txt_Mittari=abc click:Opti quit", "settings=1,3/97,5/105/False/True"},
            // A record folder that may not be written or read: each command names it and the cause.
            {"a read-only record folder", "chmod:stat=500 menu:Menu_Tallenna Tiedostonimi=uusi click:Nappi(0) click:Tiedostot#1 "
             "click:Nappi(2)", "shown=!Tankeli: Kansioon stat ei voitu tallentaa: Ei käyttöoikeutta. + ?Poista tiedosto: Haluatko varmasti "
             "poistaa tiedoston : matka.sav ? + !Tankeli: Tiedostoa matka.sav ei voitu poistaa: Ei käyttöoikeutta. | stat:matka.sav=1,5/6/100/9/6 | Tiedostot=matka.sav of 2"},
            {"an unreadable record folder", "chmod:stat=300 menu:Menu_Tallenna menu:Menu_Stat click:Knapi(1)",
             "shown=!Tankeli: Kansiota stat ei voitu lukea: Ei käyttöoikeutta. + !Tankeli: Kansiota stat ei voitu lukea: Ei käyttöoikeutta."},
            // The summary sums every trip; its averages divide the totals.
            {"the summary", "menu:Menu_Yhteenveto", "window=Yhteenveto | focus=Kuukausittain | Arvo(0)=2 | Arvo(1)=220 km | Arvo(2)=15 l | Arvo(3)=20,70 € "
             "| Arvo(4)=6,818182 l/100 km | Arvo(5)=1,38 €/l | Arvo(6)=0,09409091 €/km | Arvo(7)=6 l/100 km (matka.sav) | Arvo(8)=7,5 l/100 km (2006_03_07.sav) "
             "| Kuukausittain=Maaliskuu 2006/1/120 km/9 l/11,70 €; Vuosi 2006/1/120 km/9 l/11,70 €; Muut/1/100 km/6 l/9,00 € | Pois= | shown="},
            {"a record that does not read is told once, in the window", "record:r.sav=1,3/6.5/100/8/6 record:s.sav=1 menu:Menu_Yhteenveto",
             "Arvo(0)=2 | Pois#0=2 matkaa jätettiin laskuista pois: | Pois#=3 | shown="},
            {"a long name ends in an ellipsis, whole in its tooltip", "record:kesamokkimatka_jyvaskylasta_kuopioon_ja_takaisin_rantatieta.sav=1/4/100/4/4 menu:Menu_Yhteenveto",
             "Arvo(7)=4 l/100 km (kesamo…in_rantatieta.sav) | tip:Arvo(7)=4 l/100 km (kesamokkimatka_jyvaskylasta_kuopioon_ja_takaisin_rantatieta.sav)"},
            {"the summary reads the trips anew", "menu:Menu_Yhteenveto Escape record:uusi.sav=1/5/50/2/2,5 menu:Menu_Yhteenveto", "Arvo(0)=3"},
            {"Käytä laskimessa, then a distance", "fields=1,3;0;100 menu:Menu_Yhteenveto click:Nappi(0) 2 5 0",
             "windows=main | focus=row2 | row1=6,818182 | row2=250"},
            {"Käytä laskimessa by keys", "@row1 Ctrl+Y Tab Return", "windows=main | focus=row2 | row1=6,818182"},
            {"no average to use", "delete:* record:a.sav=1/0/0/0/0 menu:Menu_Yhteenveto click:Nappi(0)",
             "window=Yhteenveto | shown=!Tankeli: Keskikulutusta ei voi laskea: yhdessäkään matkassa ei ole sekä matkaa että litroja."},
            // Spreadsheets: every trip out, and back in with one question for the names saved already.
            {"export", "file:t.csv menu:Menu_Vie", "shown=>Vie taulukkoon: ~/tankeli-matkat.csv [CSV-taulukko (*.csv)] + !Vie taulukkoon: 2 matkaa vietiin taulukkoon t.csv."},
            {"export cancelled", "menu:Menu_Vie", "shown=>Vie taulukkoon: ~/tankeli-matkat.csv [CSV-taulukko (*.csv)]"},
            {"export offered in the documents folder", "documents menu:Menu_Vie", "shown=>Vie taulukkoon: ~/Documents/tankeli-matkat.csv [CSV-taulukko (*.csv)]"},
            {"the chart reads trips saved since the list was read", "menu:Menu_Avaa Escape record:uusi.sav=1,3/6/100/8/6 menu:Menu_Stat click:Knapi(1)",
             "Tiedostot=uusi.sav of 3"},
            {"import, keeping the saved ones", "file:t menu:Menu_Vie delete:matka.sav record:2006_03_07.sav=9 file:t.csv no menu:Menu_Tuo",
             "stat:matka.sav=1,5/6/100/9/6 | stat:2006_03_07.sav=9 | shown=>Vie taulukkoon: ~/tankeli-matkat.csv [CSV-taulukko (*.csv)] + "
             "!Vie taulukkoon: 2 matkaa vietiin taulukkoon t.csv. + <Tuo taulukosta: ~ [CSV-taulukko (*.csv), Kaikki tiedostot (*)] + "
             "?Tuo taulukosta: Matka on jo tallennettu: 2006_03_07.sav. Korvataanko ne taulukon matkoilla? + "
             "!Tuo taulukosta: 1 matka tuotiin taulukosta t.csv. 1 matka jätettiin ennalleen."},
            {"import, replacing", "file:t.csv menu:Menu_Vie record:2006_03_07.sav=9 file:t.csv menu:Menu_Tuo", "stat:2006_03_07.sav=1,3/7,5/120/11,7/9"},
            {"the file window hands no focus back, a click gives it", "row2=1 @row2 menu:Menu_Avaa click:Nappi(1) click:row2 5",
             "window=main | focus=row2 | row2=15"},
        };
        for (const auto &[name, steps, seen] : rows)
            QTest::newRow(qPrintable(name)) << steps << seen;
        for (const auto &[key, title] : {std::pair{"T", "Tallenna"}, {"K", "Kalibrointi"}, {"S", "Statistiikka"}, {"O", "Ohjeita"}})
            QTest::addRow("Ctrl+%s", key) << QStringLiteral("@row1 Ctrl+%1").arg(key) << QStringLiteral("window=%1").arg(title);
        for (const char *key : {"Escape", "S"})
            QTest::addRow("list %s", key) << listed + key << "windows=main";
        // Leaving the help, statistics or calibration window, however it is left, gives the
        // focus back to the field that had it, so typing goes on at once. The calibration
        // window is not left by S, which is typed into its fields.
        for (const char *window : {"Menu_Ohjeita", "Menu_Stat", "Menu_Kalibroi", "Menu_Yhteenveto"})
            for (const char *leave : {"Sulje", "close", "Escape", "S"})
                if (QByteArray(window) != "Menu_Kalibroi" || QByteArray(leave) != "S")
                    QTest::addRow("%s, %s, then typing", window, leave)
                        << QStringLiteral("row2=1 @row2 menu:%1 %2 5").arg(window, QByteArray(leave) != "Sulje" ? leave
                                                                        : QByteArray(window) == "Menu_Yhteenveto" ? "click:Nappi(1)" : "click:Nappi(0)")
                        << "window=main | focus=row2 | row2=15";
    }
    void scenarios()
    {
        QFETCH(QString, steps);
        QFETCH(QString, seen);
        if (steps.contains("chmod:"))
            NEEDS_BINDING_PERMISSIONS();
        QStringList tokens = steps.split(' ', Qt::SkipEmptyParts);
        const QByteArray settings = tokens.value(0).startsWith("start:")
            ? tokens.takeFirst().mid(6).replace('/', "\r\n").toLatin1() + "\r\n" : calibrated;
        start(settings);
        QVERIFY(step("record:2006_03_07.sav=1,3/7,5/120/11,7/9") && step("record:matka.sav=1,5/6/100/9/6"));
        for (const QString &token : tokens) {
            const QPointer<QWidget> before = QApplication::activeWindow();
            QVERIFY2(step(token), qPrintable("the step " + token));
            settle(before);
        }
        QStringList found;
        for (const QString &what : seen.split(" | "))
            found << what.section('=', 0, 0) + '=' + probe(what.section('=', 0, 0));
        if (found.join(" | ") != seen) qDebug().noquote() << found.join(" | ");
        QCOMPARE(found.join(" | "), seen);
    }

    // The chart's menu saves what the canvas shows as PNG (twice the screen scale), SVG or
    // PDF, by the name's extension or else the chosen type, and prints it on a page.
    void chartImages_data()
    {
        QTest::addColumn<QString>("answer");  // the file dialog's "name#filter", "print", or "" (cancelled)
        QTest::addColumn<QString>("written"); // the file then there
        QTest::addColumn<QString>("looks");   // what it holds
        QTest::addColumn<QString>("shown");   // the dialogs and messages, after the file dialog
        QTest::newRow("PNG by its extension") << "kayra.png#0" << "kayra.png" << "red curve, 2x" << "";
        QTest::newRow("SVG by its extension, whatever the type") << "kayra.SVG#2" << "kayra.SVG" << "red line, title" << "";
        QTest::newRow("PDF by the type, no extension") << "kayra#2" << "kayra.pdf" << "red curve" << "";
        QTest::newRow("cancelled") << "" << "" << "" << "";
        QTest::newRow("a folder that is not there") << "puuttuu/kayra.png#0" << "" << ""
                                                   << "!Tankeli: Kuvaa puuttuu/kayra.png ei voitu tallentaa: Tiedostoa tai kansiota ei ole.";
        QTest::newRow("printed") << "print" << "tuloste.pdf" << "red curve" << "print";
    }
    void chartImages()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, looks);
        start(calibrated);
        QVERIFY(step("record:2006_03_07.sav=1,3/7,5/120/11,7/9") && step("record:matka.sav=1,5/6/100/9/6"));
        QVERIFY(step("menu:Menu_Stat") && step("click:Knapi(1)"));
        auto *canvas = find<ChartCanvas>("Taulu");
        const QString folder = dirs->path("kuvat/");
        QDir().mkpath(folder);
        messages->shown.clear();
        if (answer == "print") {
            messages->printTo = folder + written;
            menu("Tulosta")->trigger();
        } else {
            if (!answer.isEmpty())
                messages->files << folder + answer;
            menu("Tallenna_Kuvana")->trigger();
            QCOMPARE(messages->shown.value(0).section(": ", 0, 0), ">Tallenna kuvana");
            QVERIFY(messages->shown.takeFirst().endsWith("tankeli-bensankulutus.png [PNG-kuva (*.png), SVG-kuva (*.svg), PDF-tiedosto (*.pdf)]"));
        }
        QTEST(messages->shown.join(" + ").replace(folder, ""), "shown");
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), written.isEmpty() ? QStringList() : QStringList{written});
        if (written.isEmpty())
            return;
        QImage image(folder + written);
        if (written.endsWith(".pdf")) { // rendered as a reader shows it
            QCOMPARE(QProcess::execute("pdftoppm", {"-png", "-r", "96", "-singlefile", folder + written, folder + "sivu"}), 0);
            image = QImage(folder + "sivu.png");
        }
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 80;
        const QByteArray bytes = readBytes(folder + written);
        const QString seen = written.endsWith(".svg", Qt::CaseInsensitive)
            ? (bytes.contains("stroke=\"#ff0000\"") && (bytes.contains("<polyline") || bytes.contains("<path")) && bytes.contains(">Bensankulutus</text>") ? "red line, title" : "no red line")
            : red < 100 ? "no curve"
            : image.size() == canvas->size() * 2 ? "red curve, 2x" : "red curve";
        QCOMPARE(seen, looks);
    }

    // A screen reader reads every field's whole value, however long: in the runs of its
    // text attributes (runs that ended short made Orca read "600" as "60"), line by line,
    // word by word and character by character, and where typing leaves the cursor.
    void fieldsReadWhole_data()
    {
        QTest::addColumn<QString>("command"); // the menu command that shows the field, "" in the main window
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value"); // its first 1, 2, .. 12 characters are read in turn
        QTest::newRow("fuel price") << "" << "row0" << "1,3456789012";
        QTest::newRow("consumption") << "" << "row1" << "6,5 l/100 km";
        QTest::newRow("distance") << "" << "row2" << "600000000000";
        QTest::newRow("trip price") << "" << "row3" << "-10,61613 €.";
        QTest::newRow("litres") << "" << "row4" << "8,449999E+09";
        QTest::newRow("month price") << "" << "row5" << "253,5 / kk  ";
        QTest::newRow("year price") << "" << "row6" << "3084,25 väh";
        QTest::newRow("display reading") << "Menu_Kalibroi" << "txt_Taulu" << "100000000000";
        QTest::newRow("speedometer reading") << "Menu_Kalibroi" << "txt_Mittari" << "97,5 km/h 12";
        QTest::newRow("error margin") << "Menu_Kalibroi" << "txt_Virhe" << "-10 % -10 %.";
        QTest::newRow("record name") << "Menu_Tallenna" << "Tiedostonimi" << "2026_12_07.s";
        QTest::newRow("help text") << "Menu_Ohjeita" << "Ohje" << "1. Ohje\n2. x";
        QTest::newRow("trips left out of the summary") << "Menu_Yhteenveto" << "Pois" << "a.sav: 6.5 x";
        QTest::newRow("file dialog's name") << "file dialog" << "fileNameEdit" << "kayra 1.png ";
        QTest::newRow("print dialog's copies") << "print dialog" << "copies" << "100000000000";
    }
    void fieldsReadWhole()
    {
        QFETCH(QString, command);
        QFETCH(QString, field);
        QFETCH(QString, value);
        start(calibrated);
        QPrinter printer;
        std::unique_ptr<QDialog> dialog;
        if (command == "file dialog") { // as the chart's "Tallenna kuvana…" shows it
            auto *files = new QFileDialog(main.get(), QStringLiteral("Tallenna kuvana"));
            files->setOption(QFileDialog::DontUseNativeDialog);
            files->setAcceptMode(QFileDialog::AcceptSave);
            dialog.reset(files);
        } else if (command == "print dialog") { // as the chart's "Tulosta…" shows it
            dialog = std::make_unique<QPrintDialog>(&printer, main.get());
        }
        if (dialog)
            dialog->show();
        else if (!command.isEmpty()) {
            menu(qPrintable(command))->trigger();
            settle(main.get());
        }
        QWidget *control = find(field);
        QVERIFY(control);
        const QStringList shown = screenreader::faultsReading(QAccessible::queryAccessibleInterface(control));
        QVERIFY2(shown.isEmpty(), qPrintable("as shown: " + shown.join("; ")));
        for (int n = 1; n <= value.size(); ++n) {
            if (auto *line = qobject_cast<QLineEdit *>(control))
                line->setText(value.left(n));
            else if (qobject_cast<QAbstractSpinBox *>(control)) // as typed, whatever its number
                control->findChild<QLineEdit *>()->setText(value.left(n));
            else
                qobject_cast<QPlainTextEdit *>(control)->setPlainText(value.left(n));
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QAccessibleTextInterface *text = accessible->textInterface();
            QVERIFY2(text, qPrintable(field));
            QCOMPARE(text->text(0, text->characterCount()), value.left(n));
            const QStringList faults = screenreader::faultsReading(accessible);
            QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("'%1': %2").arg(value.left(n), faults.join("; "))));
        }
    }

    // What a screen reader hears of the file list, listening to the program's events: the
    // entries (and other controls) it is told have the focus, and every entry the name
    // field showed, while the list had the keyboard focus, before the reader had been
    // told of it (the reader was then one step behind the selection). An entry the
    // program selects while the focus is elsewhere is not announced as focused.
    void listTellsTheSelection_data()
    {
        QTest::addColumn<QString>("before"); // steps not listened to
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("told");   // the focus, in order
        QTest::addColumn<QString>("early");  // name field changes ahead of the list
        const QString open = "record:uusi.sav=1/2/3/4/5 menu:Menu_Avaa";
        QTest::newRow("arrow keys") << open << "Down Down Up" << "matka.sav, uusi.sav, matka.sav" << "";
        QTest::newRow("a click") << open << "click:Tiedostot#2" << "uusi.sav" << "";
        QTest::newRow("Tab to the name, back and down") << open + " Down" << "Tab Shift+Tab Down"
                                                        << "Tiedostonimi, Tallennetut tiedostot, matka.sav, uusi.sav" << "";
        QTest::newRow("saving with the focus in the name") << "menu:Menu_Tallenna click:Tiedostot#1 @Tiedostonimi Tiedostonimi=uusi"
                                                           << "Return" << "" << "";
        QTest::newRow("the chart's walk") << open + " Escape" << "menu:Menu_Stat click:Knapi(1)" << "Bensanhinta" << "";
    }
    void listTellsTheSelection()
    {
        QFETCH(QString, before);
        QFETCH(QString, steps);
        start(calibrated);
        if (!QAccessible::isActive())
            QSKIP("no screen reader can listen here (run on a desktop with its accessibility bus)");
        QVERIFY(step("record:2006_03_07.sav=1,3/7,5/120/11,7/9") && step("record:matka.sav=1,5/6/100/9/6"));
        for (const QString &token : before.split(' ', Qt::SkipEmptyParts)) {
            QVERIFY2(step(token), qPrintable(token));
            settle(main.get());
        }
        QCoreApplication::processEvents();
        static QStringList told;
        static QStringList early;
        static QString lastTold;
        told.clear();
        early.clear();
        lastTold.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            const QAccessible::Event type = event->type();
            if (type == QAccessible::Focus && event->accessibleInterface())
                told << (lastTold = event->accessibleInterface()->text(QAccessible::Name));
            const auto *name = qobject_cast<QLineEdit *>(event->object());
            const bool listFocused = qobject_cast<QListWidget *>(QApplication::focusWidget());
            if (name && name->objectName() == "Tiedostonimi" && listFocused && name->text() != lastTold
                && (type == QAccessible::TextUpdated || type == QAccessible::TextInserted) && !early.contains(name->text()))
                early << name->text();
        });
        const auto listenNoMore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
        for (const QString &token : steps.split(' ', Qt::SkipEmptyParts)) {
            const QPointer<QWidget> at = QApplication::activeWindow();
            QVERIFY2(step(token), qPrintable(token));
            settle(at);
            QCoreApplication::processEvents(); // what the program tells once it is idle
        }
        told.removeAll(QString()); // windows and their frames
        QTEST(told.join(", "), "told");
        QTEST(early.join(", "), "early");
    }

    // At its minimum size, frame included, a window is as large as designed, every
    // control is whole inside its client area, no caption is clipped and the gradient
    // fills it; it is a window to a screen reader, with the icon. Under a dark colour
    // scheme every caption on the gradient and the pictures still stands out.
    void windows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("outerTwips"); // the smallest outer size, frame included
        QTest::newRow("main") << "" << "Tankeli v1.1 - Tankelin kehittäjät 2006" << QSize(6500, 5500);
        QTest::newRow("help") << "Menu_Ohjeita" << "Ohjeita" << QSize(2500, 4000);
        QTest::newRow("file") << "Menu_Avaa" << "Avaa" << QSize(5500, 6000);
        QTest::newRow("statistics") << "Menu_Stat" << "Statistiikka" << QSize(5500, 6000);
        QTest::newRow("calibration") << "Menu_Kalibroi" << "Kalibrointi" << QSize(5000, 4000);
        QTest::newRow("summary") << "Menu_Yhteenveto" << "Yhteenveto" << QSize(6600, 6600);
    }
    void windows()
    {
        QFETCH(QString, command);
        const QPalette light = QApplication::palette();
        const auto restore = qScopeGuard([&light] { QApplication::setPalette(light); });
        QApplication::setPalette(QPalette(Qt::white, QColor(45, 45, 45), Qt::gray, Qt::black, Qt::darkGray, Qt::white, Qt::white, QColor(30, 30, 30), QColor(45, 45, 45)));
        start(calibrated);
        if (!command.isEmpty())
            menu(qPrintable(command))->trigger();
        QVERIFY(QTest::qWaitFor([&] { return command.isEmpty() || QApplication::activeWindow() != main.get(); }));
        QWidget *w = QApplication::activeWindow();
        QTEST(w->windowTitle(), "title");
        if (w != main.get()) { // it belongs to the main window: above it, opened over it, no taskbar entry
            QVERIFY(w->windowType() == Qt::Dialog && w->windowHandle()->transientParent() == main->windowHandle());
            QTRY_VERIFY(main->frameGeometry().contains(w->frameGeometry().center()));
            QProcess xprop; // what the desktop itself is told
            xprop.start("xprop", {"-id", QString::number(w->winId()), "WM_TRANSIENT_FOR"});
            QVERIFY(QGuiApplication::platformName() != "xcb" || (xprop.waitForFinished() && xprop.readAll().contains(QByteArray::number(main->winId(), 16))));
        }
        QFETCH(QSize, outerTwips);
        w->resize(1, 1);
        QTRY_COMPARE(w->size(), w->minimumSize());
        // On a desktop the frame is known a moment after the window is shown.
        QTRY_VERIFY2(w->frameGeometry().size().expandedTo(twipsToPixels(outerTwips)) == w->frameGeometry().size(),
                     qPrintable(QStringLiteral("%1 x %2").arg(w->frameGeometry().width()).arg(w->frameGeometry().height())));
        const QImage dark = client(w)->grab().toImage();
        for (QWidget *control : client(w)->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            const QString what = control->objectName() + " " + control->accessibleName();
            const auto *button = qobject_cast<PictureButton *>(control);
            if (qobject_cast<QLabel *>(control) || (button && !button->text().isEmpty()))
                QVERIFY2(contrastIn(dark, button ? button->captionRect().translated(button->pos()) : control->geometry()) >= 4.5, qPrintable(what));
            QVERIFY2(control->isHidden() || client(w)->rect().contains(shownRect(control)), qPrintable(what));
            if (const auto *label = qobject_cast<QLabel *>(control))
                QVERIFY2(shownRect(label).width() <= label->width() && shownRect(label).height() <= label->height(), qPrintable(what));
            if (button)
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->captionRect().width(), qPrintable(what));
        }
        const QImage image = client(w)->grab().toImage(); // the gradient reaches both corners
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(234, 246, 255));
        QCOMPARE(QColor(image.pixel(image.width() - 1, image.height() - 1)), QColor(97, 117, 136));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(w);
        QVERIFY(accessible->role() == QAccessible::Window || accessible->role() == QAccessible::Dialog);
        QCOMPARE(accessible->text(QAccessible::Name), w->windowTitle());
        QVERIFY(!programIcon().pixmap(16).isNull());
        QCOMPARE(w->windowIcon().pixmap(16).toImage(), programIcon().pixmap(16).toImage());
    }

    // The program's own boxes, not the recorder: Finnish buttons with Yes as the default,
    // the icon the message asks for, and a long name shortened so that the box fits a
    // 1024-pixel screen.
    void realMessageBoxes()
    {
        start(calibrated);
        Messages::replace(nullptr);
        QStringList seen;
        const QString stat = dirs->path("stat");
        const auto answer = [&seen, stat](const char *button) {
            QTimer::singleShot(0, [&seen, stat, button] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QStringList buttons;
                for (QAbstractButton *b : box->buttons())
                    buttons << b->text();
                buttons.sort();
                seen << QStringList{box->windowTitle(), buttons.join('/'), box->defaultButton()->text(),
                                    QString::number(int(box->icon())), box->width() <= 1024 ? QStringLiteral("fits") : QStringLiteral("too wide"),
                                    QString(box->text()).replace(stat, "stat").right(24)}.join(" | ");
                for (QAbstractButton *b : box->buttons())
                    if (b->text() == QLatin1String(button))
                        b->click();
            });
        };
        answer("Ei");
        QVERIFY(!Messages::current().ask(main.get(), QStringLiteral("Korvataanko?"), QStringLiteral("Ylikirjoita")));
        QVERIFY(step("menu:Menu_Tallenna") && step("Tiedostonimi=" + QString(300, 'm')));
        settle(main.get());
        answer("OK");
        find<PictureButton>("Nappi(0)")->click();
        answer("OK");
        menu("Menu_Tietoja")->trigger();
        QCOMPARE(seen, (QStringList{"Ylikirjoita | Ei/Kyllä | Kyllä | 0 | fits | Korvataanko?",
                                    "Tankeli | OK | OK | 0 | fits | aa: Nimi on liian pitkä.",
                                    "Tietoja | OK | OK | 1 | fits | netaan kansioon:\r\nstat\r\n"}));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
