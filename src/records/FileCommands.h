#pragma once
// The file window's commands (0 open or save by mode, 1 close, 2 delete) as logic over
// the record store and a few operations of the window, so that they run the same way
// whatever draws the window.

#include "RecordStore.h"

#include <QString>
#include <QStringList>

namespace tankeli {

// What the commands need of the file window and, through it, of the main window.
class FileWindowOperations
{
public:
    virtual ~FileWindowOperations() = default;

    virtual QString title() const = 0;    // the mode: "Avaa" or "Tallenna"
    virtual QString nameText() const = 0; // Tiedostonimi
    virtual void setNameText(const QString &text) = 0;
    virtual QStringList entries() const = 0; // the list, in its order
    virtual int selectedEntry() const = 0;   // -1 when none is selected
    // Selects an entry as a user's click would: the name field follows it.
    virtual void selectEntry(int index) = 0;
    virtual void hideWindow() = 0;
    virtual void rereadList() = 0;

    virtual void inform(const QString &text) = 0; // OK box titled with the program's name
    virtual bool ask(const QString &text, const QString &title) = 0; // Yes / No

    // The main window's five stored fields, in record order, and its calculation.
    virtual RecordValues mainFields() const = 0;
    virtual void setMainFields(const RecordValues &values) = 0;
    virtual void calculate() = 0;
};

class FileCommands
{
public:
    FileCommands(RecordStore &store, FileWindowOperations &window);

    // Suorita_Toiminto: openCaption and saveCaption are the captions of the main
    // window's menu commands, which the window's title is compared with.
    void run(int index, const QString &openCaption, const QString &saveCaption);

    static const QString openRefusal;
    static const QString missingForDelete;

private:
    void open();
    void save();
    void remove();
    bool confirmOverwrite(const QString &finalName);

    RecordStore &m_store;
    FileWindowOperations &m_window;
};

} // namespace tankeli
