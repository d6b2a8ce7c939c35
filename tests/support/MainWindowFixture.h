#pragma once
// A loaded and shown main window in a throw-away program folder, with its message
// boxes answered by the test. Controls are found as a user finds them: by their names.

#include "RecordingMessages.h"
#include "TestFolders.h"

#include "calculator/TripQuantities.h"
#include "mainwindow/Tankeli.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <memory>

// Whether a label's caption fits within the label (on its lines, where it wraps).
inline bool captionFits(const QLabel *label)
{
    const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
    return label->rect().contains(label->fontMetrics().boundingRect(
        label->rect(), int(label->alignment()) | wrap, label->text()));
}

class MainWindowFixture
{
protected:
    std::unique_ptr<TestFolders> dirs;
    std::unique_ptr<RecordingMessages> messages;
    std::unique_ptr<tankeli::Tankeli> main;

    tankeli::Tankeli &start(const QByteArray &settings = defaultSettings)
    {
        stop();
        dirs = std::make_unique<TestFolders>(settings);
        messages = std::make_unique<RecordingMessages>();
        main = std::make_unique<tankeli::Tankeli>(dirs->folders());
        const tankeli::Done loaded = main->Form_Load();
        if (!loaded)
            qWarning() << loaded.error();
        main->show();
        main->activateWindow();
        if (!waitActive(main.get()))
            qWarning("the main window did not become active");
        return *main;
    }
    void stop()
    {
        main.reset();
        messages.reset();
        dirs.reset();
    }

    // Offscreen windows become active a moment after they are shown.
    static bool waitActive(QWidget *window)
    {
        return QTest::qWaitFor([window] { return window->isActiveWindow(); }, 5000);
    }

    QLineEdit *row(int r) const { return main->findChild<QLineEdit *>(QStringLiteral("row%1").arg(r)); }
    QAction *menu(const char *name) const { return main->findChild<QAction *>(QString::fromLatin1(name)); }
    // The secondary window of this class, shown or hidden, if it exists.
    template <typename Window>
    Window *window() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<Window *>(w))
                return found;
        return nullptr;
    }
    template <typename Control>
    static Control *in(const QWidget *window, const char *name)
    {
        return window ? window->findChild<Control *>(QString::fromLatin1(name)) : nullptr;
    }

    // A pointer move over a control, sent to whatever lies under that point of its
    // window, as the window system does.
    static void moveOver(QWidget *control, QPoint local = QPoint(3, 3))
    {
        QWidget *top = control->window();
        const QPoint at = control->mapTo(top, local);
        QWidget *under = top->childAt(at) ? top->childAt(at) : top;
        const QPointF there = under->mapFrom(top, at);
        QMouseEvent move(QEvent::MouseMove, there, under->mapToGlobal(there), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(under, &move);
    }

    // The seven trip fields in row order.
    QStringList rows() const
    {
        QStringList texts;
        for (int r = 0; r < tankeli::tripRowCount; ++r)
            texts << row(r)->text();
        return texts;
    }
    void setRows(const QStringList &texts)
    {
        for (int r = 0; r < texts.size(); ++r)
            row(r)->setText(texts[r]);
    }
};
