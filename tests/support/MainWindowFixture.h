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
        // A window that did not load has no buttons to press: stop with the reason.
        if (const tankeli::Done loaded = main->Form_Load(); !loaded)
            qFatal("the main window did not load: %s", qPrintable(loaded.error()));
        main->show();
        main->activateWindow();
        waitActive(main.get());
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
    static Window *window()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<Window *>(w))
                return found;
        return nullptr;
    }
    // The seven trip fields in row order, joined by ";".
    QString rows() const
    {
        QStringList texts;
        for (int r = 0; r < tankeli::tripRowCount; ++r)
            texts << row(r)->text();
        return texts.join(';');
    }
    void setRows(const QStringList &texts)
    {
        for (int r = 0; r < texts.size(); ++r)
            row(r)->setText(texts[r]);
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
};
