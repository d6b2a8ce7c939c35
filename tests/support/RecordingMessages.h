#pragma once
// Answers the program's message boxes in tests and remembers what they said, as
// "?title: text" for a question and "!title: text" otherwise.

#include "look/Messages.h"

#include <QStringList>

class RecordingMessages : public tankeli::Messages
{
public:
    RecordingMessages() { tankeli::Messages::replace(this); }
    ~RecordingMessages() override { tankeli::Messages::replace(nullptr); }

    void inform(QWidget *, const QString &text, const QString &title, Icon) override { shown << "!" + title + ": " + text; }
    bool ask(QWidget *, const QString &text, const QString &title) override
    {
        shown << "?" + title + ": " + text;
        return answers.isEmpty() || answers.takeFirst();
    }

    QStringList shown;
    QList<bool> answers; // the answers to the next questions; Yes when none is left
};
