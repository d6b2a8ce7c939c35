#include "Stat.h"

#include "ChartCanvas.h"
#include "ChartTable.h"
#include "StatLayout.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace tankeli {

Stat::Stat(const ProgramFolders &folders, QWidget *mainWindow, Energy energy)
    : SecondaryWindow(folders, mainWindow,
                      {StatLayout::designedClient, StatLayout::minimumOuterTwips,
                       StatLayout::contentMinimum()})
    , m_energy(energy)
    , m_canvas(new ChartCanvas(this))
    , m_values(new ChartTable(this))
    , m_table(new QTableView(this))
    , m_title(makeLabel(this, StatLayout::titleSize, Qt::AlignLeft | Qt::AlignVCenter))
{
    m_canvas->resize(int(StatLayout::canvasWidth), 217);
    m_canvas->setObjectName(QStringLiteral("Taulu"));
    m_title->setObjectName(QStringLiteral("txt_Otsikko"));

    m_table->setObjectName(QStringLiteral("Arvot"));
    m_table->setAccessibleName(QStringLiteral("Käyrän arvot"));
    m_table->setModel(m_values);
    m_table->setFont(canvasFont());
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setFocusPolicy(Qt::NoFocus); // Tab reaches it once a chart is drawn
    m_table->setGeometry(m_canvas->geometry());
    m_table->stackUnder(m_canvas);
    m_table->installEventFilter(this);
    // S closes the window wherever the focus is; the table would look for a row by it.
    closeOnS({this, m_table});
}

Done Stat::Form_Load()
{
    // Tab goes in reading order: the selectors row by row, the chart, then Sulje below
    // them; the window opens with the focus on the first selector.
    const Done loaded = loadPictures();
    if (!loaded)
        return loaded;
    QStringList captions;
    for (int i = 0; i < chartSelectorCount; ++i)
        captions << chartSelector(i, m_energy).caption;
    m_selectors = new PictureButtons(this, pictures(), captions, StatLayout::selectorSize,
                                     StatLayout::selectorCaptionSize, QStringLiteral("Knapi"));
    for (int i = 0; i < chartSelectorCount; ++i)
        m_selectors->Nappi(i)->setCaptionFont(canvasFont());
    const Done made = makeButtons({QStringLiteral("Sulje")});
    if (!made)
        return made;
    m_title->setText(QStringLiteral("Statistiikka ikkuna"));
    for (int i = 0; i < chartSelectorCount; ++i)
        m_selectors->Nappi(i)->makeSelector();
    // The canvas and its table, made before them, come after the selectors for Tab,
    // then Sulje. Qt orders only controls that take the focus, as the table does once
    // a chart is drawn.
    QWidget::setTabOrder(m_selectors->Nappi(chartSelectorCount - 1), m_canvas);
    m_table->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(m_canvas, m_table);
    QWidget::setTabOrder(m_table, buttons()->Nappi(0));
    m_table->setFocusPolicy(Qt::NoFocus);

    connect(buttons(), &PictureButtons::clicked, this, [this](int index) { Nappi_Komento(Command(index)); });
    buttons()->Nappi(0)->setKeyName(QStringLiteral("Esc"));
    connect(m_selectors, &PictureButtons::clicked, this, &Stat::Piirra_Kayra);
    connect(this, &GradientBackground::backgroundMouseMoved, m_selectors,
            &PictureButtons::showAllNormal);
    layOut();
    return {};
}

void Stat::Nappi_Komento(Command command)
{
    if (command == Command::Close)
        closeCommand();
}

void Stat::Piirra_Kayra(int index)
{
    const RecordStore store(folders().recordFolder());
    const Outcome<QList<RecordEntry>> listed = store.list();
    const auto read = [&store](const RecordEntry &entry) { return store.readLines(entry); };
    const ChartPlan plan = buildChart(listed, read, index, m_canvas->width(), m_canvas->height(), m_energy);
    Messages &messages = Messages::current();
    if (!plan.listProblem.isEmpty()) {
        messages.inform(this, plan.listProblem, programTitle(), Messages::Icon::Critical);
        return;
    }
    if (plan.tooFewRecords) {
        messages.inform(this, chartTooFewMessage, chartTooFewTitle, Messages::Icon::Critical);
        return;
    }
    m_canvas->showPlan(plan, chartSelector(index, m_energy).unit);
    m_values->showPlan(plan);
    m_table->setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < chartSelectorCount; ++i)
        m_selectors->Nappi(i)->setChecked(i == index);
    m_lastPlan = plan;
    emit chartWalked(listed->last());
    for (int i = 0; i < plan.faults.size(); ++i)
        messages.inform(this, chartFaultMessage, programTitle(), Messages::Icon::Critical);
}

void Stat::redrawForCanvasSize()
{
    if (!m_lastPlan)
        return;
    const ChartPlan &last = *m_lastPlan;
    m_canvas->showPlan(planChart(last.series, last.names, last.selector, m_canvas->width(), m_canvas->height(), m_energy),
                       chartSelector(last.selector, m_energy).unit);
}

void Stat::layOut()
{
    const StatLayout l = layoutStatWindow(width(), height());
    const QSize before = m_canvas->size();
    m_canvas->move(l.canvas.toPoint());
    if (l.canvasHeight >= 0)
        m_canvas->resize(m_canvas->width(), qRound(l.canvasHeight));
    m_table->setGeometry(m_canvas->geometry());
    m_title->move(l.title.toPoint());
    if (m_selectors)
        for (int i = 0; i < chartSelectorCount; ++i)
            m_selectors->place(i, l.selectors[i]);
    if (buttons())
        buttons()->place(0, l.button);
    if (m_canvas->size() != before)
        redrawForCanvasSize();
}

bool Stat::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table) {
        // The table comes over the chart while it has the focus.
        if (event->type() == QEvent::FocusIn)
            m_table->raise();
        else if (event->type() == QEvent::FocusOut)
            m_table->stackUnder(m_canvas);
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace tankeli
