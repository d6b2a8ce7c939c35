#include "FileList.h"

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
    if (hasFocus())
        QListWidget::currentChanged(current, previous); // tells a screen reader the entry has the focus
    else
        QAbstractItemView::currentChanged(current, previous); // the same, without the focus it does not have
    m_told = current;
    announceChoice();
}

void FileList::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListWidget::selectionChanged(selected, deselected);
    if (m_told == currentIndex())
        announceChoice();
}

void FileList::announceChoice()
{
    const QModelIndex chosen = currentIndex();
    if (chosen.isValid() && selectionModel()->isSelected(chosen))
        emit entryChosen(chosen.row());
}

} // namespace tankeli
