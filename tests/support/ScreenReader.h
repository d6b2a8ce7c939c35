#pragma once
// Reads a control's text as a screen reader reads it through the accessibility bus:
// the whole value in runs of text attributes (Orca walks them and speaks what they
// cover), line by line, word by word and character by character, and the line and
// word where the cursor stands after typing. Each way must give back the whole text;
// what does not is returned as a fault, such as "runs: 60" for the text 600.

#include <QAccessible>
#include <QStringList>
#include <utility>

namespace screenreader {

// One way of walking the text: the boundary asked about, and what each step heard.
inline QString walk(QAccessibleTextInterface *text, QAccessible::TextBoundaryType boundary, QStringList &faults,
                    const char *what)
{
    const int count = text->characterCount();
    QString heard;
    for (int offset = 0; offset < count;) {
        int start = -1;
        int end = -1;
        const QString piece = text->textAtOffset(offset, boundary, &start, &end);
        if (start > offset || end <= offset || piece != text->text(start, end)) {
            faults << QStringLiteral("%1 at %2: %3-%4 '%5'").arg(what).arg(offset).arg(start).arg(end).arg(piece);
            return heard;
        }
        heard += piece;
        offset = end;
    }
    return heard;
}

// Attribute runs as Orca asks for them: from the start, each run's end is the next
// offset asked about (or the next character, where a run ends too early); runs with
// the same attributes are spoken as one stretch from the first one's start to the last
// one's end.
inline QString byAttributeRuns(QAccessibleTextInterface *text, QStringList &faults)
{
    const int count = text->characterCount();
    struct Run
    {
        int start;
        int end;
        QString attributes;
    };
    QList<Run> runs;
    for (int offset = 0; offset < count;) {
        int start = -1;
        int end = -1;
        const QString attributes = text->attributes(offset, &start, &end);
        if (start > offset || end <= offset)
            faults << QStringLiteral("run at %1: %2-%3").arg(offset).arg(start).arg(end);
        const Run run{qMax(start, offset), end, attributes};
        if (!runs.isEmpty() && runs.last().attributes == attributes)
            runs.last().end = run.end;
        else
            runs << run;
        offset = qMax(end, offset + 1);
    }
    QString heard;
    for (const Run &run : std::as_const(runs))
        if (run.end > run.start)
            heard += text->text(run.start, qMin(run.end, count));
    return heard;
}

// Every way of reading the control's text that gives anything but the whole text.
inline QStringList faultsReading(QAccessibleInterface *control)
{
    QStringList faults;
    QAccessibleTextInterface *text = control ? control->textInterface() : nullptr;
    if (!text)
        return {QStringLiteral("no text to read")};
    const int count = text->characterCount();
    const QString whole = text->text(0, count);
    const auto expect = [&faults, &whole](const char *what, const QString &heard) {
        if (heard != whole)
            faults << QStringLiteral("%1: '%2'").arg(what, heard);
    };
    expect("runs", byAttributeRuns(text, faults));
    expect("lines", walk(text, QAccessible::LineBoundary, faults, "line"));
    expect("words", walk(text, QAccessible::WordBoundary, faults, "word"));
    expect("characters", walk(text, QAccessible::CharBoundary, faults, "character"));
    // Where typing leaves the cursor: the line and the word of the last character, as a
    // reader asks for them there to echo what was typed.
    const std::pair<QAccessible::TextBoundaryType, const char *> endings[] = {
        {QAccessible::LineBoundary, "line"}, {QAccessible::WordBoundary, "word"}};
    for (const auto &[boundary, what] : endings) {
        int start = -1;
        int end = -1;
        int lastStart = -1;
        int lastEnd = -1;
        const QString atEnd = text->textAtOffset(count, boundary, &start, &end);
        const QString last = text->textAtOffset(count - 1, boundary, &lastStart, &lastEnd);
        if (count > 0 && !control->state().readOnly && (atEnd != last || start != lastStart || end != lastEnd))
            faults << QStringLiteral("%1 at the end: %2-%3 '%4'").arg(what).arg(start).arg(end).arg(atEnd);
    }
    return faults;
}

} // namespace screenreader
