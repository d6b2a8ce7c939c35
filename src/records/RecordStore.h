#pragma once
// The trip records: one small text file per trip in the folder "stat" beside the
// program. Naming, listing, reading, writing and deleting, without any window.

#include "base/LineReader.h"
#include "base/Outcome.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace tankeli {

// The five stored values in file order: price, consumption, distance, trip price,
// litres (the trip price comes before the litres, unlike the main window's rows).
enum RecordLine { RecPrice, RecConsumption, RecDistance, RecTripPrice, RecLitres, RecordLineCount };
using RecordValues = std::array<QString, RecordLineCount>;

// One file of the record folder: the name the user sees, and the file's own name on
// disk. A name that is not UTF-8 (copied from an old Windows folder) is shown decoded
// as Windows-1252, and every operation on the entry uses its own bytes.
struct RecordEntry
{
    QString name;
    QByteArray fileName;
    bool operator==(const RecordEntry &) const = default;
};

// A record's first five lines as far as they could be read.
struct RecordLines
{
    std::array<LineReader::Line, RecordLineCount> state{};
    std::array<QString, RecordLineCount> text;
};

class RecordStore
{
public:
    explicit RecordStore(QString folder);

    // "2006_03_07" for 7 March 2006: year, two-digit month and day, no extension.
    static QString defaultName(const QDate &date);
    // The name a typed name is saved under: unchanged when it ends in ".sav" (letter
    // case significant), else with ".sav" appended; empty for an empty name.
    static QString finalName(const QString &typed);
    // Why a name cannot be given to a new record (a Finnish message), or nullopt: it must
    // not begin with a dot (the list hides such files) or hold a control character.
    static std::optional<QString> nameProblem(const QString &name);
    // Why a value cannot be stored (a Finnish message), or nullopt: it must fit the
    // character set, hold no line break or other control character and be short enough
    // to be read again.
    static std::optional<QString> valueProblem(const QString &value);
    // The name shown for a file's own name bytes.
    static QString shownName(const QByteArray &fileName);

    // The entry a typed name stands for: the existing file shown under that name (its own
    // bytes), or a new file of that name. A name that leaves the folder names no file.
    RecordEntry entryNamed(const QString &name) const;

    // Each operation acts on the entry's own file; the name forms find it first.
    // Why a record cannot be saved under the entry (the name, a folder of that name, a
    // write-protected record), or nullopt when it can.
    std::optional<QString> saveProblem(const RecordEntry &entry) const;
    std::optional<QString> saveProblem(const QString &name) const { return saveProblem(entryNamed(name)); }
    // Whether the entry is a file (not a folder) in the folder.
    bool exists(const RecordEntry &entry) const;
    bool exists(const QString &name) const { return exists(entryNamed(name)); }
    // Creates or replaces the record atomically; a write-protected record is refused, and
    // so is a value that could not be read back as it was written.
    Done write(const RecordEntry &entry, const RecordValues &values);
    Done write(const QString &name, const RecordValues &values) { return write(entryNamed(name), values); }
    // The five lines for the main window; a record that cannot be read whole is refused.
    Outcome<RecordValues> read(const RecordEntry &entry) const;
    Outcome<RecordValues> read(const QString &name) const { return read(entryNamed(name)); }
    // The first five lines as the chart reads them, each read, too long or missing. Only
    // a regular file is read, and no more of it than five lines can hold.
    Outcome<RecordLines> readLines(const RecordEntry &entry) const;
    // Moves the record into the desktop's trash, where a file manager can restore it, or
    // deletes it where its folder has no trash; a write-protected record is refused.
    Done remove(const RecordEntry &entry);
    Done remove(const QString &name) { return remove(entryNamed(name)); }
    // Every file of the folder but the hidden ones (names that begin with a dot), by shown
    // name with letter case ignored. A folder that is not there lists nothing; one that
    // cannot be read is a failure.
    Outcome<QList<RecordEntry>> list() const;

    QString folder() const { return m_folder; }

    // A line longer than this many bytes is never held; the rest of it is skipped.
    static constexpr qsizetype maxLineBytes = 4096;

private:
    // The file name bytes of the existing file shown as name, if there is one.
    std::optional<QByteArray> locate(const QString &name) const;
    QByteArray pathOf(const QByteArray &fileName) const;
    Done prepareScratchFolder() const;
    QString shownFolder() const;

    QString m_folder;
    QByteArray m_folderBytes;
};

} // namespace tankeli
