#pragma once
// Answers the program's message boxes in tests and remembers what they said.

#include "look/Messages.h"

#include <QList>
#include <QString>

class RecordingMessages : public tankeli::Messages
{
public:
    struct Shown
    {
        QString text, title;
        Icon icon;
        bool question;
    };

    RecordingMessages() { tankeli::Messages::replace(this); }
    ~RecordingMessages() override { tankeli::Messages::replace(nullptr); }

    void inform(QWidget *, const QString &text, const QString &title, Icon icon) override
    {
        shown.append({text, title, icon, false});
    }
    bool ask(QWidget *, const QString &text, const QString &title) override
    {
        shown.append({text, title, Icon::None, true});
        return answers.isEmpty() ? true : answers.takeFirst();
    }

    QList<Shown> shown;
    QList<bool> answers; // the answers to the next questions; Yes when none is left
};
