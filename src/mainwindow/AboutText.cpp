#include "AboutText.h"

#include "base/Muuttujat.h"

#include <QDir>
#include <QStringList>

namespace tankeli {

QString aboutText(const QString &recordFolder)
{
    using namespace Muuttujat;
    const QStringList lines{
        Ohjelman_Nimi,
        QString(),
        Yritys + QLatin1Char(' ') + QString::number(Vuosi),
        QStringLiteral("Tekijä : ") + Tekija,
        Kotisivu,
        QString(),
        QStringLiteral("Ohjelman versio : v") + Versio,
        QString(),
        QStringLiteral("Matkat tallennetaan kansioon:"),
        QDir::toNativeSeparators(recordFolder),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QString mainWindowTitle(const QString &vehicleName, int vehicleCount)
{
    using namespace Muuttujat;
    const QString version = Ohjelman_Nimi + QStringLiteral(" v") + Versio;
    if (vehicleCount > 1)
        return version + QStringLiteral(" – ") + vehicleName;
    return version + QStringLiteral(" - ") + Yritys + QLatin1Char(' ') + QString::number(Vuosi);
}

QString introText(Energy energy)
{
    const QString amounts = energy == Energy::Electricity ? QStringLiteral("kilowattituntien")
        : energy == Energy::Gas                           ? QStringLiteral("kilojen")
                                                          : QStringLiteral("litrojen");
    return QStringLiteral("Tankelilla voit laskea autosi kulutusta matkojen pituuksilta esimerkiksi hinnan tai %1 suhteen.")
        .arg(amounts);
}

} // namespace tankeli
