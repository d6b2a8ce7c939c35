#pragma once
// The drawn chart as a table that a screen reader can walk: one row per trip in list
// order, its name and its value, under the headers "Tiedosto" and the quantity with its
// unit ("Bensankulutus (L/100Km)"). Read-only; empty until a chart is drawn.

#include "ChartBuilder.h"

#include <QAbstractTableModel>

namespace tankeli {

class ChartTable : public QAbstractTableModel
{
public:
    enum Column { NameColumn, ValueColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows the trips and values of a drawn chart.
    void showPlan(const ChartPlan &plan);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    int m_selector = -1;
    Energy m_energy = Energy::Petrol;
    QStringList m_names;
    QVector<float> m_values;
};

} // namespace tankeli
