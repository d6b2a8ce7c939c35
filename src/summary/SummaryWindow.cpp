#include "SummaryWindow.h"

#include "look/Labels.h"
#include "look/Messages.h"
#include "records/TripFields.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tankeli {
namespace {

constexpr int margin = 12;
constexpr int spacing = 8;
// Wider than the other windows' buttons: "Käytä laskimessa" is a long caption.
constexpr QSizeF buttonSize{141, 33};
constexpr QSizeF buttonCaptionSize{125, 17};
constexpr int buttonGap = 10;
// Wide enough for the month table's columns, tall enough for a year of months, its year
// row and "Muut" without scrolling.
constexpr QSize designedClient{540, 560};
constexpr QSize minimumOuterTwips{6600, 6600};
// The buttons whole under a strip of the scrolled summary.
constexpr QSize contentMinimum{2 * int(buttonSize.width()) + buttonGap + 2 * margin,
                               2 * margin + 60 + spacing + int(buttonSize.height())};
constexpr int periodRowsAtLeast = 3;
constexpr int noteLines = 5;

QTableWidget *makeTable(QWidget *parent, const QString &name, const QStringList &columns)
{
    auto *table = new QTableWidget(0, int(columns.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->setAccessibleDescription(QStringLiteral("Ctrl+C kopioi koko yhteenvedon taulukkolaskentaan."));
    return table;
}

QTableWidgetItem *makeCell(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

// The figures with their captions; every line shows: the table is as tall as its rows,
// and the window scrolls.
void showLines(QTableWidget *table, const QList<SummaryLine> &lines)
{
    table->setRowCount(int(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        table->setItem(r, 0, makeCell(lines[r].caption, Qt::AlignLeft | Qt::AlignVCenter));
        QTableWidgetItem *value = makeCell(lines[r].shown(), Qt::AlignLeft | Qt::AlignVCenter);
        value->setToolTip(lines[r].shown());
        // A screen reader going down the values reads each with its caption.
        value->setData(Qt::AccessibleTextRole, lines[r].caption + QStringLiteral(": ") + lines[r].shown());
        table->setItem(r, 1, value);
    }
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length()
                          + 2 * table->frameWidth());
    if (!table->currentItem())
        table->setCurrentCell(0, 1);
}

void showPeriods(QTableWidget *table, const QList<SummaryPeriod> &periods)
{
    table->setRowCount(int(periods.size()));
    for (int r = 0; r < periods.size(); ++r) {
        const QStringList cells = periodCells(periods[r]);
        for (int c = 0; c < cells.size() && c < table->columnCount(); ++c) {
            QTableWidgetItem *item = makeCell(cells[c], c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                               : Qt::AlignRight | Qt::AlignVCenter);
            if (periods[r].month == 0) { // a year's or the others' row stands out
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(r, c, item);
        }
    }
    // A screen reader coming to the table reads its first row.
    if (!table->currentItem() && table->rowCount() > 0)
        table->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
}

QTableWidget *makeLinesTable(QWidget *parent, const QString &name, const QString &heading)
{
    QTableWidget *table = makeTable(parent, name, {QStringLiteral("Suure"), QStringLiteral("Arvo")});
    table->setAccessibleName(heading);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long trip name is shortened in its middle; the tooltip has it whole.
    table->setTextElideMode(Qt::ElideMiddle);
    return table;
}

QTableWidget *makePeriodsTable(QWidget *parent, const QString &name, const QString &heading, const QStringList &columns)
{
    QTableWidget *table = makeTable(parent, name, columns);
    table->setAccessibleName(heading);
    // Every column as wide as its texts, the table scrolling sideways where it is narrower.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // As tall as its rows where there is room, and no taller: the room left over goes to
    // the other month table, then under both, not to blank rows.
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height()
                            + periodRowsAtLeast * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
    return table;
}

QLabel *makeHeading(QWidget *parent, const QString &name, const QString &text)
{
    QLabel *heading = makeLabel(parent, {}, Qt::AlignLeft | Qt::AlignVCenter, text);
    heading->setObjectName(name);
    return heading;
}

} // namespace

SummaryWindow::SummaryWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip, Energy energy)
    : SecondaryWindow(folders, mainWindow, {designedClient, minimumOuterTwips, contentMinimum})
    , m_trip(trip)
    , m_energy(energy)
{
    setWindowTitle(QStringLiteral("Yhteenveto"));
    // The window's minimum is its own rule, not the layout's.
    auto *outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetNoConstraint);
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->setSpacing(spacing);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Vieritys"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll, 1);
    outer->addSpacing(int(buttonSize.height())); // where layOut() puts the picture buttons

    // Made top to bottom, so that Tab and a screen reader meet them in the order seen.
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("Sisalto"));
    auto *inner = new QVBoxLayout(content);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(spacing / 2);
    QLabel *totalsHeading = makeHeading(content, QStringLiteral("txt_Kaikki"), QStringLiteral("Kaikki matkat"));
    m_totals = makeLinesTable(content, QStringLiteral("Kaikki"), totalsHeading->text());
    QLabel *periodsHeading = makeHeading(content, QStringLiteral("txt_Kuukausittain"), QStringLiteral("Kuukausittain"));
    m_periods = makePeriodsTable(content, QStringLiteral("Kuukausittain"), periodsHeading->text(), periodColumns(m_energy));
    // The fill-up log's part shows only where the log holds something.
    m_fillUpPart = new QWidget(content);
    m_fillUpPart->setObjectName(QStringLiteral("Tankkausosa"));
    auto *fillUpLayout = new QVBoxLayout(m_fillUpPart);
    fillUpLayout->setContentsMargins(0, spacing / 2, 0, 0);
    fillUpLayout->setSpacing(spacing / 2);
    QLabel *fillUpHeading = makeHeading(m_fillUpPart, QStringLiteral("txt_Tankkaukset"), QStringLiteral("Tankkaukset"));
    m_fillUpTotals = makeLinesTable(m_fillUpPart, QStringLiteral("Tankkaukset"), fillUpHeading->text());
    QLabel *fillUpPeriodsHeading = makeHeading(m_fillUpPart, QStringLiteral("txt_TankkauksetKuukausittain"),
                                               QStringLiteral("Tankkaukset kuukausittain"));
    m_fillUpPeriods = makePeriodsTable(m_fillUpPart, QStringLiteral("TankkauksetKuukausittain"),
                                       fillUpPeriodsHeading->text(), fillUpPeriodColumns(m_energy));
    fillUpLayout->addWidget(fillUpHeading);
    fillUpLayout->addWidget(m_fillUpTotals);
    fillUpLayout->addWidget(fillUpPeriodsHeading);
    fillUpLayout->addWidget(m_fillUpPeriods, 1);
    m_fillUpPart->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_fillUpPart->hide();
    m_notes = new QPlainTextEdit(content);
    m_notes->setObjectName(QStringLiteral("Huomautukset"));
    m_notes->setAccessibleName(QStringLiteral("Huomautukset"));
    m_notes->setReadOnly(true);
    // Read with the arrow keys, and copied in part with Ctrl+C where some of it is selected.
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_notes->setTabChangesFocus(true);
    m_notes->setFixedHeight(noteLines * m_notes->fontMetrics().lineSpacing()
                            + 2 * int(m_notes->document()->documentMargin()) + 2 * m_notes->frameWidth());
    m_notes->hide();
    inner->addWidget(totalsHeading);
    inner->addWidget(m_totals);
    inner->addSpacing(spacing / 2);
    inner->addWidget(periodsHeading);
    inner->addWidget(m_periods, 1);
    inner->addWidget(m_fillUpPart, 1);
    inner->addWidget(m_notes);
    inner->addStretch();
    scroll->setWidget(content);
    // The gradient shows through: the scroll area would paint the summary's ground.
    content->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    setTabOrder(m_totals, m_periods);
    setTabOrder(m_periods, m_fillUpTotals);
    setTabOrder(m_fillUpTotals, m_fillUpPeriods);
    setTabOrder(m_fillUpPeriods, m_notes);

    auto *copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &SummaryWindow::copySummary);
    addAction(copy);
    // The tables and the note would take S for a search and Escape for nothing.
    closeOnS({this, m_totals, m_periods, m_fillUpTotals, m_fillUpPeriods, m_notes});
}

Done SummaryWindow::Form_Load()
{
    // The tables and the note come before the buttons in Tab order: they are made first.
    const Done made = makeButtons({QStringLiteral("Käytä laskimessa"), QStringLiteral("Sulje")},
                                  buttonSize, buttonCaptionSize);
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, [this](int index) { Nappi_Komento(Command(index)); });
    buttons()->Nappi(int(Command::Close))->setKeyName(QStringLiteral("Esc"));
    layOut();
    return {};
}

void SummaryWindow::refresh(const Calibration &calibration)
{
    m_summary = summarizeStore(RecordStore(folders().recordFolder()), m_energy);
    if (!m_summary.listProblem.isEmpty())
        Messages::current().inform(this, m_summary.listProblem, programTitle(), Messages::Icon::Critical);
    showLines(m_totals, summaryLines(m_summary));
    showPeriods(m_periods, m_summary.periods);

    m_fillUps = summarizeFillUps(readFillUpLog(fillUpLogPath(folders().dataFolder())), m_energy, calibration);
    m_fillUpPart->setVisible(m_fillUps.shown());
    if (m_fillUps.shown()) {
        showLines(m_fillUpTotals, fillUpSummaryLines(m_fillUps));
        showPeriods(m_fillUpPeriods, m_fillUps.periods);
    }

    QStringList notes = summaryNotes(m_summary);
    if (m_fillUps.shown())
        notes << fillUpSummaryNotes(m_fillUps);
    m_notes->setPlainText(notes.join(QLatin1Char('\n')));
    m_notes->setVisible(!notes.isEmpty());
}

void SummaryWindow::Nappi_Komento(Command command)
{
    if (command == Command::UseInCalculator) {
        if (!m_summary.averageConsumption) {
            Messages::current().inform(this, QStringLiteral("Keskikulutusta ei voi laskea: yhdessäkään matkassa ei ole sekä matkaa että litroja."),
                                       programTitle(), Messages::Icon::Information);
            return;
        }
        const std::optional<QString> consumption = consumptionForCalculator(m_summary);
        if (!consumption) {
            Messages::current().inform(this, QStringLiteral("Keskikulutus on liian suuri laskimeen. Tarkista matkat."),
                                       programTitle(), Messages::Icon::Information);
            return;
        }
        hide();
        m_trip.useConsumption(*consumption);
        return;
    }
    hideToMainWindow();
}

void SummaryWindow::layOut()
{
    if (!buttons())
        return;
    const double top = height() - margin - buttonSize.height();
    const double centre = width() / 2;
    buttons()->place(int(Command::UseInCalculator), {centre - buttonSize.width() - buttonGap / 2, top});
    buttons()->place(int(Command::Close), {centre + buttonGap / 2, top});
}

void SummaryWindow::copySummary()
{
    // What the user selected of the note is what they copy; anywhere else the whole summary.
    if (m_notes->hasFocus() && m_notes->textCursor().hasSelection())
        m_notes->copy();
    else
        QGuiApplication::clipboard()->setText(
            summaryText(m_summary)
            + (m_fillUps.shown() ? QLatin1Char('\n') + fillUpSummaryText(m_fillUps) : QString()));
}

} // namespace tankeli
