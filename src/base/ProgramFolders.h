#pragma once
// Where the program keeps its files. A copy whose own folder holds a Data/ it may write
// keeps everything beside the program file: Data/Arvot.txt, stat/ and pic/. A copy
// installed for all users (a package in /usr/bin) reads its pictures from the installed
// share/tankeli and keeps each user's settings and trips in that user's data folder.

#include "Outcome.h"

#include <QString>

namespace tankeli {

class ProgramFolders
{
public:
    // Everything in base: Data/, stat/ and pic/.
    explicit ProgramFolders(QString base);
    // Settings and trips under dataRoot (Data/, stat/), pictures in pictureFolder; a
    // missing settings file is copied from defaultSettings when the folders are prepared.
    ProgramFolders(QString dataRoot, QString pictureFolder, QString defaultSettings);

    // The rule for a program file in programFolder: beside it when programFolder/Data is a
    // folder the user may write (or whose settings file the user may write), otherwise
    // userDataFolder, with the pictures and the first settings from beside the program
    // where they are there (a read-only copy), else from programFolder/../share/tankeli.
    static ProgramFolders choose(const QString &programFolder, const QString &userDataFolder);
    // The rule for the running program, with the user's data folder of the platform
    // ($XDG_DATA_HOME/Tankeli, by default ~/.local/share/Tankeli).
    static ProgramFolders forRunningProgram();

    // Whether settings and trips live in the user's own data folder.
    bool perUser() const { return !m_defaultSettings.isEmpty(); }
    // For the per-user folders: makes Data/ and stat/ when missing and copies the installed
    // settings when the user has none. Nothing is written anywhere else; beside the
    // program nothing is made. The data folder, Data/ and stat/ (a link's real folder)
    // must belong to the user and be closed to others' writes, or they are refused. The
    // failure message names the folder or file, and what to do.
    Done prepare() const;

    // The folder of the settings file; whoever starts the program, one running copy
    // holds it (SingleInstance).
    QString dataFolder() const { return m_dataRoot + QStringLiteral("/Data"); }
    QString settingsFile() const { return dataFolder() + QStringLiteral("/Arvot.txt"); }
    // Where the windows were left when the program last closed (WindowPlaces).
    QString windowPlacesFile() const { return dataFolder() + QStringLiteral("/Ikkunat.txt"); }
    // The hidden folder where a file of Data/ is written before it is put in place.
    QString dataScratchFolder() const { return dataFolder() + QStringLiteral("/.tallennus"); }
    QString recordFolder() const { return m_dataRoot + QStringLiteral("/stat"); }
    QString picture(const QString &fileName) const { return m_pictureFolder + QLatin1Char('/') + fileName; }
    QString defaultSettings() const { return m_defaultSettings; }
    // The folder that holds Data/ and stat/.
    QString dataRoot() const { return m_dataRoot; }
    // The same pictures, with the settings and trips under another folder (another
    // vehicle's), which is never prepared as a first start.
    ProgramFolders withDataRoot(QString dataRoot) const { return ProgramFolders(std::move(dataRoot), m_pictureFolder, QString()); }

    // Where the program offers to save and open the user's own files (a chart image, a
    // spreadsheet): the documents folder where there is one, else the home folder.
    static QString documentsFolder();

private:
    Done copyDefaultSettings() const;
    static constexpr qsizetype maxSettingsBytes = 64 * 1024;

    QString m_dataRoot;
    QString m_pictureFolder;
    QString m_defaultSettings;
};

} // namespace tankeli
