#include "TripRowsView.h"

#include "MainLayout.h"
#include "look/FieldAccessible.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/SelectOnFocus.h"

#include <QLabel>
#include <QLineEdit>

namespace tankeli {
namespace {
constexpr int enterRingLength = 5;
// The rows of the month and the year price, shown in the time view only.
constexpr std::array<TripField, 2> timeViewValues{MonthPrice, YearPrice};
} // namespace

TripRowsView::TripRowsView(QWidget &client, QObject &keyWatcher)
{
    // Before the first field exists: the interface a screen reader is given for a field
    // is made once and kept, and Qt's own freezes on a number ending in a sign.
    installFieldAccessibility();
    for (int row = 0; row < tripRowCount; ++row) {
        const TripQuantity &q = tripRows()[row];
        auto *field = new QLineEdit(QStringLiteral("0"), &client);
        field->setFont(labelFont());
        field->resize(MainLayout::fieldSize.toSize());
        // No longer than a record's line, so that every trip saved can be opened again.
        field->setMaxLength(int(RecordStore::maxLineBytes));
        field->setObjectName(QStringLiteral("row%1").arg(row));
        field->setAccessibleName(q.caption);
        field->setAccessibleDescription(q.unit);
        field->installEventFilter(&keyWatcher);
        selectTextOnFocus(*field);
        Row &r = m_rows[row];
        r.field = field;
        r.caption = makeLabel(&client, MainLayout::captionSize, Qt::AlignRight | Qt::AlignVCenter, q.caption);
        r.caption->setBuddy(field);
        r.unit = makeLabel(&client, MainLayout::unitSize, Qt::AlignLeft | Qt::AlignVCenter, q.unit);
        if (row > 0)
            QWidget::setTabOrder(m_rows[row - 1].field, field);
    }
    field(Price).setText(QStringLiteral("1,3"));
}

QLineEdit &TripRowsView::field(TripField value) const
{
    for (int row = 0; row < tripRowCount; ++row)
        if (tripRows()[row].field == value)
            return *m_rows[row].field;
    Q_UNREACHABLE();
}

int TripRowsView::rowOf(const QObject *widget) const
{
    for (int row = 0; row < tripRowCount; ++row)
        if (m_rows[row].field == widget)
            return row;
    return -1;
}

QLineEdit *TripRowsView::nextOnEnter(const QObject *field) const
{
    const int row = rowOf(field);
    return row >= 0 && row < enterRingLength ? m_rows[(row + 1) % enterRingLength].field : nullptr;
}

TripTexts TripRowsView::texts() const
{
    TripTexts texts;
    for (int row = 0; row < tripRowCount; ++row)
        texts[tripRows()[row].field] = m_rows[row].field->text();
    return texts;
}

void TripRowsView::show(TripField value, const QString &text)
{
    QLineEdit &shown = field(value);
    shown.setText(text);
    shown.setCursorPosition(0);
}

void TripRowsView::showAll(const TripTexts &texts)
{
    for (int row = 0; row < tripRowCount; ++row)
        show(tripRows()[row].field, texts[tripRows()[row].field]);
}

void TripRowsView::reset()
{
    for (const TripQuantity &q : tripRows())
        if (q.field != Price)
            show(q.field, QStringLiteral("0"));
}

RecordValues TripRowsView::recordValues() const
{
    RecordValues values;
    for (int row = 0; row < tripRowCount; ++row)
        if (tripRows()[row].recordLine >= 0)
            values[tripRows()[row].recordLine] = m_rows[row].field->text();
    return values;
}

void TripRowsView::setRecordValues(const RecordValues &values)
{
    for (const TripQuantity &q : tripRows())
        if (q.recordLine >= 0)
            show(q.field, values[q.recordLine]);
}

void TripRowsView::setTooltips()
{
    for (int row = 0; row < tripRowCount; ++row)
        m_rows[row].field->setToolTip(tripRows()[row].tooltip);
}

void TripRowsView::setEnergy(Energy energy)
{
    for (int row = 0; row < tripRowCount; ++row) {
        const TripQuantity &q = tripRows(energy)[row];
        m_rows[row].caption->setText(q.caption);
        m_rows[row].unit->setText(q.unit);
        m_rows[row].field->setToolTip(q.tooltip);
        m_rows[row].field->setAccessibleName(q.caption);
        m_rows[row].field->setAccessibleDescription(q.unit);
    }
}

void TripRowsView::setTimeViewShown(bool shown)
{
    for (int row = 0; row < tripRowCount; ++row) {
        if (std::find(timeViewValues.begin(), timeViewValues.end(), tripRows()[row].field) == timeViewValues.end())
            continue;
        m_rows[row].field->setVisible(shown);
        m_rows[row].caption->setVisible(shown);
        m_rows[row].unit->setVisible(shown);
    }
}

void TripRowsView::place(const MainLayout &layout)
{
    for (int row = 0; row < tripRowCount; ++row) {
        m_rows[row].field->move(layout.fields[row].toPoint());
        m_rows[row].caption->move(layout.captions[row].toPoint());
        m_rows[row].unit->move(layout.units[row].toPoint());
    }
}

} // namespace tankeli
