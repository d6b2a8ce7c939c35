#include "CsvText.h"

#include "base/EightBitText.h"
#include "calculator/NumberText.h"

#include <QStringDecoder>
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

// Half a character of UTF-16 (a surrogate without its pair) reads as U+FFFD, as a bad
// UTF-8 sequence does, so that what is read is what an export writes back.
QString withoutHalfCharacters(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QString decodeText(const QByteArray &bytes)
{
    constexpr auto keepMarks = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    QByteArrayView view(bytes);
    for (const auto &[mark, encoding] : {std::pair{QByteArrayView("\xFF\xFE"), QStringConverter::Utf16LE},
                                         std::pair{QByteArrayView("\xFE\xFF"), QStringConverter::Utf16BE}})
        if (view.startsWith(mark))
            return withoutHalfCharacters(QStringDecoder(encoding, keepMarks).decode(view.sliced(mark.size())));
    if (view.startsWith(utf8ByteOrderMark))
        view = view.sliced(utf8ByteOrderMark.size());
    return view.isValidUtf8() ? QStringDecoder(QStringConverter::Utf8, keepMarks).decode(view)
                              : decodeEightBit(view.toByteArray());
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
        for (;;) {
            QString field;
            if (i < size && text[i] == u'"') {
                quoted = true;
                ++i;
                for (;;) {
                    const qsizetype quote = text.indexOf(u'"', i);
                    if (quote < 0) {
                        result.problems.append({row, QStringLiteral("Lainausmerkillä alkava kenttä ei pääty, "
                                                                    "joten tiedoston loppua ei luettu.")});
                        return result;
                    }
                    field += text.sliced(i, quote - i);
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
            result.rows.append({row, std::move(fields)});
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
