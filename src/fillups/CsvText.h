#pragma once
// Comma- or semicolon-separated text as spreadsheets and other programs write it (the
// trips' spreadsheet, the fill-up log and other programs' exports): the
// bytes decoded whatever their encoding (UTF-8 with or without a byte-order mark, UTF-16
// with one, else Windows-1252), lines ending in CR LF, LF or a bare CR, fields quoted as
// RFC 4180 quotes them; and rows written in the program's own spreadsheet dialect.

#include "base/LineReader.h"
#include "base/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tankeli {

// The text of a file: UTF-16 by its byte-order mark, UTF-8 with or without one, and
// Windows-1252 where the bytes are not UTF-8. One mark is taken off; a second one is
// text, as an export wrote it. Half a UTF-16 character reads as U+FFFD, as a bad UTF-8
// sequence does.
QString decodeText(const QByteArray &bytes);

// A row numbered as a spreadsheet numbers it: the first line is row firstRow, an empty
// line is a row too, and a quoted field's line breaks do not start a new one.
struct CsvRow
{
    int row = 0;
    QStringList fields;
};

struct CsvProblem
{
    int row = 0;
    QString reason; // Finnish
    bool operator==(const CsvProblem &) const = default;
};

struct CsvRows
{
    QList<CsvRow> rows;         // empty lines left out
    QList<CsvProblem> problems; // a quote that never closes; the text ends there
};

CsvRows parseCsv(QStringView text, QChar separator, int firstRow = 1);

// The separator of a header line: the one of ; , and tab that occurs most outside quotes
// (; where none does).
QChar guessSeparator(QStringView line);

// The text of each line, and where it starts, without reading quotes: for finding the
// sections ("## Log") of files that hold several tables.
struct TextLine
{
    qsizetype start = 0;
    QStringView text;
};
QList<TextLine> splitLines(QStringView text);

// One row in the program's dialect: fields between semicolons, quoted (quotes doubled)
// where they hold a semicolon, a quote or a line break, and CR LF.
QByteArray spreadsheetLine(const QStringList &fields);
// A cell that a spreadsheet would run as a formula (=, +, -, @ and no number) behind an
// apostrophe; a cell that begins with one gets another. cellFromSpreadsheet takes it off.
QString cellForSpreadsheet(const QString &text);
QString cellFromSpreadsheet(const QString &cell);

inline const QByteArray utf8ByteOrderMark("\xEF\xBB\xBF");

} // namespace tankeli
