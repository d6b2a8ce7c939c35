#include "FillUpTableModel.h"

#include "calculator/NumberText.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace tankeli {
namespace {

bool isCheck(int column)
{
    return column == int(FillUpColumn::Full) || column == int(FillUpColumn::MissedBefore);
}

bool isWorked(int column)
{
    return column == int(FillUpColumn::Driven) || column == int(FillUpColumn::Consumption);
}

QString textOf(const FillUpDraft &d, int column)
{
    switch (FillUpColumn(column)) {
    case FillUpColumn::Date: return d.date;
    case FillUpColumn::Odometer: return d.odometer;
    case FillUpColumn::Amount: return d.amount;
    case FillUpColumn::Price: return d.price;
    case FillUpColumn::Total: return d.total;
    case FillUpColumn::Full: return d.full ? QStringLiteral("kyllä") : QStringLiteral("ei");
    case FillUpColumn::MissedBefore: return d.missedBefore ? QStringLiteral("kyllä") : QStringLiteral("ei");
    case FillUpColumn::Note: return d.note;
    default: return {};
    }
}

bool sameTexts(const FillUpDraft &a, const FillUpDraft &b)
{
    return a.date == b.date && a.odometer == b.odometer && a.amount == b.amount && a.price == b.price
           && a.total == b.total && a.full == b.full && a.missedBefore == b.missedBefore && a.note == b.note;
}

} // namespace

FillUpTableModel::FillUpTableModel(Energy energy, Calibration calibration, QDate today, Commit commit, QObject *parent)
    : QAbstractTableModel(parent)
    , m_energy(energy)
    , m_calibration(calibration)
    , m_today(today)
    , m_commit(std::move(commit))
{
}

void FillUpTableModel::setLog(const QList<FillUp> &log, bool readOnly)
{
    beginResetModel();
    m_log = log;
    sortFillUps(m_log);
    m_worked = workOutLog(m_log, m_calibration);
    m_readOnly = readOnly;
    endResetModel();
}

void FillUpTableModel::setCalibration(Calibration calibration)
{
    m_calibration = calibration;
    setLog(m_log, m_readOnly);
}

void FillUpTableModel::dropTypedRows()
{
    beginResetModel();
    m_drafts.clear();
    endResetModel();
}

int FillUpTableModel::newDraftCount() const
{
    int count = 0;
    for (const Draft &d : m_drafts)
        if (!d.of || !m_log.contains(*d.of))
            ++count;
    return count;
}

const FillUpTableModel::Draft *FillUpTableModel::draftAt(int row) const
{
    if (row < 0)
        return nullptr;
    if (row < m_log.size()) {
        for (const Draft &d : m_drafts)
            if (d.of && *d.of == m_log[row])
                return &d;
        return nullptr;
    }
    int k = row - int(m_log.size());
    for (const Draft &d : m_drafts)
        if ((!d.of || !m_log.contains(*d.of)) && k-- == 0)
            return &d;
    return nullptr;
}

const FillUp *FillUpTableModel::savedAt(int row) const
{
    return row >= 0 && row < m_log.size() ? &m_log[row] : nullptr;
}

int FillUpTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_log.size()) + newDraftCount();
}

int FillUpTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : fillUpColumnCount;
}

QVariant FillUpTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    const Draft *draft = draftAt(row);
    const FillUp *saved = savedAt(row);
    const bool refusedHere = draft && draft->refusal && int(draft->refusal->column) == column;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (isWorked(column)) {
            if (draft || !saved)
                return QString();
            const WorkedRow &w = m_worked.rows[row];
            const std::optional<double> value = column == int(FillUpColumn::Driven) ? w.driven : w.consumption;
            return value ? doubleToText(*value) : QString();
        }
        return textOf(draft ? draft->texts : draftOf(*saved), column);
    case Qt::CheckStateRole:
        if (!isCheck(column))
            return {};
        {
            const FillUpDraft texts = draft ? draft->texts : draftOf(*saved);
            const bool on = column == int(FillUpColumn::Full) ? texts.full : texts.missedBefore;
            return on ? Qt::Checked : Qt::Unchecked;
        }
    case Qt::TextAlignmentRole:
        if (column == int(FillUpColumn::Note) || column == int(FillUpColumn::Date) || isCheck(column))
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        return draft && draft->refusal ? draft->refusal->message : columnExplanation(FillUpColumn(column), m_energy);
    case Qt::BackgroundRole:
        // The refused cell stands out in a light and a dark scheme alike, with its own text colour.
        return refusedHere ? QVariant(QBrush(QColor(255, 205, 205))) : QVariant();
    case Qt::ForegroundRole:
        return refusedHere ? QVariant(QBrush(Qt::black)) : QVariant();
    case Qt::AccessibleDescriptionRole:
        return refusedHere ? draft->refusal->message : QVariant();
    default:
        return {};
    }
}

QVariant FillUpTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= fillUpColumnCount)
            return {};
        if (role == Qt::DisplayRole)
            return columnTitle(FillUpColumn(section), m_energy);
        if (role == Qt::ToolTipRole)
            return columnExplanation(FillUpColumn(section), m_energy);
        return {};
    }
    if (role == Qt::DisplayRole)
        return isSaved(section) ? QString::number(section + 1) : QStringLiteral("%1 *").arg(section + 1);
    if (role == Qt::ToolTipRole && !isSaved(section))
        return QStringLiteral("Riviä ei ole vielä tallennettu: %1").arg(refusal(section));
    return {};
}

Qt::ItemFlags FillUpTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_readOnly || isWorked(index.column()))
        return f;
    return f | (isCheck(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

bool FillUpTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || m_readOnly || isWorked(index.column()))
        return false;
    const int row = index.row();
    const int column = index.column();
    Draft *existing = draftAt(row);
    Draft draft = existing ? *existing : Draft{*savedAt(row), draftOf(*savedAt(row)), std::nullopt};
    FillUpDraft &t = draft.texts;
    const bool wasSaved = !existing;
    if (role == Qt::CheckStateRole && isCheck(column)) {
        const bool on = Qt::CheckState(value.toInt()) == Qt::Checked;
        (column == int(FillUpColumn::Full) ? t.full : t.missedBefore) = on;
    } else if (role == Qt::EditRole && !isCheck(column)) {
        const QString text = value.toString();
        switch (FillUpColumn(column)) {
        case FillUpColumn::Date: t.date = text; break;
        case FillUpColumn::Odometer: t.odometer = text; break;
        // Of amount, price and total, the one worked out from the other two follows a change:
        // a new amount or price gives a new total, a new total a new price.
        case FillUpColumn::Amount:
            t.amount = text;
            if (wasSaved || draft.of)
                t.total.clear();
            break;
        case FillUpColumn::Price:
            t.price = text;
            if (wasSaved || draft.of)
                t.total.clear();
            break;
        case FillUpColumn::Total:
            t.total = text;
            if (wasSaved || draft.of)
                t.price.clear();
            break;
        case FillUpColumn::Note: t.note = text; break;
        default: return false;
        }
    } else {
        return false;
    }
    if (wasSaved && sameTexts(draftOf(*draft.of), t))
        return true; // typed as it was
    const RowCheck checked = check(draft, row);
    if (draft.refusal) {
        if (existing)
            *existing = draft;
        else
            m_drafts.append(draft);
        emit dataChanged(this->index(row, 0), this->index(row, fillUpColumnCount - 1));
        emit headerDataChanged(Qt::Vertical, row, row);
        return true;
    }
    // Whole: saved through the window, and shown in its place in the log's order.
    QList<FillUp> log = m_log;
    if (draft.of)
        log.removeOne(*draft.of);
    const FillUp taken = *checked.fillUp;
    log.append(taken);
    sortFillUps(log);
    if (!existing)
        m_drafts.append(draft);
    else
        *existing = draft;
    // Saved once the cell's editor has closed: the new log resets the table, which must not
    // happen while the editor hands over its text.
    const std::optional<FillUp> of = draft.of;
    QMetaObject::invokeMethod(
        this,
        [this, log, of, texts = draft.texts] {
            const auto same = [&](const Draft &d) { return d.of == of && sameTexts(d.texts, texts); };
            const auto found = std::find_if(m_drafts.begin(), m_drafts.end(), same);
            if (found == m_drafts.end())
                return; // undone or removed meanwhile
            const Draft kept = *found;
            m_drafts.erase(found);
            if (!m_commit(log, of ? QStringLiteral("Muokkaa tankkausta") : QStringLiteral("Lisää tankkaus"))) {
                m_drafts.append(kept);
                beginResetModel();
                endResetModel();
            }
        },
        Qt::QueuedConnection);
    return true;
}

RowCheck FillUpTableModel::check(Draft &draft, int row)
{
    QList<FillUp> others = m_log;
    if (draft.of)
        others.removeOne(*draft.of);
    const RowCheck checked = checkRow(draft.texts, others, m_today, QStringLiteral("Rivi %1").arg(row + 1), m_energy);
    draft.refusal = checked.refusal;
    return checked;
}

FillUpDraft FillUpTableModel::freshDraft() const
{
    FillUpDraft fresh;
    fresh.date = isoDateText(m_today);
    return fresh;
}

int FillUpTableModel::unsavedRowCount() const
{
    const FillUpDraft fresh = freshDraft();
    return int(std::count_if(m_drafts.cbegin(), m_drafts.cend(),
                             [&fresh](const Draft &d) { return d.of || d.texts != fresh; }));
}

int FillUpTableModel::addRow()
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_drafts.append(Draft{std::nullopt, freshDraft(), std::nullopt});
    endInsertRows();
    check(m_drafts.last(), row);
    return row;
}

bool FillUpTableModel::removeRow(int row)
{
    if (m_readOnly || row < 0 || row >= rowCount())
        return false;
    if (const Draft *draft = draftAt(row)) {
        // A row being typed goes at once; a saved fill-up it corrects goes with it.
        const std::optional<FillUp> of = draft->of && m_log.contains(*draft->of) ? draft->of : std::nullopt;
        beginResetModel();
        m_drafts.removeAt(draft - m_drafts.constData());
        endResetModel();
        if (!of)
            return true;
        QList<FillUp> log = m_log;
        log.removeOne(*of);
        return m_commit(log, QStringLiteral("Poista tankkaus"));
    }
    QList<FillUp> log = m_log;
    log.removeAt(row);
    return m_commit(log, QStringLiteral("Poista tankkaus"));
}

bool FillUpTableModel::isSaved(int row) const
{
    return row >= 0 && row < m_log.size() && !draftAt(row);
}

QString FillUpTableModel::refusal(int row) const
{
    const Draft *draft = draftAt(row);
    return draft && draft->refusal ? draft->refusal->message : QString();
}

int FillUpTableModel::rowOf(const FillUp &fillUp) const
{
    return int(m_log.indexOf(fillUp));
}

} // namespace tankeli
