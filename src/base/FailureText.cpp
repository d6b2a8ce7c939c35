#include "FailureText.h"

#include <QDir>
#include <cerrno>
#include <cstring>

namespace tankeli {

QString systemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM: return QStringLiteral("Ei käyttöoikeutta");
    case ENOSPC: return QStringLiteral("Laitteessa ei ole tilaa vapaana");
    case EDQUOT: return QStringLiteral("Levytilakiintiösi on täynnä");
    case EFBIG: return QStringLiteral("Tiedosto kasvaisi suuremmaksi kuin sallittu tiedostokoko");
    case EROFS: return QStringLiteral("Tiedostojärjestelmä on vain luettavissa");
    case ENAMETOOLONG: return QStringLiteral("Nimi on liian pitkä");
    case ENOENT: return QStringLiteral("Tiedostoa tai kansiota ei ole");
    case EISDIR: return QStringLiteral("Nimellä on kansio");
    case ENOTDIR: return QStringLiteral("Polun osa ei ole kansio");
    case EMFILE:
    case ENFILE: return QStringLiteral("Liian monta tiedostoa on auki");
    case EXDEV: return QStringLiteral("Tiedosto on toisella levyllä");
    default: return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

QString elideMiddle(const QString &text, qsizetype maxCharacters)
{
    if (text.size() <= maxCharacters || maxCharacters < 3)
        return text;
    const qsizetype kept = maxCharacters - 1;
    qsizetype head = (kept + 1) / 2;
    qsizetype tail = kept - head;
    // Never cut a character made of a surrogate pair in two.
    if (text[head - 1].isHighSurrogate())
        --head;
    if (text[text.size() - tail].isLowSurrogate())
        --tail;
    return text.left(head) + QChar(0x2026) + text.right(tail);
}

QString shownPath(const QString &path)
{
    return elideMiddle(QDir::toNativeSeparators(path));
}

} // namespace tankeli
