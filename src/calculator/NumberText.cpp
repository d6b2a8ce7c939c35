#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace tankeli {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Checks the accepted syntax and returns it in the C form ("1.5e8", no '+' in front)
// that std::from_chars reads; from_chars is used because it ignores the C locale.
std::optional<std::string> toCSyntax(QStringView text)
{
    const QStringView t = text.trimmed();
    std::string out;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenComma = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c)) {
            out += char(c.unicode());
            ++mantissaDigits;
        } else if (c == u',' && !seenComma) {
            out += '.';
            seenComma = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        out += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
            out += char(t[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        for (; i < t.size() && isDigit(t[i]); ++i, ++exponentDigits)
            out += char(t[i].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    return out;
}

template <typename T>
std::optional<T> parse(const std::string &s)
{
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (end != s.data() + s.size())
        return std::nullopt;
    if (ec == std::errc())
        return value;
    if (ec != std::errc::result_out_of_range)
        return std::nullopt;
    // Out of range is either an overflow (a failure) or an underflow (which is no
    // failure: the value becomes 0 or a denormal). A wider type tells them apart.
    long double wide = 0;
    const auto wideResult = std::from_chars(s.data(), s.data() + s.size(), wide);
    const bool tiny = wideResult.ec == std::errc() ? std::fabs(wide) < 1.0L
                                                   : s.find("e-") != std::string::npos;
    if (!tiny)
        return std::nullopt;
    const T result = wideResult.ec == std::errc() ? static_cast<T>(wide) : T(0);
    return s.front() == '-' ? -std::fabs(result) : std::fabs(result);
}

} // namespace

std::optional<float> textToSingle(const QString &text)
{
    const auto s = toCSyntax(text);
    return s ? parse<float>(*s) : std::nullopt;
}

std::optional<double> textToDouble(const QString &text)
{
    const auto s = toCSyntax(text);
    return s ? parse<double>(*s) : std::nullopt;
}

namespace {

// The value rounded to 7 significant digits, in the program's form.
template <typename Real>
QString sevenDigitText(Real value)
{
    if (value == Real(0))
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NaN")
                                 : (value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf"));

    // Exact rounding to 7 significant digits: "d.dddddde±xx". Taken apart in place: the
    // strings this once built were most of the time of writing a number.
    char sci[48];
    const char *const sciEnd = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 6).ptr;
    const bool negative = sci[0] == '-';
    const char *const ePos = std::find(static_cast<const char *>(sci), sciEnd, 'e');
    int exponent = 0;
    std::from_chars(ePos + 1 + (ePos[1] == '+' ? 1 : 0), sciEnd, exponent);
    char digits[8];
    int count = 0;
    for (const char *c = sci + (negative ? 1 : 0); c < ePos; ++c)
        if (*c >= '0' && *c <= '9' && count < 8)
            digits[count++] = *c;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    char out[48];
    int n = 0;
    const auto put = [&](char c) { out[n++] = c; };
    const auto putDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            put(digits[i]);
    };
    if (negative)
        put('-');
    if (exponent >= 7 || exponent < -4) {
        put(digits[0]);
        if (count > 1) {
            put(',');
            putDigits(1, count);
        }
        const int magnitude = std::abs(exponent);
        put('E');
        put(exponent < 0 ? '-' : '+');
        if (magnitude < 10)
            put('0');
        n = int(std::to_chars(out + n, out + sizeof out, magnitude).ptr - out);
    } else if (exponent < 0) {
        put('0');
        put(',');
        for (int zeros = -exponent - 1; zeros > 0; --zeros)
            put('0');
        putDigits(0, count);
    } else {
        const int whole = exponent + 1;
        if (count <= whole) {
            putDigits(0, count);
            for (int zeros = whole - count; zeros > 0; --zeros)
                put('0');
        } else {
            putDigits(0, whole);
            put(',');
            putDigits(whole, count);
        }
    }
    return QString::fromLatin1(out, n);
}

} // namespace

QString doubleToText(double value)
{
    return sevenDigitText(value);
}

QString singleToText(float value)
{
    // Just above a power of ten a float can round to a text ("1E+28") whose own nearest
    // float lies below that power and so writes as another text ("9,999999E+27"). The
    // text written is then the one that reads back to itself, so that writing what was
    // read never changes it.
    QString text = sevenDigitText(value);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto readBack = textToSingle(text);
        if (!readBack)
            break;
        const QString again = sevenDigitText(*readBack);
        if (again == text)
            break;
        text = again;
    }
    return text;
}

} // namespace tankeli
