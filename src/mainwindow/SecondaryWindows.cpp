#include "SecondaryWindows.h"

#include "calibration/Kalibroi.h"
#include "calibration/CalibrationState.h"
#include "fillups/FillUpCommands.h"
#include "fillups/FillUpWindow.h"
#include "help/Help.h"
#include "look/Messages.h"
#include "look/WindowMemory.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"
#include "summary/SummaryWindow.h"

#include <QLineEdit>

namespace tankeli {

SecondaryWindows::SecondaryWindows(const ProgramFolders &folders, QWidget &mainWindow,
                                   QWidget &firstField, TripFields &trip,
                                   CalibrationState &calibration, WindowMemory &places)
    : QObject(&mainWindow)
    , m_folders(folders)
    , m_main(mainWindow)
    , m_firstField(firstField)
    , m_trip(trip)
    , m_calibration(calibration)
    , m_places(places)
{
    // An open fill-up log corrects its distances as the calculator does from now on.
    connect(this, &SecondaryWindows::calibrationCommitted, this, [this] {
        if (m_fillUps)
            m_fillUps->setCalibration(m_calibration.forCalculation());
    });
}

SecondaryWindows::~SecondaryWindows() = default;

// Makes the window, hidden, where the user left it last, unless it exists. One that
// cannot load (a picture is missing) is a fault in the program's own files: it is handed
// on to end the program as such a fault does at start-up.
template <typename Window, typename... Extra>
Window *SecondaryWindows::ensure(QPointer<Window> &holder, const QString &name, Extra &&...extra)
{
    if (holder)
        return holder;
    auto *window = new Window(m_folders, &m_main, std::forward<Extra>(extra)...);
    const Done loaded = window->Form_Load();
    if (!loaded) {
        delete window;
        emit cannotGoOn(loaded.error());
        return nullptr;
    }
    // Once the window is gone: asked for while a closing window is still the active one,
    // the main window's activation is undone by that window's hiding, and no window of the
    // program takes the keys.
    connect(window, &SecondaryWindow::left, this, &SecondaryWindows::giveFocusBack, Qt::QueuedConnection);
    m_places.attach(*window, name);
    holder = window;
    return window;
}

void SecondaryWindows::showHelp(const QString &caption)
{
    if (Help *help = ensure(m_help, QStringLiteral("Help"))) {
        rememberFocus();
        help->setWindowTitle(caption);
        help->showInFront();
    }
}

void SecondaryWindows::showCalibration()
{
    const bool made = !m_calibrationWindow;
    if (Kalibroi *window = ensure(m_calibrationWindow, QStringLiteral("Kalibroi"), m_calibration)) {
        if (made)
            connect(window, &Kalibroi::committed, this, &SecondaryWindows::calibrationCommitted);
        rememberFocus();
        window->showInFront();
    }
}

void SecondaryWindows::showFiles(FileMode mode, const QString &caption)
{
    if (Tiedosto *files = ensure(m_files, QStringLiteral("Tiedosto"), m_trip))
        files->showFor(mode, caption);
}

void SecondaryWindows::showStatistics(const QString &caption)
{
    const bool made = !m_stat;
    if (Stat *stat = ensure(m_stat, QStringLiteral("Stat"), m_energy)) {
        if (made)
            connect(stat, &Stat::chartWalked, this, &SecondaryWindows::selectCharted);
        rememberFocus();
        stat->setWindowTitle(caption);
        stat->showInFront();
    }
}

void SecondaryWindows::showSummary()
{
    if (SummaryWindow *summary = ensure(m_summary, QStringLiteral("Yhteenveto"), m_trip, m_energy)) {
        rememberFocus();
        summary->refresh(m_calibration.forCalculation());
        summary->showInFront();
    }
}

void SecondaryWindows::selectCharted(const RecordEntry &last)
{
    if (Tiedosto *files = ensure(m_files, QStringLiteral("Tiedosto"), m_trip))
        files->selectRecord(last);
}

void SecondaryWindows::setVehicle(const ProgramFolders &folders, Energy energy)
{
    if (folders.dataRoot() == m_folders.dataRoot() && energy == m_energy)
        return;
    m_folders = folders;
    m_energy = energy;
    delete m_calibrationWindow;
    delete m_files;
    delete m_stat;
    delete m_summary;
    delete m_fillUps;
}

bool SecondaryWindows::mayCloseFillUps()
{
    return !m_fillUps || m_fillUps->mayDropUnsavedRows();
}

void SecondaryWindows::runFillUpCommand(FillUpCommand command)
{
    const QString log = fillUpLogPath(m_folders.dataFolder());
    switch (command) {
    case FillUpCommand::Show:
        if (FillUpWindow *window = ensure(m_fillUps, QStringLiteral("Tankkaukset"), m_trip,
                                          FillUpLogSetup{log, m_energy, m_calibration.forCalculation()})) {
            rememberFocus();
            window->showInFront();
        }
        return;
    case FillUpCommand::Import:
        if (importFillUps(&m_main, log, m_energy) && m_fillUps)
            m_fillUps->reload();
        return;
    case FillUpCommand::Export:
        return exportFillUps(&m_main, log, m_energy, m_calibration.forCalculation());
    }
}

void SecondaryWindows::rememberFocus()
{
    QWidget *focused = m_main.focusWidget();
    m_focusBefore = qobject_cast<QLineEdit *>(focused) ? focused : &m_firstField;
}

void SecondaryWindows::giveFocusBack()
{
    m_main.activateWindow();
    (m_focusBefore ? m_focusBefore.data() : &m_firstField)->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace tankeli
