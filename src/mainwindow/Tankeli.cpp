#include "Tankeli.h"

#include "AboutText.h"
#include "MainLayout.h"
#include "SecondaryWindows.h"
#include "look/AppIcon.h"
#include "look/GradientBackground.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"
#include "summary/SpreadsheetCommands.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <cstdlib>

namespace tankeli {

Tankeli::Tankeli(ProgramFolders folders, QWidget *parent)
    : QMainWindow(parent)
    , m_folders(std::move(folders))
    , m_client(new GradientBackground(this))
    , m_rows(*m_client, *this)
    , m_menus(new MainMenus(*this))
    , m_sizing(*this, MainLayout::designedClient, MainLayout::minimumOuterTwips,
               MainLayout::contentMinimum())
    , m_settingsFile(m_folders.settingsFile())
    , m_places(WindowPlacesFile(m_folders.windowPlacesFile(), m_folders.dataScratchFolder()))
{
    setCentralWidget(m_client);
    setWindowIcon(programIcon());
    m_client->installEventFilter(this);
    m_title = makeLabel(m_client, MainLayout::titleSize, Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_title->setObjectName(QStringLiteral("Johdanto"));
    connect(m_menus, &MainMenus::chosen, this, &Tankeli::run);
    m_windows = new SecondaryWindows(m_folders, *this, m_rows.field(Price), *this, m_calibration, m_places);
    connect(m_windows, &SecondaryWindows::cannotGoOn, this, &Tankeli::stopForFault);
    m_vehicles = new VehicleMenu(*m_menus->addMenuBeforeHelp(QStringLiteral("Ajoneu&vo")), *this, *this,
                                 m_folders, m_places);
    connect(m_vehicles, &VehicleMenu::fillUpCommand, m_windows, &SecondaryWindows::runFillUpCommand);
    connect(m_windows, &SecondaryWindows::calibrationCommitted, this, [this] {
        m_menus->action(MainCommand::Calibrate).setChecked(m_calibration.Kalibrointi_Kaytossa());
    });
    m_sizing.open(menuBar()->sizeHint().height());
}

Tankeli::~Tankeli() = default;

void Tankeli::run(MainCommand command)
{
    switch (command) {
    case MainCommand::Open:
        return m_windows->showFiles(FileMode::Open, m_menus->caption(command));
    case MainCommand::Save:
        return m_windows->showFiles(FileMode::Save, m_menus->caption(command));
    case MainCommand::Export:
        return exportTripsToSpreadsheet(this, m_folders, m_energy);
    case MainCommand::Import:
        return importTripsFromSpreadsheet(this, m_folders, m_energy);
    case MainCommand::Quit:
        close();
        return;
    case MainCommand::Calibrate:
        // Choosing the command opens the calibration window and does not toggle its mark.
        m_menus->action(command).setChecked(m_calibration.Kalibrointi_Kaytossa());
        return m_windows->showCalibration();
    case MainCommand::TimeView:
        return applyTimeView();
    case MainCommand::Statistics:
        return m_windows->showStatistics(m_menus->caption(command));
    case MainCommand::Summary:
        return m_windows->showSummary();
    case MainCommand::Instructions:
        return Suorita(MainButton::Help);
    case MainCommand::About:
        return Messages::current().inform(this, aboutText(m_folders.recordFolder()), m_menus->caption(command),
                                          Messages::Icon::Information);
    }
}

Done Tankeli::Form_Load()
{
    const Outcome<ButtonPictures> pictures = ButtonPictures::load(m_folders);
    if (!pictures)
        return Done::failure(pictures.error());
    m_buttons = new PictureButtons(m_client, *pictures,
                                   {QStringLiteral("Laske"), QStringLiteral("Nollaa"), QStringLiteral("Ohjeita")});
    connect(m_buttons, &PictureButtons::clicked, this, [this](int index) { Suorita(MainButton(index)); });
    for (const auto &[button, key] : {std::pair{MainButton::Calculate, "L"}, {MainButton::Reset, "N"}, {MainButton::Help, "O"}})
        m_buttons->Nappi(int(button))->setKeyName(QString::fromLatin1(key));
    connect(m_client, &GradientBackground::backgroundMouseMoved, m_buttons, &PictureButtons::showAllNormal);

    m_title->setText(introText(m_energy));
    m_rows.setTooltips();

    const Outcome<QStringList> vehicles = m_vehicles->load();
    if (!vehicles)
        return Done::failure(vehicles.error());
    for (const QString &problem : *vehicles)
        Messages::current().inform(this, problem, programTitle(), Messages::Icon::Critical);
    m_loaded = true;
    Form_Resize();
    m_places.attach(*this, QStringLiteral("Tankeli"));
    return {};
}

void Tankeli::applyTimeView()
{
    m_rows.setTimeViewShown(m_menus->action(MainCommand::TimeView).isChecked());
}

void Tankeli::Form_Resize()
{
    const MainLayout l = layoutMainWindow(m_client->width(), m_client->height());
    m_rows.place(l);
    m_title->move(l.title.toPoint());
    if (m_buttons)
        for (int button = 0; button < m_buttons->count(); ++button)
            m_buttons->place(button, l.buttons[std::size_t(button)]);
}

void Tankeli::Suorita(MainButton command)
{
    switch (command) {
    case MainButton::Calculate:
        return calculate();
    case MainButton::Reset:
        return m_rows.reset();
    case MainButton::Help:
        return m_windows->showHelp(m_buttons->caption(int(MainButton::Help)));
    }
}

void Tankeli::calculate()
{
    const Done done = calculateFields();
    if (!done)
        Messages::current().inform(this, done.error(), programTitle(), Messages::Icon::None);
}

Done Tankeli::calculateFields()
{
    const Outcome<TripTexts> result = calculateTrip(m_rows.texts(), m_calibration.forCalculation());
    if (!result)
        return Done::failure(result.error());
    m_rows.showAll(*result);
    m_vehicles->rememberConsumption((*result)[Consumption]);
    return {};
}

RecordValues Tankeli::recordValues() const
{
    return m_rows.recordValues();
}

void Tankeli::setRecordValues(const RecordValues &values)
{
    m_rows.setRecordValues(values);
}

void Tankeli::useConsumption(const QString &consumption)
{
    m_rows.show(Consumption, consumption);
    // The results follow the new consumption at once. Where the calculation cannot run
    // yet (most often no distance is typed), the user is about to type one: no message
    // now, and L then tells whatever is still missing.
    (void)calculateFields();
    raise();
    activateWindow();
    m_rows.field(Distance).setFocus(Qt::OtherFocusReason); // which selects its number
}

void Tankeli::Kasittele_Nappain(int key)
{
    if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_L)
        Suorita(MainButton::Calculate);
    else if (key == Qt::Key_N)
        Suorita(MainButton::Reset);
    else if (key == Qt::Key_O)
        Suorita(MainButton::Help);
}

bool Tankeli::handleFieldKey(QLineEdit *field, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (QLineEdit *next = m_rows.nextOnEnter(field))
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    Kasittele_Nappain(key);
    // The command letters and Escape are consumed, and so is every letter typed with
    // Alt: a letter in the field would make the next calculation fail.
    const bool altLetter = (event->modifiers() & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z;
    return altLetter || key == Qt::Key_L || key == Qt::Key_N || key == Qt::Key_O
        || key == Qt::Key_Escape;
}

bool Tankeli::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::ShortcutOverride) {
        // The menu shortcuts (Ctrl+A and the rest) go to the menu, not to the field.
        if (static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier) {
            event->ignore();
            return true;
        }
    } else if (field && event->type() == QEvent::KeyPress) {
        return handleFieldKey(field, static_cast<QKeyEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Tankeli::event(QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize)
        m_sizing.update(menuBar()->height());
    return QMainWindow::event(event);
}

void Tankeli::closeEvent(QCloseEvent *event)
{
    // Ended from outside, the question answers itself and the half-typed rows go.
    if (m_loaded && !m_stopped && !m_windows->mayCloseFillUps()) {
        event->ignore();
        return;
    }
    bool written = true;
    if (m_loaded)
        written = Form_Unload();
    event->accept();
    const bool failed = m_stopped || (m_unattendedClose && !written);
    emit closed(failed ? EXIT_FAILURE : EXIT_SUCCESS);
}

bool Tankeli::Form_Unload()
{
    const Done written = saveSettings();
    if (m_unattendedClose)
        *m_unattendedClose = written;
    else if (!written)
        Messages::current().inform(this, written.error(), programTitle(), Messages::Icon::Critical);
    return written.ok();
}

void Tankeli::stopForFault(const QString &why)
{
    if (m_stopped)
        return;
    m_stopped = true;
    Messages::current().inform(this, why, programTitle(), Messages::Icon::Critical);
    close();
}

Done Tankeli::saveSettings()
{
    if (!m_loaded)
        return {};
    const Settings settings = currentSettings();
    // Where the windows are is no setting the user made: a place that cannot be written
    // costs only the windows' opening at their designed places next time.
    (void)m_places.save();
    return m_settingsFile.write(settings);
}

Done Tankeli::closeUnattended()
{
    // A question open now answers Ending, and work in progress stops between its steps.
    Messages::setEndRequested(true);
    Done outcome;
    m_unattendedClose = &outcome;
    close();
    m_unattendedClose = nullptr;
    return outcome;
}

} // namespace tankeli
