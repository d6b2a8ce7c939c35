#include "Tankeli.h"

#include "AboutText.h"
#include "MainLayout.h"
#include "SecondaryWindows.h"
#include "base/Muuttujat.h"
#include "calculator/TripQuantities.h"
#include "look/AppIcon.h"
#include "look/FieldAccessible.h"
#include "look/Fonts.h"
#include "look/GradientBackground.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"
#include "look/SelectOnFocus.h"
#include "records/RecordStore.h"
#include "summary/SpreadsheetCommands.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <cstdlib>

namespace tankeli {
namespace {
// Enter walks the first five rows in a ring; the month and year rows move no focus.
constexpr int enterRingLength = 5;

// A text written into a field by the program shows its beginning, as a text box does.
void showText(QLineEdit *field, const QString &text)
{
    field->setText(text);
    field->setCursorPosition(0);
}

// A menu command's caption as the program uses it (a window's title), without the mark
// of the letter that chooses it in the menu.
QString captionOf(const QAction *command)
{
    return QString(command->text()).remove(QLatin1Char('&'));
}
} // namespace

Tankeli::Tankeli(ProgramFolders folders, QWidget *parent)
    : QMainWindow(parent)
    , m_folders(std::move(folders))
    , m_client(new GradientBackground(this))
    , m_sizing(*this, MainLayout::designedClient, MainLayout::minimumOuterTwips,
               MainLayout::contentMinimum())
    , m_settingsFile(m_folders.settingsFile())
    , m_places(WindowPlacesFile(m_folders.windowPlacesFile(), m_folders.dataScratchFolder()))
{
    installFieldAccessibility();
    setCentralWidget(m_client);
    setWindowIcon(programIcon());
    m_client->installEventFilter(this);
    m_title = makeLabel(m_client, MainLayout::titleSize, Qt::AlignCenter);
    m_title->setWordWrap(true);
    createRows();
    createMenus();
    m_windows = new SecondaryWindows(m_folders, *this, *m_fields[0], *this, m_calibration, m_places);
    connect(m_windows, &SecondaryWindows::cannotGoOn, this, &Tankeli::stopForFault);
    connect(m_windows, &SecondaryWindows::calibrationCommitted, this,
            [this] { m_calibrate->setChecked(m_calibration.Kalibrointi_Kaytossa()); });
    m_sizing.open(menuBar()->sizeHint().height());
}

Tankeli::~Tankeli() = default;

void Tankeli::createRows()
{
    for (int row = 0; row < tripRowCount; ++row) {
        const TripQuantity &q = tripRows()[row];
        auto *field = new QLineEdit(QStringLiteral("0"), m_client);
        field->setFont(labelFont());
        field->resize(MainLayout::fieldSize.toSize());
        // No longer than a record's line, so that every trip saved can be opened again.
        field->setMaxLength(int(RecordStore::maxLineBytes));
        field->setObjectName(QStringLiteral("row%1").arg(row));
        field->setAccessibleName(q.caption);
        field->setAccessibleDescription(q.unit);
        field->installEventFilter(this);
        selectTextOnFocus(*field);
        m_fields[row] = field;
        m_captions[row] = makeLabel(m_client, MainLayout::captionSize,
                                    Qt::AlignRight | Qt::AlignVCenter, q.caption);
        m_captions[row]->setBuddy(field);
        m_units[row] = makeLabel(m_client, MainLayout::unitSize, Qt::AlignLeft | Qt::AlignVCenter, q.unit);
    }
    m_fields[0]->setText(QStringLiteral("1,3"));
    for (int row = 1; row < tripRowCount; ++row)
        setTabOrder(m_fields[row - 1], m_fields[row]);
}

QAction *Tankeli::addCommand(QMenu *menu, const char *name, const QString &caption, QKeySequence keys)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    return action;
}

void Tankeli::createMenus()
{
    // Each menu and command has a letter of its own, underlined: Alt and the menu's letter
    // open it, the command's letter then chooses it.
    using K = QKeySequence;
    QMenu *files = menuBar()->addMenu(QStringLiteral("&Tiedosto"));
    QAction *open = addCommand(files, "Menu_Avaa", QStringLiteral("&Avaa"), K(Qt::CTRL | Qt::Key_A));
    QAction *save = addCommand(files, "Menu_Tallenna", QStringLiteral("&Tallenna"), K(Qt::CTRL | Qt::Key_T));
    files->addSeparator();
    QAction *exportTrips = addCommand(files, "Menu_Vie", QStringLiteral("&Vie taulukkoon…"), K());
    QAction *importTrips = addCommand(files, "Menu_Tuo", QStringLiteral("Tu&o taulukosta…"), K());
    files->addSeparator();
    QAction *quit = addCommand(files, "Menu_Lopeta", QStringLiteral("&Lopeta"), K(Qt::CTRL | Qt::Key_L));
    QMenu *settings = menuBar()->addMenu(QStringLiteral("&Asetukset"));
    m_calibrate = addCommand(settings, "Menu_Kalibroi", QStringLiteral("&Kalibrointi"), K(Qt::CTRL | Qt::Key_K));
    m_timeView = addCommand(settings, "Menu_Aika", QStringLiteral("&Aikanäkymä"), K());
    QAction *stat = addCommand(settings, "Menu_Stat", QStringLiteral("&Statistiikka"), K(Qt::CTRL | Qt::Key_S));
    QAction *summary = addCommand(settings, "Menu_Yhteenveto", QStringLiteral("&Yhteenveto"), K(Qt::CTRL | Qt::Key_Y));
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Ohje"));
    QAction *instructions = addCommand(help, "Menu_Ohjeita", QStringLiteral("&Ohjeita"), K(Qt::CTRL | Qt::Key_O));
    QAction *about = addCommand(help, "Menu_Tietoja", QStringLiteral("&Tietoja"), K());
    // F10 opens the menu bar from anywhere in the window, as on other desktops.
    auto *menuKey = new QAction(this);
    menuKey->setShortcut(K(Qt::Key_F10));
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, &Tankeli::openMenuBar);

    m_calibrate->setCheckable(true);
    m_timeView->setCheckable(true);
    // The check mark of "Kalibrointi" shows the calibration state; choosing the command
    // opens the calibration window and does not toggle it.
    connect(m_calibrate, &QAction::triggered, this, [this] {
        m_calibrate->setChecked(m_calibration.Kalibrointi_Kaytossa());
        m_windows->showCalibration();
    });
    connect(m_timeView, &QAction::triggered, this, &Tankeli::applyTimeView);
    connect(open, &QAction::triggered, this, [this, open] { m_windows->showFiles(FileMode::Open, captionOf(open)); });
    connect(save, &QAction::triggered, this, [this, save] { m_windows->showFiles(FileMode::Save, captionOf(save)); });
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(stat, &QAction::triggered, this, [this, stat] { m_windows->showStatistics(captionOf(stat)); });
    connect(summary, &QAction::triggered, this, [this] { m_windows->showSummary(); });
    connect(exportTrips, &QAction::triggered, this, [this] { exportTripsToSpreadsheet(this, m_folders); });
    connect(importTrips, &QAction::triggered, this, [this] { importTripsFromSpreadsheet(this, m_folders); });
    connect(instructions, &QAction::triggered, this, [this] { Suorita(2); });
    connect(about, &QAction::triggered, this, [this, about] {
        Messages::current().inform(this, aboutText(m_folders.recordFolder()), captionOf(about), Messages::Icon::Information);
    });
}

// The first menu opens with its first command lit; the arrow keys walk on from there.
void Tankeli::openMenuBar()
{
    QAction *first = menuBar()->actions().value(0);
    if (!first)
        return;
    menuBar()->setActiveAction(first);
    if (QMenu *menu = first->menu())
        menu->setActiveAction(menu->actions().value(0));
}

Done Tankeli::Form_Load()
{
    const Outcome<ButtonPictures> pictures = ButtonPictures::load(m_folders);
    if (!pictures)
        return Done::failure(pictures.error());
    m_buttons = new PictureButtons(m_client, *pictures,
                                   {QStringLiteral("Laske"), QStringLiteral("Nollaa"), QStringLiteral("Ohjeita")});
    connect(m_buttons, &PictureButtons::clicked, this, &Tankeli::Suorita);
    for (const auto &[button, key] : {std::pair{0, "L"}, {1, "N"}, {2, "O"}})
        m_buttons->Nappi(button)->setKeyName(QString::fromLatin1(key));
    connect(m_client, &GradientBackground::backgroundMouseMoved, m_buttons, &PictureButtons::showAllNormal);

    using namespace Muuttujat;
    setWindowTitle(Ohjelman_Nimi + QStringLiteral(" v") + Versio + QStringLiteral(" - ") + Yritys
                   + QLatin1Char(' ') + QString::number(Vuosi));
    m_title->setText(QStringLiteral("Tankelilla voit laskea autosi kulutusta matkojen "
                                    "pituuksilta esimerkiksi hinnan tai litrojen suhteen."));
    for (int row = 0; row < tripRowCount; ++row)
        m_fields[row]->setToolTip(tripRows()[row].tooltip);

    const Outcome<Settings> read = m_settingsFile.read();
    if (!read)
        return Done::failure(read.error());
    showText(m_fields[0], read->price);
    m_calibration = CalibrationState::fromSettings(read->displayReading, read->meterReading,
                                                   read->calibrationInUse);
    m_timeView->setChecked(read->timeView);
    m_calibrate->setChecked(m_calibration.Kalibrointi_Kaytossa());
    applyTimeView();
    m_loaded = true;
    Form_Resize();
    m_places.attach(*this, QStringLiteral("Tankeli"));
    return {};
}

void Tankeli::applyTimeView()
{
    for (int row : {5, 6}) {
        m_fields[row]->setVisible(m_timeView->isChecked());
        m_captions[row]->setVisible(m_timeView->isChecked());
        m_units[row]->setVisible(m_timeView->isChecked());
    }
}

void Tankeli::Form_Resize()
{
    const MainLayout l = layoutMainWindow(m_client->width(), m_client->height());
    for (int row = 0; row < tripRowCount; ++row) {
        m_fields[row]->move(l.fields[row].toPoint());
        m_captions[row]->move(l.captions[row].toPoint());
        m_units[row]->move(l.units[row].toPoint());
    }
    m_title->move(l.title.toPoint());
    if (m_buttons)
        for (int k = 0; k < 3; ++k)
            m_buttons->place(k, l.buttons[k]);
}

void Tankeli::Suorita(int index)
{
    if (index == 0)
        calculate();
    else if (index == 1)
        reset();
    else if (index == 2)
        m_windows->showHelp(m_buttons->caption(2));
}

void Tankeli::calculate()
{
    const Done done = calculateFields();
    if (!done)
        Messages::current().inform(this, done.error(), programTitle(), Messages::Icon::None);
}

Done Tankeli::calculateFields()
{
    TripTexts texts;
    for (int row = 0; row < tripRowCount; ++row)
        texts[tripRows()[row].field] = m_fields[row]->text();
    const Outcome<TripTexts> result = calculateTrip(texts, m_calibration.forCalculation());
    if (!result)
        return Done::failure(result.error());
    for (int row = 0; row < tripRowCount; ++row)
        showText(m_fields[row], (*result)[tripRows()[row].field]);
    return {};
}

void Tankeli::reset()
{
    for (int row = 1; row < tripRowCount; ++row)
        showText(m_fields[row], QStringLiteral("0"));
}

RecordValues Tankeli::recordValues() const
{
    RecordValues values;
    for (int row = 0; row < tripRowCount; ++row)
        if (tripRows()[row].recordLine >= 0)
            values[tripRows()[row].recordLine] = m_fields[row]->text();
    return values;
}

void Tankeli::setRecordValues(const RecordValues &values)
{
    for (int row = 0; row < tripRowCount; ++row)
        if (tripRows()[row].recordLine >= 0)
            showText(m_fields[row], values[tripRows()[row].recordLine]);
}

void Tankeli::useConsumption(const QString &consumption)
{
    showText(m_fields[1], consumption);
    // The results follow the new consumption at once. Where the calculation cannot run
    // yet (most often no distance is typed), the user is about to type one: no message
    // now, and L then tells whatever is still missing.
    (void)calculateFields();
    raise();
    activateWindow();
    m_fields[2]->setFocus(Qt::OtherFocusReason); // which selects its number
}

void Tankeli::Kasittele_Nappain(int key)
{
    if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_L)
        Suorita(0);
    else if (key == Qt::Key_N)
        Suorita(1);
    else if (key == Qt::Key_O)
        Suorita(2);
}

bool Tankeli::handleFieldKey(QLineEdit *field, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int row = int(std::find(m_fields.begin(), m_fields.end(), field) - m_fields.begin());
        if (row < enterRingLength)
            m_fields[(row + 1) % enterRingLength]->setFocus(Qt::TabFocusReason);
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
    const Settings settings{m_fields[0]->text(), m_calibration.displaySetting(),
                            m_calibration.meterSetting(), m_calibration.Kalibrointi_Kaytossa(),
                            m_timeView->isChecked()};
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
