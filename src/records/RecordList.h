#pragma once
// The records in the order the user sees them, as the file window lists them. The
// statistics chart walks this list; the file window's list is what implements it.

#include "RecordStore.h"

namespace tankeli {

class RecordList
{
public:
    virtual ~RecordList() = default;

    virtual int recordCount() const = 0;
    // Entry k, without touching what the list shows.
    virtual RecordEntry record(int k) const = 0;
    // Selects entry k as a user's click would.
    virtual void selectRecord(int k) = 0;
    // Why the list is empty when its folder could not be read; empty otherwise.
    virtual QString listProblem() const = 0;
    // Reads the folder again, so the list holds what is there now (an import, a file
    // deleted by another program); a fixed list has nothing to read.
    virtual void readAgain() {}
};

} // namespace tankeli
