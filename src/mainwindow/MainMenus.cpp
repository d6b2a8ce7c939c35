#include "MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tankeli {
namespace {

enum class Menu { Files, Settings, Help };

struct MenuEntry
{
    Menu menu;
    MainCommand command;
    const char *objectName;
    const char *caption; // the letter that chooses it after &
    QKeyCombination keys;
    bool separatorAbove;
    bool checkable;
};

// Each menu and command has a letter of its own, underlined: Alt and the menu's letter
// open it, the command's letter then chooses it.
constexpr QKeyCombination none{};
const MenuEntry entries[] = {
    {Menu::Files, MainCommand::Open, "Menu_Avaa", "&Avaa", Qt::CTRL | Qt::Key_A, false, false},
    {Menu::Files, MainCommand::Save, "Menu_Tallenna", "&Tallenna", Qt::CTRL | Qt::Key_T, false, false},
    {Menu::Files, MainCommand::Export, "Menu_Vie", "&Vie taulukkoon…", none, true, false},
    {Menu::Files, MainCommand::Import, "Menu_Tuo", "Tu&o taulukosta…", none, false, false},
    {Menu::Files, MainCommand::Quit, "Menu_Lopeta", "&Lopeta", Qt::CTRL | Qt::Key_L, true, false},
    // The check mark of "Kalibrointi" shows whether the calibration is in use.
    {Menu::Settings, MainCommand::Calibrate, "Menu_Kalibroi", "&Kalibrointi", Qt::CTRL | Qt::Key_K, false, true},
    {Menu::Settings, MainCommand::TimeView, "Menu_Aika", "&Aikanäkymä", none, false, true},
    {Menu::Settings, MainCommand::Statistics, "Menu_Stat", "&Statistiikka", Qt::CTRL | Qt::Key_S, false, false},
    {Menu::Settings, MainCommand::Summary, "Menu_Yhteenveto", "&Yhteenveto", Qt::CTRL | Qt::Key_Y, false, false},
    {Menu::Help, MainCommand::Instructions, "Menu_Ohjeita", "&Ohjeita", Qt::CTRL | Qt::Key_O, false, false},
    {Menu::Help, MainCommand::About, "Menu_Tietoja", "&Tietoja", none, false, false},
};

} // namespace

MainMenus::MainMenus(QMainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    const std::map<Menu, QMenu *> menus{
        {Menu::Files, window.menuBar()->addMenu(QStringLiteral("&Tiedosto"))},
        {Menu::Settings, window.menuBar()->addMenu(QStringLiteral("&Asetukset"))},
        {Menu::Help, window.menuBar()->addMenu(QStringLiteral("&Ohje"))},
    };
    m_help = menus.at(Menu::Help);
    for (const MenuEntry &entry : entries) {
        QMenu *menu = menus.at(entry.menu);
        if (entry.separatorAbove)
            menu->addSeparator();
        QAction *action = menu->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.objectName));
        action->setShortcut(QKeySequence(entry.keys));
        action->setCheckable(entry.checkable);
        connect(action, &QAction::triggered, this, [this, command = entry.command] { emit chosen(command); });
        m_actions[entry.command] = action;
    }
    // F10 opens the menu bar from anywhere in the window, as on other desktops.
    auto *menuKey = new QAction(&window);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    window.addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, &MainMenus::openMenuBar);
}

QAction &MainMenus::action(MainCommand command) const
{
    return *m_actions.at(command);
}

QString MainMenus::caption(MainCommand command) const
{
    return action(command).text().remove(QLatin1Char('&'));
}

QMenu *MainMenus::addMenuBeforeHelp(const QString &title)
{
    auto *menu = new QMenu(title, m_window.menuBar());
    menu->setObjectName(QStringLiteral("Menu_") + QString(title).remove(QLatin1Char('&')));
    m_window.menuBar()->insertMenu(m_help->menuAction(), menu);
    return menu;
}

void MainMenus::openMenuBar()
{
    QMenuBar *bar = m_window.menuBar();
    QAction *first = bar->actions().value(0);
    if (!first)
        return;
    bar->setActiveAction(first);
    if (QMenu *menu = first->menu())
        menu->setActiveAction(menu->actions().value(0));
}

} // namespace tankeli
