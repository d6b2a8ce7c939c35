#include "Tankeli.h"

#include "app/Muuttujat.h"

namespace tankeli {

Tankeli::Tankeli(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(Muuttujat::Ohjelman_Nimi + QStringLiteral(" v") + Muuttujat::Versio
                   + QStringLiteral(" - ") + Muuttujat::Yritys + QLatin1Char(' ')
                   + QString::number(Muuttujat::Vuosi));
    resize(424, 320);
}

} // namespace tankeli
