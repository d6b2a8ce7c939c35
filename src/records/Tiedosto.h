#pragma once
// The file window: the saved trips of the folder stat, a name field and the buttons
// Avaa or Tallenna (by mode), Sulje and Poista. The menu command that shows it sets its
// mode, and its title shows the command's caption. Sulje hides it with its state kept;
// the close box destroys it. After the statistics chart is drawn it selects the last
// trip charted, as the chart's walk through the trips has always left it.
// Enter in the name field, or on a selected entry of the list, runs Avaa or Tallenna.

#include "FileCommands.h"
#include "look/SecondaryWindow.h"

class QLabel;
class QLineEdit;

namespace tankeli {

class FileList;
class TripFields;

class Tiedosto : public SecondaryWindow, private FileWindowOperations
{
    Q_OBJECT
public:
    Tiedosto(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip);

    // Reads the list and loads the button pictures; the failure names a picture.
    Done Form_Load();
    // Shows the window for opening or saving, titled with the menu command's caption;
    // the focus is in the name field (saving) or on the list's selected entry (opening).
    void showFor(FileMode mode, const QString &caption);
    void Suorita_Toiminto(FileCommand command);
    // Puts today's default record name into the name field.
    void Hae_Tiedostonimi();

    // Reads the folder again and selects the entry's file, as a user's click would.
    void selectRecord(const RecordEntry &entry);

protected:
    void layOut() override;
    void Form_Unload() override {}
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeCommand() override { Suorita_Toiminto(FileCommand::Close); }

private:
    // The name field follows the entry chosen in the list.
    void followSelection(int row);
    void readList();

    // FileWindowOperations
    FileMode mode() const override { return m_mode; }
    QString nameText() const override;
    void setNameText(const QString &text) override;
    QList<RecordEntry> entries() const override { return m_entries; }
    int selectedEntry() const override;
    void selectEntry(int index) override;
    void hideWindow() override { hide(); }
    void rereadList() override;
    void inform(const QString &text) override;
    Answer ask(const QString &text, const QString &title) override;

    RecordStore m_store;
    FileCommands m_commands;
    FileMode m_mode = FileMode::Open;
    QString m_listProblem;
    QList<RecordEntry> m_entries; // what the list shows, with each file's own name
    FileList *m_list;
    QLineEdit *m_name;
    QLabel *m_heading;
};

} // namespace tankeli
