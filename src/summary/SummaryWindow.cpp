#include "SummaryWindow.h"

#include "SummaryLayout.h"
#include "TripSummary.h"
#include "calculator/NumberText.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "records/TripFields.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace tankeli {

namespace {
const QStringList tableColumns{QStringLiteral("Kausi"), QStringLiteral("Matkoja"), QStringLiteral("Matka"),
                               QStringLiteral("Polttoaine"), QStringLiteral("Kustannukset")};
}

SummaryWindow::SummaryWindow(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip)
    : SecondaryWindow(folders, mainWindow,
                      {SummaryLayout::designedClient, SummaryLayout::minimumOuterTwips,
                       SummaryLayout::contentMinimum()})
    , m_trip(trip)
{
    setWindowTitle(QStringLiteral("Yhteenveto"));
    // Made top to bottom, so a screen reader meets them in the order they are seen.
    for (int i = 0; i < SummaryLayout::lineCount; ++i) {
        m_labels[i] = makeLabel(this, QSizeF(SummaryLayout::labelWidth, SummaryLayout::lineHeight), Qt::AlignLeft | Qt::AlignVCenter);
        m_values[i] = makeLabel(this, QSizeF(SummaryLayout::minimumValueWidth, SummaryLayout::lineHeight), Qt::AlignLeft | Qt::AlignVCenter);
        m_values[i]->setObjectName(QStringLiteral("Arvo(%1)").arg(i));
    }
    m_heading = makeLabel(this, QSizeF(SummaryLayout::labelWidth, 17), Qt::AlignLeft | Qt::AlignVCenter);
    m_table = new QTableWidget(0, int(tableColumns.size()), this);
    m_leftOut = new QPlainTextEdit(this);
    m_heading->setText(QStringLiteral("Kuukausittain"));
    m_heading->setObjectName(QStringLiteral("txt_Kuukausittain"));
    m_table->setObjectName(QStringLiteral("Kuukausittain"));
    m_table->setHorizontalHeaderLabels(tableColumns);
    m_table->setAccessibleName(QStringLiteral("Kuukausittain"));
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < int(tableColumns.size()); ++c)
        m_table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    m_leftOut->setObjectName(QStringLiteral("Pois"));
    m_leftOut->setAccessibleName(QStringLiteral("Pois jätetyt matkat"));
    m_leftOut->setReadOnly(true);
    m_leftOut->setTabChangesFocus(true);
    m_leftOut->hide();
    m_table->installEventFilter(this);
    m_leftOut->installEventFilter(this);
}

Done SummaryWindow::Form_Load()
{
    // The table and the note come before the buttons in Tab order: they are made first.
    const Done made = makeButtons({QStringLiteral("Käytä laskimessa"), QStringLiteral("Sulje")},
                                  SummaryLayout::buttonSize, SummaryLayout::buttonCaptionSize);
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, &SummaryWindow::Nappi_Komento);
    buttons()->Nappi(1)->setKeyName(QStringLiteral("Esc"));
    layOut();
    return {};
}

void SummaryWindow::refresh()
{
    const TripSummary summary = summarizeStore(RecordStore(folders().recordFolder()));
    if (!summary.listProblem.isEmpty())
        Messages::current().inform(this, summary.listProblem, programTitle(), Messages::Icon::Critical);
    const QList<SummaryLine> lines = summaryLines(summary);
    for (int i = 0; i < SummaryLayout::lineCount; ++i) {
        const SummaryLine line = lines.value(i);
        m_labels[i]->setText(line.label);
        m_valueTexts[i] = line.value;
        m_values[i]->setToolTip(line.value);
        m_values[i]->setAccessibleName(line.label + QStringLiteral(": ") + line.value);
    }
    m_averageConsumption = summary.averageConsumption;

    m_table->setRowCount(int(summary.periods.size()));
    for (int r = 0; r < summary.periods.size(); ++r) {
        const QStringList cells = periodCells(summary.periods[r]);
        for (int c = 0; c < cells.size() && c < m_table->columnCount(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (summary.periods[r].month == 0) { // a year's or the others' row stands out
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_table->setItem(r, c, item);
        }
    }

    QStringList leftOut;
    for (const LeftOutTrip &trip : summary.leftOut)
        leftOut << trip.name + QStringLiteral(": ") + trip.reason;
    if (!leftOut.isEmpty())
        leftOut.prepend(summary.leftOut.size() == 1
                            ? QStringLiteral("1 matka jätettiin laskuista pois:")
                            : QStringLiteral("%1 matkaa jätettiin laskuista pois:").arg(summary.leftOut.size()));
    m_leftOut->setPlainText(leftOut.join(QLatin1Char('\n')));
    m_leftOut->setVisible(!leftOut.isEmpty());
    layOut();
}

void SummaryWindow::Nappi_Komento(int index)
{
    if (index == 0) {
        if (!m_averageConsumption) {
            Messages::current().inform(this, QStringLiteral("Keskikulutusta ei voi laskea: yhdessäkään matkassa ei ole sekä matkaa että litroja."),
                                       programTitle(), Messages::Icon::Information);
            return;
        }
        hide();
        m_trip.useConsumption(singleToText(float(*m_averageConsumption)));
        return;
    }
    hideToMainWindow();
}

void SummaryWindow::layOut()
{
    const SummaryLayout l = layoutSummaryWindow(width(), height(), m_leftOut->isVisibleTo(this));
    for (int i = 0; i < SummaryLayout::lineCount; ++i) {
        m_labels[i]->move(l.labels[i].toPoint());
        m_values[i]->move(l.values[i].toPoint());
        m_values[i]->resize(qRound(l.valueWidth), m_values[i]->height());
        // A long trip name ends in "…" rather than at the window's edge; the tooltip and
        // a screen reader have it whole.
        m_values[i]->setText(m_values[i]->fontMetrics().elidedText(m_valueTexts[i], Qt::ElideMiddle, m_values[i]->width()));
    }
    m_heading->move(l.heading.toPoint());
    m_table->setGeometry(l.table.toRect());
    if (l.leftOut)
        m_leftOut->setGeometry(l.leftOut->toRect());
    if (buttons())
        for (int i = 0; i < 2; ++i)
            buttons()->place(i, l.buttons[i]);
}

void SummaryWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_S) {
        Nappi_Komento(1);
        return;
    }
    SecondaryWindow::keyPressEvent(event);
}

bool SummaryWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The table and the note would take S for a search and Escape for nothing.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_S) {
            Nappi_Komento(1);
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace tankeli
