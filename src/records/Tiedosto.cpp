#include "Tiedosto.h"

#include "FileLayout.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"
#include "mainwindow/Tankeli.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace tankeli {

Tiedosto::Tiedosto(ProgramFolders folders, Tankeli *mainWindow)
    : SecondaryWindow(mainWindow)
    , m_folders(std::move(folders))
    , m_main(mainWindow)
    , m_store(m_folders.recordFolder())
    , m_commands(m_store, *this)
    , m_list(new QListWidget(this))
    , m_name(new QLineEdit(this))
    , m_heading(makeLabel(this, FileLayout::headingSize, Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("Tallennetut tiedostot")))
{
    m_list->setFont(labelFont());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->resize(int(FileLayout::listWidth), 162);
    m_list->setAccessibleName(QStringLiteral("Tallennetut tiedostot"));
    m_name->setFont(labelFont());
    m_name->resize(FileLayout::nameFieldSize.toSize());
    m_name->setAccessibleName(QStringLiteral("Tiedostonimi"));
    setTabOrder(m_list, m_name);
    m_list->installEventFilter(this);
    m_name->installEventFilter(this);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &Tiedosto::followSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Suorita_Toiminto(0); });
    setMinimumOuterTwips(FileLayout::minimumOuterWidthTwips, FileLayout::minimumOuterHeightTwips);
    resize(FileLayout::designedClient);
}

QString Tiedosto::Form_Load()
{
    rereadList();
    ButtonPictures pictures;
    const QString error = pictures.load(m_folders);
    if (!error.isEmpty())
        return error;
    // The first caption is the mode's, set by the main window.
    m_buttons = addButtons(pictures, {QString(), QStringLiteral("Sulje"), QStringLiteral("Poista")});
    connect(m_buttons, &PictureButtons::clicked, this, &Tiedosto::Suorita_Toiminto);
    m_list->setFocus();
    Form_Resize();
    return {};
}

void Tiedosto::Suorita_Toiminto(int index)
{
    m_commands.run(index, m_main->Menu_Avaa->text(), m_main->Menu_Tallenna->text());
}

void Tiedosto::Hae_Tiedostonimi()
{
    m_name->setText(RecordStore::defaultName(QDate::currentDate()));
}

void Tiedosto::followSelection()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        m_name->setText(selected.first()->text());
}

void Tiedosto::selectEntry(int index)
{
    if (index < 0 || index >= m_list->count())
        return;
    m_list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    // Selecting the entry that is already selected changes nothing in the list, but the
    // name field follows it all the same, as after a click.
    m_name->setText(m_list->item(index)->text());
}

QString Tiedosto::nameText() const
{
    return m_name->text();
}

void Tiedosto::setNameText(const QString &text)
{
    m_name->setText(text);
}

QStringList Tiedosto::entries() const
{
    QStringList names;
    names.reserve(m_list->count());
    for (int i = 0; i < m_list->count(); ++i)
        names << m_list->item(i)->text();
    return names;
}

int Tiedosto::selectedEntry() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

// Reads the folder again; the selected entry stays selected while it is still there.
void Tiedosto::rereadList()
{
    const QListWidgetItem *selected = selectedEntry() >= 0 ? m_list->item(selectedEntry()) : nullptr;
    const QString keep = selected ? selected->text() : QString();
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    const QStringList names = m_store.list();
    m_list->addItems(names);
    const qsizetype row = keep.isEmpty() ? -1 : names.indexOf(keep);
    if (row >= 0)
        m_list->setCurrentRow(int(row), QItemSelectionModel::ClearAndSelect);
}

void Tiedosto::inform(const QString &text)
{
    Messages::current().inform(this, text, programTitle(), Messages::Icon::None);
}

bool Tiedosto::ask(const QString &text, const QString &title)
{
    return Messages::current().ask(this, text, title);
}

RecordValues Tiedosto::mainFields() const
{
    return m_main->recordFields();
}

void Tiedosto::setMainFields(const RecordValues &values)
{
    m_main->setRecordFields(values);
}

void Tiedosto::calculate()
{
    m_main->Suorita(0);
}

void Tiedosto::Form_Resize()
{
    const FileLayout l = layoutFileWindow(width(), height(), m_list->height());
    m_list->move(l.list.toPoint());
    if (l.listHeight)
        m_list->resize(m_list->width(), qRound(*l.listHeight));
    m_heading->move(l.heading.toPoint());
    m_name->move(l.nameField.toPoint());
    if (m_buttons)
        for (int k = 0; k < 3; ++k)
            m_buttons->place(k, l.buttons[k], l.buttonCaptions[k]);
}

void Tiedosto::resizeEvent(QResizeEvent *event)
{
    SecondaryWindow::resizeEvent(event);
    Form_Resize();
}

bool Tiedosto::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || (watched == m_list && key == Qt::Key_S)) {
            Suorita_Toiminto(1);
            return true;
        }
        if (watched == m_list && key == Qt::Key_Delete) {
            Suorita_Toiminto(2);
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace tankeli
