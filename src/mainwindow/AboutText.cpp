#include "AboutText.h"

#include "base/Muuttujat.h"

#include <QStringList>

namespace tankeli {

QString aboutText()
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
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace tankeli
