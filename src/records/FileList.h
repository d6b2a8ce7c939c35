#pragma once
// The file window's list of saved trips (Tiedostot). It tells a screen reader that an
// entry has the keyboard focus only while the list itself has it, not when the program
// selects an entry (reading the folder again, walking the list for the chart or the
// overwrite question), and names the selected entry when the focus comes back to the
// list; and it announces an entry as chosen only after it has told a screen reader
// about it, so that the name field, which follows the choice, changes after the list
// and never shows an entry before the list has named it.

#include <QListWidget>
#include <QModelIndex>
#include <QPersistentModelIndex>

namespace tankeli {

class FileList : public QListWidget
{
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

signals:
    // The entry in this row became the selected one: by the keyboard, a click or the
    // program.
    void entryChosen(int row);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void announceChoice();
    void tellSelectedEntry();

    QPersistentModelIndex m_told; // the entry a screen reader was last told is current
    bool m_entryToTell = false;   // the focus came to the list, and no entry was told since
};

} // namespace tankeli
