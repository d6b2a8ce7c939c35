#include "FieldAccessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace tankeli {
namespace {

class FieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface
{
public:
    explicit FieldAccessible(QLineEdit *field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    QLineEdit *field() const { return static_cast<QLineEdit *>(object()); }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !field()->isReadOnly())
            field()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !field()->isReadOnly();
        s.readOnly = field()->isReadOnly();
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
    QString text(int start, int end) const override { return field()->text().mid(start, end - start); }
    int characterCount() const override { return int(field()->text().size()); }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QRect characterRect(int) const override { return field()->rect().translated(field()->mapToGlobal(QPoint(0, 0))); }
    int offsetAtPoint(const QPoint &point) const override { return field()->cursorPositionAt(field()->mapFromGlobal(point)); }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = offset;
        *end = offset;
        return {};
    }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && field()->hasSelectedText()) {
            *start = field()->selectionStart();
            *end = *start + int(field()->selectedText().size());
        }
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int start, int end) override { field()->setSelection(start, end - start); }

    // The words, sentences and lines around an offset: at or past the end of the text,
    // the last one, as the toolkit would give for the last character.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        return QAccessibleTextInterface::textAtOffset(inText(offset, boundary), boundary, start, end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        if (boundary != QAccessible::CharBoundary && offset >= characterCount())
            return textAtOffset(offset, boundary, start, end);
        return QAccessibleTextInterface::textBeforeOffset(offset, boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start, int *end) const override
    {
        if (offset >= characterCount() - 1 && boundary != QAccessible::CharBoundary) {
            *start = *end = -1;
            return {};
        }
        return QAccessibleTextInterface::textAfterOffset(offset, boundary, start, end);
    }

    // Editing.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (!field()->isReadOnly())
            field()->setText(field()->text().replace(start, end - start, text));
    }

private:
    int inText(int offset, QAccessible::TextBoundaryType boundary) const
    {
        const int count = characterCount();
        return boundary != QAccessible::CharBoundary && count > 0 && offset >= count ? count - 1 : offset;
    }
};

QAccessibleInterface *fieldFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit") && object && object->isWidgetType())
        return new FieldAccessible(static_cast<QLineEdit *>(object));
    return nullptr;
}

} // namespace

void installFieldAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(fieldFactory);
        return true;
    }();
    (void)installed;
}

} // namespace tankeli
