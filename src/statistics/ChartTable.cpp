#include "ChartTable.h"

namespace tankeli {

void ChartTable::showPlan(const ChartPlan &plan)
{
    beginResetModel();
    m_selector = plan.selector;
    m_energy = plan.energy;
    m_names = plan.names;
    m_values = plan.series;
    endResetModel();
}

int ChartTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_values.size());
}

int ChartTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ChartTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_values.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == ValueColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return index.column() == NameColumn ? m_names.value(index.row())
                                        : chartValueText(m_values[index.row()], m_selector);
}

QVariant ChartTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == NameColumn)
        return QStringLiteral("Tiedosto");
    const ChartSelector &chosen = chartSelector(m_selector, m_energy);
    return chosen.caption.isEmpty() ? QStringLiteral("Arvo")
                                    : QStringLiteral("%1 (%2)").arg(chosen.caption, chosen.unit);
}

} // namespace tankeli
