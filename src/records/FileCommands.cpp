#include "FileCommands.h"

#include "base/FailureText.h"

namespace tankeli {

const QString FileCommands::openRefusal = QStringLiteral("Valitse avattava tiedosto listalta.");
const QString FileCommands::missingForDelete =
    QStringLiteral("Kyseistä tiedostoa ei löytynyt. Tarkasta nimi");

FileCommands::FileCommands(RecordStore &store, FileWindowOperations &window, TripFields &trip)
    : m_store(store)
    , m_window(window)
    , m_trip(trip)
{
}

void FileCommands::run(FileCommand command)
{
    switch (command) {
    case FileCommand::OpenOrSave:
        if (m_window.mode() == FileMode::Open)
            open();
        else
            save();
        break;
    case FileCommand::Close:
        m_window.hideWindow();
        break;
    case FileCommand::Delete:
        remove();
        break;
    }
}

RecordEntry FileCommands::target(const QString &name) const
{
    const int selected = m_window.selectedEntry();
    if (selected >= 0) {
        const RecordEntry entry = m_window.entries().value(selected);
        if (entry.name == name)
            return entry;
    }
    return m_store.entryNamed(name);
}

void FileCommands::open()
{
    const RecordEntry record = target(m_window.nameText());
    if (m_window.selectedEntry() < 0 || !m_store.exists(record)) {
        m_window.inform(openRefusal);
        return;
    }
    // A record that cannot be read whole changes no field.
    const Outcome<RecordValues> read = m_store.read(record);
    if (!read) {
        m_window.inform(read.error());
        return;
    }
    m_trip.setRecordValues(*read);
    m_trip.calculate();
    m_window.hideWindow();
    m_window.rereadList();
}

void FileCommands::save()
{
    const QString typed = m_window.nameText();
    if (typed.isEmpty())
        return;
    const QString finalName = RecordStore::finalName(typed);
    const RecordEntry record = target(finalName);
    // A record that can never be saved is refused before any question is asked.
    const RecordValues values = m_trip.recordValues();
    std::optional<QString> problem = m_store.saveProblem(record);
    for (qsizetype i = 0; i < RecordLineCount && !problem; ++i)
        problem = RecordStore::valueProblem(values[i]);
    if (problem) {
        m_window.inform(*problem);
        return;
    }
    bool asked = false;
    if (m_window.selectedEntry() >= 0 && !confirmOverwrite(finalName, asked))
        return;
    // Whatever the list shows, a record of that name is never replaced unasked.
    if (!asked && m_store.exists(record) && !askOverwrite(record.name))
        return;
    const Done written = m_store.write(record, values);
    if (!written) {
        m_window.inform(written.error());
        return;
    }
    m_window.rereadList();
}

bool FileCommands::askOverwrite(const QString &name)
{
    const QString question = QStringLiteral("Sinulla on jo olemassa ")
        + elideMiddle(name)
        + QStringLiteral(" niminen tiedosto. Korvataanko kyseinen tiedosto?");
    return m_window.ask(question, QStringLiteral("Ylikirjoita")) == Answer::Yes;
}

bool FileCommands::confirmOverwrite(const QString &finalName, bool &asked)
{
    const int remembered = m_window.selectedEntry();
    const QList<RecordEntry> entries = m_window.entries();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].name != finalName)
            continue;
        m_window.selectEntry(i);
        asked = true;
        if (!askOverwrite(entries[i].name))
            return false;
    }
    m_window.selectEntry(remembered);
    return true;
}

void FileCommands::remove()
{
    const QString name = m_window.nameText();
    if (name.isEmpty() || m_window.selectedEntry() < 0)
        return;
    const QString question = QStringLiteral("Haluatko varmasti poistaa tiedoston : ")
        + elideMiddle(name) + QStringLiteral(" ?");
    // No, or the program asked to end while the question was open: nothing is deleted.
    if (m_window.ask(question, QStringLiteral("Poista tiedosto")) != Answer::Yes)
        return;
    const RecordEntry record = target(name);
    if (!m_store.exists(record)) {
        m_window.inform(missingForDelete);
        return;
    }
    const Done removed = m_store.remove(record);
    if (!removed) {
        m_window.inform(removed.error());
        return;
    }
    m_window.setNameText(QString());
    m_window.rereadList();
}

} // namespace tankeli
