#pragma once
// The file window's commands (open or save by mode, close, delete) as logic over the
// record store, the main window's trip fields and a few operations of the file window,
// so that they run the same way whatever draws the window.

#include "RecordStore.h"
#include "TripFields.h"
#include "base/Answer.h"

#include <QString>
#include <QStringList>

namespace tankeli {

// What command 0 does; the menu command that shows the window sets it.
enum class FileMode { Open, Save };

// The commands, in the order of the window's buttons.
enum class FileCommand { OpenOrSave, Close, Delete };

// What the commands need of the file window itself.
class FileWindowOperations
{
public:
    virtual ~FileWindowOperations() = default;

    virtual FileMode mode() const = 0;
    virtual QString nameText() const = 0; // Tiedostonimi
    virtual void setNameText(const QString &text) = 0;
    virtual QList<RecordEntry> entries() const = 0; // the list, in its order
    virtual int selectedEntry() const = 0;          // -1 when none is selected
    // Selects an entry as a user's click would: the name field follows it.
    virtual void selectEntry(int index) = 0;
    virtual void hideWindow() = 0;
    virtual void rereadList() = 0;

    virtual void inform(const QString &text) = 0; // OK box titled with the program's name
    virtual Answer ask(const QString &text, const QString &title) = 0; // Yes / No
};

class FileCommands
{
public:
    FileCommands(RecordStore &store, FileWindowOperations &window, TripFields &trip);

    void run(FileCommand command);

    static const QString openRefusal;
    static const QString missingForDelete;

private:
    void open();
    void save();
    void remove();
    // The file a name in the name field stands for: the selected entry's own file when
    // the field shows its name (two files can look alike), else the file of that name.
    RecordEntry target(const QString &name) const;
    // Walks the list and asks about every entry of the final name, selecting it first;
    // false when one was not answered Yes, and that entry stays selected. Otherwise the
    // selection is put back. asked tells whether any question was asked.
    bool confirmOverwrite(const QString &finalName, bool &asked);
    // Whether the record shown under this name may be replaced: answered Yes.
    bool askOverwrite(const QString &name);

    RecordStore &m_store;
    FileWindowOperations &m_window;
    TripFields &m_trip;
};

} // namespace tankeli
