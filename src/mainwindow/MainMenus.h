#pragma once
// The main window's menu bar, made from one table: Tiedosto, Asetukset and Ohje with
// their commands, letters and shortcuts. F10 opens the first menu. Choosing a command
// emits chosen(command); the window decides what it does.

#include <QObject>
#include <QString>
#include <map>

class QAction;
class QMainWindow;
class QMenu;

namespace tankeli {

enum class MainCommand {
    Open,
    Save,
    Export,
    Import,
    Quit,
    Calibrate,
    TimeView,
    Statistics,
    Summary,
    Instructions,
    About,
};

class MainMenus : public QObject
{
    Q_OBJECT
public:
    explicit MainMenus(QMainWindow &window);

    QAction &action(MainCommand command) const;
    // The command's caption as the program uses it (a window's title), without the mark
    // of the letter that chooses it in the menu.
    QString caption(MainCommand command) const;
    // A menu of its own put before Ohje, which stays last.
    QMenu *addMenuBeforeHelp(const QString &title);

signals:
    void chosen(MainCommand command);

private:
    // The first menu opens with its first command lit; the arrow keys walk on from there.
    void openMenuBar();

    QMainWindow &m_window;
    QMenu *m_help = nullptr;
    std::map<MainCommand, QAction *> m_actions;
};

} // namespace tankeli
