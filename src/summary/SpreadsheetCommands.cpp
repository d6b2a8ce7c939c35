#include "SpreadsheetCommands.h"

#include "TripSpreadsheet.h"
#include "base/FailureText.h"
#include "base/ProgramFolders.h"
#include "look/Messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <algorithm>

namespace tankeli {
namespace {

const QString exportTitle = QStringLiteral("Vie taulukkoon");
const QString importTitle = QStringLiteral("Tuo taulukosta");
// A message lists at most this many trips or rows, and then how many more there are.
constexpr qsizetype listedAtMost = 15;

QString tripCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 matka") : QStringLiteral("%1 matkaa").arg(count);
}

QString listed(const QString &heading, const QStringList &lines)
{
    QString text = QStringLiteral("\n\n") + heading;
    for (qsizetype i = 0; i < lines.size() && i < listedAtMost; ++i)
        text += QLatin1Char('\n') + lines[i];
    if (lines.size() > listedAtMost)
        text += QStringLiteral("\n… ja %1 muuta.").arg(lines.size() - listedAtMost);
    return text;
}

// The progress of work over the records, shown with "Peruuta" when the work would take
// longer than half a second. The work stops between two records when the user cancels
// or the program is asked to end (logout, shutdown, kill).
class RecordProgress
{
public:
    RecordProgress(QWidget *parent, const QString &title, const QString &label)
        : m_dialog(label, QStringLiteral("Peruuta"), 0, 1, parent)
    {
        m_dialog.setObjectName(QStringLiteral("Edistyminen"));
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
    }
    BetweenRecords goOn()
    {
        return [this](qsizetype done, qsizetype total) {
            if (m_dialog.maximum() != total)
                m_dialog.setMaximum(int(total));
            m_dialog.setValue(int(done)); // once shown, the dialog's own events (Peruuta) are handled here
            // Before it is shown, a request to end the program still comes through; the
            // user's clicks and keys wait.
            if (!m_dialog.isVisible())
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            return !m_dialog.wasCanceled() && !Messages::endRequested();
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

void exportTripsToSpreadsheet(QWidget *parent, const ProgramFolders &folders, Energy energy)
{
    const QString suggested = ProgramFolders::documentsFolder() + QStringLiteral("/tankeli-matkat.csv");
    const Messages::FileChoice chosen = Messages::current().chooseFile(
        parent, Messages::FileUse::Save, exportTitle, suggested, {QStringLiteral("CSV-taulukko (*.csv)")},
        {QStringLiteral("csv")});
    if (chosen.path.isEmpty())
        return;
    QString path = chosen.path;
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
        // The dialog asked about the name it handed back, if at all; this one is another.
        if (QFileInfo::exists(path)
            && Messages::current().ask(parent, QStringLiteral("Tiedosto %1 on jo olemassa. Korvataanko se?")
                                                   .arg(elideMiddle(QFileInfo(path).fileName())),
                                       exportTitle) != Answer::Yes)
            return;
    }
    // The progress goes before the message comes, so that it never shows over it.
    const Outcome<SpreadsheetExport> exported = [&] {
        RecordProgress progress(parent, exportTitle, QStringLiteral("Luetaan matkoja…"));
        return exportSpreadsheet(RecordStore(folders.recordFolder()), path, progress.goOn(), energy);
    }();
    if (!exported) {
        Messages::current().inform(parent, exported.error(), exportTitle, Messages::Icon::Critical);
        return;
    }
    if (exported->stopped) {
        Messages::current().inform(parent, QStringLiteral("Vienti keskeytettiin, eikä taulukkoa %1 tallennettu.").arg(shownPath(path)),
                                   exportTitle, Messages::Icon::Information);
        return;
    }
    QString text = QStringLiteral("%1 vietiin taulukkoon %2.").arg(tripCount(exported->written), shownPath(path));
    QStringList leftOut;
    for (const LeftOutTrip &trip : exported->leftOut)
        leftOut << trip.name + QStringLiteral(": ") + trip.reason;
    if (!leftOut.isEmpty())
        text += listed(QStringLiteral("Näitä matkoja ei voitu lukea, eikä niitä viety:"), leftOut);
    Messages::current().inform(parent, text, exportTitle, Messages::Icon::Information);
}

void importTripsFromSpreadsheet(QWidget *parent, const ProgramFolders &folders, Energy energy)
{
    const Messages::FileChoice chosen = Messages::current().chooseFile(
        parent, Messages::FileUse::Open, importTitle, ProgramFolders::documentsFolder(),
        {QStringLiteral("CSV-taulukko (*.csv)"), QStringLiteral("Kaikki tiedostot (*)")});
    if (chosen.path.isEmpty())
        return;
    RecordStore store(folders.recordFolder());
    const Outcome<ImportPlan> plan = planImport(store, chosen.path, energy);
    if (!plan) {
        Messages::current().inform(parent, plan.error(), importTitle, Messages::Icon::Critical);
        return;
    }
    const QStringList existing = plan->existingNames();
    Answer replace = Answer::No;
    if (!existing.isEmpty()) {
        QStringList shown;
        for (const QString &name : existing.mid(0, listedAtMost))
            shown << elideMiddle(name);
        replace = Messages::current().ask(parent,
                                          QStringLiteral("%1 on jo tallennettu: %2. Korvataanko ne taulukon matkoilla?")
                                              .arg(existing.size() == 1 ? QStringLiteral("Matka") : tripCount(existing.size()),
                                                   shown.join(QStringLiteral(", "))
                                                       + (existing.size() > listedAtMost ? QStringLiteral(" …") : QString())),
                                          importTitle);
    }
    // "Ei" imports the rest; the program asked to end while the question was open imports nothing.
    if (replace == Answer::Ending)
        return;
    const ImportResult result = [&] {
        RecordProgress progress(parent, importTitle, QStringLiteral("Tuodaan matkoja…"));
        return applyImport(store, *plan, replace == Answer::Yes, progress.goOn());
    }();
    QString text = QStringLiteral("%1 tuotiin taulukosta %2.").arg(tripCount(result.written), shownPath(chosen.path));
    if (result.kept > 0)
        text += QStringLiteral(" %1 jätettiin ennalleen.").arg(tripCount(result.kept));
    if (result.notReached > 0)
        text += QStringLiteral(" Tuonti keskeytettiin, ja %1 jäi tuomatta.").arg(tripCount(result.notReached));
    QList<CsvProblem> problems = plan->refused + result.failed;
    std::sort(problems.begin(), problems.end(), [](const CsvProblem &a, const CsvProblem &b) { return a.row < b.row; });
    QStringList rows;
    for (const CsvProblem &problem : problems)
        rows << QStringLiteral("rivi %1: %2").arg(problem.row).arg(problem.reason);
    if (!rows.isEmpty())
        text += listed(QStringLiteral("Näitä rivejä ei voitu tuoda:"), rows);
    Messages::current().inform(parent, text, importTitle,
                               rows.isEmpty() ? Messages::Icon::Information : Messages::Icon::Critical);
}

} // namespace tankeli
