#pragma once
// The main window's trip fields as the file and summary windows use them: the five values
// a trip record stores, in record order, the calculation run after opening one, and an
// average consumption put in for the next trip.

#include "RecordStore.h"

namespace tankeli {

class TripFields
{
public:
    virtual ~TripFields() = default;

    virtual RecordValues recordValues() const = 0;
    virtual void setRecordValues(const RecordValues &values) = 0;
    virtual void calculate() = 0;
    // Shows the consumption in its field, runs the calculation without a message where it
    // cannot run yet, and brings the main window forward with the distance field focused
    // and selected, for the user to type a distance over it.
    virtual void useConsumption(const QString &consumption) = 0;
};

} // namespace tankeli
