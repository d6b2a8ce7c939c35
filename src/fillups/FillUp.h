#pragma once
// One fill-up of a vehicle's log (Tankkaukset), its columns, and the rules that make a
// row of typed texts a fill-up: of amount, price and total any two give the third, and
// a row is refused, with a message naming the row and the field, when its date is no
// date or in the future, its odometer reading does not fit between the readings of
// earlier and later dates, or its amount or total is not above zero.

#include "base/Outcome.h"
#include "calculator/Energy.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <optional>

namespace tankeli {

struct FillUp
{
    QDate date;
    double odometer = 0;  // km as the speedometer counts them
    double amount = 0;    // in the energy's unit (l, kWh, kg)
    double price = 0;     // € per unit
    double total = 0;     // €
    bool full = true;
    bool missedBefore = false; // "Edellinen puuttuu": a fill-up before this one was not logged
    QString note;
    bool operator==(const FillUp &) const = default;
};

// The window's columns in their order; the log file holds the first eight.
enum class FillUpColumn { Date, Odometer, Amount, Price, Total, Full, MissedBefore, Note, Driven, Consumption };
inline constexpr int fillUpColumnCount = 10;
inline constexpr int storedColumnCount = 8;

// "Päivämäärä", "Mittarilukema (km)", "Määrä (l)", "Hinta (€/l)", … with the energy's unit.
QString columnTitle(FillUpColumn column, Energy energy);
QStringList columnTitles(Energy energy, int count = fillUpColumnCount);
// What the column holds, for its tooltip.
QString columnExplanation(FillUpColumn column, Energy energy);

// Ordered by date, then odometer: the log's order.
bool comesBefore(const FillUp &a, const FillUp &b);
void sortFillUps(QList<FillUp> &fillUps);

// A row as typed: the texts of its cells.
struct FillUpDraft
{
    QString date;
    QString odometer;
    QString amount;
    QString price;
    QString total;
    bool full = true;
    bool missedBefore = false;
    QString note;

    bool operator==(const FillUpDraft &) const = default;
};

// How the window shows a fill-up's cells: ISO date, numbers in the program's form.
FillUpDraft draftOf(const FillUp &fillUp);

// A date typed as 2024-03-07 or 7.3.2024 (7.3.24 is not taken).
std::optional<QDate> dateFromText(const QString &text);
// The date as Qt::ISODate writes it (2024-03-07), without the cost of a general formatter:
// a log writes and an import compares thousands of them.
QString isoDateText(QDate date);
// The three numbers of a date at the text's start, one of the separators between each
// two, number i of least[i] to most[i] ASCII digits; `end` is where they stop. Dates are
// read with it, by hand, because a regular expression per row was most of a log's
// reading time.
struct DateNumbers
{
    std::array<int, 3> numbers;
    qsizetype end;
};
std::optional<DateNumbers> dateNumbers(QStringView text, std::array<int, 3> least, std::array<int, 3> most,
                                       QStringView separators);
// Numbers as the program writes them (decimal comma). A decimal point is not taken: a
// Finn may type 12.345 for twelve thousand.
std::optional<double> numberFromText(const QString &text);

struct RowRefusal
{
    FillUpColumn column;
    QString message; // "Rivi 3, Mittarilukema (km): …"
};

// The fill-up of a typed row, or why it is refused. rowName names the row in the message
// ("Rivi 3", "Uusi rivi"); others are the log's other rows; today is the latest date
// taken.
struct RowCheck
{
    std::optional<FillUp> fillUp;
    std::optional<RowRefusal> refusal;
};
RowCheck checkRow(const FillUpDraft &draft, const QList<FillUp> &others, QDate today, const QString &rowName,
                  Energy energy);

// Why a whole fill-up does not fit among the others by its odometer reading, or nullopt.
// The one it does not fit that is nearest in date is named, an earlier one before a later.
std::optional<QString> odometerProblem(const FillUp &fillUp, const QList<FillUp> &others);

// The same check for many rows against a growing log (an import): as long as the log's
// readings rise with its dates, a row only needs the nearest earlier date's highest
// reading and the nearest later date's lowest, found in log time; only a row that does
// not fit, or a log whose readings do not rise, is looked at against every fill-up, so
// that the message names the same fill-up as odometerProblem.
class OdometerCheck
{
public:
    explicit OdometerCheck(const QList<FillUp> &fillUps);
    std::optional<QString> problem(const FillUp &fillUp) const;
    void add(const FillUp &fillUp);

private:
    struct Readings
    {
        double lowest;
        double highest;
    };
    bool fitsNeighbours(std::map<QDate, Readings>::const_iterator at) const;

    QList<FillUp> m_fillUps;             // in the order added, for the message
    std::map<QDate, Readings> m_byDate;
    bool m_rising = true;                // every date's readings at most the next date's
};

// checkRow against an OdometerCheck instead of a list.
RowCheck checkRow(const FillUpDraft &draft, const OdometerCheck &others, QDate today, const QString &rowName,
                  Energy energy);

} // namespace tankeli
