#include "EightBitText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tankeli {

namespace {
constexpr const char *charsetName = "windows-1252";

// Plain ASCII is the same in the 8-bit set; it needs no converter.
bool isAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}
} // namespace

// Converters are costly to open, and most texts are plain ASCII, which skips them.
std::optional<QByteArray> encodeEightBit(const QString &text)
{
    if (isAscii(text))
        return text.toLatin1();
    QStringEncoder encoder(charsetName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || !encoder.isValid())
        return std::nullopt;
    return bytes;
}

std::optional<QString> firstUnencodable(const QString &text)
{
    if (encodeEightBit(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair stands for one character beyond the set.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!encodeEightBit(character))
            return character;
        i += length - 1;
    }
    return std::nullopt;
}

QString decodeEightBit(const QByteArray &bytes)
{
    bool ascii = true;
    for (const char c : bytes)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(charsetName);
    return decoder.decode(bytes);
}

} // namespace tankeli
