#pragma once
// The window of "Vertaa ajoneuvoja…": one trip's cost with every vehicle, for the distance
// in the main window, cheapest first, as a table a screen reader walks row by row with
// its column headers. Ctrl+C copies the table as tab-separated text; Sulje and Escape hide
// it. Each time it is shown it works the figures out anew.

#include "VehicleComparison.h"
#include "look/SecondaryWindow.h"

#include <QAbstractTableModel>
#include <functional>

class QLabel;
class QTableView;

namespace tankeli {

class ComparisonModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setVehicles(const QList<ComparedVehicle> &vehicles);
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The header and every row, tab-separated, each line ended by a line break.
    QString tabSeparated() const;

private:
    QList<QStringList> m_rows;
    QStringList m_tooltips;
};

class ComparisonWindow : public SecondaryWindow
{
    Q_OBJECT
public:
    using Compare = std::function<Outcome<QList<ComparedVehicle>>()>;
    ComparisonWindow(const ProgramFolders &folders, QWidget *mainWindow, Compare compare);

    Done Form_Load();
    // Works the comparison out again and shows it.
    void refresh();

protected:
    void layOut() override;

private:
    Compare m_compare;
    ComparisonModel *m_model;
    QTableView *m_table;
    QLabel *m_note;
};

} // namespace tankeli
