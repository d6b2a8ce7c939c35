#pragma once
// Where the program keeps its files: Data/Arvot.txt, stat/ and pic/ beside the
// program file.

#include <QString>

namespace tankeli {

class ProgramFolders
{
public:
    // base is the folder of the program file.
    explicit ProgramFolders(QString base);
    // The folders beside the running program.
    static ProgramFolders besideProgram();

    // The folder of the settings file; whoever starts the program, one running copy
    // holds it (SingleInstance).
    QString dataFolder() const { return m_base + QStringLiteral("/Data"); }
    QString settingsFile() const { return dataFolder() + QStringLiteral("/Arvot.txt"); }
    QString recordFolder() const { return m_base + QStringLiteral("/stat"); }
    QString picture(const QString &fileName) const
    {
        return m_base + QStringLiteral("/pic/") + fileName;
    }
    QString base() const { return m_base; }

private:
    QString m_base;
};

} // namespace tankeli
