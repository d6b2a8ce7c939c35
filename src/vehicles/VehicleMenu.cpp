#include "VehicleMenu.h"

#include "ComparisonWindow.h"
#include "VehicleDialog.h"
#include "base/FailureText.h"
#include "look/Messages.h"
#include "look/WindowMemory.h"
#include "records/RecordStore.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace tankeli {
namespace {
constexpr int vehiclesWithKeys = 9;

const QString firstStaysReason =
    QStringLiteral("Ensimmäistä ajoneuvoa ei voi poistaa: sen tiedostot ovat ohjelman omat.");

// A vehicle's name as a menu item shows it: an & in the name is no mnemonic.
QString itemText(const QString &name)
{
    return QString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
} // namespace

VehicleMenu::VehicleMenu(QMenu &menu, QWidget &mainWindow, VehicleHost &host, const ProgramFolders &home,
                         WindowMemory &places)
    : QObject(&mainWindow)
    , m_menu(menu)
    , m_main(mainWindow)
    , m_host(host)
    , m_home(home)
    , m_places(places)
    , m_garage(home)
{
    m_menu.setToolTipsVisible(true);
    rebuild();
}

VehicleMenu::~VehicleMenu() = default;

Outcome<QStringList> VehicleMenu::load()
{
    const QStringList problems = m_garage.load();
    rebuild();
    const Done used = useChosen();
    if (!used)
        return Outcome<QStringList>::failure(used.error());
    return problems;
}

void VehicleMenu::rebuild()
{
    // The item chosen may be the one running this: the old items go once it has returned.
    for (QAction *old : m_menu.actions()) {
        m_menu.removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    if (m_group)
        m_group->deleteLater();
    auto *group = new QActionGroup(&m_menu);
    m_group = group;
    for (int index = 0; index < m_garage.count(); ++index) {
        QAction *item = m_menu.addAction(itemText(m_garage.info(index).name));
        item->setObjectName(QStringLiteral("Ajoneuvo_%1").arg(index + 1));
        item->setCheckable(true);
        item->setChecked(index == m_garage.current());
        item->setActionGroup(group);
        if (index < vehiclesWithKeys)
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + index)));
        connect(item, &QAction::triggered, this, [this, index] { choose(index); });
    }
    m_menu.addSeparator();
    const auto command = [this](const char *name, const QString &caption, void (VehicleMenu::*run)()) {
        QAction *item = m_menu.addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, run);
        return item;
    };
    command("Menu_Uusi_Ajoneuvo", QStringLiteral("&Uusi ajoneuvo…"), &VehicleMenu::addVehicle);
    command("Menu_Muokkaa_Ajoneuvoa", QStringLiteral("&Muokkaa ajoneuvoa…"), &VehicleMenu::editVehicle);
    QAction *remove = command("Menu_Poista_Ajoneuvo", QStringLiteral("&Poista ajoneuvo…"), &VehicleMenu::removeVehicle);
    const bool first = m_garage.current() == 0;
    remove->setEnabled(!first);
    remove->setToolTip(first ? firstStaysReason : QString());
    m_menu.addSeparator();
    command("Menu_Vertaa", QStringLiteral("&Vertaa ajoneuvoja…"), &VehicleMenu::compare);
    m_menu.addSeparator();
    for (const auto &[name, caption, fillUps] :
         {std::tuple{"Menu_Tankkaukset", "Tan&kkaukset…", FillUpCommand::Show},
          {"Menu_Tuo_Tankkaukset", "Tuo ta&nkkaukset…", FillUpCommand::Import},
          {"Menu_Vie_Tankkaukset", "V&ie tankkaukset…", FillUpCommand::Export}}) {
        QAction *item = m_menu.addAction(QString::fromUtf8(caption));
        item->setObjectName(QString::fromLatin1(name));
        // Ctrl+G is free: the program has A, K, L, O, S, T and Y, the fields C, V, X and Z.
        if (fillUps == FillUpCommand::Show)
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
        connect(item, &QAction::triggered, this, [this, run = fillUps] { emit fillUpCommand(run); });
    }
}

Done VehicleMenu::useChosen()
{
    const int chosen = m_garage.current();
    return m_host.useVehicle(m_garage.folders(chosen), m_garage.info(chosen), m_garage.count());
}

void VehicleMenu::inform(const QString &text)
{
    Messages::current().inform(&m_main, text, programTitle(), Messages::Icon::Critical);
}

void VehicleMenu::choose(int index)
{
    const int before = m_garage.current();
    if (index == before || index < 0 || index >= m_garage.count() || !m_host.mayLeaveVehicle())
        return rebuild();
    // The settings typed for this vehicle go with it, before another's are shown.
    if (const Done saved = m_host.saveVehicleSettings(); !saved) {
        inform(saved.error());
        return rebuild();
    }
    const Done remembered = m_garage.choose(index);
    if (const Done used = useChosen(); !used) {
        inform(used.error());
        (void)m_garage.choose(before);
        (void)useChosen();
    } else if (!remembered) {
        inform(remembered.error());
    }
    rebuild();
}

void VehicleMenu::addVehicle()
{
    auto *dialog = new VehicleDialog(&m_main, QString(), Energy::Petrol,
                                     [this](const QString &name) { return m_garage.nameProblem(name); });
    connect(dialog, &VehicleDialog::chosen, this, [this](const QString &name, Energy energy) {
        // A new vehicle starts with no price and no calibration, in the view the user has now.
        const Settings starting{QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("100"), false,
                                m_host.currentSettings().timeView};
        const Outcome<int> added = m_garage.add({name, energy, {}}, starting);
        if (!added)
            return inform(added.error());
        choose(*added);
    });
    connect(dialog, &QDialog::finished, &m_main, [this] { m_main.activateWindow(); });
    dialog->open();
}

void VehicleMenu::editVehicle()
{
    const int chosen = m_garage.current();
    const VehicleInfo info = m_garage.info(chosen);
    auto *dialog = new VehicleDialog(&m_main, info.name, info.energy,
                                     [this, chosen](const QString &name) { return m_garage.nameProblem(name, chosen); });
    connect(dialog, &VehicleDialog::chosen, this, [this, chosen, info](const QString &name, Energy energy) {
        // The folder moves with the name: the settings typed so far go with it.
        if ((name != info.name || energy != info.energy) && !m_host.mayLeaveVehicle())
            return;
        if (const Done saved = m_host.saveVehicleSettings(); !saved)
            return inform(saved.error());
        if (const Done edited = m_garage.edit(chosen, name, energy); !edited)
            inform(edited.error());
        if (const Done used = useChosen(); !used)
            inform(used.error());
        rebuild();
    });
    connect(dialog, &QDialog::finished, &m_main, [this] { m_main.activateWindow(); });
    dialog->open();
}

void VehicleMenu::removeVehicle()
{
    const int chosen = m_garage.current();
    if (chosen == 0)
        return inform(firstStaysReason);
    const QString name = m_garage.info(chosen).name;
    const Outcome<QList<RecordEntry>> listed = RecordStore(m_garage.folders(chosen).recordFolder()).list();
    const qsizetype trips = listed ? listed->size() : 0;
    const QString question =
        QStringLiteral("Poistetaanko ajoneuvo %1 ja sen %2 matkaa? Ajoneuvon kansio siirretään roskakoriin, "
                       "josta sen voi palauttaa.")
            .arg(elideMiddle(name))
            .arg(trips);
    QuestionButtons buttons;
    buttons.byDefault = Answer::No;
    if (Messages::current().ask(&m_main, question, QStringLiteral("Poista ajoneuvo"), buttons) != Answer::Yes
        || !m_host.mayLeaveVehicle())
        return;
    // Its settings as typed go into the trash with it.
    (void)m_host.saveVehicleSettings();
    if (const Done removed = m_garage.remove(chosen); !removed)
        inform(removed.error());
    if (const Done used = useChosen(); !used)
        inform(used.error());
    rebuild();
}

void VehicleMenu::compare()
{
    if (!m_comparison) {
        auto *window = new ComparisonWindow(m_home, &m_main, [this] {
            return compareVehicles(m_garage, m_host.distanceText(), m_host.currentSettings());
        });
        if (const Done loaded = window->Form_Load(); !loaded) {
            delete window;
            return inform(loaded.error());
        }
        connect(window, &SecondaryWindow::left, &m_main, [this] { m_main.activateWindow(); });
        m_places.attach(*window, QStringLiteral("Vertailu"));
        m_comparison = window;
    }
    m_comparison->refresh();
    m_comparison->showInFront();
}

void VehicleMenu::rememberConsumption(const QString &consumption)
{
    // What the comparison falls back on; no setting the user made, so a failure costs only that.
    (void)m_garage.rememberConsumption(m_garage.current(), consumption);
}

} // namespace tankeli
