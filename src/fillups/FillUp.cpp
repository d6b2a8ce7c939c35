#include "FillUp.h"

#include "calculator/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace tankeli {

QString columnTitle(FillUpColumn column, Energy energy)
{
    const QString unit = energyWords(energy).amountSymbol;
    switch (column) {
    case FillUpColumn::Date: return QStringLiteral("Päivämäärä");
    case FillUpColumn::Odometer: return QStringLiteral("Mittarilukema (km)");
    case FillUpColumn::Amount: return QStringLiteral("Määrä (%1)").arg(unit);
    case FillUpColumn::Price: return QStringLiteral("Hinta (€/%1)").arg(unit);
    case FillUpColumn::Total: return QStringLiteral("Yhteensä (€)");
    case FillUpColumn::Full: return QStringLiteral("Täysi");
    case FillUpColumn::MissedBefore: return QStringLiteral("Edellinen puuttuu");
    case FillUpColumn::Note: return QStringLiteral("Huomautus");
    case FillUpColumn::Driven: return QStringLiteral("Ajettu (km)");
    case FillUpColumn::Consumption: return QStringLiteral("Kulutus (%1/100 km)").arg(unit);
    }
    return {};
}

QStringList columnTitles(Energy energy, int count)
{
    QStringList titles;
    for (int c = 0; c < count; ++c)
        titles << columnTitle(FillUpColumn(c), energy);
    return titles;
}

QString columnExplanation(FillUpColumn column, Energy energy)
{
    const QString unit = energyWords(energy).amountSymbol;
    switch (column) {
    case FillUpColumn::Date: return QStringLiteral("Tankkauksen päivä, muodossa 2024-03-07 tai 7.3.2024.");
    case FillUpColumn::Odometer: return QStringLiteral("Matkamittarin lukema tankatessa, kilometreinä.");
    case FillUpColumn::Amount: return QStringLiteral("Tankattu määrä (%1). Määrästä, hinnasta ja summasta kaksi riittää.").arg(unit);
    case FillUpColumn::Price: return QStringLiteral("Hinta euroina yksiköltä (€/%1).").arg(unit);
    case FillUpColumn::Total: return QStringLiteral("Maksettu summa euroina.");
    case FillUpColumn::Full: return QStringLiteral("Tankattiinko täyteen. Kulutus lasketaan täydestä täyteen; osittainen tankkaus lasketaan seuraavaan täyteen.");
    case FillUpColumn::MissedBefore: return QStringLiteral("Jokin tätä edeltävä tankkaus jäi kirjaamatta: ketju katkeaa, eikä seuraavalle täydelle lasketa kulutusta.");
    case FillUpColumn::Note: return QStringLiteral("Vapaa huomautus, esimerkiksi asema tai reitti.");
    case FillUpColumn::Driven: return QStringLiteral("Kilometrit edellisestä tankkauksesta (kalibroinnin ollessa käytössä korjattuina).");
    case FillUpColumn::Consumption:
        return QStringLiteral("Täyden tankkauksen kulutus: kaikki edellisen täyden jälkeen tankattu (osittaiset ja tämä mukaan lukien) "
                              "jaettuna edellisestä täydestä ajetuilla kilometreillä, %1/100 km.").arg(unit);
    }
    return {};
}

bool comesBefore(const FillUp &a, const FillUp &b)
{
    return a.date != b.date ? a.date < b.date : a.odometer < b.odometer;
}

void sortFillUps(QList<FillUp> &fillUps)
{
    // A log is read in its own order: sorted already, nothing to move.
    if (std::is_sorted(fillUps.cbegin(), fillUps.cend(), comesBefore))
        return;
    std::stable_sort(fillUps.begin(), fillUps.end(), comesBefore);
}

FillUpDraft draftOf(const FillUp &fillUp)
{
    return {isoDateText(fillUp.date), doubleToText(fillUp.odometer), doubleToText(fillUp.amount),
            doubleToText(fillUp.price), doubleToText(fillUp.total), fillUp.full, fillUp.missedBefore, fillUp.note};
}

namespace {

// The value of least to most ASCII digits at `at`, which moves past them.
std::optional<int> leadingDigits(QStringView text, qsizetype &at, int least, int most)
{
    int value = 0;
    int count = 0;
    for (; count < most && at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at, ++count)
        value = value * 10 + (text[at].unicode() - u'0');
    if (count < least)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<DateNumbers> dateNumbers(QStringView text, std::array<int, 3> least, std::array<int, 3> most,
                                       QStringView separators)
{
    DateNumbers found{};
    qsizetype at = 0;
    for (int p = 0; p < 3; ++p) {
        if (p > 0 && (at >= text.size() || !separators.contains(text[at++])))
            return std::nullopt;
        const std::optional<int> value = leadingDigits(text, at, least[p], most[p]);
        if (!value)
            return std::nullopt;
        found.numbers[p] = *value;
    }
    found.end = at;
    return found;
}

std::optional<QDate> dateFromText(const QString &text)
{
    const QStringView trimmed = QStringView(text).trimmed();
    const bool iso = trimmed.size() > 4 && trimmed[4] == u'-';
    // 2024-03-07: four digits, then one or two twice; 7.3.2024: the other way round.
    const std::optional<DateNumbers> found = iso ? dateNumbers(trimmed, {4, 1, 1}, {4, 2, 2}, u"-")
                                                 : dateNumbers(trimmed, {1, 1, 4}, {2, 2, 4}, u".");
    if (!found || found->end != trimmed.size())
        return std::nullopt;
    const std::array<int, 3> &n = found->numbers;
    const QDate date = iso ? QDate(n[0], n[1], n[2]) : QDate(n[2], n[1], n[0]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString isoDateText(QDate date)
{
    const int year = date.year();
    if (!date.isValid() || year < 1 || year > 9999)
        return date.toString(Qt::ISODate);
    const int month = date.month();
    const int day = date.day();
    const char16_t text[10] = {char16_t(u'0' + year / 1000), char16_t(u'0' + year / 100 % 10), char16_t(u'0' + year / 10 % 10),
                               char16_t(u'0' + year % 10), u'-', char16_t(u'0' + month / 10), char16_t(u'0' + month % 10), u'-',
                               char16_t(u'0' + day / 10), char16_t(u'0' + day % 10)};
    return QString(reinterpret_cast<const QChar *>(text), 10);
}

std::optional<double> numberFromText(const QString &text)
{
    const std::optional<double> value = textToDouble(text.trimmed());
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<QString> odometerProblem(const FillUp &fillUp, const QList<FillUp> &others)
{
    // The clash named is the one nearest in date, the fill-up the user most likely mistyped
    // against; an earlier date's before a later one's.
    const FillUp *earlier = nullptr;
    const FillUp *later = nullptr;
    for (const FillUp &other : others) {
        if (other.date < fillUp.date && other.odometer > fillUp.odometer
            && (!earlier || other.date > earlier->date || (other.date == earlier->date && other.odometer > earlier->odometer)))
            earlier = &other;
        if (other.date > fillUp.date && other.odometer < fillUp.odometer
            && (!later || other.date < later->date || (other.date == later->date && other.odometer < later->odometer)))
            later = &other;
    }
    if (earlier)
        return QStringLiteral("%1 on pienempi kuin aiemman päivän (%2) lukema %3. Tarkista lukema tai päivämäärä.")
            .arg(doubleToText(fillUp.odometer), isoDateText(earlier->date), doubleToText(earlier->odometer));
    if (later)
        return QStringLiteral("%1 on suurempi kuin myöhemmän päivän (%2) lukema %3. Tarkista lukema tai päivämäärä.")
            .arg(doubleToText(fillUp.odometer), isoDateText(later->date), doubleToText(later->odometer));
    return std::nullopt;
}

OdometerCheck::OdometerCheck(const QList<FillUp> &fillUps)
{
    m_fillUps.reserve(fillUps.size());
    for (const FillUp &f : fillUps)
        add(f);
}

bool OdometerCheck::fitsNeighbours(std::map<QDate, Readings>::const_iterator at) const
{
    if (at != m_byDate.begin() && std::prev(at)->second.highest > at->second.lowest)
        return false;
    const auto next = std::next(at);
    return next == m_byDate.end() || at->second.highest <= next->second.lowest;
}

void OdometerCheck::add(const FillUp &fillUp)
{
    m_fillUps.append(fillUp);
    const auto [at, added] = m_byDate.try_emplace(fillUp.date, Readings{fillUp.odometer, fillUp.odometer});
    if (!added) {
        at->second.lowest = std::min(at->second.lowest, fillUp.odometer);
        at->second.highest = std::max(at->second.highest, fillUp.odometer);
    }
    m_rising = m_rising && fitsNeighbours(at);
}

std::optional<QString> OdometerCheck::problem(const FillUp &fillUp) const
{
    if (!m_rising)
        return odometerProblem(fillUp, m_fillUps);
    // With rising readings the highest of all earlier dates is the nearest earlier date's,
    // and the lowest of all later dates the nearest later date's.
    const auto later = m_byDate.upper_bound(fillUp.date);
    const auto earlier = m_byDate.lower_bound(fillUp.date);
    const bool aboveEarlier = earlier == m_byDate.begin() || std::prev(earlier)->second.highest <= fillUp.odometer;
    const bool belowLater = later == m_byDate.end() || later->second.lowest >= fillUp.odometer;
    if (aboveEarlier && belowLater)
        return std::nullopt;
    return odometerProblem(fillUp, m_fillUps);
}

namespace {

template <typename Others>
RowCheck checkRowAgainst(const FillUpDraft &draft, const Others &others, QDate today, const QString &rowName,
                         Energy energy)
{
    const auto refuse = [&](FillUpColumn column, const QString &why) {
        return RowCheck{std::nullopt, RowRefusal{column, QStringLiteral("%1, %2: %3").arg(rowName, columnTitle(column, energy), why)}};
    };
    FillUp fillUp;
    const std::optional<QDate> date = dateFromText(draft.date);
    if (!date)
        return refuse(FillUpColumn::Date, draft.date.trimmed().isEmpty()
                          ? QStringLiteral("päivämäärä puuttuu. Kirjoita se muodossa 2024-03-07 tai 7.3.2024.")
                          : QStringLiteral("\"%1\" ei ole päivämäärä. Kirjoita se muodossa 2024-03-07 tai 7.3.2024.").arg(draft.date.trimmed()));
    if (*date > today)
        return refuse(FillUpColumn::Date, QStringLiteral("%1 on tulevaisuudessa. Kirjoita päivä, jona tankkasit.")
                                              .arg(isoDateText(*date)));
    fillUp.date = *date;

    const std::optional<double> odometer = numberFromText(draft.odometer);
    if (!odometer || *odometer < 0)
        return refuse(FillUpColumn::Odometer, draft.odometer.trimmed().isEmpty()
                          ? QStringLiteral("lukema puuttuu. Kirjoita matkamittarin lukema kilometreinä.")
                          : QStringLiteral("\"%1\" ei ole mittarin lukema. Kirjoita kilometrit numeroina, esimerkiksi 12345,6.").arg(draft.odometer.trimmed()));
    fillUp.odometer = *odometer;

    struct Given
    {
        FillUpColumn column;
        const QString *text;
        std::optional<double> value;
    };
    std::array<Given, 3> given{Given{FillUpColumn::Amount, &draft.amount, {}}, Given{FillUpColumn::Price, &draft.price, {}},
                               Given{FillUpColumn::Total, &draft.total, {}}};
    int count = 0;
    std::optional<FillUpColumn> firstMissing;
    for (Given &g : given) {
        if (g.text->trimmed().isEmpty()) {
            if (!firstMissing)
                firstMissing = g.column;
            continue;
        }
        g.value = numberFromText(*g.text);
        if (!g.value)
            return refuse(g.column, QStringLiteral("\"%1\" ei ole luku. Kirjoita luku desimaalipilkulla, esimerkiksi 1,859.").arg(g.text->trimmed()));
        if (*g.value <= 0)
            return refuse(g.column, QStringLiteral("arvon pitää olla suurempi kuin nolla."));
        ++count;
    }
    if (count < 2)
        return refuse(*firstMissing, QStringLiteral("anna kaksi kolmesta: %1, %2 ja %3; kolmas lasketaan niistä.")
                                         .arg(columnTitle(FillUpColumn::Amount, energy), columnTitle(FillUpColumn::Price, energy),
                                              columnTitle(FillUpColumn::Total, energy)));
    const std::optional<double> amount = given[0].value;
    const std::optional<double> price = given[1].value;
    const std::optional<double> total = given[2].value;
    // The third from the other two; a total worked out is rounded to cents, as a pump shows it.
    fillUp.amount = amount ? *amount : *total / *price;
    fillUp.price = price ? *price : *total / *amount;
    fillUp.total = total ? *total : std::round(*amount * *price * 100.0) / 100.0;
    if (!(fillUp.amount > 0) || !std::isfinite(fillUp.amount))
        return refuse(FillUpColumn::Amount, QStringLiteral("määrän pitää olla suurempi kuin nolla."));
    if (!(fillUp.total > 0) || !std::isfinite(fillUp.total))
        return refuse(FillUpColumn::Total, QStringLiteral("summan pitää olla suurempi kuin nolla."));
    if (!std::isfinite(fillUp.price))
        return refuse(FillUpColumn::Price, QStringLiteral("hintaa ei voi laskea näistä luvuista."));

    fillUp.full = draft.full;
    fillUp.missedBefore = draft.missedBefore;
    fillUp.note = draft.note;
    if (const std::optional<QString> problem = others(fillUp))
        return refuse(FillUpColumn::Odometer, *problem);
    return {fillUp, std::nullopt};
}

} // namespace

RowCheck checkRow(const FillUpDraft &draft, const QList<FillUp> &others, QDate today, const QString &rowName,
                  Energy energy)
{
    return checkRowAgainst(draft, [&](const FillUp &f) { return odometerProblem(f, others); }, today, rowName, energy);
}

RowCheck checkRow(const FillUpDraft &draft, const OdometerCheck &others, QDate today, const QString &rowName,
                  Energy energy)
{
    return checkRowAgainst(draft, [&](const FillUp &f) { return others.problem(f); }, today, rowName, energy);
}

} // namespace tankeli
