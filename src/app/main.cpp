// Start-up: one running copy per data folder, Finnish standard texts, the program's
// icon and desktop id, and the main window loaded before it is shown.

#include "app/ProgramFolders.h"
#include "app/SingleInstance.h"
#include "look/AppIcon.h"
#include "look/Fonts.h"
#include "look/Messages.h"
#include "mainwindow/Tankeli.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

using namespace tankeli;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // closing the main window ends the program
    app.setDesktopFileName(applicationId);
    app.setWindowIcon(programIcon());

    const ProgramFolders folders = ProgramFolders::besideProgram();
    SingleInstance instance(folders);
    const Outcome<bool> claimed = instance.claim();
    if (!claimed) {
        Messages::current().inform(nullptr, claimed.error(), programTitle(), Messages::Icon::Critical);
        return 1;
    }
    if (!*claimed)
        return 0;

    // Qt's own Finnish texts (a field's context menu and the like), when installed.
    QTranslator qtFinnish;
    if (qtFinnish.load(QStringLiteral("qtbase_fi"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFinnish);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(labelFont());

    Tankeli window(folders);
    const Done loaded = window.Form_Load();
    if (!loaded) {
        Messages::current().inform(nullptr, loaded.error(), programTitle(), Messages::Icon::Critical);
        return 1;
    }
    window.show();
    return app.exec();
}
