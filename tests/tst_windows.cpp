#include "RecordingMessages.h"
#include "ScreenReader.h"
#include "TestFolders.h"

#include "calculator/TripQuantities.h"
#include "fillups/FillUpLog.h"
#include "look/AppIcon.h"
#include "look/PictureButton.h"
#include "look/PrintDialog.h"
#include "base/FailureText.h"
#include "base/WindowGeometry.h"
#include "mainwindow/Tankeli.h"
#include "vehicles/VehicleComparison.h"
#include "records/Tiedosto.h"
#include "statistics/ChartCanvas.h"
#include "statistics/ChartPainting.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenuBar>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cmath>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    QTimer boxAnswerer; // answers the program's real message boxes by their default button
    QString ended;      // the exit status the main window's close gave

    void start(const QByteArray &settings)
    {
        dirs = std::make_unique<TestFolders>(settings);
        messages = std::make_unique<RecordingMessages>();
        launch();
    }
    // Starts the program on the folders there, as a user does.
    void launch()
    {
        ended = "no";
        main = std::make_unique<Tankeli>(dirs->folders());
        connect(main.get(), &Tankeli::closed, this, [this](int status) { ended = QString::number(status); });
        // A window that did not load has no buttons to press: stop with the reason.
        if (const Done loaded = main->Form_Load(); !loaded)
            qFatal("the main window did not load: %s", qPrintable(loaded.error()));
        main->show();
        main->activateWindow();
        waitActive(main.get());
    }
    // Offscreen windows become active a moment after they are shown.
    static bool waitActive(QWidget *window) { return QTest::qWaitFor([window] { return window->isActiveWindow(); }, 5000); }
    // A message with the file it names but not its folder, which is long, and shortened
    // in the middle where it is longer still.
    static QString withoutFolders(const QString &text)
    {
        static const QRegularExpression folder("(Kuvaa |tiedostoon |Tiedostoon )[^ ]*/");
        return QString(text).replace(folder, "\\1");
    }
    // What a chart image or printed page shows, as a reader renders it: the red curve; the
    // heading (for a PNG, ink in the band above the canvas's share; else its text drawn);
    // a PNG's scale; a PDF page's way round and whether the chart fills it, from side to
    // side and down to its bottom label.
    static QString looksOf(const QString &path, QSize canvas)
    {
        const QByteArray bytes = readBytes(path);
        const QString type = QFileInfo(path).suffix().toLower();
        QImage image;
        QString text;
        if (type == "png") {
            image = QImage(path);
        } else if (type == "svg") {
            QSvgRenderer svg(bytes);
            image = QImage(svg.defaultSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            svg.render(&painter);
            static const QRegularExpression drawn("<text[^>]*>([^<]*)</text>");
            for (const QRegularExpressionMatch &m : drawn.globalMatch(QString::fromUtf8(bytes)))
                text += m.captured(1) + '\n';
        } else {
            const QString rendered = path + "-sivu";
            if (QProcess::execute("pdftoppm", {"-png", "-r", "96", "-singlefile", path, rendered}) != 0)
                return "not a PDF";
            image = QImage(rendered + ".png");
            QFile::remove(rendered + ".png");
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-layout", path, "-"});
            pdftotext.waitForFinished();
            text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        }
        QRect red;
        int ink = 0;
        int low = 0;
        const int chartTop = image.height() - canvas.height() * (type == "png" ? 2 : 1);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qRed(c) > 200 && qGreen(c) < 80)
                    red |= QRect(x, y, 1, 1);
                else if (qGray(c) < 100) {
                    ink += y < chartTop;
                    low += y > image.height() * 0.85;
                }
            }
        QStringList seen{red.width() * red.height() >= 100 ? "red curve" : "no curve"};
        if (type == "png")
            seen << (ink > 50 ? "heading" : "no heading");
        else
            seen << (text.contains("Bensankulutus (L/100Km)") && text.contains("2 matkaa: 2006_03_07.sav – matka.sav") ? "heading" : "no heading");
        if (type == "png")
            seen << QStringLiteral("%1x").arg(double(image.width()) / canvas.width());
        if (type == "pdf")
            seen << (image.width() > image.height() ? "landscape" : "portrait")
                 << (red.width() > image.width() * 0.8 && low > 20 ? "filled" : "not filled");
        return seen.join(", ");
    }
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
        QPointer<QWidget> expected = main->isVisible() ? main.get() : nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != main.get() && top != otherProgram.get() && top->isVisible() && !top->isMinimized()
                && top->windowType() != Qt::Popup)
                expected = top;
        const bool handsBack = !qobject_cast<const Tiedosto *>(before) || before->isVisible(); // the file window does not
        if (expected && handsBack)
            (void)QTest::qWaitFor([expected] { return !expected || expected->isActiveWindow(); }, 5000);
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
    // "fillup:date/odometer/amount/total[/osa]",
    // "chmod:folder=octal", "grow", "no" (the next answer), "term" (a request to end the program),
    // "end" (one while the next question is open), "asking:step,step" (steps taken while the next
    // question is open), "endsoon:command" (one as soon as the command handles events), "realboxes" (the program's own boxes from now on, each answered by
    // its default button), "remove:path", "places:" (the file of window places,
    // "name=place/.."), "place:x,y,w,h" and "maximise" (the active window), "start" (again,
    // after "quit"), "restart", or a key such as "Ctrl+K".
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
        else if (verb == "fillup") { // one more in the log: "date/odometer/amount/total", "/osa" after a partial
            const QStringList v = what.split('/');
            QList<FillUp> log = readFillUpLog(dirs->path("Data/Tankkaukset.csv")).fillUps;
            log.append({QDate::fromString(v[0], Qt::ISODate), v[1].toDouble(), v[2].toDouble(), v[3].toDouble() / v[2].toDouble(),
                        v[3].toDouble(), v.value(4) != "osa", false, {}});
            return bool(writeFillUpLog(dirs->path("Data/Tankkaukset.csv"), log, Energy::Petrol));
        } else if (verb == "delete") {
            for (const QString &name : QDir(dirs->path("stat")).entryList(QDir::Files))
                if (what == "*" || what == name)
                    QFile::remove(dirs->stat(name));
        } else if (token == "hover:background")
            moveOver(main->centralWidget(), QPoint(5, 150));
        else if (verb == "click" || verb == "dclick" || verb == "hover" || verb == "toggle") {
            QWidget *target = find(what.section('#', 0, 0));
            if (!target)
                return false;
            if (verb == "click" || verb == "dclick") { // a click activates its window first, as a desktop does
                target->window()->activateWindow();
                (void)waitActive(target->window());
            }
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
            else
                QTest::mouseClick(window, Qt::LeftButton, {}, there);
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
        else if (token == "term") // the program is asked to end (logout, kill) now
            (void)main->closeUnattended();
        else if (token == "end") // the program is asked to end (logout, kill) while the next question is open
            messages->whileAsking = [this] { (void)main->closeUnattended(); };
        else if (verb == "asking") // steps taken in another window while the next question is open, between commas
            messages->whileAsking = [this, what] {
                for (const QString &meanwhile : what.split(',')) {
                    const QPointer<QWidget> before = QApplication::activeWindow();
                    QVERIFY2(step(meanwhile), qPrintable("the step " + meanwhile));
                    settle(before);
                }
            };
        else if (verb == "endsoon") { // asked to end as soon as events are handled, once the command has begun
            QTimer::singleShot(0, main.get(), [this] { (void)main->closeUnattended(); });
            menu(qPrintable(what))->trigger();
        } else if (token == "realboxes") { // the program's own message boxes from now on
            Messages::replace(nullptr);
            boxAnswerer.start();
        } else if (verb == "remove")
            return QFile::remove(dirs->path(what));
        else if (verb == "places") // the file of window places: "name=place/name=place"
            return writeBytes(dirs->path("Data/Ikkunat.txt"), what.split('/').join('\n').replace('=', ' ').toLatin1() + "\n");
        else if (token == "start" || token == "restart") { // start again on the same folders, after quitting
            if (token == "restart")
                main->close();
            main.reset();
            launch();
        } else if (verb == "place") { // the active window's frame moved to x,y, its inside resized to w,h
            const QStringList n = what.split(',');
            const QPoint to(n.value(0).toInt(), n.value(1).toInt());
            const QSize size(n.value(2).toInt(), n.value(3).toInt());
            active->move(to);
            active->resize(size);
            return QTest::qWaitFor([&] { return active->pos() == to && active->size() == size; });
        } else if (token == "maximise") {
            active->showMaximized();
            return QTest::qWaitFor([&] { return active->isMaximized(); });
        }
        else if (verb == "file") // the next file dialog's answer
            messages->files << dirs->path(what);
        else if (token == "documents") // the user's documents folder
            return QDir().mkpath(QDir::homePath() + "/Documents");
        else if (token.startsWith("fields=")) {
            const QStringList fields = token.section('=', 1).split(';');
            for (int r = 0; r < fields.size(); ++r)
                row(r)->setText(fields[r]);
        } else if (auto *choice = find<QComboBox>(token.section('=', 0, 0)); choice && token.contains('=')) {
            choice->setCurrentText(token.section('=', 1));
        } else if (token.contains('=') && find<QLineEdit>(token.section('=', 0, 0))) {
            find<QLineEdit>(token.section('=', 0, 0))->setText(token.section('=', 1));
        } else {
            const QKeySequence key = QKeySequence::fromString(token);
            // A window manager under load activates a window late; keys wait for one.
            (void)QTest::qWaitFor([] { return QApplication::activeWindow() || QApplication::activePopupWidget(); }, 5000);
            active = active ? active : QApplication::activeWindow();
            // An open menu has the keyboard to itself.
            QWidget *to = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                : QApplication::focusWidget()               ? QApplication::focusWidget()
                                                            : active;
            if (key.count() != 1 || key[0].key() == Qt::Key_unknown || !to)
                return false;
            QTest::keyClick(to, key[0].key(), key[0].keyboardModifiers());
            // What a key posts (a cell editor's commit) is done before the next, as between a user's keys.
            QCoreApplication::processEvents();
        }
        return true;
    }

    // What a user sees of one thing: the fields ("rows", hidden ones as "-"), "cursors",
    // "focus", the buttons with a focus frame ("marks"), the active "window", the shown
    // "windows", the saved "settings", the messages "shown", "captions", the screen
    // reader's "buttons", "a11y:" (role, name, description, value, last word), what it "said" as
    // the window opened, "tip:", "stat:" (a record's lines), the control "seenAt:" another's
    // place, the desktop's "trash", the open "menu", the rows a table shows whole
    // ("rowsSeen:"), the exit status the close gave ("ended"), the active window's "place", "size", whether it is "maximised" and whether
    // it is "centred" over the main window, a window's line in the file of places
    // ("remembered:"), or any named control's text, picture or state.
    QString probe(const QString &name)
    {
        QStringList seen;
        QWidget *active = QApplication::activeWindow();
        if (name == "menu") { // the open menu, and its command lit
            const auto *open = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return !open ? "none" : QString(open->title() + ": " + (open->activeAction() ? open->activeAction()->text() : "")).remove('&');
        }
        if (name == "ended")
            return ended;
        if (!active && (name == "place" || name == "size" || name == "maximised" || name == "centred"))
            return "no active window";
        if (name == "place") // the active window's frame corner and inside
            return QStringLiteral("%1,%2 %3x%4").arg(active->x()).arg(active->y()).arg(active->width()).arg(active->height());
        if (name == "size") // the active window's inside
            return active->size() == active->minimumSize() ? "minimum" : QStringLiteral("%1x%2").arg(active->width()).arg(active->height());
        if (name == "maximised")
            return active->isMaximized() ? "yes" : "no";
        if (name.startsWith("remembered:")) // the window's line in the file of window places
            for (const QByteArray &line : readBytes(dirs->path("Data/Ikkunat.txt")).split('\n'))
                if (line.startsWith(name.section(':', 1).toLatin1() + ' '))
                    return QString::fromLatin1(line).section(' ', 1);
        if (name == "centred") { // the active window lies over the middle of the main window, give or take its frame
            const QPoint off = active->frameGeometry().center() - main->frameGeometry().center();
            return qAbs(off.x()) <= 20 && qAbs(off.y()) <= 20 ? "yes" : QStringLiteral("no, %1,%2 off").arg(off.x()).arg(off.y());
        }
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
        if (name == "trash") // what the desktop's trash holds
            return QDir(home.filePath(".local/share/Trash/files")).entryList(QDir::Files | QDir::System).join(", ");
        if (name == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none";
        if (name == "window")
            return titleOf(active, main.get());
        if (name == "title") // the main window's
            return main->windowTitle();
        if (name.startsWith("vehicle:")) // a file of another vehicle: "name" its settings, "name/stat/x.sav" a record
            return QString::fromUtf8(readBytes(dirs->path("Ajoneuvot/" + name.mid(8) + (name.contains('/') ? "" : "/Data/Arvot.txt"))))
                .replace("\r\n", "/").section('/', 0, -2);
        if (name == "trashedfolders") // the folders the desktop's trash holds
            return QDir(home.filePath(".local/share/Trash/files")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).join(", ");
        if (name.startsWith("captions#")) // row k's caption
            return main->findChildren<QLabel *>().value(0) ? [&] {
                QStringList captions;
                for (const QLabel *label : main->findChildren<QLabel *>())
                    if (label->buddy())
                        captions << label->text();
                return captions.value(name.mid(9).toInt());
            }() : QString();
        for (const QAction *menu : name == "menubar" ? main->menuBar()->actions() : QList<QAction *>())
            seen << menu->text().remove('&');
        if (name == "menubar")
            return seen.join(", ");
        if (name == "vehicles") { // the menu Ajoneuvo: "*" marks the chosen, "-" what cannot be chosen
            for (const QAction *item : main->findChild<QMenu *>("Menu_Ajoneuvo")->actions())
                if (!item->isSeparator())
                    seen << (item->isChecked() ? "*" : item->isEnabled() ? "" : "-") + item->text().remove('&')
                            + (item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString());
            return seen.join(", ");
        }
        if (name == "settings" || name.startsWith("stat:"))
            return QString::fromLatin1(name == "settings" ? dirs->settings() : readBytes(dirs->stat(name.mid(5)))).replace("\r\n", "/").section('/', 0, -2);
        if (name == "trash#")
            return QString::number(probe("trash").split(", ", Qt::SkipEmptyParts).size());
        if (name.startsWith("shown#")) // "shown#k": message k; "shown#": how many
            return name == "shown#" ? QString::number(messages->shown.size())
                                    : probe("shown").split(" + ").value(name.mid(6).toInt());
        if (name == "shown")
            return messages->shown.join(" + ").replace(dirs->path("stat"), "stat").replace(QFileInfo(dirs->path("stat")).path() + "/", "")
                .replace(QDir::homePath(), "~");
        if (auto *table = find<QTableWidget>(name.mid(9)); name.startsWith("rowsSeen:") && table) { // rows whole in the table's view
            int whole = 0;
            for (int r = 0; r < table->rowCount(); ++r)
                whole += table->viewport()->rect().contains(table->visualItemRect(table->item(r, 0)));
            return whole == table->rowCount() ? "all" : QStringLiteral("%1 of %2").arg(whole).arg(table->rowCount());
        }
        if (auto *table = find<QTableWidget>(name.mid(4).section('#', 0, 0)); name.startsWith("tip:") && table) // "tip:name#r": of row r's last cell
            return table->item(name.section('#', 1).toInt(), table->columnCount() - 1)->toolTip();
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
        if (name.startsWith("clipboard")) { // "clipboard#k": line k; "clipboard#": how many
            const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
            return name.endsWith('#') ? QString::number(lines.size() - 1) : lines.value(name.section('#', 1).toInt());
        }
        if (name.startsWith("a11y:")) {
            QAccessibleInterface *control = QAccessible::queryAccessibleInterface(find(name.mid(5)));
            const QString role = control->role() == QAccessible::CheckBox ? "check box" : control->role() == QAccessible::Button ? "push button"
                : control->role() == QAccessible::Table ? "table" : "text";
            QStringList headers; // a table's column headers
            for (int c = 0; control->tableInterface() && c < control->tableInterface()->columnCount(); ++c)
                headers << control->tableInterface()->columnDescription(c);
            if (auto *table = find<QTableWidget>(name.mid(5)); table && table->currentIndex().isValid()) // and the cell the keys are on
                headers << "on " + control->tableInterface()->cellAt(table->currentRow(), table->currentColumn())->text(QAccessible::Name);
            int from = 0;
            int to = 0; // and the word a reader takes at the end, where typing leaves the cursor
            const QString last = control->textInterface() ? control->textInterface()->textAtOffset(control->textInterface()->characterCount(), QAccessible::WordBoundary, &from, &to) : QString();
            return (QStringList{role, control->text(QAccessible::Name), control->text(QAccessible::Description), control->text(QAccessible::Value), last,
                                headers.join("/")}).filter(QRegularExpression(".")).join(", ");
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
        if (auto *label = find<QLabel>(name))
            return label->text();
        if (auto *table = find<QTableWidget>(name.section('#', 0, 0))) { // "cell/cell/..; next row"; "name#r": row r
            if (!table->isVisibleTo(table->window()))
                return "hidden";
            for (int r = 0; r < table->rowCount(); ++r) {
                if (name.contains('#') && r != name.section('#', 1).toInt())
                    continue;
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << (table->item(r, c) ? table->item(r, c)->text() : "");
                seen << cells.join('/');
            }
            return seen.join("; ");
        }
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
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(".local/share"))); // the desktop's trash is there
        boxAnswerer.setInterval(20);
        connect(&boxAnswerer, &QTimer::timeout, this, [] {
            // The window the box belongs to is active again after it, as a desktop makes it.
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                QWidget *owner = box->parentWidget() ? box->parentWidget()->window() : nullptr;
                box->defaultButton()->click();
                if (owner)
                    owner->activateWindow();
            }
        });
    }
    void cleanup()
    {
        boxAnswerer.stop();
        QDir(home.filePath("Documents")).removeRecursively();
        QDir(home.filePath(".local/share/Trash")).removeRecursively();
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
            // Vehicles: a user who adds none sees the program as it was, a menu more; each
            // vehicle keeps its own price, texts and files.
            {"one vehicle: the title and menus as they were", "",
             "title=Tankeli v1.1 - Tankelin kehittäjät 2006 | menubar=Tiedosto, Asetukset, Ajoneuvo, Ohje "
             "| Johdanto=Tankelilla voit laskea autosi kulutusta matkojen pituuksilta esimerkiksi hinnan tai litrojen suhteen. "
             "| vehicles=*Oma auto Ctrl+1, Uusi ajoneuvo…, Muokkaa ajoneuvoa…, -Poista ajoneuvo…, Vertaa ajoneuvoja…, Tankkaukset… Ctrl+G, Tuo tankkaukset…, Vie tankkaukset…"},
            {"a new electric car is chosen, with its own texts", "row0=1,99 menu:Menu_Uusi_Ajoneuvo Nimi=Sähköauto Kayttovoima=Sähkö Return",
             "title=Tankeli v1.1 – Sähköauto | settings=1,99/100/105/False/True | row0=0 "
             "| vehicles=Oma auto Ctrl+1, *Sähköauto Ctrl+2, Uusi ajoneuvo…, Muokkaa ajoneuvoa…, Poista ajoneuvo…, Vertaa ajoneuvoja…, Tankkaukset… Ctrl+G, Tuo tankkaukset…, Vie tankkaukset… "
             "| a11y:row0=text, Sähkön hinta, € / kWh, 0, 0 "
             "| Johdanto=Tankelilla voit laskea autosi kulutusta matkojen pituuksilta esimerkiksi hinnan tai kilowattituntien suhteen."},
            {"back to the first by Ctrl+1: its price, the other's kept", "row0=1,99 menu:Menu_Uusi_Ajoneuvo Nimi=Sähköauto Return row0=0,25 @row1 Ctrl+1",
             "title=Tankeli v1.1 – Oma auto | row0=1,99 | a11y:row0=text, Bensanhinta, € / Litra, 1,99, 1,99 | vehicle:Sähköauto=0,25/100/100/False/True"},
            {"a name taken, whatever its case, is refused", "menu:Menu_Uusi_Ajoneuvo Nimi=Auto Return menu:Menu_Uusi_Ajoneuvo Nimi=AUTO Return",
             "window=Ajoneuvo | shown#=1 | vehicles=Oma auto Ctrl+1, *Auto Ctrl+2, Uusi ajoneuvo…, Muokkaa ajoneuvoa…, Poista ajoneuvo…, Vertaa ajoneuvoja…, Tankkaukset… Ctrl+G, Tuo tankkaukset…, Vie tankkaukset…"},
            // The main window's fields answer a reader with the program's own interface from the
            // start: Qt's, made for them before it was installed, never returned the last word of "2".
            {"a reader asks for the word that ends the price", "row0=2", "a11y:row0=text, Bensanhinta, € / Litra, 2, 2"},
            {"a renamed vehicle takes its trips along", "menu:Menu_Uusi_Ajoneuvo Nimi=Auto Return row0=2 menu:Menu_Tallenna Tiedostonimi=matka Return Escape "
             "menu:Menu_Muokkaa_Ajoneuvoa Nimi=Pakettiauto Kayttovoima=Diesel Return",
             "window=main | title=Tankeli v1.1 – Pakettiauto | vehicle:Pakettiauto/stat/matka.sav=2/0/0/0/0 | captions#0=Dieselin hinta"},
            {"removing asks, Ei first, and moves it to the trash", "menu:Menu_Uusi_Ajoneuvo Nimi=Kaasuauto Kayttovoima=Kaasu Return menu:Menu_Poista_Ajoneuvo",
             "shown=?Poista ajoneuvo: Poistetaanko ajoneuvo Kaasuauto ja sen 0 matkaa? Ajoneuvon kansio siirretään roskakoriin, "
             "josta sen voi palauttaa. [Ei/Kyllä] | trashedfolders=Kaasuauto | title=Tankeli v1.1 - Tankelin kehittäjät 2006 | settings=1,3/100/105/False/True"},
            {"no removing on Ei", "menu:Menu_Uusi_Ajoneuvo Nimi=Kaasuauto Return no menu:Menu_Poista_Ajoneuvo",
             "trashedfolders= | title=Tankeli v1.1 – Kaasuauto"},
            // The first car by its two trips: 15 l over 220 km; the electric one by what was last calculated.
            {"the comparison, cheapest first", "menu:Menu_Uusi_Ajoneuvo Nimi=Sähköauto Kayttovoima=Sähkö Return row0=0,20 row1=18 row2=50 L "
             "row2=100 menu:Menu_Vertaa",
             "window=Vertaa ajoneuvoja | Vertailu=Sähköauto/Sähkö/18,00 kWh/100 km/0,2 €/kWh/3,60 €/108,00 €/1314,00 €; "
             "Oma auto/Bensiini/6,82 l/100 km/1,3 €/l/8,86 €/265,91 €/3235,23 €"},
            {"the comparison with no distance says what to type", "menu:Menu_Vertaa", "window=Vertaa ajoneuvoja | Huomautus=" + comparisonNeedsDistance},
            {"Escape closes the comparison", "row2=100 menu:Menu_Vertaa Escape", "window=main"},
            {"an electric car's chart speaks of electricity", "menu:Menu_Uusi_Ajoneuvo Nimi=Sähköauto Kayttovoima=Sähkö Return menu:Menu_Stat",
             "Knapi(0)=Sähkön hinta button1 | Knapi(1)=Sähkönkulutus button1"},
            {"and its summary in kWh", "menu:Menu_Uusi_Ajoneuvo Nimi=Sähköauto Kayttovoima=Sähkö Return menu:Menu_Yhteenveto",
             "a11y:Kuukausittain=table, Kuukausittain, Ctrl+C kopioi koko yhteenvedon taulukkolaskentaan., Kuukausittain, "
             "Kausi/Matkoja/Matka (km)/Sähkö (kWh)/Kustannukset (€)/kWh/100 km"},
            {"Ctrl+G opens the fill-up log from a field; its buttons name their keys", "@row1 Ctrl+G", "window=Tankkaukset | tip:Nappi(0)=Lisää (Insert, Ctrl+N) | tip:Nappi(3)=Sulje (Esc)"},
            {"an open log follows the calibration",
             "fillup:2024-03-01/10000/40/80 fillup:2024-03-20/10500/25/50 menu:Menu_Tankkaukset menu:Menu_Kalibroi "
             "txt_Taulu=100 txt_Mittari=110 click:Opti click:Nappi(0)",
             "Menu_Kalibroi=checked | Taulukko=2024-03-01/10000/40/2/80/kyllä/ei///; 2024-03-20/10500/25/2/50/kyllä/ei//550/4,545454"},
            {"and Escape closes it", "menu:Menu_Tankkaukset Escape", "window=main"},
            // A fill-up typed but not saved is asked about before the program or the vehicle leaves it.
            {"ending with half a fill-up typed asks; Peruuta keeps it", "menu:Menu_Tankkaukset Ctrl+N 1 2 Return no quit",
             "ended=no | window=Tankkaukset | shown=?Tankkaukset: Yhtä riviä ei ole tallennettu, koska siitä puuttuu jotakin tai "
             "jokin arvo ei kelpaa. Suljetaanko ikkuna silti? Rivin kirjoitetut arvot katoavat. [Peruuta/Sulje]"},
            {"Sulje to it ends the program", "menu:Menu_Tankkaukset Ctrl+N 1 2 Return quit", "ended=0 | shown#=1"},
            {"ended from outside, it asks nothing", "menu:Menu_Tankkaukset Ctrl+N 1 2 Return term", "ended=0 | shown#=0"},
            {"choosing another vehicle asks too; Peruuta stays with this one",
             "menu:Menu_Uusi_Ajoneuvo Nimi=Auto Return menu:Menu_Tankkaukset Ctrl+N 1 Return no menu:Ajoneuvo_1",
             "title=Tankeli v1.1 – Auto | window=Tankkaukset | shown#=1"},
            {"another vehicle's log is its own", "menu:Menu_Uusi_Ajoneuvo Nimi=Sähköauto Kayttovoima=Sähkö Return menu:Menu_Tankkaukset",
             "window=Tankkaukset | title=Tankeli v1.1 – Sähköauto"},
            {"the main window's texts", "", "captions=Bensanhinta [Bensanhinta, € / Litra], Bensankulutus [Bensankulutus, Litraa / 100 Km], "
             "Matka [Matka, Kilometriä], Kokonaiskulutus [Kokonaiskulutus, Litraa / matka], Yhteishinta [Yhteishinta, € / Matka], "
             "Kuukausihinta [Kuukausihinta, € / KK], Vuosihinta [Vuosihinta, € / Vuosi] | tip:row4=Ajetun matkan hinta "
             "| buttons=Laske, Nollaa, Ohjeita | rows=1,3;0;0;0;0;0;0"},
            // Keys in the fields: a command letter is never typed.
            {"L", typed + "@row1 L", calculated + "row1"},
            {"shift L", typed + "@row2 Shift+L", calculated + "row2"},
            {"Alt+L calculates too", typed + "@row2 Alt+L", calculated + "row2"},
            {"shift N empties", typed + "@row3 Shift+N", "rows=1,3;0;0;0;0;0;0 | focus=row3"},
            {"Alt+K types nothing", typed + "@row1 Alt+K", untouched + "row1"},
            {"a digit is typed", typed + "@row3 7", "rows=1,3;6,5;100;07;0;0;0 | focus=row3"},
            {"Enter moves on", typed + "@row1 Return", untouched + "row2"},
            {"Enter after the trip price goes round", typed + "@row4 Enter", untouched + "row0"},
            {"Enter in the month field stays", typed + "@row5 Return", untouched + "row5"},
            {"O opens the help", "@row0 O", "window=Ohjeita | row0=1,3"},
            {"Ctrl+A opens, not selects", "@row1 Ctrl+A", "window=Avaa | row1=0"},
            {"Ctrl+L ends and saves", "fields=1,45 @row1 Ctrl+L", "windows= | settings=1,45/100/105/False/True"},
            {"Escape ends and saves", "fields=1,45 @row0 Escape", "windows= | settings=1,45/100/105/False/True"},
            // A number the focus comes to without a click is selected: typing replaces it.
            {"typing at start replaces the price", "7", "row0=7 | focus=row0"},
            {"after the calculation's message typing replaces", "realboxes fields=1,3;0;0 @row2 L 7", "row2=7 | focus=row2"},
            {"a calibration reading is selected when the window opens", "menu:Menu_Kalibroi 9", "txt_Taulu=9 | focus=txt_Taulu"},
            // Laske with too few values says so and changes nothing.
            {"Laske right after Nollaa", typed + "click:Nappi(1) click:Nappi(0)",
             "rows=1,3;0;0;0;0;0;0 | shown=!Tankeli: Sinulla on liian vähän arvoja taulukossa tai jokin arvo puuttuu."},
            // A value typed over a result after a calculation: the first case whose two values are there wins.
            {"a new distance recalculates from consumption and distance", typed + "@row1 L Return 2 0 0 L",
             "rows=1,3;6,5;200;13;16,9;507;6168,5 | focus=row2"},
            {"typed litres give way to consumption and distance", typed + "@row2 L Return 1 0 L", calculated + "row3"},
            // The menus by keys: Alt and a menu's letter, or F10, then the arrows or a command's letter.
            {"Alt+T opens Tiedosto", typed + "@row1 Alt+T", "menu=Tiedosto: Avaa | rows=1,3;6,5;100;0;0;0;0"},
            {"Alt+O opens Ohje", "@row0 Alt+O", "menu=Ohje: Ohjeita | window=main"},
            {"F10 opens the first menu", "@row3 F10", "menu=Tiedosto: Avaa"},
            {"F10 from a button", "@row6 Tab F10", "menu=Tiedosto: Avaa"},
            {"a command's letter chooses it", "@row1 Alt+A S", "window=Statistiikka"},
            {"the buttons' tooltips name their keys", "", "tip:Nappi(0)=Laske (L) | tip:Nappi(1)=Nollaa (N) | tip:Nappi(2)=Ohjeita (O)"},
            // A window that cannot load its pictures ends the program as the close command does.
            {"a missing picture ends the program, keeping the price typed", "remove:pic/option1.gif row0=1,45 @row0 Ctrl+K",
             "shown=!Tankeli: Kuvatiedostoa pic/option1.gif ei löytynyt. | windows= | settings=1,45/100/105/False/True | ended=1"},
            {"the help window's picture", "remove:pic/button2.gif menu:Menu_Aika fields=1,55 @row1 O",
             "windows= | settings=1,55/100/105/False/False | ended=1"},
            {"a close is no failure", "quit", "ended=0"},
            // Each window comes back where the user left it, onto a screen that is there; a
            // spot on no screen is dropped and the window placed as when nothing is remembered.
            {"the main window comes back where it was left", "place:30,40,560,450 restart", "place=30,40 560x450"},
            {"maximised, with its place for later", "place:30,40,560,450 maximise restart restart",
             "maximised=yes | remembered:Tankeli=560x450+30+40 maximized"},
            {"the help window, left by Sulje", "menu:Menu_Ohjeita place:60,50,300,420 click:Nappi(0) restart menu:Menu_Ohjeita",
             "window=Ohjeita | place=60,50 300x420"},
            {"the calibration window, open at the end", "menu:Menu_Kalibroi place:20,30,400,300 restart menu:Menu_Kalibroi",
             "window=Kalibrointi | place=20,30 400x300"},
            {"the file window, in the same run", "menu:Menu_Avaa place:90,20,420,430 close click:row0 menu:Menu_Tallenna",
             "window=Tallenna | place=90,20 420x430"},
            {"the summary", "menu:Menu_Yhteenveto place:10,20,500,520 restart menu:Menu_Yhteenveto", "window=Yhteenveto | place=10,20 500x520"},
            {"partly off the screen, pulled onto it", "quit places:Tankeli=560x450-100-50 start", "place=0,0 560x450"},
            {"on a screen that is gone", "quit places:Tankeli=560x450+100+80/Help=300x420+5000+40 start menu:Menu_Ohjeita",
             "window=Ohjeita | size=300x420 | centred=yes"},
            {"no smaller than the window's minimum", "quit places:Tankeli=10x10+20+30 start", "size=minimum"},
            // A result shows its beginning: never without its leading digits or minus sign.
            {"negative trip price", "fields=-1,37;6,3;123 @row2 L", "row4=-10,61613" + firstLetters},
            {"a result is read as shown", typed + "@row2 L", "a11y:row4=text, Yhteishinta, € / Matka, 8,45, 8,45 | a11y:row6=text, Vuosihinta, € / Vuosi, 3084,25, 3084,25"},
            {"calibrated, no time view", "start:1,3/100/105/True/False " + typed + "@row2 L",
             "Menu_Kalibroi=checked | rows=1,3;6,5;100;6,825;8,872499;-;-"},
            {"untouched settings written back byte for byte", "start:1,30/0/0/False/True quit", "row0=1,30 | settings=1,30/0/0/False/True"},
            {"time view off by its menu", "menu:Menu_Aika", "rows=1,3;0;0;0;0;-;-"},
            {"the time view is saved", "menu:Menu_Aika quit", "settings=1,3/100/105/False/False"},
            // A click on a caption reaches its button; the pointer lights the button under it.
            {"Laske by its caption", typed + "click:Nappi(0)", "row3=6,5 | focus=row0 | marks="},
            // Tab goes on from the fields through the buttons; Space and Enter press the one it is on.
            {"Tab through the buttons", "@row6 Tab Tab Tab Shift+Tab", "focus=Nappi(1) | marks=Nappi(1)"},
            {"Space on Laske", typed + "@row6 Tab Space", calculated + "Nappi(0)"},
            {"Enter on Nollaa", typed + "@row6 Tab Tab Return", "rows=1,3;0;0;0;0;0;0 | focus=Nappi(1)"},
            {"the pointer lights one button", "hover:Nappi(0) hover:Nappi(2)", "Nappi(0)=Laske button1 | Nappi(2)=Ohjeita button2"},
            {"over a field the light stays", "hover:Nappi(2) hover:row3", "Nappi(2)=Ohjeita button2"},
            {"over the background it goes out", "hover:Nappi(2) hover:background", "Nappi(2)=Ohjeita button1"},
            {"the help keeps Enter and letters", "menu:Menu_Ohjeita Return A", "window=Ohjeita | focus=Ohje | Ohje#=26 "
             "| Ohje#0=Ohjeita tankeliin | Ohje#2=Voit laskea ohjelmalla monella eri tapaa polttoaineen kulutusta, kustannuksia tai "
             "matkan kustannuksia. | Ohje#4=1. Ensimmäisenä kannattaa päivittää paikallisen huoltoaseman bensanhinta, joka tallentuu "
             "ohjelman muistiin seuraavaa avauskertaa varten | Ohje#16=7. Jos laskutoimitus epäonnistuu nollaa nuppari ennen toimitusta.  | Ohje#22=Tekijä "
             "Tankeli-tiimi | Ohje#23=Tankelin kehittäjät 2006 | Ohje#24=https://www.example.org/tankeli | Ohje#25="},
            // The file window.
            {"open mode", "menu:Menu_Avaa", "window=Avaa | Nappi(0)=Avaa button1 | Tiedostonimi=2006_03_07.sav | focus=Tiedostot | Tiedostot=2006_03_07.sav of 2"},
            {"save mode", "menu:Menu_Tallenna", "window=Tallenna | Nappi(0)=Tallenna button1 | Tiedostonimi=" + QDate::currentDate().toString("yyyy_MM_dd")},
            {"saving keeps the selection", "menu:Menu_Tallenna click:Tiedostot#1 Tiedostonimi=reissu click:Nappi(0)",
             "stat:reissu.sav=1,3/0/0/0/0 | Tiedostot=matka.sav of 3 | window=Tallenna"},
            {"a double click saves over, asking", "row0=2 menu:Menu_Tallenna dclick:Tiedostot#1", "shown=?Ylikirjoita: Sinulla on jo "
             "olemassa matka.sav niminen tiedosto. Korvataanko kyseinen tiedosto? | stat:matka.sav=2/0/0/0/0"},
            {"list Delete asks", listed + "no Delete", "shown=?Poista tiedosto: Haluatko varmasti poistaa tiedoston : matka.sav ? "
             "| windows=Avaa, main | Tiedostot=matka.sav of 2 | trash="},
            // A delete moves the trip into the desktop's trash, where a file manager restores it.
            {"list Delete, Yes: into the trash", listed + "Delete", "Tiedostot= of 1 | Tiedostonimi= | trash=matka.sav"},
            {"deleted twice under one name: both in the trash", listed + "Delete record:matka.sav=1 menu:Menu_Avaa click:Tiedostot#1 Delete",
             "Tiedostot= of 1 | trash#=2"},
            {"list Enter opens", listed + "Return", "windows=main | rows=1,5;6;100;6;9;270;3285"},
            {"name Enter opens", listed + "@Tiedostonimi Return", "windows=main | rows=1,5;6;100;6;9;270;3285"},
            {"Tab to the mode's button", "menu:Menu_Avaa Tab Tab Tab", "focus=Nappi(0) | marks=Nappi(0)"},
            {"shown again, the list is read again", listed + "S record:uusi.sav=1/2/3/4/5 delete:2006_03_07.sav menu:Menu_Avaa",
             "Tiedostot=matka.sav of 2 | Tiedostot#1=uusi.sav"},
            {"a field takes no more than a record's line", "row2=" + QString(5000, '7'), "row2#=4096"},
            {"name Escape", listed + "@Tiedostonimi Escape", "windows=main"},
            {"name S is typing", listed + "@Tiedostonimi S", "Tiedostonimi=matka.savs"},
            // The file window starts where its command takes the name, so Enter runs that command.
            {"save: the proposed name is typed over", "menu:Menu_Tallenna r e i s s u Return", "stat:reissu.sav=1,3/0/0/0/0 | focus=Tiedostonimi"},
            {"save again after leaving by Sulje", "menu:Menu_Tallenna @Nappi(1) Return click:row0 fields=1,45 menu:Menu_Tallenna Return",
             "stat:" + QDate::currentDate().toString("yyyy_MM_dd") + ".sav=1,45/0/0/0/0"},
            {"open again after leaving by Sulje", "menu:Menu_Avaa @Nappi(1) Return click:row0 menu:Menu_Avaa Return",
             "windows=main | rows=1,3;7,5;120;9;11,7;351;4270,5"},
            {"Escape on the file window's buttons", "menu:Menu_Avaa Tab Tab Tab Escape", "windows=main"},
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
            {"a decimal point is told", "record:r.sav=1,3/6.5/100/8/6 menu:Menu_Stat click:Knapi(1)", "Taulu=curve | shown=!Tankeli: "
             "Jokin arvo ei täsmää. Tarkasta ettei luvuissa ole kirjaimia tai ettei desimaalit ole . merkillä."},
            {"one record is too few", "delete:matka.sav menu:Menu_Stat click:Knapi(1)", "Taulu=blank | shown=!Huomio!: Et voi tarkastella "
             "statistiikkaa vielä. Sinulla on oltava minimissään 2 tiedostoa tallennettuna tietokantaan, jotta käyrä voidaan muodostaa."},
            {"the chart stays, and follows the canvas unread", "menu:Menu_Stat click:Knapi(1) Escape menu:Menu_Stat delete:* grow", curve},
            // The chart reads the saved trips itself; the file window then has its last trip
            // selected, opened before the chart or after it, and its commands take that trip.
            {"the chart first, then Avaa: the last trip selected", "menu:Menu_Stat click:Knapi(1) Escape menu:Menu_Avaa",
             "window=Avaa | Tiedostot=matka.sav of 2 | Tiedostonimi=matka.sav | focus=Tiedostot"},
            {"the chart beside an open file window moves its selection", "menu:Menu_Avaa menu:Menu_Stat click:Knapi(1)",
             "Tiedostot=matka.sav of 2 | Tiedostonimi=matka.sav"},
            {"after the chart, Poista asks for the last trip", "menu:Menu_Stat click:Knapi(1) Escape menu:Menu_Avaa no click:Nappi(2)",
             "shown=?Poista tiedosto: Haluatko varmasti poistaa tiedoston : matka.sav ? | stat:matka.sav=1,5/6/100/9/6"},
            // The calibration window.
            {"calibration opens with its texts", "menu:Menu_Kalibroi", "focus=txt_Taulu | txt_Taulu=100 | txt_Mittari=105 | txt_Virhe=5 % "
             "| tip:txt_Taulu=Aseta lukema, jonka olet ajanut nopeusnäyttöön. | a11y:txt_Mittari=text, Auton mittari, Km / h, 105, 105 "
             "| a11y:Opti=check box, Käytä laskutoimituksessa kalibrointia | Opti=option1"},
            {"the calibration window says what it is for", "menu:Menu_Kalibroi", "said=dialog Kalibrointi: Ilmoita ohjelmalle, jos olet "
             "ajanut nopeusnäyttöön lukemat paljonko näyttö ilmoitti nopeudeksi ja paljonko autosi mittari näytti nopeudeksi."},
            {"Tab reaches the choice after the readings", "menu:Menu_Kalibroi Tab Tab Tab", "focus=Opti"},
            {"the margin follows the digit 1", "menu:Menu_Kalibroi txt_Mittari=126 txt_Taulu= @txt_Taulu 1", "txt_Virhe=12500 %"},
            {"choice by its picture", "menu:Menu_Kalibroi click:Opti", chosen + " | marks="},
            {"choice by its caption", "menu:Menu_Kalibroi click:txt_Kalibrointia", chosen},
            {"choice by a screen reader", "menu:Menu_Kalibroi toggle:Opti", chosen},
            {"choice by Space", "menu:Menu_Kalibroi @Opti Space", chosen + " | marks=Opti"},
            {"Tab to Sulje, Enter commits", "menu:Menu_Kalibroi Tab Tab Tab Space Tab Return quit", "Menu_Kalibroi=checked | settings=1,3/100/105/True/True"},
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
            // The summary sums every trip; its averages divide the totals and are rounded for reading.
            {"the summary", "menu:Menu_Yhteenveto", "window=Yhteenveto | focus=Kaikki | Kaikki=Matkoja/2; Matkat yhteensä/220 km; "
             "Polttoainetta yhteensä/15 l; Kustannukset yhteensä/20,70 €; Keskikulutus/6,82 l/100 km; Keskihinta/1,38 €/l; "
             "Kilometrihinta/0,094 €/km; Pienin kulutus/6 l/100 km (matka.sav); Suurin kulutus/7,5 l/100 km (2006_03_07.sav) "
             "| Kuukausittain=Maaliskuu 2006/1/120/9/11,70/7,50; Vuosi 2006/1/120/9/11,70/7,50; Muut/1/100/6/9,00/6,00 | Huomautukset= | shown="},
            {"the totals and the months are tables to a screen reader", "menu:Menu_Yhteenveto Down",
             "a11y:Kaikki=table, Kaikki matkat, Ctrl+C kopioi koko yhteenvedon taulukkolaskentaan., Kaikki matkat, "
             "Suure/Arvo/on Matkat yhteensä: 220 km | a11y:Kuukausittain=table, Kuukausittain, Ctrl+C kopioi koko yhteenvedon "
             "taulukkolaskentaan., Kuukausittain, Kausi/Matkoja/Matka (km)/Polttoaine (l)/Kustannukset (€)/l/100 km/on Maaliskuu 2006"},
            {"Tab from the totals to the months", "menu:Menu_Yhteenveto Tab", "focus=Kuukausittain"},
            {"Shift+Tab from the totals to Sulje", "menu:Menu_Yhteenveto Shift+Tab", "focus=Nappi(1) | marks=Nappi(1)"},
            {"a record that does not read is told once, in the window", "record:r.sav=1,3/6.5/100/8/6 record:s.sav=1 menu:Menu_Yhteenveto",
             "Kaikki#0=Matkoja/2 | Huomautukset#0=2 matkaa jätettiin laskuista pois: | Huomautukset#=3 | shown="},
            {"a long name whole in its cell and its tooltip", "record:kesamokkimatka_jyvaskylasta_kuopioon_ja_takaisin_rantatieta.sav=1/4/100/4/4 menu:Menu_Yhteenveto",
             "Kaikki#7=Pienin kulutus/4 l/100 km (kesamokkimatka_jyvaskylasta_kuopioon_ja_takaisin_rantatieta.sav) "
             "| tip:Kaikki#7=4 l/100 km (kesamokkimatka_jyvaskylasta_kuopioon_ja_takaisin_rantatieta.sav)"},
            {"the summary reads the trips anew", "menu:Menu_Yhteenveto Escape record:uusi.sav=1/5/50/2/2,5 menu:Menu_Yhteenveto", "Kaikki#0=Matkoja/3"},
            {"Käytä laskimessa, then a distance", "fields=1,3;0;100 menu:Menu_Yhteenveto click:Nappi(0) 2 5 0",
             "windows=main | focus=row2 | row1=6,82 | row2=250"},
            {"Käytä laskimessa by keys", "@row1 Ctrl+Y Tab Tab Return", "windows=main | focus=row2 | row1=6,82"},
            {"Käytä laskimessa calculates: no old results", typed + "@row2 L menu:Menu_Yhteenveto click:Nappi(0)",
             "rows=1,3;6,82;100;6,82;8,866;265,98;3236,09 | focus=row2 | shown="},
            {"Käytä laskimessa with no distance yet: no message, L after one", "fields=1,3;0; menu:Menu_Yhteenveto click:Nappi(0) 1 0 0 L",
             "rows=1,3;6,82;100;6,82;8,866;265,98;3236,09 | shown="},
            {"no average to use", "delete:* record:a.sav=1/0/0/0/0 menu:Menu_Yhteenveto click:Nappi(0)",
             "window=Yhteenveto | shown=!Tankeli: Keskikulutusta ei voi laskea: yhdessäkään matkassa ei ole sekä matkaa että litroja."},
            {"a calibrated trip counts its true distance", "delete:* record:2024_03_07.sav=1,5/6,4/100/9,984/6,656 menu:Menu_Yhteenveto",
             "Kaikki#1=Matkat yhteensä/104 km | Kaikki#4=Keskikulutus/6,40 l/100 km | Kaikki#6=Kilometrihinta/0,096 €/km"},
            // The vehicle's fill-ups under the trips, only where the log holds any.
            {"no fill-ups: no part of them", "delete:* record:2024_03_07.sav=1,5/6,4/100/9,984/6,656 menu:Menu_Yhteenveto",
             "Tankkaukset=hidden | TankkauksetKuukausittain=hidden"},
            {"the fill-ups' part: measured from full to full",
             "delete:* fillup:2024-03-01/10000/40/80 fillup:2024-03-10/10200/10/20/osa fillup:2024-03-20/10500/15/30 "
             "menu:Menu_Yhteenveto @TankkauksetKuukausittain Ctrl+C",
             "Tankkaukset#0=Tankkauksia/3 | Tankkaukset#4=Mitattu keskikulutus/5,00 l/100 km "
             "| Tankkaukset#6=Kilometrihinta/0,100 €/km | TankkauksetKuukausittain=Maaliskuu 2024/3/500/65/130,00/5,00; "
             "Vuosi 2024/3/500/65/130,00/5,00 | clipboard#12=Tankkaukset | clipboard#17=Mitattu keskikulutus (l/100 km)\t5,00 "
             "| a11y:TankkauksetKuukausittain=table, Tankkaukset kuukausittain, Ctrl+C kopioi koko yhteenvedon taulukkolaskentaan., Tankkaukset kuukausittain, "
             "Kausi/Tankkauksia/Ajettu (km)/Polttoaine (l)/Kustannukset (€)/l/100 km/on Maaliskuu 2024"},
            {"a tall window shows every month of both month tables",
             "delete:* record:2024_03_07.sav=1,5/6,4/100/9,6/6,4 fillup:2024-01-05/10000/40/80 fillup:2024-02-05/10500/30/60 "
             "fillup:2024-03-05/11000/30/60 fillup:2024-04-05/11500/30/60 fillup:2024-05-05/12000/30/60 "
             "fillup:2024-06-05/12500/30/60 fillup:2024-07-05/13000/30/60 fillup:2024-08-05/13500/30/60 "
             "fillup:2024-09-05/14000/30/60 fillup:2024-10-05/14500/30/60 menu:Menu_Yhteenveto place:0,0,700,1000",
             "rowsSeen:Kuukausittain=all | rowsSeen:TankkauksetKuukausittain=all"},
            {"sums beyond what can be shown: no Inf anywhere", "delete:* record:a.sav=1/0/1E+308/0/1 record:b.sav=1/0/1E+308/0/1 "
             "menu:Menu_Yhteenveto click:Nappi(0)", "Kaikki#1=Matkat yhteensä/liian suuri | Kaikki#4=Keskikulutus/liian suuri "
             "| Kuukausittain=Muut/2/liian suuri/2/0,00/liian suuri | Huomautukset#0=Liian suuri näytettäväksi: Matkat yhteensä, "
             "Keskikulutus, Kilometrihinta, taulukon sarake Matka (km), taulukon sarake l/100 km. Jossakin matkassa on mahdottoman "
             "suuri arvo; tarkista matkat. | row1=0 | shown=!Tankeli: Keskikulutus on liian suuri laskimeen. Tarkista matkat."},
            {"Ctrl+C copies the whole summary", "menu:Menu_Yhteenveto Ctrl+C", "clipboard#=14 | clipboard#0=Matkoja\t2 "
             "| clipboard#4=Keskikulutus (l/100 km)\t6,82 | clipboard#7=Pienin kulutus (l/100 km)\t6\tmatka.sav | clipboard#9= "
             "| clipboard#10=Kausi\tMatkoja\tMatka (km)\tPolttoaine (l)\tKustannukset (€)\tl/100 km | clipboard#13=Muut\t1\t100\t6\t9,00\t6,00"},
            {"Ctrl+C in the note copies the whole summary", "record:s.sav=1 menu:Menu_Yhteenveto Tab Tab Ctrl+C", "focus=Huomautukset | clipboard#=14"},
            {"Ctrl+C in the note copies what is selected of it", "record:s.sav=1 menu:Menu_Yhteenveto Tab Tab Ctrl+A Ctrl+C",
             "clipboard#0=1 matka jätettiin laskuista pois:"},
            // Spreadsheets: every trip out, and back in with one question for the names saved already.
            {"export", "file:t.csv menu:Menu_Vie", "shown=>Vie taulukkoon: ~/tankeli-matkat.csv [CSV-taulukko (*.csv)] {csv} + !Vie taulukkoon: 2 matkaa vietiin taulukkoon t.csv."},
            // A name typed without its extension gets it, and the question comes for that name.
            {"export without an extension, an earlier file kept", "file:t.csv menu:Menu_Vie delete:* file:t no menu:Menu_Vie",
             "shown#3=?Vie taulukkoon: Tiedosto t.csv on jo olemassa. Korvataanko se? | shown#=4"},
            {"export cancelled", "menu:Menu_Vie", "shown=>Vie taulukkoon: ~/tankeli-matkat.csv [CSV-taulukko (*.csv)] {csv}"},
            {"export offered in the documents folder", "documents menu:Menu_Vie", "shown=>Vie taulukkoon: ~/Documents/tankeli-matkat.csv [CSV-taulukko (*.csv)] {csv}"},
            {"the chart reads trips saved since the list was read", "menu:Menu_Avaa Escape record:uusi.sav=1,3/6/100/8/6 menu:Menu_Stat click:Knapi(1)",
             "Tiedostot=uusi.sav of 3"},
            {"import, keeping the saved ones", "file:t menu:Menu_Vie delete:matka.sav record:2006_03_07.sav=9 file:t.csv no menu:Menu_Tuo",
             "stat:matka.sav=1,5/6/100/9/6 | stat:2006_03_07.sav=9 | shown=>Vie taulukkoon: ~/tankeli-matkat.csv [CSV-taulukko (*.csv)] {csv} + "
             "!Vie taulukkoon: 2 matkaa vietiin taulukkoon t.csv. + <Tuo taulukosta: ~ [CSV-taulukko (*.csv), Kaikki tiedostot (*)] + "
             "?Tuo taulukosta: Matka on jo tallennettu: 2006_03_07.sav. Korvataanko ne taulukon matkoilla? + "
             "!Tuo taulukosta: 1 matka tuotiin taulukosta t.csv. 1 matka jätettiin ennalleen."},
            {"import, replacing", "file:t.csv menu:Menu_Vie record:2006_03_07.sav=9 file:t.csv menu:Menu_Tuo", "stat:2006_03_07.sav=1,3/7,5/120/11,7/9"},
            {"a trip saved while the import asks is kept", "file:t menu:Menu_Vie delete:matka.sav record:2006_03_07.sav=9 file:t.csv "
             "asking:menu:Menu_Tallenna,Tiedostonimi=matka,click:Nappi(0),click:Nappi(1) menu:Menu_Tuo",
             "stat:2006_03_07.sav=1,3/7,5/120/11,7/9 | stat:matka.sav=1,3/0/0/0/0 | shown#4=!Tuo taulukosta: 1 matka tuotiin taulukosta t.csv. "
             "1 matka jätettiin ennalleen."},
            {"the replace question shortens a long name in the middle", "record:kesamokkimatka_jyvaskylasta_kuopioon_ja_takaisin_rantatieta_pitkin.sav=1/2/3/4/5 "
             "file:t menu:Menu_Vie file:t.csv no menu:Menu_Tuo", "shown#3=?Tuo taulukosta: 3 matkaa on jo tallennettu: 2006_03_07.sav, "
             "kesamokkimatka_jyvaskylasta_ku…akaisin_rantatieta_pitkin.sav, matka.sav. Korvataanko ne taulukon matkoilla?"},
            // Logout, shutdown or kill while a question is open: the program ends, its settings
            // written, and the work the question was about is not done, whatever "Ei" would do.
            {"ended during the delete question", listed + "end Delete", "Tiedostot=matka.sav of 2 | trash= | settings=1,3/100/105/False/True"},
            {"ended during the overwrite question", "row0=2 menu:Menu_Tallenna end dclick:Tiedostot#1",
             "stat:matka.sav=1,5/6/100/9/6 | settings=2/100/105/False/True"},
            {"ended during the import question", "file:t menu:Menu_Vie delete:matka.sav record:2006_03_07.sav=9 file:t.csv end menu:Menu_Tuo",
             "stat:matka.sav= | stat:2006_03_07.sav=9 | shown#3=?Tuo taulukosta: Matka on jo tallennettu: 2006_03_07.sav. Korvataanko ne "
             "taulukon matkoilla? | shown#=4 | settings=1,3/100/105/False/True"},
            // Or during an import or an export: each stops between two trips.
            {"ended during an import", "file:t menu:Menu_Vie delete:* file:t.csv endsoon:Menu_Tuo",
             "shown#3=!Tuo taulukosta: 0 matkaa tuotiin taulukosta t.csv. Tuonti keskeytettiin, ja 2 matkaa jäi tuomatta. | stat:matka.sav= | settings=1,3/100/105/False/True"},
            {"ended during an export: no file", "file:t.csv endsoon:Menu_Vie",
             "shown#1=!Vie taulukkoon: Vienti keskeytettiin, eikä taulukkoa t.csv tallennettu. | stat:../t.csv= | shown#=2"},
            {"the file window hands no focus back, a click gives it", "row2=1 @row2 menu:Menu_Avaa click:Nappi(1) click:row2 5",
             "window=main | focus=row2 | row2=15"},
        };
        for (const auto &[name, steps, seen] : rows)
            QTest::newRow(qPrintable(name)) << steps << seen;
        for (const auto &[key, title] : {std::pair{"T", "Tallenna"}, {"K", "Kalibrointi"}, {"S", "Statistiikka"}, {"O", "Ohjeita"}})
            QTest::addRow("Ctrl+%s", key) << QStringLiteral("@row1 Ctrl+%1").arg(key) << QStringLiteral("window=%1").arg(title);
        for (const char *key : {"Escape", "S"})
            QTest::addRow("list %s", key) << listed + key << "windows=main";
        // Leaving the help, statistics, calibration or summary window, however it is left, gives
        // the focus back to the field that had it, its number selected, so typing replaces it
        // at once. One row for each way out the windows handle apart: S in a control and in
        // the window itself, the default Sulje and close box, the calibration window's close
        // and Escape, the summary's Sulje that hides it.
        for (const auto &[window, leave] : {std::pair{"Menu_Ohjeita", "S"}, {"Menu_Ohjeita", "Sulje"}, {"Menu_Stat", "S"},
                                           {"Menu_Stat", "close"}, {"Menu_Kalibroi", "close"}, {"Menu_Kalibroi", "Escape"},
                                           {"Menu_Yhteenveto", "Sulje"}, {"Menu_Yhteenveto", "S"}})
            QTest::addRow("%s, %s, then typing", window, leave)
                << QStringLiteral("row2=1 @row2 menu:%1 %2 5").arg(window, QByteArray(leave) != "Sulje" ? leave
                                                                : QByteArray(window) == "Menu_Yhteenveto" ? "click:Nappi(1)" : "click:Nappi(0)")
                << "window=main | focus=row2 | row2=5";
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

    // An import that takes longer than half a second shows its progress with "Peruuta";
    // Peruuta stops it between two trips, each trip written whole, and the message says
    // how many came in and how many did not.
    void longImportCancelled()
    {
        start(calibrated);
        QByteArray bytes = "Tiedosto;Päivämäärä;Bensanhinta (€/l);Bensankulutus (l/100 km);Matka (km);Yhteishinta (€);Kokonaiskulutus (l)\r\n";
        const int rows = 10000; // long enough to take over half a second on any disk
        for (int i = 0; i < rows; ++i)
            bytes += "m" + QByteArray::number(i) + ";;1;2;3;4;5\r\n";
        QVERIFY(writeBytes(dirs->path("iso.csv"), bytes));
        messages->files << dirs->path("iso.csv");
        QString seen;
        QElapsedTimer clock;
        qint64 shownAfter = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (!progress || !progress->isVisible() || shownAfter >= 0)
                return;
            shownAfter = clock.elapsed();
            auto *button = progress->findChild<QPushButton *>();
            seen = QStringList{progress->windowTitle(), progress->labelText(), button->text()}.join(" | ");
            QTest::mouseClick(button, Qt::LeftButton);
        });
        watch.start(10);
        clock.start();
        menu("Menu_Tuo")->trigger();
        QCOMPARE(seen, QStringLiteral("Tuo taulukosta | Tuodaan matkoja… | Peruuta"));
        QVERIFY2(shownAfter >= 50 && shownAfter < 2000, qPrintable(QString::number(shownAfter)));
        const QStringList files = QDir(dirs->path("stat")).entryList(QDir::Files);
        const qsizetype written = files.size();
        QVERIFY2(written > 0 && written < rows, qPrintable(QString::number(written)));
        QCOMPARE(messages->shown.last(), QStringLiteral("!Tuo taulukosta: %1 matkaa tuotiin taulukosta %2. Tuonti keskeytettiin, ja %3 "
                                                        "matkaa jäi tuomatta.").arg(written).arg(shownPath(dirs->path("iso.csv"))).arg(rows - written));
    }

    // The chart's menu saves what the canvas shows as PNG (twice the screen scale), SVG or
    // PDF, by the name's extension or else the chosen type, with a heading above the chart,
    // whole or not at all; it prints the heading and the chart on a page the chart fills,
    // a print to a file being written the same way.
    void chartImages_data()
    {
        QTest::addColumn<QString>("answer");  // the file dialog's "name#filter", the print dialog's "print:file", or "" (cancelled)
        QTest::addColumn<int>("height");      // the statistics window's inner height; 0 as it opens
        QTest::addColumn<QString>("before");  // what the folder holds first: "name=content", "name/" a folder, "name|" a FIFO
        QTest::addColumn<bool>("fullDisk");   // the folder lies on a full disk
        QTest::addColumn<QString>("replace"); // the answer to the question whether to replace a file ("Kyllä", "Ei")
        QTest::addColumn<QString>("folder");  // the folder afterwards
        QTest::addColumn<QString>("looks");   // the file then at the chosen name: what it shows, or its old content
        QTest::addColumn<QString>("shown");   // the questions and messages after the file dialog
        const QString png = "red curve, heading, 2x";
        const QString pdf = "red curve, heading, landscape, filled";
        QTest::newRow("PNG by its extension") << "kayra.png#0" << 0 << "" << false << "" << "kayra.png" << png << "";
        QTest::newRow("SVG by its extension, whatever the type") << "kayra.SVG#2" << 0 << "" << false << "" << "kayra.SVG" << "red curve, heading" << "";
        QTest::newRow("PDF by the type, no extension") << "kayra#2" << 0 << "" << false << "" << "kayra.pdf" << pdf << "";
        QTest::newRow("cancelled") << "" << 0 << "" << false << "" << "" << "" << "";
        QTest::newRow("a folder that is not there") << "puuttuu/kayra.png#0" << 0 << "" << false << "" << "" << ""
                                                   << "!Tankeli: Kuvaa kayra.png ei voitu tallentaa: Tiedostoa tai kansiota ei ole.";
        QTest::newRow("a folder's name") << "kayra.png#0" << 0 << "kayra.png/" << false << "" << "kayra.png/" << ""
                                         << "!Tankeli: Kuvaa kayra.png ei voitu tallentaa: Nimellä on kansio.";
        // The file dialog asks about the name it hands back; a name it hands back without an
        // extension gets one, and the question then is about that name.
        QTest::newRow("no extension, an earlier image kept") << "kayra#0" << 0 << "kayra.png=vanha" << false << "Ei" << "kayra.png" << "vanha"
                                                             << "?Tallenna kuvana: Tiedosto kayra.png on jo olemassa. Korvataanko se?";
        QTest::newRow("no extension, an earlier image replaced") << "kayra#0" << 0 << "kayra.png=vanha" << false << "Kyllä" << "kayra.png" << png
                                                                 << "?Tallenna kuvana: Tiedosto kayra.png on jo olemassa. Korvataanko se?";
        QTest::newRow("no extension, the PDF type's name asked about") << "kayra#2" << 0 << "kayra.png=vanha, kayra.pdf=vanha" << false << "Ei"
                                                                       << "kayra.pdf, kayra.png" << "vanha"
                                                                       << "?Tallenna kuvana: Tiedosto kayra.pdf on jo olemassa. Korvataanko se?";
        QTest::newRow("a killed save's temporary removed, nothing else") << "kayra.png#0" << 0 << ".kayra.png.tankeli-aB3dE9=vanha, .muu.png.tankeli-aB3dE9=vanha, aB3dE9=vanha"
                                                                         << false << "" << ".muu.png.tankeli-aB3dE9, aB3dE9, kayra.png" << png << "";
        for (const char *type : {"png", "svg", "pdf"})
            QTest::addRow("%s onto a full disk keeps the earlier image", type)
                << QStringLiteral("kayra.%1#0").arg(type) << 0 << QStringLiteral("kayra.%1=vanha").arg(type) << true << ""
                << QStringLiteral("kayra.%1").arg(type) << "vanha"
                << QStringLiteral("!Tankeli: Kuvaa kayra.%1 ei voitu tallentaa: Laitteessa ei ole tilaa vapaana.").arg(type);
        QTest::newRow("printed to a PDF file") << "print:tuloste.pdf" << 0 << "" << false << "" << "tuloste.pdf" << pdf << "print";
        QTest::newRow("printed from a chart higher than wide") << "print:tuloste.pdf" << 800 << "" << false << "" << "tuloste.pdf"
                                                               << "red curve, heading, portrait, filled" << "print";
        QTest::newRow("printed onto a full disk") << "print:tuloste.pdf" << 0 << "tuloste.pdf=vanha" << true << "" << "tuloste.pdf" << "vanha"
                                                  << "print + !Tankeli: Käyrää ei voitu tulostaa tiedostoon tuloste.pdf: Laitteessa ei ole tilaa vapaana.";
        QTest::newRow("printed to a FIFO") << "print:tuloste.pdf" << 0 << "tuloste.pdf|" << false << "" << "tuloste.pdf|" << ""
                                           << "print + !Tankeli: Käyrää ei voitu tulostaa tiedostoon tuloste.pdf: Se ei ole tavallinen tiedosto.";
    }
    void chartImages()
    {
        QFETCH(QString, answer);
        QFETCH(int, height);
        QFETCH(QString, before);
        QFETCH(bool, fullDisk);
        QFETCH(QString, replace);
        const QString disk = qEnvironmentVariable("TANKELI_SMALL_DISK");
        if (fullDisk && disk.isEmpty())
            QSKIP("no small file system could be mounted here (tests/unprivileged makes one as root)");
        start(calibrated);
        QVERIFY(step("record:2006_03_07.sav=1,3/7,5/120/11,7/9") && step("record:matka.sav=1,5/6/100/9/6"));
        QVERIFY(step("menu:Menu_Stat") && step("click:Knapi(1)"));
        auto *canvas = find<ChartCanvas>("Taulu");
        if (height)
            canvas->window()->resize(canvas->window()->width(), height);
        QTRY_VERIFY(!height || canvas->height() > canvas->width());
        const QString folder = (fullDisk ? disk + "/" : dirs->path("")) + "kuvat/";
        QDir().mkpath(folder);
        const auto cleanUp = qScopeGuard([&] {
            QDir(folder).removeRecursively();
            QFile::remove(disk + "/täyte");
        });
        QList<int> readers; // a FIFO's, so that a fault that writes into it fails rather than waits
        const auto closeReaders = qScopeGuard([&readers] {
            for (int reader : readers)
                ::close(reader);
        });
        for (const QString &entry : before.split(", ", Qt::SkipEmptyParts)) {
            if (entry.endsWith('/')) {
                QVERIFY(QDir().mkpath(folder + entry));
            } else if (entry.endsWith('|')) {
                const QByteArray fifo = QFile::encodeName(folder + entry.chopped(1));
                QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
                readers << ::open(fifo.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            } else {
                QVERIFY(writeBytes(folder + entry.section('=', 0, 0), entry.section('=', 1).toUtf8()));
            }
        }
        if (fullDisk) {
            QFile filler(disk + "/täyte");
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
            }
        }
        messages->shown.clear();
        if (!replace.isEmpty())
            messages->answers << (replace == "Kyllä");
        QString written;
        if (answer.startsWith("print:")) {
            written = answer.mid(6);
            messages->printTo = folder + written;
            menu("Tulosta")->trigger();
        } else {
            if (!answer.isEmpty())
                messages->files << folder + answer;
            menu("Tallenna_Kuvana")->trigger();
            QCOMPARE(messages->shown.value(0).section(": ", 0, 0), ">Tallenna kuvana");
            QVERIFY(messages->shown.takeFirst().endsWith("tankeli-bensankulutus.png [PNG-kuva (*.png), SVG-kuva (*.svg), PDF-tiedosto (*.pdf)] {png, svg, pdf}"));
            written = answer.section('#', 0, 0);
            if (!written.isEmpty() && !written.contains('.'))
                written += QStringList{".png", ".svg", ".pdf"}[answer.section('#', 1).toInt()];
        }
        QTEST(withoutFolders(messages->shown.join(" + ")), "shown");
        QStringList left;
        for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
            left << entry.fileName() + (entry.isDir() ? "/" : !entry.isFile() ? "|" : "");
        QTEST(left.join(", "), "folder");
        const QFileInfo file(folder + written);
        QTEST(!file.isFile() ? QString() : readBytes(file.filePath()) == "vanha" ? "vanha" : looksOf(file.filePath(), canvas->size()), "looks");
    }

    // An image its format refuses is no system error: the message names no stale system
    // cause, says what to do instead, and leaves no file.
    void chartImageRefused_data()
    {
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown"); // the message, or "" where the image is saved
        QTest::newRow("a PNG over a million pixels high") << QSize(1, 500001) << "kayra.png"
            << "Kuvaa kayra.png ei voitu tallentaa: Se on liian suuri PNG-kuvaksi. Tallenna se SVG- tai PDF-muodossa.";
        QTest::newRow("the same chart as SVG") << QSize(1, 500001) << "kayra.svg" << "";
    }
    void chartImageRefused()
    {
        QFETCH(QSize, canvas);
        QFETCH(QString, name);
        const ChartPlan plan = planChart({7, 7}, {"2006_03_07.sav", "matka.sav"}, 1, canvas.width(), canvas.height());
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        errno = ENOENT; // left over from whatever ran before
        const Done saved = saveChartImage(plan, canvas, path, *chartImageFormat(path));
        QTEST(withoutFolders(saved.error()), "shown");
        QCOMPARE(QFileInfo::exists(path), saved.ok());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), saved.ok() ? 1 : 0);
    }

    // The print dialog refuses a file printed to that is no regular file before Qt's own
    // check of the name opens it, which would wait for a FIFO's reader for ever.
    void printDialogFile_data()
    {
        QTest::addColumn<QString>("target"); // what is at the name: "nothing", "FIFO", "link to a FIFO"
        QTest::addColumn<bool>("accepted");  // the dialog closes to print
        QTest::addColumn<QString>("shown");
        const QString refused = "!Tulosta: Tiedostoon tuloste.pdf ei voi tulostaa: Se ei ole tavallinen tiedosto. Valitse toinen tiedosto.";
        QTest::newRow("a new file") << "nothing" << true << "";
        QTest::newRow("a FIFO") << "FIFO" << false << refused;
        QTest::newRow("a link to a FIFO") << "link to a FIFO" << false << refused;
    }
    void printDialogFile()
    {
        QFETCH(QString, target);
        RecordingMessages recorded;
        QTemporaryDir folder;
        const QString path = folder.filePath("tuloste.pdf");
        const QString fifo = target == "FIFO" ? path : folder.filePath("putki");
        if (target != "nothing")
            QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        if (target == "link to a FIFO")
            QVERIFY(QFile::link(fifo, path));
        // Held open to read, so that opening the FIFO to write does not wait, and a box of
        // Qt's own that then asks is closed unanswered: a fault fails here, never hangs.
        const int reader = target != "nothing" ? ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
        const auto closeReader = qScopeGuard([reader] {
            if (reader >= 0)
                ::close(reader);
        });
        QPrinter printer;
        printer.setOutputFileName(path);
        PrintDialog dialog(&printer);
        dialog.setWindowTitle("Tulosta");
        dialog.show();
        QTimer::singleShot(2000, &dialog, [&dialog] {
            if (QWidget *box = QApplication::activeModalWidget(); box && box != &dialog)
                box->close();
        });
        QVERIFY(dialog.findChild<QLineEdit *>("filename") && dialog.findChild<QLineEdit *>("filename")->isEnabled());
        for (QAbstractButton *button : dialog.findChild<QDialogButtonBox *>()->buttons())
            if (dialog.findChild<QDialogButtonBox *>()->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->click();
        QTEST(dialog.result() == QDialog::Accepted, "accepted");
        QTEST(withoutFolders(recorded.shown.join(" + ")), "shown");
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
        QTest::newRow("month price") << "" << "row5" << "253,5 / kk  ";
        QTest::newRow("year price") << "" << "row6" << "3084,25 väh";
        QTest::newRow("display reading") << "Menu_Kalibroi" << "txt_Taulu" << "100000000000";
        QTest::newRow("speedometer reading") << "Menu_Kalibroi" << "txt_Mittari" << "97,5 km/h 12";
        QTest::newRow("error margin") << "Menu_Kalibroi" << "txt_Virhe" << "-10 % -10 %.";
        QTest::newRow("record name") << "Menu_Tallenna" << "Tiedostonimi" << "2026_12_07.s";
        QTest::newRow("help text") << "Menu_Ohjeita" << "Ohje" << "1. Ohje\n2. x";
        QTest::newRow("trips left out of the summary") << "Menu_Yhteenveto" << "Huomautukset" << "a.sav: 6.5 x";
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
        QTest::newRow("comparison") << "Menu_Vertaa" << "Vertaa ajoneuvoja" << QSize(6600, 4500);
        QTest::newRow("fill-up log") << "Menu_Tankkaukset" << "Tankkaukset" << QSize(10200, 6300);
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
        // The controls of the client area, and of what a scroll area in it scrolls: whole there.
        QList<QWidget *> controls = client(w)->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (const QScrollArea *area : client(w)->findChildren<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly))
            controls << area->widget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *control : controls) {
            const QString what = control->objectName() + " " + control->accessibleName();
            const auto *button = qobject_cast<PictureButton *>(control);
            const QRect seen = (button ? button->captionRect().translated(button->pos()) : control->geometry())
                                   .translated(control->parentWidget()->mapTo(client(w), QPoint(0, 0)));
            const auto *caption = qobject_cast<QLabel *>(control);
            if (((caption && !caption->text().isEmpty()) || (button && !button->text().isEmpty())) && client(w)->rect().contains(seen))
                QVERIFY2(contrastIn(dark, seen) >= 4.5, qPrintable(what));
            QVERIFY2(control->isHidden() || control->parentWidget()->rect().contains(shownRect(control)), qPrintable(what));
            if (const auto *label = qobject_cast<QLabel *>(control); label && !label->isHidden())
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

    // The summary never opens taller than the screen's free area, whatever the screen and
    // its scale; where it is smaller than designed, what does not fit scrolls. Each row runs
    // this test again in a program of its own on such a screen.
    void summaryFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");   // in device pixels
        QTest::addColumn<QByteArray>("scale");
        QTest::addColumn<bool>("asDesigned"); // 560 pixels of client area, else the whole free height
        QTest::newRow("800 × 600 at 125 %: 480 free") << QSize(800, 600) << QByteArray("1.25") << false;
        QTest::newRow("1280 × 1024 at 100 %: room for the design") << QSize(1280, 1024) << QByteArray("1") << true;
    }
    void summaryFitsTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QByteArray, scale);
        if (!qEnvironmentVariableIsSet("TANKELI_SCREEN_OF_ITS_OWN")) {
            QFile config(home.filePath("screen.json"));
            QVERIFY(config.open(QIODevice::WriteOnly));
            config.write(QStringLiteral(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": 96}]})")
                             .arg(screen.width()).arg(screen.height()).toUtf8());
            config.close();
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
            environment.insert("QT_SCALE_FACTOR", scale);
            environment.insert("TANKELI_SCREEN_OF_ITS_OWN", "1");
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("summaryFitsTheScreen:") + QTest::currentDataTag()});
            QVERIFY(child.waitForFinished(60000));
            QVERIFY2(child.exitCode() == 0, child.readAll().constData());
            return;
        }
        start(calibrated);
        for (int month = 1; month <= 12; ++month)
            QVERIFY(step(QStringLiteral("record:2024_%1_01.sav=1,3/6/100/7,8/6").arg(month, 2, 10, QLatin1Char('0'))));
        QVERIFY(step("record:huono.sav=x") && step("menu:Menu_Yhteenveto"));
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() != main.get(); }));
        QWidget *w = QApplication::activeWindow();
        const QRect room = w->screen()->availableGeometry();
        QVERIFY2(room.contains(w->frameGeometry()), qPrintable(QStringLiteral("%1 x %2 on %3 x %4").arg(w->frameGeometry().width())
                     .arg(w->frameGeometry().height()).arg(room.width()).arg(room.height())));
        QFETCH(bool, asDesigned);
        QCOMPARE(asDesigned ? w->height() : w->frameGeometry().height(), asDesigned ? 560 : room.height());
        const QWidget *content = w->findChild<QScrollArea *>()->widget();
        QVERIFY(content->height() >= content->minimumSizeHint().height());
        for (const QWidget *control : content->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(control->isHidden() || content->rect().contains(control->geometry()), qPrintable(control->objectName()));
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
        QCOMPARE(Messages::current().ask(main.get(), QStringLiteral("Korvataanko?"), QStringLiteral("Ylikirjoita")), Answer::No);
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
