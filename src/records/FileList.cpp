#include "FileList.h"

#include <QAccessible>
#include <utility>

namespace tankeli {

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
}

// An arrow key selects the new entry before it becomes the current one; a click makes
// it current before selecting it. Either way the choice is announced at the second step,
// when the list has told a screen reader about the entry.
void FileList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (hasFocus()) {
        QListWidget::currentChanged(current, previous); // tells a screen reader the entry has the focus
        m_entryToTell = false;
    } else {
        QAbstractItemView::currentChanged(current, previous); // the same, without the focus it does not have
    }
    m_told = current;
    announceChoice();
}

void FileList::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListWidget::selectionChanged(selected, deselected);
    if (m_told == currentIndex())
        announceChoice();
}

// Qt tells a screen reader of the list itself right after this; the selected entry is
// told once that is done, so that the reader rests on the entry.
void FileList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    m_entryToTell = true;
    QMetaObject::invokeMethod(this, &FileList::tellSelectedEntry, Qt::QueuedConnection);
}

void FileList::tellSelectedEntry()
{
    const QModelIndex selected = currentIndex();
    const bool toTell = std::exchange(m_entryToTell, false);
    if (toTell && QAccessible::isActive() && hasFocus() && selected.isValid() && selectionModel()->isSelected(selected)) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(selected.row());
        QAccessible::updateAccessibility(&focus);
    }
}

void FileList::announceChoice()
{
    const QModelIndex chosen = currentIndex();
    if (chosen.isValid() && selectionModel()->isSelected(chosen))
        emit entryChosen(chosen.row());
}

} // namespace tankeli
