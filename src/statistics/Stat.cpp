#include "Stat.h"

#include "ChartCanvas.h"
#include "StatLayout.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"

#include <QKeyEvent>

namespace tankeli {

Stat::Stat(const ProgramFolders &folders, QWidget *mainWindow, std::function<RecordList *()> records)
    : SecondaryWindow(folders, mainWindow,
                      {StatLayout::designedClient, StatLayout::minimumOuterTwips,
                       StatLayout::contentMinimum()})
    , m_records(std::move(records))
    , m_canvas(new ChartCanvas(this))
    , m_title(makeLabel(this, StatLayout::titleSize, Qt::AlignLeft | Qt::AlignVCenter))
{
    m_canvas->resize(int(StatLayout::canvasWidth), 217);
    m_canvas->setObjectName(QStringLiteral("Taulu"));
    m_title->setObjectName(QStringLiteral("txt_Otsikko"));
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
        captions << chartSelector(i).caption;
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
    // The canvas, made before them, comes after the selectors for Tab, then Sulje.
    QWidget::setTabOrder(m_selectors->Nappi(chartSelectorCount - 1), m_canvas);
    QWidget::setTabOrder(m_canvas, buttons()->Nappi(0));

    connect(buttons(), &PictureButtons::clicked, this, &Stat::Nappi_Komento);
    connect(m_selectors, &PictureButtons::clicked, this, &Stat::Piirra_Kayra);
    connect(this, &GradientBackground::backgroundMouseMoved, m_selectors,
            &PictureButtons::showAllNormal);
    layOut();
    return {};
}

void Stat::Nappi_Komento(int index)
{
    if (index == 0)
        hideToMainWindow();
}

void Stat::Piirra_Kayra(int index)
{
    RecordList *list = m_records();
    if (!list)
        return;
    // Trips imported or deleted since the file window last read the folder count too.
    list->readAgain();
    RecordStore store(folders().recordFolder());
    const auto read = [&store](const RecordEntry &entry) { return store.readLines(entry); };
    const ChartPlan plan = buildChart(*list, read, index, m_canvas->width(), m_canvas->height());
    Messages &messages = Messages::current();
    if (!plan.listProblem.isEmpty()) {
        messages.inform(this, plan.listProblem, programTitle(), Messages::Icon::Critical);
        return;
    }
    if (plan.tooFewRecords) {
        messages.inform(this, chartTooFewMessage, chartTooFewTitle, Messages::Icon::Critical);
        return;
    }
    m_canvas->showPlan(plan, chartSelector(index).unit);
    for (int i = 0; i < chartSelectorCount; ++i)
        m_selectors->Nappi(i)->setChecked(i == index);
    m_lastPlan = plan;
    for (int i = 0; i < plan.faults.size(); ++i)
        messages.inform(this, chartFaultMessage, programTitle(), Messages::Icon::Critical);
}

void Stat::redrawForCanvasSize()
{
    if (!m_lastPlan)
        return;
    const ChartPlan &last = *m_lastPlan;
    m_canvas->showPlan(planChart(last.series, last.names, last.selector, m_canvas->width(),
                                 m_canvas->height()),
                       chartSelector(last.selector).unit);
}

void Stat::layOut()
{
    const StatLayout l = layoutStatWindow(width(), height());
    const QSize before = m_canvas->size();
    m_canvas->move(l.canvas.toPoint());
    if (l.canvasHeight >= 0)
        m_canvas->resize(m_canvas->width(), qRound(l.canvasHeight));
    m_title->move(l.title.toPoint());
    if (m_selectors)
        for (int i = 0; i < chartSelectorCount; ++i)
            m_selectors->place(i, l.selectors[i]);
    if (buttons())
        buttons()->place(0, l.button);
    if (m_canvas->size() != before)
        redrawForCanvasSize();
}

void Stat::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_S) {
        Nappi_Komento(0);
        return;
    }
    SecondaryWindow::keyPressEvent(event);
}

} // namespace tankeli
