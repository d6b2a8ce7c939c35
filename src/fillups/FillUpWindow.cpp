#include "FillUpWindow.h"

#include "FillUpTableModel.h"
#include "calculator/NumberText.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "records/TripFields.h"
#include "statistics/ChartCanvas.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

namespace tankeli {

namespace {

const QString title = QStringLiteral("Tankkaukset");
constexpr QSizeF buttonFace{141, 33};
constexpr QSizeF buttonCaption{125, 17};
constexpr int margin = 8;
constexpr int buttonCount = 4;
constexpr int curveHeightAtLeast = 120;

QLabel *makeNote(QWidget *parent, const QString &name)
{
    // The program's own label: dark text on the light gradient, whatever the colour scheme.
    QLabel *label = makeLabel(parent, QSizeF(), Qt::AlignLeft | Qt::AlignVCenter);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

// One saved change of the log: undo puts the log before it back, redo the log after it.
// The change is saved before it is pushed, so its first redo has nothing to do.
class LogChange : public QUndoCommand
{
public:
    LogChange(FillUpWindow &window, QList<FillUp> before, QList<FillUp> after, const QString &what)
        : QUndoCommand(what)
        , m_window(window)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }
    void undo() override { m_window.applyLog(m_before); }
    void redo() override
    {
        if (m_done)
            m_window.applyLog(m_after);
        m_done = true;
    }

private:
    FillUpWindow &m_window;
    QList<FillUp> m_before;
    QList<FillUp> m_after;
    bool m_done = false;
};

FillUpWindow::FillUpWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip, FillUpLogSetup setup)
    : SecondaryWindow(folders, mainWindow,
                      {QSize(980, 600), QSize(680 * 15, 420 * 15), QSize(4 * 141 + 5 * margin, 400)})
    , m_trip(trip)
    , m_setup(std::move(setup))
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("Tankkaukset"));
    m_undo = new QUndoStack(this);
    m_model = new FillUpTableModel(m_setup.energy, m_setup.calibration, m_setup.today,
                                   [this](const QList<FillUp> &log, const QString &what) { return commit(log, what); }, this);

    // Made top to bottom, so a screen reader meets them in the order they are seen.
    m_readOnlyNote = makeNote(this, QStringLiteral("Vain_luettava"));
    m_calibrationNote = makeNote(this, QStringLiteral("Kalibrointi"));
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("Taulukko"));
    m_table->setAccessibleName(title);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // Tab leaves the table for the buttons; the arrows move between cells.
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setResizeContentsPrecision(200);
    m_table->installEventFilter(this);
    // No accessible name of its own: a screen reader reads the state itself.
    m_rowState = makeNote(this, QStringLiteral("Rivin_tila"));
    m_average = makeNote(this, QStringLiteral("Keskikulutus"));
    // The consumption of each full fill-up over its date; its context menu saves or prints it.
    m_curve = new ChartCanvas(this);
    m_curve->setObjectName(QStringLiteral("Kayra"));
    m_curve->setMinimumHeight(curveHeightAtLeast);
    m_curve->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin + int(buttonFace.height()) + margin);
    layout->addWidget(m_readOnlyNote);
    layout->addWidget(m_calibrationNote);
    layout->addWidget(m_table, 3);
    layout->addWidget(m_rowState);
    layout->addWidget(m_average);
    layout->addWidget(m_curve, 2);

    // A second key for a new row: a screen reader such as Orca keeps Insert for itself.
    auto *add = new QAction(this);
    add->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(add, &QAction::triggered, this, [this] { runCommand(Command::Add); });
    addAction(add);
    QAction *undo = m_undo->createUndoAction(this, QStringLiteral("Kumoa"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    addAction(undo);
    QAction *redo = m_undo->createRedoAction(this, QStringLiteral("Tee uudelleen"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addAction(redo);

    connect(m_model, &QAbstractItemModel::dataChanged, this, &FillUpWindow::showCurrentRow);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FillUpWindow::showCurrentRow);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FillUpWindow::showAverage);
    connect(m_model, &QAbstractItemModel::modelReset, this, &FillUpWindow::showCurve);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        m_saved.clear();
        showCurrentRow();
    });
}

Done FillUpWindow::Form_Load()
{
    // The table comes before the buttons in Tab order: it is made first.
    const Done made = makeButtons({QStringLiteral("Lisää"), QStringLiteral("Poista"), QStringLiteral("Käytä laskimessa"),
                                   QStringLiteral("Sulje")},
                                  buttonFace, buttonCaption);
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, [this](int index) { runCommand(Command(index)); });
    for (const auto &[command, keys] : {std::pair{Command::Add, "Insert, Ctrl+N"}, {Command::Remove, "Delete"}, {Command::Close, "Esc"}})
        buttons()->Nappi(int(command))->setKeyName(QString::fromLatin1(keys));
    reload();
    return {};
}

void FillUpWindow::reload()
{
    m_undo->clear();
    m_model->dropTypedRows();
    const LogReading reading = readFillUpLog(m_setup.logPath);
    m_readOnlyNote->setText(reading.problem);
    m_readOnlyNote->setVisible(reading.readOnly());
    if (reading.readOnly())
        Messages::current().inform(this, reading.problem, title, Messages::Icon::Critical);
    showCalibrationNote();
    m_model->setLog(reading.fillUps, reading.readOnly());
    m_table->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_table->setCurrentIndex(m_model->index(m_model->rowCount() - 1, 0));
    m_table->setFocus();
    layOut();
}

void FillUpWindow::setCalibration(Calibration calibration)
{
    m_setup.calibration = calibration;
    showCalibrationNote();
    m_model->setCalibration(calibration);
}

void FillUpWindow::showCalibrationNote()
{
    const bool calibrated = m_setup.calibration.inUse && distanceCorrection(m_setup.calibration) != 1.0;
    m_calibrationNote->setText(QStringLiteral("Kalibrointi on käytössä: ajetut kilometrit ja kulutukset on korjattu "
                                              "nopeusmittarin virheellä, kertoimella %1.")
                                   .arg(doubleToText(distanceCorrection(m_setup.calibration))));
    m_calibrationNote->setVisible(calibrated);
}

void FillUpWindow::runCommand(Command command)
{
    const auto refuseReadOnly = [this] {
        Messages::current().inform(this, m_readOnlyNote->text(), title, Messages::Icon::Critical);
    };
    switch (command) {
    case Command::Add: {
        if (m_model->readOnly())
            return refuseReadOnly();
        const int row = m_model->addRow();
        const QModelIndex cell = m_model->index(row, int(FillUpColumn::Odometer));
        m_table->setFocus();
        m_table->setCurrentIndex(cell);
        m_table->scrollTo(cell);
        m_table->edit(cell);
        return;
    }
    case Command::Remove: {
        if (m_model->readOnly())
            return refuseReadOnly();
        const QModelIndex current = m_table->currentIndex();
        if (!current.isValid()) {
            Messages::current().inform(this, QStringLiteral("Valitse ensin poistettava rivi."), title, Messages::Icon::Information);
            return;
        }
        const int row = current.row();
        const QString date = m_model->index(row, int(FillUpColumn::Date)).data().toString();
        const QString odometer = m_model->index(row, int(FillUpColumn::Odometer)).data().toString();
        if (Messages::current().ask(this, QStringLiteral("Poistetaanko rivi %1 (%2, %3 km)?").arg(row + 1).arg(date, odometer), title) != Answer::Yes)
            return;
        const int column = current.column();
        if (m_model->removeRow(row) && m_model->rowCount() > 0)
            m_table->setCurrentIndex(m_model->index(qMin(row, m_model->rowCount() - 1), column));
        m_table->setFocus();
        return;
    }
    case Command::UseInCalculator: {
        const std::optional<double> average = m_model->worked().average;
        if (!average) {
            Messages::current().inform(this, QStringLiteral("Keskikulutusta ei voi vielä mitata: siihen tarvitaan kaksi täyttä "
                                                            "tankkausta, joiden välillä ei ole puuttuvaa tankkausta."),
                                       title, Messages::Icon::Information);
            return;
        }
        hide();
        m_trip.useConsumption(singleToText(float(*average)));
        return;
    }
    case Command::Close:
        close();
        return;
    }
}

bool FillUpWindow::commit(const QList<FillUp> &log, const QString &what)
{
    if (const Done written = writeFillUpLog(m_setup.logPath, log, m_setup.energy); !written) {
        Messages::current().inform(this, written.error(), title, Messages::Icon::Critical);
        return false;
    }
    const QList<FillUp> before = m_model->log();
    const int column = qMax(0, m_table->currentIndex().column());
    m_model->setLog(log, false);
    m_undo->push(new LogChange(*this, before, log, what));
    // The changed fill-up stays current where it moved to in the log's order.
    int row = -1;
    for (qsizetype i = 0; i < log.size() && row < 0; ++i)
        if (!before.contains(log[i]))
            row = int(i);
    if (row >= 0) {
        m_table->setCurrentIndex(m_model->index(row, column));
        m_table->scrollTo(m_model->index(row, column));
        m_saved = QStringLiteral("Rivi %1 tallennettu.").arg(row + 1);
    } else {
        m_saved = QStringLiteral("Rivi poistettu.");
    }
    showCurrentRow();
    return true;
}

bool FillUpWindow::applyLog(const QList<FillUp> &log)
{
    if (const Done written = writeFillUpLog(m_setup.logPath, log, m_setup.energy); !written) {
        Messages::current().inform(this, written.error(), title, Messages::Icon::Critical);
        return false;
    }
    const QModelIndex current = m_table->currentIndex();
    m_model->setLog(log, false);
    if (m_model->rowCount() > 0)
        m_table->setCurrentIndex(m_model->index(qBound(0, current.row(), m_model->rowCount() - 1), qMax(0, current.column())));
    return true;
}

void FillUpWindow::showCurrentRow()
{
    const QString refusal = m_model->refusal(m_table->currentIndex().row());
    const QString text = !refusal.isEmpty() ? QStringLiteral("Riviä ei ole tallennettu: %1").arg(refusal) : m_saved;
    if (text == m_rowState->text())
        return;
    m_rowState->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(m_rowState, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void FillUpWindow::showAverage()
{
    const WorkedLog &worked = m_model->worked();
    const QString unit = energyWords(m_setup.energy).amountSymbol;
    m_average->setText(worked.average
                           ? QStringLiteral("Mitattu keskikulutus: %1 %2/100 km (%3 %2 ja %4 km täydestä täyteen).")
                                 .arg(doubleToText(*worked.average), unit, doubleToText(worked.chainAmount),
                                      doubleToText(worked.chainDistance))
                           : QStringLiteral("Keskikulutus mitataan, kun lokissa on kaksi täyttä tankkausta peräkkäin."));
}

void FillUpWindow::showCurve()
{
    const ConsumptionCurve curve = consumptionCurve(m_model->log(), m_model->worked());
    if (curve.series.size() < 2) {
        m_curve->clearChart(QStringLiteral("Kulutuskäyrä piirretään, kun lokissa on kahden täyden tankkausvälin kulutus."));
        return;
    }
    const int consumption = int(TripField::Consumption);
    m_curve->showPlan(planDatedChart(curve.series, curve.dates, consumption, float(m_curve->width()),
                                     float(m_curve->height()), m_setup.energy),
                      chartSelector(consumption, m_setup.energy).unit);
}

void FillUpWindow::layOut()
{
    if (!buttons())
        return;
    const double top = height() - margin - buttonFace.height();
    for (int i = 0; i < buttonCount; ++i)
        buttons()->place(i, QPointF(margin + i * (buttonFace.width() + margin), top));
}

bool FillUpWindow::mayDropUnsavedRows()
{
    const int unsaved = m_model->unsavedRowCount();
    if (unsaved == 0)
        return true;
    // Asked from the main window, the question is about rows the user may not see now.
    if (!isActiveWindow())
        showInFront();
    const QString rows = unsaved == 1 ? QStringLiteral("Yhtä riviä") : QStringLiteral("%1 riviä").arg(unsaved);
    const QString question = QStringLiteral("%1 ei ole tallennettu, koska siitä puuttuu jotakin tai jokin arvo ei "
                                            "kelpaa. Suljetaanko ikkuna silti? Rivin kirjoitetut arvot katoavat.")
                                 .arg(rows);
    // Asked to end the program meanwhile, it closes: such a row cannot be saved anyway.
    return Messages::current().ask(this, question, title, {QStringLiteral("Sulje"), QStringLiteral("Peruuta"), Answer::No})
        != Answer::No;
}

void FillUpWindow::closeEvent(QCloseEvent *event)
{
    if (!mayDropUnsavedRows()) {
        event->ignore();
        return;
    }
    SecondaryWindow::closeEvent(event);
}

bool FillUpWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The curve is laid out for the canvas's size.
    if (watched == m_curve && event->type() == QEvent::Resize)
        showCurve();
    // An open cell editor has the keys itself; the table sees them only between edits.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return SecondaryWindow::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Delete:
            runCommand(Command::Remove);
            return true;
        case Qt::Key_Insert:
            runCommand(Command::Add);
            return true;
        default:
            break;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace tankeli
