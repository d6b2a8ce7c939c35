#pragma once
// The 8-bit character set (Windows-1252) of the settings file and the trip records.

#include <QByteArray>
#include <QString>
#include <optional>

namespace tankeli {

// Encodes text; std::nullopt when a character has no place in the character set.
std::optional<QByteArray> encodeEightBit(const QString &text);

// The first character of text that the character set cannot hold, if any.
std::optional<QString> firstUnencodable(const QString &text);

QString decodeEightBit(const QByteArray &bytes);

} // namespace tankeli
