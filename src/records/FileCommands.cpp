#include "FileCommands.h"

namespace tankeli {

const QString FileCommands::openRefusal = QStringLiteral("Valitse avattava tiedosto listalta.");
const QString FileCommands::missingForDelete =
    QStringLiteral("Kyseistä tiedostoa ei löytynyt. Tarkasta nimi");

FileCommands::FileCommands(RecordStore &store, FileWindowOperations &window)
    : m_store(store)
    , m_window(window)
{
}

void FileCommands::run(int index, const QString &openCaption, const QString &saveCaption)
{
    if (index == 0) {
        if (m_window.title() == openCaption)
            open();
        else if (m_window.title() == saveCaption)
            save();
    } else if (index == 1) {
        m_window.hideWindow();
    } else if (index == 2) {
        remove();
    }
}

void FileCommands::open()
{
    const QString name = m_window.nameText();
    if (m_window.selectedEntry() < 0 || !m_store.exists(name)) {
        m_window.inform(openRefusal);
        return;
    }
    // A record that cannot be read whole changes no field.
    const ReadOutcome read = m_store.read(name);
    if (!read.values) {
        m_window.inform(read.error);
        return;
    }
    m_window.setMainFields(*read.values);
    m_window.calculate();
    m_window.hideWindow();
    m_window.rereadList();
}

void FileCommands::save()
{
    const QString typed = m_window.nameText();
    if (typed.isEmpty())
        return;
    const QString finalName = RecordStore::finalName(typed);
    // A name that can never be saved is refused before any question is asked.
    if (const auto problem = RecordStore::nameProblem(finalName)) {
        m_window.inform(*problem);
        return;
    }
    if (m_window.selectedEntry() >= 0 && !confirmOverwrite(finalName))
        return;
    const StoreOutcome written = m_store.write(finalName, m_window.mainFields());
    if (!written.ok) {
        m_window.inform(written.error);
        return;
    }
    m_window.rereadList();
}

// Walks the list selecting each entry in turn, and asks about every entry that has
// the final name. No stops the walk where it is.
bool FileCommands::confirmOverwrite(const QString &finalName)
{
    const int remembered = m_window.selectedEntry();
    const QStringList entries = m_window.entries();
    for (int i = 0; i < entries.size(); ++i) {
        m_window.selectEntry(i);
        if (entries[i] != finalName)
            continue;
        const QString question = QStringLiteral("Sinulla on jo olemassa ") + m_window.nameText()
            + QStringLiteral(" niminen tiedosto. Korvataanko kyseinen tiedosto?");
        if (!m_window.ask(question, QStringLiteral("Ylikirjoita")))
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
    const QString question = QStringLiteral("Haluatko varmasti poistaa tiedoston : ") + name
        + QStringLiteral(" ?");
    if (!m_window.ask(question, QStringLiteral("Poista tiedosto")))
        return;
    if (!m_store.exists(name)) {
        m_window.inform(missingForDelete);
        return;
    }
    const StoreOutcome removed = m_store.remove(name);
    if (!removed.ok) {
        m_window.inform(removed.error);
        return;
    }
    m_window.setNameText(QString());
    m_window.rereadList();
}

} // namespace tankeli
