#include "EightBitText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tankeli {

namespace {
constexpr const char *charsetName = "windows-1252";
}

std::optional<QByteArray> encodeEightBit(const QString &text)
{
    QStringEncoder encoder(charsetName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || !encoder.isValid())
        return std::nullopt;
    return bytes;
}

std::optional<QString> firstUnencodable(const QString &text)
{
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
    QStringDecoder decoder(charsetName);
    return decoder.decode(bytes);
}

} // namespace tankeli
