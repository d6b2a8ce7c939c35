#pragma once
// Makes sure only one copy of the program uses one data folder at a time, whoever
// starts it: the running copy holds a lock on the data folder itself. The kernel drops
// that lock when the copy ends in any way, so no lock is ever left behind to keep the
// next copy out, and no lock file is ever made.

#include "base/Outcome.h"
#include "base/ProgramFolders.h"

namespace tankeli {

class SingleInstance
{
public:
    explicit SingleInstance(const ProgramFolders &folders);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this is the only running copy, false when another copy holds the data
    // folder; the failure says why the folder could not be locked. A missing data folder
    // takes no lock: reading the settings file then tells the user what is wrong. The
    // lock is held until destruction.
    Outcome<bool> claim();

private:
    QString m_folder;
    int m_descriptor = -1;
};

} // namespace tankeli
