#include "FillUpImport.h"

#include "base/FailureText.h"
#include "calculator/NumberText.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace tankeli {
namespace {

enum class Field { Date, Odometer, Amount, Price, Total, Full, Partial, Missed, Note, FillType, Count };
constexpr int fieldCount = int(Field::Count);

enum class SlashDates { MonthFirst, DayFirst };

// How one format is known and where its values are. Names are compared lower case,
// without spaces and underscores.
struct FormatLayout
{
    ImportFormat format;
    QString section;                   // "##log": the table follows this line; empty: the file is the table
    QList<QStringList> identifying;    // one name of each list is in the header
    std::array<QStringList, fieldCount> names;
    SlashDates slashDates = SlashDates::DayFirst;
};

QString normalName(const QString &name)
{
    QString n = name.trimmed().toLower();
    n.remove(u' ');
    n.remove(u'_');
    return n;
}

// The names as each program's documentation and exports give them; where a program
// documents little, the names of its export's header as users quote them, and the
// obvious alternatives.
const QList<FormatLayout> &formats()
{
    static const QList<FormatLayout> specs = [] {
        QList<FormatLayout> list;
        FormatLayout tankeli{ImportFormat::Tankeli, {}, {{"mittarilukema(km)"}, {"päivämäärä"}}, {}};
        tankeli.names[int(Field::Date)] = {"päivämäärä"};
        tankeli.names[int(Field::Odometer)] = {"mittarilukema(km)"};
        tankeli.names[int(Field::Amount)] = {"määrä(l)", "määrä(kwh)", "määrä(kg)"};
        tankeli.names[int(Field::Price)] = {"hinta(€/l)", "hinta(€/kwh)", "hinta(€/kg)"};
        tankeli.names[int(Field::Total)] = {"yhteensä(€)"};
        tankeli.names[int(Field::Full)] = {"täysi"};
        tankeli.names[int(Field::Missed)] = {"edellinenpuuttuu"};
        tankeli.names[int(Field::Note)] = {"huomautus"};
        list << tankeli;

        FormatLayout lube{ImportFormat::LubeLogger, {}, {{"fuelconsumed"}, {"isfilltofull"}}, {}, SlashDates::MonthFirst};
        lube.names[int(Field::Date)] = {"date"};
        lube.names[int(Field::Odometer)] = {"odometer"};
        lube.names[int(Field::Amount)] = {"fuelconsumed"};
        lube.names[int(Field::Total)] = {"cost"};
        lube.names[int(Field::Full)] = {"isfilltofull"};
        lube.names[int(Field::Missed)] = {"missedfuelup"};
        lube.names[int(Field::Note)] = {"notes", "note"};
        list << lube;

        FormatLayout fuelly{ImportFormat::Fuelly, {}, {{"fuelupdate"}}, {}, SlashDates::MonthFirst};
        fuelly.names[int(Field::Date)] = {"fuelupdate"};
        fuelly.names[int(Field::Odometer)] = {"odometer"};
        fuelly.names[int(Field::Amount)] = {"litres", "liters", "gallons", "ukgallons", "imperialgallons"};
        fuelly.names[int(Field::Price)] = {"price"};
        fuelly.names[int(Field::Partial)] = {"partialfuelup"};
        fuelly.names[int(Field::Missed)] = {"missedfuelup"};
        fuelly.names[int(Field::Note)] = {"notes", "note"};
        list << fuelly;

        FormatLayout fuelio{ImportFormat::Fuelio, QStringLiteral("##log"), {{"odo(km)", "odo(mi)", "odo(miles)", "odo"}}, {}};
        fuelio.names[int(Field::Date)] = {"data", "date"};
        fuelio.names[int(Field::Odometer)] = {"odo(km)", "odo(mi)", "odo(miles)", "odo"};
        fuelio.names[int(Field::Amount)] = {"fuel(litres)", "fuel(liters)", "fuel(gallons)", "fuel(usgallons)",
                                           "fuel(ukgallons)", "fuel(gal)", "fuel(kwh)", "fuel(kg)", "fuel"};
        fuelio.names[int(Field::Price)] = {"volumeprice"};
        fuelio.names[int(Field::Total)] = {"price(optional)", "price"};
        fuelio.names[int(Field::Full)] = {"full"};
        fuelio.names[int(Field::Missed)] = {"missed"};
        fuelio.names[int(Field::Note)] = {"notes(optional)", "notes", "note"};
        list << fuelio;

        FormatLayout drivvo{ImportFormat::Drivvo, QStringLiteral("##refuelling"), {{"odometer"}}, {}};
        drivvo.names[int(Field::Date)] = {"date", "data"};
        drivvo.names[int(Field::Odometer)] = {"odometer"};
        drivvo.names[int(Field::Amount)] = {"volume", "liters", "litres", "fuelamount", "quantity", "gallons"};
        drivvo.names[int(Field::Price)] = {"price", "priceperliter", "unitprice", "fuelprice"};
        drivvo.names[int(Field::Total)] = {"totalcost", "totalvalue", "total", "cost"};
        drivvo.names[int(Field::Full)] = {"fulltank", "tankfull", "filledtank", "full"};
        drivvo.names[int(Field::Missed)] = {"previousrefuellingmissing", "missedrefuelling", "missed"};
        drivvo.names[int(Field::Note)] = {"notes", "note", "observation"};
        list << drivvo;

        FormatLayout sprit{ImportFormat::Spritmonitor, {}, {{"quantity", "menge"}, {"type", "typ", "tankart"}}, {}};
        sprit.names[int(Field::Date)] = {"date", "datum"};
        sprit.names[int(Field::Odometer)] = {"odometer", "kilometerstand", "km-stand"};
        sprit.names[int(Field::Amount)] = {"quantity", "menge"};
        sprit.names[int(Field::Price)] = {"priceperunit", "preisproeinheit"};
        sprit.names[int(Field::Total)] = {"totalprice", "costs", "cost", "gesamtpreis", "kosten", "betrag"};
        sprit.names[int(Field::FillType)] = {"type", "typ", "tankart"};
        sprit.names[int(Field::Note)] = {"note", "notes", "bemerkung", "notiz"};
        list << sprit;
        return list;
    }();
    return specs;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Whether the text is a whole number with a point before every group of three digits:
// "30.000", "-1.234.567".
bool isGroupedByPoint(QStringView t)
{
    qsizetype at = t.startsWith(u'-') || t.startsWith(u'+') ? 1 : 0;
    const qsizetype lead = at;
    while (at < t.size() && isAsciiDigit(t[at]))
        ++at;
    if (at == lead || at - lead > 3 || at == t.size())
        return false;
    while (at < t.size()) {
        if (t[at] != u'.' || at + 4 > t.size() || !std::all_of(t.begin() + at + 1, t.begin() + at + 4, isAsciiDigit))
            return false;
        at += 4;
    }
    return true;
}

// The value of a plain decimal ("-12.5", "+3", "40"), read without QLocale, which was a
// fifth of an import's time; nullopt for anything else, which QLocale then reads.
std::optional<double> plainDecimal(QStringView t)
{
    constexpr qsizetype longest = 64;
    if (t.isEmpty() || t.size() > longest)
        return std::nullopt;
    char ascii[longest];
    qsizetype length = 0;
    qsizetype at = t.front() == u'+' || t.front() == u'-' ? 1 : 0;
    if (t.front() == u'-')
        ascii[length++] = '-';
    const qsizetype wholeStart = at;
    for (; at < t.size() && isAsciiDigit(t[at]); ++at)
        ascii[length++] = char(t[at].unicode());
    if (at == wholeStart)
        return std::nullopt;
    if (at < t.size() && t[at] == u'.') {
        ascii[length++] = '.';
        const qsizetype fractionStart = ++at;
        for (; at < t.size() && isAsciiDigit(t[at]); ++at)
            ascii[length++] = char(t[at].unicode());
        if (at == fractionStart)
            return std::nullopt;
    }
    if (at != t.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(ascii, ascii + length, value);
    if (error != std::errc() || end != ascii + length || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A number as other programs write it: a decimal point or comma; a thousands separator
// where both are in it. In a file separated by semicolons (a continental spreadsheet), a
// point before every group of three digits is a thousands separator: "30.000" km.
std::optional<double> importNumber(const QString &text, bool continental)
{
    QString t = text.trimmed();
    t.remove(u' ');
    t.remove(QChar(0x00A0));
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype comma = t.lastIndexOf(u',');
    const qsizetype point = t.lastIndexOf(u'.');
    if (comma >= 0 && point >= 0) {
        t.remove(comma > point ? u'.' : u',');
        t.replace(u',', u'.');
    } else if (comma >= 0) {
        if (t.count(u',') > 1)
            t.remove(u',');
        else
            t.replace(u',', u'.');
    } else if (point >= 0) {
        if (t.count(u'.') > 1 || (continental && isGroupedByPoint(t)))
            t.remove(u'.');
    }
    if (const std::optional<double> plain = plainDecimal(t))
        return plain;
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The date at the text's start (a time may follow): 2024-03-07 (or with / or .), 7.3.2024,
// or 3/7/2024 as the format has it. Read by hand: a regular expression per row was much
// of an import's time.
std::optional<QDate> importDate(const QString &text, SlashDates slashDates)
{
    const QStringView t = QStringView(text).trimmed();
    const auto numbers = [&t](std::array<int, 3> least, std::array<int, 3> most, QStringView separators) {
        const std::optional<DateNumbers> found = dateNumbers(t, least, most, separators);
        return found ? std::optional(found->numbers) : std::nullopt;
    };
    QDate date;
    if (const auto iso = numbers({4, 1, 1}, {4, 2, 2}, u"-/.")) {
        date = QDate((*iso)[0], (*iso)[1], (*iso)[2]);
    } else if (const auto dotted = numbers({1, 1, 4}, {2, 2, 4}, u".")) {
        date = QDate((*dotted)[2], (*dotted)[1], (*dotted)[0]);
    } else if (const auto slashed = numbers({1, 1, 4}, {2, 2, 4}, u"/")) {
        int month = (*slashed)[0];
        int day = (*slashed)[1];
        // A first number above 12 is a day whatever the format's habit.
        if (slashDates == SlashDates::DayFirst || month > 12)
            std::swap(month, day);
        date = QDate((*slashed)[2], month, day);
    }
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<bool> importTruth(const QString &text)
{
    // Most files write 1/0 or true/false: those are told without a lowered copy.
    const QStringView view = QStringView(text).trimmed();
    for (const auto &[word, truth] : {std::pair{QLatin1String("1"), true}, std::pair{QLatin1String("0"), false},
                                      std::pair{QLatin1String("true"), true}, std::pair{QLatin1String("false"), false}})
        if (view.compare(word, Qt::CaseSensitive) == 0)
            return truth;
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("1") || t == QStringLiteral("kyllä"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0") || t == QLatin1String("ei"))
        return false;
    return std::nullopt;
}

// Where a format's table is: its rows, the header first.
struct Table
{
    const FormatLayout *layout = nullptr;
    CsvRows rows;
    QChar separator;
};

bool identifies(const FormatLayout &layout, const QStringList &header)
{
    for (const QStringList &names : layout.identifying)
        if (std::none_of(names.begin(), names.end(), [&](const QString &n) { return header.contains(n); }))
            return false;
    return true;
}

QStringList normalHeader(const QStringList &fields)
{
    QStringList header;
    for (const QString &f : fields)
        header << normalName(f);
    return header;
}

std::optional<Table> findTable(const QString &text)
{
    const QList<TextLine> lines = splitLines(text);
    // A file of sections: the table runs from its section's line to the next section.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // Most lines are rows: only one whose first mark is # can name a section.
        const QStringView lineText = lines[i].text;
        const auto mark = std::find_if(lineText.begin(), lineText.end(),
                                       [](QChar c) { return c != u'"' && c != u'_' && !c.isSpace(); });
        if (mark == lineText.end() || *mark != u'#')
            continue;
        const QString line = normalName(lineText.toString().remove(u'"'));
        if (!line.startsWith(QLatin1String("##")))
            continue;
        for (const FormatLayout &layout : formats()) {
            if (layout.section.isEmpty() || !line.startsWith(layout.section))
                continue;
            const QString sectionText = line.mid(layout.section.size());
            if (!sectionText.isEmpty() && sectionText.front().isLetterOrNumber())
                continue;
            qsizetype end = i + 1;
            while (end < lines.size() && !lines[end].text.toString().remove(u'"').trimmed().startsWith(QLatin1String("##")))
                ++end;
            if (i + 1 >= lines.size())
                return std::nullopt;
            const qsizetype from = lines[i + 1].start;
            const qsizetype to = end < lines.size() ? lines[end].start : text.size();
            Table table{&layout, {}, guessSeparator(lines[i + 1].text)};
            table.rows = parseCsv(QStringView(text).sliced(from, to - from), table.separator, int(i + 2));
            return table;
        }
    }
    qsizetype first = 0;
    while (first < lines.size() && lines[first].text.trimmed().isEmpty())
        ++first;
    if (first >= lines.size())
        return std::nullopt;
    const QChar separator = guessSeparator(lines[first].text);
    CsvRows rows = parseCsv(text, separator);
    if (rows.rows.isEmpty())
        return std::nullopt;
    const QStringList header = normalHeader(rows.rows[0].fields);
    for (const FormatLayout &layout : formats())
        if (layout.section.isEmpty() && identifies(layout, header))
            return Table{&layout, rows, separator};
    return std::nullopt;
}

// The units the header names: miles for the odometer, gallons for the amount.
struct Units
{
    double kilometresPerUnit = 1;
    double litresPerUnit = 1;
};

Units unitsOf(const QStringList &header, const std::array<int, fieldCount> &at)
{
    Units units;
    const auto named = [&](Field field) { return at[int(field)] >= 0 ? header[at[int(field)]] : QString(); };
    const QString odometer = named(Field::Odometer);
    const bool miles = odometer.contains(QLatin1String("(mi")) || header.contains(QLatin1String("miles"))
                       || header.contains(QLatin1String("mpg"));
    if (miles && !header.contains(QLatin1String("km")))
        units.kilometresPerUnit = kilometresPerMile;
    const QString amount = named(Field::Amount);
    if (amount.contains(QLatin1String("gal")))
        units.litresPerUnit = amount.contains(QLatin1String("uk")) || amount.contains(QLatin1String("imp"))
                                  ? litresPerUkGallon : litresPerUsGallon;
    return units;
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("d.M.yyyy"));
}

QString fillUpCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 tankkaus") : QStringLiteral("%1 tankkausta").arg(count);
}

} // namespace

QString formatName(ImportFormat format)
{
    switch (format) {
    case ImportFormat::Tankeli: return QStringLiteral("Tankeli");
    case ImportFormat::Fuelly: return QStringLiteral("Fuelly");
    case ImportFormat::Fuelio: return QStringLiteral("Fuelio");
    case ImportFormat::Spritmonitor: return QStringLiteral("Spritmonitor");
    case ImportFormat::Drivvo: return QStringLiteral("Drivvo");
    case ImportFormat::LubeLogger: return QStringLiteral("LubeLogger");
    }
    return {};
}

Outcome<ImportPreview> previewImport(const QByteArray &bytes, const QString &fileName, const QList<FillUp> &log,
                                     QDate today, Energy energy)
{
    const QString decoded = decodeText(bytes);
    const std::optional<Table> table = findTable(decoded);
    if (!table)
        return Outcome<ImportPreview>::failure(
            QStringLiteral("Tiedostossa %1 ei ole tankkauksia missään tunnetussa muodossa. Tuoda voi Fuellyn, Fuelion, "
                           "Spritmonitorin, Drivvon ja LubeLoggerin CSV-viennit sekä Tankelin oman tankkauslokin.")
                .arg(fileName));
    const FormatLayout &layout = *table->layout;
    const QStringList header = normalHeader(table->rows.rows.value(0).fields);
    std::array<int, fieldCount> at{};
    for (int f = 0; f < fieldCount; ++f) {
        at[f] = -1;
        for (const QString &name : layout.names[f])
            if (at[f] < 0)
                at[f] = int(header.indexOf(name));
    }
    const bool priced = at[int(Field::Price)] >= 0 || at[int(Field::Total)] >= 0;
    if (at[int(Field::Date)] < 0 || at[int(Field::Odometer)] < 0 || at[int(Field::Amount)] < 0 || !priced)
        return Outcome<ImportPreview>::failure(
            QStringLiteral("Tiedosto %1 näyttää %2-viennitä, mutta siitä puuttuu päivämäärän, mittarilukeman, määrän "
                           "tai hinnan sarake.").arg(fileName, formatName(layout.format)));
    const Units units = unitsOf(header, at);

    ImportPreview preview;
    preview.format = layout.format;
    QSet<QString> known;
    const auto keyOf = [](const FillUp &f) { return isoDateText(f.date) + u'|' + doubleToText(f.odometer); };
    for (const FillUp &f : log)
        known.insert(keyOf(f));
    OdometerCheck others(log);
    for (const CsvRow &row : table->rows.rows.mid(1)) {
        const auto cell = [&](Field field) { return at[int(field)] >= 0 ? row.fields.value(at[int(field)]) : QString(); };
        const auto refuse = [&](const QString &why) { preview.refused.append({row.row, why}); };
        const std::optional<QDate> date = importDate(cell(Field::Date), layout.slashDates);
        if (!date) {
            refuse(QStringLiteral("päivämäärä \"%1\" ei ole päivämäärä.").arg(cell(Field::Date).trimmed()));
            continue;
        }
        FillUpDraft draft;
        draft.date = isoDateText(*date);
        const std::array<std::tuple<Field, QString *, double>, 4> numbers{
            std::tuple{Field::Odometer, &draft.odometer, units.kilometresPerUnit},
            std::tuple{Field::Amount, &draft.amount, units.litresPerUnit},
            std::tuple{Field::Price, &draft.price, 1.0 / units.litresPerUnit}, std::tuple{Field::Total, &draft.total, 1.0}};
        bool numbersRead = true;
        for (const auto &[field, text, factor] : numbers) {
            const QString given = cellFromSpreadsheet(cell(field)).trimmed();
            if (given.isEmpty())
                continue;
            const std::optional<double> value = importNumber(given, table->separator == u';');
            if (!value) {
                refuse(QStringLiteral("\"%1\" ei ole luku.").arg(given));
                numbersRead = false;
                break;
            }
            // A price or total of 0 is the way some programs leave it out.
            if (*value != 0 || field == Field::Odometer || field == Field::Amount)
                *text = doubleToText(*value * factor);
        }
        if (!numbersRead)
            continue;
        // A truth value as true/false, yes/no or 1/0; an empty cell or no column is `absent`.
        bool truthsRead = true;
        const auto truth = [&](Field field, bool absent) {
            const QString given = cell(field).trimmed();
            if (given.isEmpty())
                return absent;
            const std::optional<bool> value = importTruth(given);
            truthsRead = truthsRead && value.has_value();
            return value.value_or(absent);
        };
        bool full = truth(Field::Full, true) && !truth(Field::Partial, false);
        const bool missed = truth(Field::Missed, false);
        if (!truthsRead) {
            refuse(QStringLiteral("täyttä tai puuttuvaa edellistä tankkausta ei voi lukea: kirjoita true/false, yes/no tai 1/0."));
            continue;
        }
        if (at[int(Field::FillType)] >= 0) {
            const QString type = cell(Field::FillType).trimmed();
            if (type != QLatin1String("1") && type != QLatin1String("2")) {
                refuse(QStringLiteral("tankkauksen tyyppi \"%1\" ei ole 1 (täysi) eikä 2 (osittainen).").arg(type));
                continue;
            }
            full = type == QLatin1String("1");
        }
        draft.full = full;
        draft.missedBefore = missed;
        draft.note = cellFromSpreadsheet(cell(Field::Note));
        const std::optional<double> odometer = numberFromText(draft.odometer);
        const QString key = odometer ? draft.date + u'|' + doubleToText(*odometer) : QString();
        if (odometer && known.contains(key)) {
            ++preview.alreadyInLog;
            continue;
        }
        const RowCheck check = checkRow(draft, others, today, QStringLiteral("rivi %1").arg(row.row), energy);
        if (!check.fillUp) {
            // "rivi 5, Määrä (l): …" without the row, which the list gives.
            const QString message = check.refusal->message;
            refuse(message.mid(message.indexOf(u',') + 2));
            continue;
        }
        // The fill-up's date and reading are the draft's, read back: its key is the one looked up.
        known.insert(key);
        others.add(*check.fillUp);
        preview.fillUps.append({row.row, *check.fillUp});
    }
    for (const CsvProblem &problem : table->rows.problems)
        preview.refused.append(problem);
    std::stable_sort(preview.refused.begin(), preview.refused.end(),
                     [](const CsvProblem &a, const CsvProblem &b) { return a.row < b.row; });
    std::stable_sort(preview.fillUps.begin(), preview.fillUps.end(),
                     [](const ImportedFillUp &a, const ImportedFillUp &b) { return comesBefore(a.fillUp, b.fillUp); });
    if (!preview.fillUps.isEmpty()) {
        preview.first = preview.fillUps.first().fillUp.date;
        preview.last = preview.fillUps.last().fillUp.date;
    }
    return preview;
}

Outcome<ImportPreview> previewImportFile(const QString &path, const QList<FillUp> &log, QDate today, Energy energy)
{
    const QString shown = shownPath(path);
    const Outcome<QByteArray> bytes = readWholeFile(path, maxFillUpImportBytes, shown,
                                                      QStringLiteral("Tiedostoa %1 ei luettu: se on suurempi kuin %2 Mt.").arg(shown).arg(maxFillUpImportBytes >> 20));
    if (!bytes)
        return Outcome<ImportPreview>::failure(bytes.error());
    return previewImport(*bytes, shown, log, today, energy);
}

QList<FillUp> withImported(const QList<FillUp> &log, const ImportPreview &preview)
{
    QList<FillUp> merged = log;
    for (const ImportedFillUp &imported : preview.fillUps)
        merged.append(imported.fillUp);
    sortFillUps(merged);
    return merged;
}

QString previewText(const ImportPreview &preview)
{
    QString text = QStringLiteral("Tiedosto on %1-vienti.").arg(formatName(preview.format));
    if (preview.fillUps.isEmpty())
        text += QStringLiteral(" Siinä ei ole uusia tankkauksia.");
    else
        text += QStringLiteral(" Siitä tuodaan %1 ajalta %2–%3.")
                    .arg(fillUpCount(preview.fillUps.size()), dateText(*preview.first), dateText(*preview.last));
    if (preview.alreadyInLog > 0)
        text += QStringLiteral(" %1 on jo lokissa (sama päivä ja mittarilukema), eikä niitä tuoda uudelleen.")
                    .arg(fillUpCount(preview.alreadyInLog));
    if (!preview.refused.isEmpty()) {
        text += QStringLiteral("\n\nNäitä rivejä ei voida tuoda:");
        constexpr qsizetype listedAtMost = 15;
        for (qsizetype i = 0; i < preview.refused.size() && i < listedAtMost; ++i)
            text += QStringLiteral("\nrivi %1: %2").arg(preview.refused[i].row).arg(preview.refused[i].reason);
        if (preview.refused.size() > listedAtMost)
            text += QStringLiteral("\n… ja %1 muuta.").arg(preview.refused.size() - listedAtMost);
    }
    return text;
}

} // namespace tankeli
