// Start-up: one running copy per program folder, Finnish standard texts, the main
// window loaded before it is shown.

#include "app/ProgramFolders.h"
#include "app/SingleInstance.h"
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

    const ProgramFolders folders = ProgramFolders::besideProgram();
    SingleInstance instance(folders.base());
    if (!instance.claim())
        return 0;

    // Qt's own Finnish texts (a field's context menu and the like), when installed.
    QTranslator qtFinnish;
    if (qtFinnish.load(QStringLiteral("qtbase_fi"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFinnish);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(labelFont());

    Tankeli window(folders);
    const QString error = window.Form_Load();
    if (!error.isEmpty()) {
        Messages::current().inform(nullptr, error, programTitle(), Messages::Icon::Critical);
        return 1;
    }
    window.show();
    return app.exec();
}
