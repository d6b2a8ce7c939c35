#include "Tiedosto.h"

#include "FileLayout.h"
#include "FileList.h"
#include "TripFields.h"
#include "look/Fonts.h"
#include "look/Labels.h"
#include "look/Messages.h"
#include "look/PictureButtons.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace tankeli {

Tiedosto::Tiedosto(const ProgramFolders &folders, QWidget *mainWindow, TripFields &trip)
    : SecondaryWindow(folders, mainWindow,
                      {FileLayout::designedClient, FileLayout::minimumOuterTwips,
                       FileLayout::contentMinimum()})
    , m_store(folders.recordFolder())
    , m_commands(m_store, *this, trip)
    , m_list(new FileList(this))
    , m_name(new QLineEdit(this))
    , m_heading(makeLabel(this, FileLayout::headingSize, Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("Tallennetut tiedostot")))
{
    m_list->setFont(labelFont());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->resize(int(FileLayout::listWidth), 162);
    m_list->setObjectName(QStringLiteral("Tiedostot"));
    m_list->setAccessibleName(QStringLiteral("Tallennetut tiedostot"));
    m_name->setFont(labelFont());
    m_name->resize(FileLayout::nameFieldSize.toSize());
    m_name->setObjectName(QStringLiteral("Tiedostonimi"));
    m_name->setAccessibleName(QStringLiteral("Tiedostonimi"));
    m_heading->setObjectName(QStringLiteral("txt_Otsikko"));
    setTabOrder(m_list, m_name);
    m_list->installEventFilter(this);
    m_name->installEventFilter(this);
    closeOnS({m_list}); // the name field takes the letter
    connect(m_list, &FileList::entryChosen, this, &Tiedosto::followSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Suorita_Toiminto(FileCommand::OpenOrSave); });
}

Done Tiedosto::Form_Load()
{
    readList();
    // The first caption is the mode's, set when the window is shown.
    const Done made = makeButtons({QString(), QStringLiteral("Sulje"), QStringLiteral("Poista")});
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, [this](int index) { Suorita_Toiminto(FileCommand(index)); });
    const auto button = [this](FileCommand command) { return buttons()->Nappi(int(command)); };
    for (const auto &[command, key] :
         {std::pair{FileCommand::OpenOrSave, "Enter"}, {FileCommand::Close, "Esc"}, {FileCommand::Delete, "Delete"}})
        button(command)->setKeyName(QString::fromLatin1(key));
    // Tab goes on from the name field in reading order: Sulje, the mode's button, Poista.
    setTabOrder(m_name, button(FileCommand::Close));
    setTabOrder(button(FileCommand::Close), button(FileCommand::OpenOrSave));
    setTabOrder(button(FileCommand::OpenOrSave), button(FileCommand::Delete));
    m_list->setFocus();
    return {};
}

void Tiedosto::showFor(FileMode mode, const QString &caption)
{
    m_mode = mode;
    setWindowTitle(caption);
    showInFront();
    buttons()->setCaption(0, caption);
    // Another program may have added or removed records since the list was read.
    readList();
    // The focus starts where the mode's command takes its name, so that Enter runs that
    // command: in the name field with the proposed name selected for typing over, or on
    // the entry selected in the list (the first when none is).
    if (mode == FileMode::Save) {
        Hae_Tiedostonimi();
        m_name->setFocus(Qt::OtherFocusReason);
        m_name->selectAll();
    } else {
        selectEntry(qMax(selectedEntry(), 0));
        m_list->setFocus(Qt::OtherFocusReason);
    }
    if (!m_listProblem.isEmpty())
        inform(m_listProblem);
}

void Tiedosto::Suorita_Toiminto(FileCommand command)
{
    m_commands.run(command);
}

void Tiedosto::Hae_Tiedostonimi()
{
    m_name->setText(RecordStore::defaultName(QDate::currentDate()));
}

void Tiedosto::followSelection(int row)
{
    m_name->setText(m_list->item(row)->text());
}

void Tiedosto::selectRecord(const RecordEntry &entry)
{
    readList();
    for (int k = 0; k < m_entries.size(); ++k)
        if (m_entries[k].fileName == entry.fileName)
            selectEntry(k);
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

int Tiedosto::selectedEntry() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

// Reads the folder again; the selected entry stays selected while it is still there.
void Tiedosto::readList()
{
    const int selected = selectedEntry();
    const QByteArray keep = selected >= 0 ? m_entries.value(selected).fileName : QByteArray();
    const Outcome<QList<RecordEntry>> listed = m_store.list();
    m_listProblem = listed.error();
    // Refilling a long list costs more than comparing it (with a screen reader, far more).
    if (listed && *listed == m_entries && m_list->count() == m_entries.size())
        return;
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_entries = listed ? *listed : QList<RecordEntry>();
    for (const RecordEntry &entry : std::as_const(m_entries)) {
        auto *item = new QListWidgetItem(entry.name, m_list);
        if (!keep.isNull() && entry.fileName == keep)
            m_list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    }
}

void Tiedosto::rereadList()
{
    readList();
    if (!m_listProblem.isEmpty())
        inform(m_listProblem);
}

void Tiedosto::inform(const QString &text)
{
    Messages::current().inform(this, text, programTitle(), Messages::Icon::None);
}

Answer Tiedosto::ask(const QString &text, const QString &title)
{
    return Messages::current().ask(this, text, title);
}

void Tiedosto::layOut()
{
    const FileLayout l = layoutFileWindow(width(), height(), m_list->height());
    m_list->move(l.list.toPoint());
    if (l.listHeight)
        m_list->resize(m_list->width(), qRound(*l.listHeight));
    m_heading->move(l.heading.toPoint());
    m_name->move(l.nameField.toPoint());
    if (buttons())
        for (int button = 0; button < buttons()->count(); ++button)
            buttons()->place(button, l.buttons[std::size_t(button)]);
}

bool Tiedosto::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == m_list && key == Qt::Key_Delete) {
            Suorita_Toiminto(FileCommand::Delete);
            return true;
        }
        // Enter runs the mode's command: in the name field as its button does, on an
        // entry of the list as a double click on it does (in either mode).
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && (watched == m_name || selectedEntry() >= 0)) {
            Suorita_Toiminto(FileCommand::OpenOrSave);
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}

} // namespace tankeli
