#pragma once
// The main window's seven trip rows, top to bottom: a field with its caption and unit
// each, addressed by the trip value it holds. The rows are worded for one energy.

#include "calculator/TripQuantities.h"
#include "records/RecordStore.h"

#include <array>

class QLabel;
class QLineEdit;
class QObject;
class QWidget;

namespace tankeli {

struct MainLayout;

class TripRowsView
{
public:
    // The fields report their events to keyWatcher (the window's event filter).
    TripRowsView(QWidget &client, QObject &keyWatcher);

    QLineEdit &field(TripField value) const;
    // The row of this field; -1 for a widget that is none of them.
    int rowOf(const QObject *widget) const;
    // Enter walks the first five rows in a ring; the month and year rows move no focus
    // (nullptr).
    QLineEdit *nextOnEnter(const QObject *field) const;

    TripTexts texts() const;
    // A text written by the program shows its beginning, as a text box does.
    void show(TripField value, const QString &text);
    void showAll(const TripTexts &texts);
    // Nollaa: every value but the price back to 0.
    void reset();
    RecordValues recordValues() const;
    void setRecordValues(const RecordValues &values);

    void setTooltips();
    // Captions, units, tooltips and what a screen reader is told, for a vehicle of this
    // energy; the values stay.
    void setEnergy(Energy energy);
    void setTimeViewShown(bool shown);
    void place(const MainLayout &layout);

private:
    struct Row
    {
        QLineEdit *field = nullptr;
        QLabel *caption = nullptr;
        QLabel *unit = nullptr;
    };
    std::array<Row, tripRowCount> m_rows{};
};

} // namespace tankeli
