#pragma once
// The file window: the saved trips of the folder stat, a name field and the buttons
// Avaa or Tallenna (by mode), Sulje and Poista. Its mode is its title, which the main
// window sets. Sulje hides it with its state kept; the close box destroys it.

#include "FileCommands.h"
#include "app/ProgramFolders.h"
#include "look/SecondaryWindow.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace tankeli {

class PictureButtons;
class Tankeli;

class Tiedosto : public SecondaryWindow, private FileWindowOperations
{
    Q_OBJECT
public:
    Tiedosto(ProgramFolders folders, Tankeli *mainWindow);

    // Reads the list and loads the button pictures; returns a message on failure.
    QString Form_Load();
    void Suorita_Toiminto(int index);
    // Puts today's default record name into the name field.
    void Hae_Tiedostonimi();

    QListWidget *Tiedostot() const { return m_list; }
    QLineEdit *Tiedostonimi() const { return m_name; }
    QLabel *txt_Otsikko() const { return m_heading; }
    PictureButtons *buttons() const { return m_buttons; }
    // Selects entry `index` as a click would (used by the statistics chart too).
    void selectEntry(int index) override;
    // The list's entries in order.
    QStringList entries() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Resize();
    void followSelection();

    // FileWindowOperations
    QString title() const override { return windowTitle(); }
    QString nameText() const override;
    void setNameText(const QString &text) override;
    int selectedEntry() const override;
    void hideWindow() override { hide(); }
    void rereadList() override;
    void inform(const QString &text) override;
    bool ask(const QString &text, const QString &title) override;
    RecordValues mainFields() const override;
    void setMainFields(const RecordValues &values) override;
    void calculate() override;

    ProgramFolders m_folders;
    Tankeli *m_main;
    RecordStore m_store;
    FileCommands m_commands;
    QListWidget *m_list;
    QLineEdit *m_name;
    QLabel *m_heading;
    PictureButtons *m_buttons = nullptr;
};

} // namespace tankeli
