#pragma once
// A loaded and shown main window in a throw-away program folder, with its message
// boxes answered by the test. Window tests derive from it.

#include "RecordingMessages.h"
#include "TestFolders.h"

#include "mainwindow/Tankeli.h"

#include <QLabel>
#include <QLineEdit>
#include <memory>

// Whether a label's caption fits within the label (on its lines, where it wraps).
inline bool captionFits(const QLabel *label)
{
    const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
    return label->rect().contains(
        label->fontMetrics().boundingRect(label->rect(), int(label->alignment()) | wrap, label->text()));
}

class MainWindowFixture
{
protected:
    std::unique_ptr<TestFolders> dirs;
    std::unique_ptr<RecordingMessages> messages;
    std::unique_ptr<tankeli::Tankeli> main;

    tankeli::Tankeli &start(const QByteArray &settings = "1,3\r\n0\r\n0\r\nFalse\r\nTrue\r\n")
    {
        stop();
        dirs = std::make_unique<TestFolders>(settings);
        messages = std::make_unique<RecordingMessages>();
        main = std::make_unique<tankeli::Tankeli>(dirs->folders());
        const QString error = main->Form_Load();
        if (!error.isEmpty())
            qWarning() << error;
        main->show();
        main->activateWindow();
        if (!QTest::qWaitForWindowActive(main.get()))
            qWarning("the main window did not become active");
        return *main;
    }
    void stop()
    {
        main.reset();
        messages.reset();
        dirs.reset();
    }
    QString stat(const QString &name) const { return dirs->path("stat/" + name); }

    // The seven trip fields in row order.
    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < tankeli::Tankeli::rowCount; ++row)
            texts << main->rowField(row)->text();
        return texts;
    }
    void setRows(const QStringList &texts)
    {
        for (int row = 0; row < texts.size(); ++row)
            main->rowField(row)->setText(texts[row]);
    }
    // The boxes shown so far: "?title: text" for a question, "!title: text" otherwise.
    QStringList shown() const
    {
        QStringList texts;
        for (const auto &box : messages->shown)
            texts << (box.question ? "?" : "!") + box.title + ": " + box.text;
        return texts;
    }
};
