#include "Stat.h"

#include "ChartCanvas.h"
#include "StatLayout.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"
#include "records/Tiedosto.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace tankeli {

Stat::Stat(ProgramFolders folders, Tankeli *mainWindow)
    : SecondaryWindow(mainWindow)
    , m_folders(std::move(folders))
    , m_main(mainWindow)
    , m_canvas(new ChartCanvas(this))
    , m_title(makeLabel(this, StatLayout::titleSize, Qt::AlignLeft | Qt::AlignVCenter))
{
    m_canvas->resize(int(StatLayout::canvasWidth), 217);
    setMinimumOuterTwips(StatLayout::minimumOuterWidthTwips, StatLayout::minimumOuterHeightTwips);
    resize(StatLayout::designedClient);
}

QString Stat::Form_Load()
{
    ButtonPictures pictures;
    const QString error = pictures.load(m_folders);
    if (!error.isEmpty())
        return error;
    m_buttons = addButtons(pictures, {QStringLiteral("Sulje")});
    m_selectors = new PictureButtons(this, pictures, chartSelectorCount, StatLayout::selectorSize,
                                     StatLayout::selectorCaptionSize);
    for (int i = 0; i < chartSelectorCount; ++i) {
        m_selectors->Nappi_Txt(i)->setFont(canvasFont());
        m_selectors->setCaption(i, m_main->txt_Vasen(i)->text());
    }
    m_title->setText(QStringLiteral("Statistiikka ikkuna"));

    connect(m_buttons, &PictureButtons::clicked, this, &Stat::Nappi_Komento);
    connect(m_selectors, &PictureButtons::clicked, this, &Stat::Piirra_Kayra);
    connect(this, &GradientBackground::backgroundMouseMoved, m_selectors,
            &PictureButtons::showAllNormal);
    Form_Resize();
    return {};
}

void Stat::Nappi_Komento(int index)
{
    if (index == 0)
        hideToMainWindow();
}

void Stat::Piirra_Kayra(int index)
{
    Tiedosto *files = m_main->fileWindow();
    if (!files)
        return;
    const QStringList names = files->entries();
    if (names.size() < 2) {
        Messages::current().inform(this, chartTooFewMessage, chartTooFewTitle,
                                   Messages::Icon::Critical);
        return;
    }
    RecordStore store(m_folders.recordFolder());
    const auto read = [&store](const QString &name) { return store.readLines(name); };
    const ChartValues values = readChartValues(names, read);
    ChartPlan plan = planChart(values, index, m_canvas->width(), m_canvas->height());
    // The chart walks the list selecting each entry; the file window shows the last.
    files->selectEntry(int(names.size()) - 1);
    m_canvas->showPlan(plan, names, chartSelector(index).unit);
    m_lastRun = LastRun{values, names, index};
    for (int i = 0; i < values.faults.size() + plan.faults.size(); ++i)
        Messages::current().inform(this, chartFaultMessage, programTitle(), Messages::Icon::Critical);
}

void Stat::redrawForCanvasSize()
{
    if (!m_lastRun)
        return;
    const ChartPlan plan = planChart(m_lastRun->values, m_lastRun->selector, m_canvas->width(),
                                     m_canvas->height());
    m_canvas->showPlan(plan, m_lastRun->names, chartSelector(m_lastRun->selector).unit);
}

void Stat::Form_Resize()
{
    const StatLayout l = layoutStatWindow(width(), height());
    const QSize before = m_canvas->size();
    m_canvas->move(l.canvas.toPoint());
    if (l.canvasHeight >= 0)
        m_canvas->resize(m_canvas->width(), qRound(l.canvasHeight));
    m_title->move(l.title.toPoint());
    if (m_selectors)
        for (int i = 0; i < chartSelectorCount; ++i)
            m_selectors->place(i, l.selectors[i], l.selectorCaptions[i]);
    if (m_buttons)
        m_buttons->place(0, l.button, l.buttonCaption);
    if (m_canvas->size() != before)
        redrawForCanvasSize();
}

void Stat::resizeEvent(QResizeEvent *event)
{
    SecondaryWindow::resizeEvent(event);
    Form_Resize();
}

void Stat::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_S) {
        Nappi_Komento(0);
        return;
    }
    SecondaryWindow::keyPressEvent(event);
}

void Stat::closeEvent(QCloseEvent *event)
{
    event->accept();
    focusMainWindow();
}

} // namespace tankeli
