#pragma once
// The trip records: one small text file per trip in the folder "stat" beside the
// program. Naming, listing, reading, writing and deleting, without any window.

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tankeli {

// The five stored values in file order: price, consumption, distance, trip price,
// litres (the trip price comes before the litres, unlike the main window's rows).
enum RecordLine { RecPrice, RecConsumption, RecDistance, RecTripPrice, RecLitres, RecordLineCount };
using RecordValues = std::array<QString, RecordLineCount>;

// A record's first five lines as far as they could be read.
struct RecordLines
{
    QString openError;                                   // empty when the file opened
    std::array<std::optional<QString>, RecordLineCount> lines; // nullopt: not readable
    QString lineError;                                   // message for the first unreadable line
    bool opened() const { return openError.isEmpty(); }
};

struct StoreOutcome
{
    bool ok = true;
    QString error; // a Finnish message for the user when !ok
};

struct ReadOutcome
{
    std::optional<RecordValues> values;
    QString error;
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
    // Why a name cannot be a record name (a Finnish message), or nullopt when it can.
    static std::optional<QString> nameProblem(const QString &name);

    bool exists(const QString &name) const;
    StoreOutcome write(const QString &name, const RecordValues &values);
    RecordLines readLines(const QString &name) const;
    ReadOutcome read(const QString &name) const;
    StoreOutcome remove(const QString &name);
    // Every file of the folder, by name with letter case ignored.
    QStringList list() const;

    QString folder() const { return m_folder; }

    // Reading stops after this many bytes a line, so a large stray file cannot stall it.
    static constexpr qsizetype maxLineBytes = 4096;

private:
    QString pathOf(const QString &name) const;
    StoreOutcome ensureFolder();
    QString replaceAtomically(const QString &target, const QByteArray &content);
    QString m_folder;
};

} // namespace tankeli
