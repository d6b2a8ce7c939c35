#pragma once
// Makes sure only one copy of the program runs from one program folder at a time,
// whatever the environment: the lock file lives in the program folder itself (in its
// Data folder when the program folder may not be written).

#include "Outcome.h"
#include "ProgramFolders.h"

#include <QLockFile>
#include <memory>

namespace tankeli {

class SingleInstance
{
public:
    explicit SingleInstance(const ProgramFolders &folders);

    // True when this is the only running copy, false when another copy runs; the
    // failure says why no lock could be made. The lock is held until destruction;
    // the lock of a copy that crashed is taken over.
    Outcome<bool> claim();

private:
    ProgramFolders m_folders;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tankeli
