// Start-up: one running copy per data folder, whose window a second start brings to the
// front; Finnish standard texts, the program's icon and desktop id, the main window
// loaded before it is shown, and logout, shutdown and kill handled as the close command.

#include "base/ProgramFolders.h"
#include "app/RunningCopy.h"
#include "app/ShowRequests.h"
#include "app/ShutdownSignals.h"
#include "app/SingleInstance.h"
#include "look/AppIcon.h"
#include "look/Fonts.h"
#include "look/Messages.h"
#include "mainwindow/Tankeli.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>

using namespace tankeli;

namespace {

// Says on stderr what went wrong when nobody may be there to answer a message box.
void tellStderr(const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(programTitle()), text.toLocal8Bit().constData());
}

// Ends the program at a request from outside (logout, shutdown, kill): the main window,
// once loaded, closes as its close command does, and every event loop ends, so no message
// box open at that moment keeps the program from ending; a question open then does none
// of the work it asked about, and an import stops between two trips.
void endOnRequest(Tankeli *window)
{
    Messages::setEndRequested(true);
    const Done closed = window ? window->closeUnattended() : Done();
    if (!closed)
        tellStderr(closed.error());
    QCoreApplication::exit(closed ? 0 : 1);
}

// A fault in the program's own files at start-up (a settings file, a picture, a lock):
// the message names it, and the program ends with status 1. (Later such a fault closes
// the main window as its close command does, writing the settings first.)
int failed(const QString &why)
{
    Messages::current().inform(nullptr, why, programTitle(), Messages::Icon::Critical);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // closing the main window ends the program
    app.setApplicationName(QStringLiteral("Tankeli")); // names the user's data folder
    app.setDesktopFileName(applicationId);
    app.setWindowIcon(programIcon());

    // Handled before the lock is taken: a copy that holds the lock always writes its
    // settings when it is asked to end.
    Tankeli *loadedWindow = nullptr;
    ShutdownSignals shutdown;
    QObject::connect(&shutdown, &ShutdownSignals::requested, &app, [&loadedWindow] { endOnRequest(loadedWindow); });
    if (const Done installed = shutdown.install(); !installed)
        return failed(installed.error());

    const ProgramFolders folders = ProgramFolders::forRunningProgram();
    if (const Done prepared = folders.prepare(); !prepared)
        return failed(prepared.error());
    SingleInstance instance(folders);
    const Outcome<bool> claimed = instance.claim();
    if (!claimed)
        return failed(claimed.error());
    const QString channel = channelName(folders);
    if (!*claimed) {
        remindOfRunningCopy(channel);
        return 0;
    }
    // Requests wait until the event loop runs, by then for a loaded main window.
    ShowRequests requests;
    if (const Done listening = requests.listen(channel); !listening)
        tellStderr(listening.error());

    // Qt's own Finnish texts (a field's context menu and the like), when installed.
    QTranslator qtFinnish;
    if (qtFinnish.load(QStringLiteral("qtbase_fi"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFinnish);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(labelFont());

    Tankeli window(folders);
    const Done loaded = window.Form_Load();
    if (!loaded)
        return failed(loaded.error());
    loadedWindow = &window;
    // Closing the window, however it comes about, ends the program with the status it gives.
    QObject::connect(&window, &Tankeli::closed, &app, [](int status) { QCoreApplication::exit(status); });
    QObject::connect(&requests, &ShowRequests::showRequested, &window, [&window] { showInFront(window); });
    // A session manager that asks the program to save before logout gets the settings
    // written; a box only where the manager lets the program ask the user.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager &manager) {
        const Done saved = window.saveSettings();
        if (saved)
            return;
        if (manager.allowsInteraction()) {
            Messages::current().inform(&window, saved.error(), programTitle(), Messages::Icon::Critical);
            manager.release();
        } else {
            tellStderr(saved.error());
        }
    });
    window.show();
    const int status = app.exec();
    loadedWindow = nullptr;
    return status;
}
