#include "HelpText.h"

#include "base/Muuttujat.h"

#include <QStringList>

namespace tankeli {

QString helpText()
{
    using namespace Muuttujat;
    const QStringList pieces{
        QStringLiteral("Ohjeita tankeliin"),
        QString(),
        QStringLiteral("Voit laskea ohjelmalla monella eri tapaa polttoaineen kulutusta, kustannuksia tai matkan kustannuksia."),
        QString(),
        QStringLiteral("1. Ensimmäisenä kannattaa päivittää paikallisen huoltoaseman bensanhinta, joka tallentuu ohjelman muistiin seuraavaa avauskertaa varten"),
        QString(),
        QStringLiteral("2. Voit laskea bensankulutuksen asettamalla ajetun matkan kilometrit ja lisäämällä yhteyskulutuksen litramäärän paljonko polttoainetta kului matkalla."),
        QString(),
        QStringLiteral("3. Voit laskea bensankulutuksen myös asettamalla ajetun matkan kilometrit, sekä ajetun matkan polttoaineen yhteishinnan, jonka avulla ohjelma selvittää polttoainekulutuksen."),
        QString(),
        QStringLiteral("4. Voit laskea matkan hinnan asettamalla autosi polttoainekulutuksen ja lisäämällä ajettavan matkan pituuden. Näin ohjelma laskee sinulle paljonko matkassa kuluu polttoainetta ja paljonko se tulee maksamaan."),
        QString(),
        QStringLiteral("5. Jos tiedät autosi polttoainekulutuksen ja monellako litralla tankkaan voit näiden avulla laskea kuinka pitkälle sillä ajaa."),
        QString(),
        QStringLiteral("6. Jos tiedät autosi polttoainekulutuksen, voit syöttää tankattavan summan ja tämän avulla laskea kuinka pitkälle voit ajaa kyseisellä summalla. "),
        QString(),
        QStringLiteral("7. Jos laskutoimitus epäonnistuu nollaa nuppari ennen toimitusta. "),
        QString(),
        QStringLiteral("8. Saat ohjelman laskemaan myös autosi nopeusmittarin tekemän virhemarginaalin, jos olet mitannut autosi nopeuden tutkassa tai nopeusnäytöllä. Valitse vain asetukset valikosta kalibrointi ja aseta nopeudet kenttiin jonka jälkeen ohjelma kykenee laskemaan mittarin tuottaman virhemarginaalin mukaan laskutoimituksiin."),
        QString(),
        QStringLiteral("9. Jos olet tallentanut autosi tietoja ylös voit katsoa statistiikasta käyriä milloin autosi on vienyt eniten bensaa, sekä muita arvoja. Arvoja tulee olla minimissään 2 kappaletta, jotta näistä saadaan muodostettua käyrä."),
        QString(),
        QStringLiteral("Tekijä ") + Tekija,
        Yritys + QLatin1Char(' ') + QString::number(Vuosi),
        Kotisivu,
    };
    QString text;
    for (const QString &piece : pieces)
        text += piece + QStringLiteral("\r\n");
    return text;
}

} // namespace tankeli
