#include "Tankeli.h"

#include "AboutText.h"
#include "MainLayout.h"
#include "SettingsFile.h"
#include "app/Muuttujat.h"
#include "calibration/Kalibroi.h"
#include "calculator/TripCalculation.h"
#include "help/Help.h"
#include "look/Fonts.h"
#include "look/GradientBackground.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/WindowGeometry.h"
#include "records/Tiedosto.h"
#include "statistics/Stat.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace tankeli {
namespace {

struct RowText
{
    const char16_t *caption, *unit, *tooltip;
    TripField field;
};

const std::array<RowText, Tankeli::rowCount> rows{{
    {u"Bensanhinta", u"€ / Litra",
     u"Aseta tähän paikallisen huoltoaseman bensan hinta euroissa", Price},
    {u"Bensankulutus", u"Litraa / 100 Km",
     u"Paljonko auto kuluttaa 100 km:n matkalla polttoainetta", Consumption},
    {u"Matka", u"Kilometriä", u"Kuinka monta kilometriä voidaan ajaa tai on ajettu", Distance},
    {u"Kokonaiskulutus", u"Litraa / matka", u"Paljonko polttoainetta kuluu ajetussa matkassa",
     Litres},
    {u"Yhteishinta", u"€ / Matka", u"Ajetun matkan hinta", TripPrice},
    {u"Kuukausihinta", u"€ / KK",
     u"Jos ajo on jokapäiväistä, paljonko kuluu rahaa kuukaudessa", MonthPrice},
    {u"Vuosihinta", u"€ / Vuosi", u"Jos ajo on jokapäiväistä, paljonko kuluu rahaa vuodessa",
     YearPrice},
}};

// Enter walks these rows in a ring; the month and year rows move no focus.
constexpr int enterRingLength = 5;
constexpr std::array<int, enterRingLength> enterRing{0, 1, 2, 3, 4};

} // namespace

Tankeli::Tankeli(ProgramFolders folders, QWidget *parent)
    : QMainWindow(parent)
    , m_folders(std::move(folders))
    , m_client(new GradientBackground(this))
{
    setCentralWidget(m_client);
    m_client->installEventFilter(this);
    m_title = makeLabel(m_client, MainLayout::titleSize, Qt::AlignCenter);
    m_title->setWordWrap(true);
    createRows();
    createMenus();
    connect(m_client, &GradientBackground::backgroundMouseMoved, this, [this] {
        if (m_buttons)
            m_buttons->showAllNormal();
    });
    setMinimumSize(minimumInnerSize(MainLayout::minimumOuterWidthTwips,
                                    MainLayout::minimumOuterHeightTwips));
    resize(MainLayout::designedClient.width(),
           MainLayout::designedClient.height() + menuBar()->sizeHint().height());
}

Tankeli::~Tankeli() = default;

Help *Tankeli::helpWindow() const
{
    return m_help;
}

Tiedosto *Tankeli::existingFileWindow() const
{
    return m_files;
}

Tiedosto *Tankeli::fileWindow()
{
    return ensureWindow(m_files);
}

Kalibroi *Tankeli::calibrationWindow() const
{
    return m_calibration;
}

Stat *Tankeli::statWindow() const
{
    return m_stat;
}

// Creates a secondary window, hidden, unless it exists; returns the load's error.
template <typename Window>
QString Tankeli::createWindow(QPointer<Window> &holder)
{
    if (holder)
        return {};
    auto *window = new Window(m_folders, this);
    const QString error = window->Form_Load();
    if (!error.isEmpty()) {
        delete window;
        return error;
    }
    holder = window;
    return {};
}

// A window that cannot load on first use (a picture is missing) ends the program, as a
// fault in the program's own files does at start-up.
template <typename Window>
Window *Tankeli::ensureWindow(QPointer<Window> &holder)
{
    const QString error = createWindow(holder);
    if (!error.isEmpty()) {
        Messages::current().inform(this, error, programTitle(), Messages::Icon::Critical);
        QCoreApplication::exit(1);
    }
    return holder;
}

// Record line order: price, consumption, distance, trip price, litres.
static constexpr std::array<int, RecordLineCount> recordRows{0, 1, 2, 4, 3};

RecordValues Tankeli::recordFields() const
{
    RecordValues values;
    for (int i = 0; i < RecordLineCount; ++i)
        values[i] = m_fields[recordRows[i]]->text();
    return values;
}

void Tankeli::setRecordFields(const RecordValues &values)
{
    for (int i = 0; i < RecordLineCount; ++i)
        m_fields[recordRows[i]]->setText(values[i]);
}

void Tankeli::openFileWindow(QAction *command)
{
    Tiedosto *files = fileWindow();
    if (!files)
        return;
    files->setWindowTitle(command->text());
    files->showInFront();
    files->buttons()->setCaption(0, command->text());
    if (command == Menu_Tallenna)
        files->Hae_Tiedostonimi();
}

void Tankeli::createRows()
{
    for (int row = 0; row < rowCount; ++row) {
        auto *field = new QLineEdit(QStringLiteral("0"), m_client);
        field->setFont(labelFont());
        field->resize(MainLayout::fieldSize.toSize());
        field->setAccessibleName(QString::fromUtf16(rows[row].caption));
        field->installEventFilter(this);
        m_fields[row] = field;
        m_captions[row] = makeLabel(m_client, MainLayout::captionSize,
                                    Qt::AlignRight | Qt::AlignVCenter);
        m_captions[row]->setText(QString::fromUtf16(rows[row].caption));
        m_captions[row]->setBuddy(field);
        m_units[row] = makeLabel(m_client, MainLayout::unitSize, Qt::AlignLeft | Qt::AlignVCenter);
        m_units[row]->setText(QString::fromUtf16(rows[row].unit));
    }
    m_fields[0]->setText(QStringLiteral("1,3"));
    for (int row = 1; row < rowCount; ++row)
        setTabOrder(m_fields[row - 1], m_fields[row]);
}

void Tankeli::createMenus()
{
    const auto add = [this](QMenu *menu, const QString &caption, const QKeySequence &keys) {
        QAction *action = menu->addAction(caption);
        action->setShortcut(keys);
        return action;
    };
    QMenu *tiedosto = menuBar()->addMenu(QStringLiteral("Tiedosto"));
    Menu_Avaa = add(tiedosto, QStringLiteral("Avaa"), QKeySequence(Qt::CTRL | Qt::Key_A));
    Menu_Tallenna = add(tiedosto, QStringLiteral("Tallenna"), QKeySequence(Qt::CTRL | Qt::Key_T));
    Menu_Lopeta = add(tiedosto, QStringLiteral("Lopeta"), QKeySequence(Qt::CTRL | Qt::Key_L));
    QMenu *asetukset = menuBar()->addMenu(QStringLiteral("Asetukset"));
    Menu_Kalibroi = add(asetukset, QStringLiteral("Kalibrointi"), QKeySequence(Qt::CTRL | Qt::Key_K));
    Menu_Aika = add(asetukset, QStringLiteral("Aikanäkymä"), QKeySequence());
    Menu_Stat = add(asetukset, QStringLiteral("Statistiikka"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu *ohje = menuBar()->addMenu(QStringLiteral("Ohje"));
    Menu_Ohjeita = add(ohje, QStringLiteral("Ohjeita"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Menu_Tietoja = add(ohje, QStringLiteral("Tietoja"), QKeySequence());

    Menu_Kalibroi->setCheckable(true);
    Menu_Aika->setCheckable(true);
    // The check mark of "Kalibrointi" shows the calibration state; choosing the command
    // opens the calibration window and does not toggle it.
    connect(Menu_Kalibroi, &QAction::triggered, this, [this] {
        Menu_Kalibroi->setChecked(Kalibrointi_Kaytossa);
        showCalibration();
    });
    // The action toggles its own check mark; the rows follow it.
    connect(Menu_Aika, &QAction::triggered, this, [this] { applyTimeView(); });
    connect(Menu_Avaa, &QAction::triggered, this, [this] { openFileWindow(Menu_Avaa); });
    connect(Menu_Tallenna, &QAction::triggered, this, [this] { openFileWindow(Menu_Tallenna); });
    connect(Menu_Lopeta, &QAction::triggered, this, &QWidget::close);
    connect(Menu_Stat, &QAction::triggered, this, [this] { showStatistics(); });
    connect(Menu_Ohjeita, &QAction::triggered, this, [this] { Suorita(2); });
    connect(Menu_Tietoja, &QAction::triggered, this, [this] { Menu_Tietoja_Click(); });
}

QString Tankeli::Form_Load()
{
    const QString pictureError = m_pictures.load(m_folders);
    if (!pictureError.isEmpty())
        return pictureError;
    m_buttons = new PictureButtons(m_client, m_pictures, 3);
    connect(m_buttons, &PictureButtons::clicked, this, &Tankeli::Suorita);

    using namespace Muuttujat;
    setWindowTitle(Ohjelman_Nimi + QStringLiteral(" v") + Versio + QStringLiteral(" - ") + Yritys
                   + QLatin1Char(' ') + QString::number(Vuosi));
    m_title->setText(QStringLiteral("Tankelilla voit laskea autosi kulutusta matkojen "
                                    "pituuksilta esimerkiksi hinnan tai litrojen suhteen."));
    m_client->update();
    m_buttons->setCaption(0, QStringLiteral("Laske"));
    m_buttons->setCaption(1, QStringLiteral("Nollaa"));
    m_buttons->setCaption(2, QStringLiteral("Ohjeita"));
    for (int row = 0; row < rowCount; ++row)
        m_fields[row]->setToolTip(QString::fromUtf16(rows[row].tooltip));

    const SettingsRead read = SettingsFile(m_folders.settingsFile()).read();
    if (!read.settings)
        return read.error;
    m_fields[0]->setText(read.settings->price);
    // Writing the readings into the (hidden) calibration window computes the margin.
    if (const QString error = createWindow(m_calibration); !error.isEmpty())
        return error;
    m_calibration->txt_Taulu()->setText(read.settings->displayReading);
    m_calibration->txt_Mittari()->setText(read.settings->meterReading);
    Kalibrointi_Kaytossa = read.settings->calibrationInUse;
    Menu_Aika->setChecked(read.settings->timeView);

    Menu_Kalibroi->setChecked(Kalibrointi_Kaytossa);
    m_calibration->showChoice(Kalibrointi_Kaytossa);
    applyTimeView();
    m_loaded = true;
    Form_Resize();
    return {};
}

void Tankeli::applyTimeView()
{
    const bool visible = Menu_Aika->isChecked();
    for (int row : {5, 6}) {
        m_fields[row]->setVisible(visible);
        m_captions[row]->setVisible(visible);
        m_units[row]->setVisible(visible);
    }
}

void Tankeli::Menu_Tietoja_Click()
{
    Messages::current().inform(this, aboutText(), Menu_Tietoja->text(),
                               Messages::Icon::Information);
}

void Tankeli::Form_Resize()
{
    const MainLayout l = layoutMainWindow(m_client->width(), m_client->height());
    for (int row = 0; row < rowCount; ++row) {
        m_fields[row]->move(l.fields[row].toPoint());
        m_captions[row]->move(l.captions[row].toPoint());
        m_units[row]->move(l.units[row].toPoint());
    }
    m_title->move(l.title.toPoint());
    if (m_buttons)
        for (int k = 0; k < 3; ++k)
            m_buttons->place(k, l.buttons[k], l.buttonCaptions[k]);
}

void Tankeli::Suorita(int index)
{
    if (index == 0)
        calculate();
    else if (index == 1)
        reset();
    else if (index == 2)
        showHelp();
}

void Tankeli::calculate()
{
    TripTexts texts;
    for (int row = 0; row < rowCount; ++row)
        texts[rows[row].field] = m_fields[row]->text();
    const TripResult result = calculateTrip(texts, {Kalibrointi_Kaytossa, Virhemarginaali});
    if (!result.texts) {
        Messages::current().inform(this, result.failure, programTitle(), Messages::Icon::None);
        return;
    }
    for (int row = 0; row < rowCount; ++row)
        m_fields[row]->setText((*result.texts)[rows[row].field]);
}

void Tankeli::reset()
{
    for (int row = 1; row < rowCount; ++row)
        m_fields[row]->setText(QStringLiteral("0"));
}

void Tankeli::showHelp()
{
    if (!ensureWindow(m_help))
        return;
    m_help->setWindowTitle(m_buttons->Nappi_Txt(2)->text());
    m_help->showInFront();
}

void Tankeli::showCalibration()
{
    if (!ensureWindow(m_calibration))
        return;
    m_calibration->showInFront();
}

void Tankeli::showStatistics()
{
    if (!ensureWindow(m_stat))
        return;
    m_stat->setWindowTitle(Menu_Stat->text());
    m_stat->showInFront();
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
            m_fields[enterRing[(row + 1) % enterRingLength]]->setFocus(Qt::TabFocusReason);
        return true;
    }
    Kasittele_Nappain(key);
    // The command letters and Escape are consumed: a letter typed into the field
    // would make the next calculation fail.
    return key == Qt::Key_L || key == Qt::Key_N || key == Qt::Key_O || key == Qt::Key_Escape;
}

bool Tankeli::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The menu shortcuts (Ctrl+A and the rest) go to the menu, not to the field.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            event->ignore();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        return handleFieldKey(field, static_cast<QKeyEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tankeli::closeEvent(QCloseEvent *event)
{
    if (m_loaded)
        Form_Unload();
    event->accept();
    QCoreApplication::quit();
}

void Tankeli::Form_Unload()
{
    // A closed calibration window would load again holding the committed readings, so
    // those are what its fields would give.
    const QString display = m_calibration ? m_calibration->txt_Taulu()->text()
                                          : QString::number(Taulun_Lukema);
    const QString meter = m_calibration ? m_calibration->txt_Mittari()->text()
                                        : QString::number(Mittarin_Lukema);
    const Settings settings{m_fields[0]->text(), display, meter, Kalibrointi_Kaytossa,
                            Menu_Aika->isChecked()};
    const QString error = SettingsFile(m_folders.settingsFile()).write(settings);
    if (!error.isEmpty())
        Messages::current().inform(this, error, programTitle(), Messages::Icon::Critical);
}

} // namespace tankeli
