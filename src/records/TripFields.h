#pragma once
// The main window's trip fields as the file window uses them: the five values a trip
// record stores, in record order, and the calculation run after opening one.

#include "RecordStore.h"

namespace tankeli {

class TripFields
{
public:
    virtual ~TripFields() = default;

    virtual RecordValues recordValues() const = 0;
    virtual void setRecordValues(const RecordValues &values) = 0;
    virtual void calculate() = 0;
};

} // namespace tankeli
