#pragma once
// Makes sure only one copy of the program runs from one program folder at a time.

#include <QLockFile>
#include <QString>
#include <memory>

namespace tankeli {

class SingleInstance
{
public:
    // Keyed by the program folder; the lock lives in the system's temporary folder.
    explicit SingleInstance(const QString &programFolder);
    // True when this is the only running copy; the lock is held until destruction.
    // The lock of a copy that crashed is taken over.
    bool claim();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tankeli
