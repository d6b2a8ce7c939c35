#include "ProgramFolders.h"

#include <QCoreApplication>

namespace tankeli {

ProgramFolders::ProgramFolders(QString base)
    : m_base(std::move(base))
{
}

ProgramFolders ProgramFolders::besideProgram()
{
    return ProgramFolders(QCoreApplication::applicationDirPath());
}

} // namespace tankeli
