#pragma once
// Answers the program's message boxes in tests and remembers what they said, as
// "?title: text" for a question and "!title: text" otherwise.

#include "look/Messages.h"

#include <QPrinter>
#include <QStringList>
#include <functional>
#include <utility>

class RecordingMessages : public tankeli::Messages
{
public:
    RecordingMessages() { tankeli::Messages::replace(this); }
    ~RecordingMessages() override
    {
        tankeli::Messages::replace(nullptr);
        tankeli::Messages::setEndRequested(false);
    }

    void inform(QWidget *, const QString &text, const QString &title, Icon) override { shown << "!" + title + ": " + text; }
    bool askYesNo(QWidget *, const QString &text, const QString &title, const Buttons &buttons) override
    {
        // A question with buttons of its own names them, the default first: "[Tuo/Peruuta]".
        const bool ownButtons = buttons.yes != Buttons().yes || buttons.no != Buttons().no || buttons.byDefault != tankeli::Answer::Yes;
        shown << "?" + title + ": " + text
                + (ownButtons ? buttons.byDefault == tankeli::Answer::No ? " [" + buttons.no + "/" + buttons.yes + "]"
                                                                : " [" + buttons.yes + "/" + buttons.no + "]"
                              : QString());
        if (whileAsking)
            std::exchange(whileAsking, {})(); // once, as a box is open once
        return answers.isEmpty() || answers.takeFirst();
    }

    // A file dialog answers with the next of files ("path" or "path#filter"), cancelled
    // when none is left, as typed: like a dialog that adds no default suffix, whose
    // suffixes are shown as "{png, svg}". A print dialog prints to the PDF file printTo,
    // cancelled when empty.
    FileChoice chooseFile(QWidget *, FileUse use, const QString &title, const QString &suggested, const QStringList &filters,
                          const QStringList &defaultSuffixes) override
    {
        shown << (use == FileUse::Save ? ">" : "<") + title + ": " + suggested + " [" + filters.join(", ") + "]"
                + (defaultSuffixes.isEmpty() ? QString() : " {" + defaultSuffixes.join(", ") + "}");
        if (files.isEmpty())
            return {};
        const QString answer = files.takeFirst();
        return {answer.section('#', 0, 0), answer.section('#', 1).toInt()};
    }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        shown << "print";
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return !printTo.isEmpty();
    }

    QStringList shown;
    QStringList files;
    QString printTo;
    QList<bool> answers; // the answers to the next questions; Yes when none is left
    // What happens while the next question is open, such as a request to end the program.
    std::function<void()> whileAsking;
};
