#pragma once
// The fill-up log as the window's table shows and edits it: the saved fill-ups in the
// log's order with their worked columns, and the rows being typed. A typed row that is not
// yet a whole fill-up (a new one, or a saved one being corrected) stays in the table with
// the texts as typed and the reason it is not taken; nothing of it is saved until it is
// whole. Every whole change goes to the window through commit, which saves the log and
// keeps the change for undo.

#include "FillUp.h"
#include "FillUpLog.h"

#include <QAbstractTableModel>
#include <functional>

namespace tankeli {

class FillUpTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // commit(new log, what changed) saves the log and shows it (setLog), or says why not
    // and returns false.
    using Commit = std::function<bool(const QList<FillUp> &, const QString &)>;
    FillUpTableModel(Energy energy, Calibration calibration, QDate today, Commit commit, QObject *parent = nullptr);

    void setLog(const QList<FillUp> &log, bool readOnly);
    // The calibration changed: the worked columns follow; what is being typed stays.
    void setCalibration(Calibration calibration);
    const QList<FillUp> &log() const { return m_log; }
    bool readOnly() const { return m_readOnly; }
    const WorkedLog &worked() const { return m_worked; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Forgets every row being typed.
    void dropTypedRows();
    // The rows typed into that are not saved: new rows with anything typed beyond the
    // date they start with, and saved fill-ups whose correction was not taken.
    int unsavedRowCount() const;
    // A new row to type in, dated today and full; its row.
    int addRow();
    // Takes the row away: a saved fill-up through commit, a typed row at once.
    bool removeRow(int row);
    // Whether the row is saved as it shows (not being typed).
    bool isSaved(int row) const;
    // Why the row as typed is not taken; empty for a whole row.
    QString refusal(int row) const;
    // The row a saved fill-up shows on, or -1.
    int rowOf(const FillUp &fillUp) const;

private:
    struct Draft
    {
        std::optional<FillUp> of; // the saved fill-up it corrects; none for a new row
        FillUpDraft texts;
        std::optional<RowRefusal> refusal;
    };
    // The draft shown on a row, or nullptr; and the saved fill-up of a row, or nullptr.
    const Draft *draftAt(int row) const;
    // A new row as it starts: dated today, full, nothing else typed.
    FillUpDraft freshDraft() const;
    Draft *draftAt(int row) { return const_cast<Draft *>(std::as_const(*this).draftAt(row)); }
    const FillUp *savedAt(int row) const;
    int newDraftCount() const;
    // Checks the draft as typed on the row; its refusal is kept with it.
    RowCheck check(Draft &draft, int row);

    Energy m_energy;
    Calibration m_calibration;
    QDate m_today;
    Commit m_commit;
    QList<FillUp> m_log;
    WorkedLog m_worked;
    QList<Draft> m_drafts;
    bool m_readOnly = false;
};

} // namespace tankeli
