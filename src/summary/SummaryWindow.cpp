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
#include <QScreen>
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

// The designed size, or less where the screen's free area under the main window's frame
// is smaller: the window never opens taller than the screen. Its minimum still rules.
QSize openingClient(const QWidget *mainWindow)
{
    if (!mainWindow || !mainWindow->screen())
        return designedClient;
    const QWidget *main = mainWindow->window();
    const QSize frame = main->frameGeometry().size() - main->geometry().size();
    return designedClient.boundedTo(mainWindow->screen()->availableGeometry().size() - frame);
}

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

} // namespace

SummaryWindow::SummaryWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip, Energy energy)
    : SecondaryWindow(folders, mainWindow, {openingClient(mainWindow), minimumOuterTwips, contentMinimum})
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
    QLabel *totalsHeading = makeLabel(content, {}, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kaikki matkat"));
    totalsHeading->setObjectName(QStringLiteral("txt_Kaikki"));
    m_totals = makeTable(content, QStringLiteral("Kaikki"), {QStringLiteral("Suure"), QStringLiteral("Arvo")});
    m_totals->setAccessibleName(totalsHeading->text());
    m_totals->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_totals->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A long trip name is shortened in its middle; the tooltip has it whole.
    m_totals->setTextElideMode(Qt::ElideMiddle);
    QLabel *periodsHeading = makeLabel(content, {}, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kuukausittain"));
    periodsHeading->setObjectName(QStringLiteral("txt_Kuukausittain"));
    m_periods = makeTable(content, QStringLiteral("Kuukausittain"), periodColumns(m_energy));
    m_periods->setAccessibleName(periodsHeading->text());
    // Every column as wide as its texts, the table scrolling sideways where it is narrower.
    m_periods->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_periods->setMinimumHeight(m_periods->horizontalHeader()->sizeHint().height()
                                + periodRowsAtLeast * m_periods->verticalHeader()->defaultSectionSize()
                                + 2 * m_periods->frameWidth());
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
    inner->addWidget(m_notes);
    scroll->setWidget(content);
    // The gradient shows through: the scroll area would paint the summary's ground.
    content->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    setTabOrder(m_totals, m_periods);
    setTabOrder(m_periods, m_notes);

    auto *copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &SummaryWindow::copySummary);
    addAction(copy);
    // The tables and the note would take S for a search and Escape for nothing.
    closeOnS({this, m_totals, m_periods, m_notes});
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

void SummaryWindow::refresh()
{
    m_summary = summarizeStore(RecordStore(folders().recordFolder()), m_energy);
    if (!m_summary.listProblem.isEmpty())
        Messages::current().inform(this, m_summary.listProblem, programTitle(), Messages::Icon::Critical);

    const QList<SummaryLine> lines = summaryLines(m_summary);
    m_totals->setRowCount(int(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        m_totals->setItem(r, 0, makeCell(lines[r].caption, Qt::AlignLeft | Qt::AlignVCenter));
        QTableWidgetItem *value = makeCell(lines[r].shown(), Qt::AlignLeft | Qt::AlignVCenter);
        value->setToolTip(lines[r].shown());
        // A screen reader going down the values reads each with its caption.
        value->setData(Qt::AccessibleTextRole, lines[r].caption + QStringLiteral(": ") + lines[r].shown());
        m_totals->setItem(r, 1, value);
    }
    // Every line shows: the table is as tall as its rows, and the window scrolls.
    m_totals->setFixedHeight(m_totals->horizontalHeader()->sizeHint().height() + m_totals->verticalHeader()->length()
                             + 2 * m_totals->frameWidth());
    if (!m_totals->currentItem())
        m_totals->setCurrentCell(0, 1);

    m_periods->setRowCount(int(m_summary.periods.size()));
    for (int r = 0; r < m_summary.periods.size(); ++r) {
        const QStringList cells = periodCells(m_summary.periods[r]);
        for (int c = 0; c < cells.size() && c < m_periods->columnCount(); ++c) {
            QTableWidgetItem *item = makeCell(cells[c], c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                               : Qt::AlignRight | Qt::AlignVCenter);
            if (m_summary.periods[r].month == 0) { // a year's or the others' row stands out
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_periods->setItem(r, c, item);
        }
    }
    // A screen reader coming to the table reads its first row.
    if (!m_periods->currentItem() && m_periods->rowCount() > 0)
        m_periods->setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);

    const QStringList notes = summaryNotes(m_summary);
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
        QGuiApplication::clipboard()->setText(summaryText(m_summary));
}

} // namespace tankeli
