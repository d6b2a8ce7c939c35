#include "FieldAccessible.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <utility>

namespace tankeli {
namespace {

// The questions a screen reader asks of a text, answered alike for a one-line field and
// a text area from the text as the control holds it; each control adds its cursor, its
// lines as shown and where its characters lie.
class TextAccessible : public QAccessibleWidget, public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface
{
public:
    explicit TextAccessible(QWidget *control, QAccessible::Role role = QAccessible::EditableText)
        : QAccessibleWidget(control, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? value() : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !readOnly())
            setValue(text);
        else
            QAccessibleWidget::setText(t, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !readOnly();
        s.readOnly = readOnly();
        s.selectableText = true;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text itself.
    QString text(int start, int end) const override
    {
        const QString whole = value();
        start = qBound(0, start, int(whole.size()));
        end = end < 0 ? int(whole.size()) : qBound(start, end, int(whole.size()));
        return whole.mid(start, end - start);
    }
    int characterCount() const override { return int(value().size()); }
    // The text has one look throughout: one run from its first character to its last,
    // also when asked at the end, where the cursor stands after typing.
    QString attributes(int offset, int *start, int *end) const override
    {
        const int count = characterCount();
        const bool inText = offset >= 0 && offset <= count;
        *start = inText ? 0 : -1;
        *end = inText ? count : -1;
        return {};
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }

    // The character, word, sentence or line around an offset; at the end of the text
    // the last one, as for the last character (a character only before the end).
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        const int count = characterCount();
        if (offset < 0 || offset > count || (offset == count && boundary == QAccessible::CharBoundary)) {
            *start = *end = offset == count ? count : -1;
            return {};
        }
        const auto [from, to] = segmentAt(qMin(offset, count - 1), boundary);
        *start = from;
        *end = to;
        return text(from, to);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        const int count = characterCount();
        const int before = offset == count ? count - 1
            : offset >= 0 && offset < count  ? segmentAt(offset, boundary).first - 1
                                             : -1;
        if (before < 0)
            return none(start, end);
        return textAtOffset(before, boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        const int count = characterCount();
        const int after = offset >= 0 && offset < count ? segmentAt(offset, boundary).second : count;
        if (after >= count)
            return none(start, end);
        return textAtOffset(after, boundary, start, end);
    }

    // Editing.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (!readOnly())
            setValue(value().replace(start, end - start, text));
    }

protected:
    virtual QString value() const = 0;
    virtual void setValue(const QString &text) = 0;
    virtual bool readOnly() const = 0;
    // The line as shown that holds offset (within the text), with its line break.
    virtual std::pair<int, int> lineAt(int offset) const = 0;
    // The paragraph that holds offset, with its line break.
    std::pair<int, int> paragraphAt(int offset) const
    {
        const QString whole = value();
        const int start = offset > 0 ? int(whole.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1 : 0;
        const int lineBreak = int(whole.indexOf(QLatin1Char('\n'), offset));
        return {start, lineBreak < 0 ? int(whole.size()) : lineBreak + 1};
    }

private:
    static QString none(int *start, int *end)
    {
        *start = *end = -1;
        return {};
    }
    // The piece of the text that holds offset (within the text): from the edge of an
    // item (a character, word or sentence, or the space between words) at or before it
    // to the next edge after it; the text's own ends are edges too. Written here because
    // Qt's own walk looks for an item's edge past the end of a text that ends in a sign
    // or a space, and never comes back, and its text areas answer a line break or a
    // space with the line or word before it.
    std::pair<int, int> segmentAt(int offset, QAccessible::TextBoundaryType boundary) const
    {
        QTextBoundaryFinder::BoundaryType type = QTextBoundaryFinder::Grapheme;
        switch (boundary) {
        case QAccessible::CharBoundary: break;
        case QAccessible::WordBoundary: type = QTextBoundaryFinder::Word; break;
        case QAccessible::SentenceBoundary: type = QTextBoundaryFinder::Sentence; break;
        case QAccessible::LineBoundary: return lineAt(offset);
        case QAccessible::ParagraphBoundary: return paragraphAt(offset);
        case QAccessible::NoBoundary: return {0, characterCount()};
        }
        const QString whole = value();
        const int count = int(whole.size());
        QTextBoundaryFinder finder(type, whole);
        const auto itemEdge = [&finder] {
            return finder.isAtBoundary()
                && (finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem));
        };
        finder.setPosition(offset);
        int start = offset;
        while (start > 0 && !itemEdge())
            start = qMax(finder.toPreviousBoundary(), 0);
        finder.setPosition(offset);
        int end = finder.toNextBoundary();
        while (end > 0 && end < count && !itemEdge())
            end = finder.toNextBoundary();
        return {start, end > offset && end <= count ? end : count};
    }
};

// A one-line field: a line edit, or the field of a spin box (in Qt's print dialog),
// which is then the control a screen reader knows.
class FieldAccessible : public TextAccessible
{
public:
    explicit FieldAccessible(QLineEdit *field)
        : TextAccessible(field)
    {
    }

    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QRect characterRect(int) const override { return field()->rect().translated(field()->mapToGlobal(QPoint(0, 0))); }
    int offsetAtPoint(const QPoint &point) const override { return field()->cursorPositionAt(field()->mapFromGlobal(point)); }
    void scrollToSubstring(int, int) override {}
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && field()->hasSelectedText()) {
            *start = field()->selectionStart();
            *end = *start + int(field()->selectedText().size());
        }
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int start, int end) override { field()->setSelection(start, end - start); }

protected:
    FieldAccessible(QWidget *control, QAccessible::Role role)
        : TextAccessible(control, role)
    {
    }
    virtual QLineEdit *field() const { return static_cast<QLineEdit *>(object()); }
    QString value() const override { return field()->text(); }
    void setValue(const QString &text) override { field()->setText(text); }
    bool readOnly() const override { return field()->isReadOnly(); }
    std::pair<int, int> lineAt(int) const override { return {0, characterCount()}; }
};

// A spin box: its field's text, its number, and a step up or down.
class SpinBoxAccessible : public FieldAccessible, public QAccessibleValueInterface
{
public:
    explicit SpinBoxAccessible(QAbstractSpinBox *box)
        : FieldAccessible(box, QAccessible::SpinBox)
    {
    }

    // Its field is part of it, not a control of its own.
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return FieldAccessible::interface_cast(type);
    }

    QVariant currentValue() const override
    {
        if (const auto *whole = qobject_cast<const QSpinBox *>(box()))
            return whole->value();
        if (const auto *decimal = qobject_cast<const QDoubleSpinBox *>(box()))
            return decimal->value();
        return box()->text();
    }
    void setCurrentValue(const QVariant &value) override
    {
        if (auto *whole = qobject_cast<QSpinBox *>(box()))
            whole->setValue(value.toInt());
        else if (auto *decimal = qobject_cast<QDoubleSpinBox *>(box()))
            decimal->setValue(value.toDouble());
    }
    QVariant maximumValue() const override
    {
        if (const auto *whole = qobject_cast<const QSpinBox *>(box()))
            return whole->maximum();
        if (const auto *decimal = qobject_cast<const QDoubleSpinBox *>(box()))
            return decimal->maximum();
        return {};
    }
    QVariant minimumValue() const override
    {
        if (const auto *whole = qobject_cast<const QSpinBox *>(box()))
            return whole->minimum();
        if (const auto *decimal = qobject_cast<const QDoubleSpinBox *>(box()))
            return decimal->minimum();
        return {};
    }
    QVariant minimumStepSize() const override
    {
        if (const auto *whole = qobject_cast<const QSpinBox *>(box()))
            return whole->singleStep();
        if (const auto *decimal = qobject_cast<const QDoubleSpinBox *>(box()))
            return decimal->singleStep();
        return {};
    }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + FieldAccessible::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == increaseAction())
            box()->stepUp();
        else if (action == decreaseAction())
            box()->stepDown();
        else
            FieldAccessible::doAction(action);
    }

protected:
    QLineEdit *field() const override { return box()->findChild<QLineEdit *>(QStringLiteral("qt_spinbox_lineedit")); }
    bool readOnly() const override { return box()->isReadOnly(); }

private:
    QAbstractSpinBox *box() const { return static_cast<QAbstractSpinBox *>(object()); }
};

// A text area (the help text, the trips left out of the summary): its lines are the
// lines as they wrap on the screen, each with the line break that ends it.
class TextAreaAccessible : public TextAccessible
{
public:
    explicit TextAreaAccessible(QPlainTextEdit *area)
        : TextAccessible(area)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TextAccessible::state();
        s.multiLine = true;
        return s;
    }
    int cursorPosition() const override { return area()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor cursor = area()->textCursor();
        cursor.setPosition(qBound(0, position, characterCount()));
        area()->setTextCursor(cursor);
    }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(area()->document());
        cursor.setPosition(qBound(0, offset, characterCount()));
        const QRect at = area()->cursorRect(cursor);
        const int width = area()->fontMetrics().horizontalAdvance(text(offset, offset + 1));
        return QRect(area()->viewport()->mapToGlobal(at.topLeft()), QSize(qMax(width, 1), at.height()));
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return area()->cursorForPosition(area()->viewport()->mapFromGlobal(point)).position();
    }
    // Brings the text into view by putting the cursor at its start, as a reader that
    // asks for it means the user to be there.
    void scrollToSubstring(int start, int) override
    {
        setCursorPosition(start);
        area()->ensureCursorVisible();
    }
    void selection(int index, int *start, int *end) const override
    {
        const QTextCursor cursor = area()->textCursor();
        *start = *end = 0;
        if (index == 0 && cursor.hasSelection()) {
            *start = cursor.selectionStart();
            *end = cursor.selectionEnd();
        }
    }
    int selectionCount() const override { return area()->textCursor().hasSelection() ? 1 : 0; }
    void removeSelection(int) override
    {
        QTextCursor cursor = area()->textCursor();
        cursor.clearSelection();
        area()->setTextCursor(cursor);
    }
    void setSelection(int, int start, int end) override
    {
        QTextCursor cursor = area()->textCursor();
        cursor.setPosition(qBound(0, start, characterCount()));
        cursor.setPosition(qBound(0, end, characterCount()), QTextCursor::KeepAnchor);
        area()->setTextCursor(cursor);
    }

protected:
    QString value() const override { return area()->toPlainText(); }
    void setValue(const QString &text) override { area()->setPlainText(text); }
    bool readOnly() const override { return area()->isReadOnly(); }
    std::pair<int, int> lineAt(int offset) const override
    {
        const QTextBlock block = area()->document()->findBlock(offset);
        const std::pair<int, int> paragraph = paragraphAt(offset);
        // A paragraph not yet laid out (far out of view) is one line.
        area()->document()->documentLayout()->blockBoundingRect(block);
        const QTextLayout *layout = block.layout();
        if (!block.isValid() || !layout || layout->lineCount() == 0)
            return paragraph;
        QTextLine line = layout->lineForTextPosition(offset - block.position());
        if (!line.isValid())
            line = layout->lineAt(layout->lineCount() - 1);
        const int start = block.position() + line.textStart();
        const bool lastOfParagraph = line.lineNumber() == layout->lineCount() - 1;
        const int end = lastOfParagraph ? paragraph.second : start + line.textLength();
        return start <= offset && offset < end ? std::pair{start, end} : paragraph;
    }

private:
    QPlainTextEdit *area() const { return static_cast<QPlainTextEdit *>(object()); }
};

QAccessibleInterface *textFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QLineEdit"))
        return new FieldAccessible(static_cast<QLineEdit *>(object));
    if (className == QLatin1String("QPlainTextEdit"))
        return new TextAreaAccessible(static_cast<QPlainTextEdit *>(object));
    if (className == QLatin1String("QSpinBox") || className == QLatin1String("QDoubleSpinBox")
        || className == QLatin1String("QAbstractSpinBox"))
        return new SpinBoxAccessible(static_cast<QAbstractSpinBox *>(object));
    return nullptr;
}

} // namespace

void installFieldAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(textFactory);
        return true;
    }();
    (void)installed;
}

} // namespace tankeli
