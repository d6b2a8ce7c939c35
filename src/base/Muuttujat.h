#pragma once
// Program-wide texts shown in the main window's caption, the About box and the help.

#include <QString>

namespace tankeli::Muuttujat {

// Written once, as the project's version in CMakeLists.txt.
inline const QString Versio = QStringLiteral(TANKELI_VERSION);
inline const QString Tekija = QStringLiteral("Tankeli-tiimi");
inline const QString Yritys = QStringLiteral("Tankelin kehittäjät");
inline const QString Kotisivu = QStringLiteral("https://www.example.org/tankeli");
inline constexpr qint16 Vuosi = 2006;
inline const QString Ohjelman_Nimi = QStringLiteral("Tankeli");

} // namespace tankeli::Muuttujat
