#include "CsvText.h"

#include "base/EightBitText.h"
#include "base/FailureText.h"
#include "base/LineReader.h"
#include "calculator/NumberText.h"

#include <QFile>
#include <cerrno>
#include <unistd.h>
#include <utility>

namespace tankeli {
namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Past the line end at i: CR LF, LF or a bare CR.
qsizetype afterLineEnd(QStringView text, qsizetype i)
{
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        return i + 2;
    return i + 1;
}

QString decodeUtf16(QByteArrayView bytes, bool littleEndian)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = uchar(bytes[i]);
        const auto b = uchar(bytes[i + 1]);
        text[i / 2] = QChar(littleEndian ? ushort(a | (b << 8)) : ushort((a << 8) | b));
    }
    return text;
}

} // namespace

DecodedText decodeText(const QByteArray &bytes)
{
    const QByteArrayView view(bytes);
    if (view.startsWith("\xFF\xFE"))
        return {decodeUtf16(view.sliced(2), true), TextEncoding::Utf16LittleEndian};
    if (view.startsWith("\xFE\xFF"))
        return {decodeUtf16(view.sliced(2), false), TextEncoding::Utf16BigEndian};
    if (view.startsWith(utf8ByteOrderMark))
        return {QString::fromUtf8(view.sliced(3)), TextEncoding::Utf8WithMark};
    if (view.isValidUtf8())
        return {QString::fromUtf8(view), TextEncoding::Utf8};
    return {decodeEightBit(bytes), TextEncoding::Windows1252};
}

CsvRows parseCsv(QStringView text, QChar separator, int firstRow)
{
    const qsizetype size = text.size();
    CsvRows result;
    qsizetype i = 0;
    qsizetype lastFieldCount = 0;
    for (int row = firstRow; i < size; ++row) {
        QStringList fields;
        // Rows are mostly as wide as the one before: one allocation instead of a growing list.
        fields.reserve(lastFieldCount);
        bool quoted = false;
        const int startRow = row;
        for (;;) {
            QString field;
            if (i < size && text[i] == u'"') {
                quoted = true;
                ++i;
                for (;;) {
                    const qsizetype quote = text.indexOf(u'"', i);
                    if (quote < 0) {
                        result.problems.append({startRow, QStringLiteral("Lainausmerkillä alkava kenttä ei pääty, "
                                                                         "joten tiedoston loppua ei luettu.")});
                        return result;
                    }
                    const QStringView inside = text.sliced(i, quote - i);
                    // Line breaks inside quotes keep the spreadsheet's row count.
                    for (qsizetype k = 0; k < inside.size(); ++k)
                        if (inside[k] == u'\n' || (inside[k] == u'\r' && (k + 1 >= inside.size() || inside[k + 1] != u'\n')))
                            ++row;
                    field += inside;
                    i = quote + 1;
                    if (i >= size || text[i] != u'"')
                        break;
                    field += u'"';
                    ++i;
                }
            }
            // An unquoted field, or whatever follows a closing quote, runs to the
            // separator or the line end.
            const qsizetype start = i;
            while (i < size && text[i] != separator && !isLineEnd(text[i]))
                ++i;
            if (field.isEmpty())
                field = text.sliced(start, i - start).toString();
            else
                field += text.sliced(start, i - start);
            fields.append(std::move(field));
            if (i < size && text[i] == separator) {
                ++i;
                continue;
            }
            if (i < size)
                i = afterLineEnd(text, i);
            break;
        }
        lastFieldCount = fields.size();
        if (quoted || fields.size() > 1 || !fields[0].isEmpty())
            result.rows.append({startRow, std::move(fields)});
    }
    return result;
}

QChar guessSeparator(QStringView line)
{
    int semicolons = 0;
    int commas = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u';')
            ++semicolons;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u'\t')
            ++tabs;
    }
    if (tabs > semicolons && tabs > commas)
        return u'\t';
    return commas > semicolons ? u',' : u';';
}

QList<TextLine> splitLines(QStringView text)
{
    QList<TextLine> lines;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && !isLineEnd(text[end]))
            ++end;
        lines.append({i, text.sliced(i, end - i)});
        i = end < text.size() ? afterLineEnd(text, end) : end;
    }
    return lines;
}

QByteArray spreadsheetLine(const QStringList &fields)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ';';
        const QByteArray bytes = fields[i].toUtf8();
        if (bytes.contains(';') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n'))
            out += '"' + QByteArray(bytes).replace("\"", "\"\"") + '"';
        else
            out += bytes;
    }
    // A row of one empty field would read back as an empty line, which is no row.
    if (fields.size() == 1 && fields[0].isEmpty())
        out += "\"\"";
    return out + "\r\n";
}

QString cellForSpreadsheet(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@'");
    const bool guarded = !text.isEmpty() && formulaStarts.contains(text.front()) && !textToDouble(text);
    return guarded ? QLatin1Char('\'') + text : text;
}

QString cellFromSpreadsheet(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) ? cell.mid(1) : cell;
}

} // namespace tankeli
