#include "FillUpCommands.h"

#include "FillUpImport.h"
#include "FillUpLog.h"
#include "base/AtomicFile.h"
#include "base/FailureText.h"
#include "base/ProgramFolders.h"
#include "look/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace tankeli {
namespace {

const QString importTitle = QStringLiteral("Tuo tankkaukset");
const QString exportTitle = QStringLiteral("Vie tankkaukset");

QString fillUpCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 tankkaus") : QStringLiteral("%1 tankkausta").arg(count);
}

} // namespace

bool importFillUps(QWidget *parent, const QString &logPath, Energy energy, QDate today)
{
    const LogReading log = readFillUpLog(logPath);
    if (log.readOnly()) {
        Messages::current().inform(parent, log.problem, importTitle, Messages::Icon::Critical);
        return false;
    }
    const Messages::FileChoice chosen = Messages::current().chooseFile(
        parent, Messages::FileUse::Open, importTitle, ProgramFolders::documentsFolder(),
        {QStringLiteral("CSV-tiedostot (*.csv *.txt)"), QStringLiteral("Kaikki tiedostot (*)")});
    if (chosen.path.isEmpty())
        return false;
    const Outcome<ImportPreview> preview = previewImportFile(chosen.path, log.fillUps, today, energy);
    if (!preview) {
        Messages::current().inform(parent, preview.error(), importTitle, Messages::Icon::Critical);
        return false;
    }
    const QString found = previewText(*preview);
    if (preview->fillUps.isEmpty()) {
        Messages::current().inform(parent, found + QStringLiteral("\n\nLoki jäi ennalleen."), importTitle,
                                   preview->refused.isEmpty() ? Messages::Icon::Information : Messages::Icon::Critical);
        return false;
    }
    const Messages::Buttons importOrNot{QStringLiteral("Tuo"), QStringLiteral("Peruuta"), Answer::Yes};
    if (Messages::current().ask(parent, found + QStringLiteral("\n\nTuodaanko %1 lokiin?").arg(fillUpCount(preview->fillUps.size())),
                                importTitle, importOrNot) != Answer::Yes)
        return false;
    if (const Done written = writeFillUpLog(logPath, withImported(log.fillUps, *preview), energy); !written) {
        Messages::current().inform(parent, written.error(), importTitle, Messages::Icon::Critical);
        return false;
    }
    return true;
}

void exportFillUps(QWidget *parent, const QString &logPath, Energy energy, const Calibration &calibration)
{
    const LogReading log = readFillUpLog(logPath);
    if (log.readOnly()) {
        Messages::current().inform(parent, log.problem, exportTitle, Messages::Icon::Critical);
        return;
    }
    const QString suggested = ProgramFolders::documentsFolder() + QStringLiteral("/tankeli-tankkaukset.csv");
    const Messages::FileChoice chosen = Messages::current().chooseFile(
        parent, Messages::FileUse::Save, exportTitle, suggested, {QStringLiteral("CSV-taulukko (*.csv)")});
    if (chosen.path.isEmpty())
        return;
    QString path = chosen.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (const Done written = replaceChosenFile(QFile::encodeName(path), fillUpLogBytes(log.fillUps, energy, calibration, true)); !written) {
        Messages::current().inform(parent, QStringLiteral("Taulukkoa %1 ei voitu tallentaa: %2.").arg(shownPath(path), written.error()),
                                   exportTitle, Messages::Icon::Critical);
        return;
    }
    Messages::current().inform(parent, QStringLiteral("%1 vietiin taulukkoon %2.").arg(fillUpCount(log.fillUps.size()), shownPath(path)),
                               exportTitle, Messages::Icon::Information);
}

} // namespace tankeli
