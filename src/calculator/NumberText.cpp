#include "NumberText.h"

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

    // Exact rounding to 7 significant digits: "d.dddddde±xx".
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 6);
    const std::string sci(buffer, result.ptr);
    const auto ePos = sci.find('e');
    const int exponent = std::stoi(sci.substr(ePos + 1));
    const bool negative = sci.front() == '-';
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 7 || exponent < -4) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += ',' + digits.substr(1);
        const int magnitude = std::abs(exponent);
        out += exponent < 0 ? "E-" : "E+";
        out += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else if (exponent < 0) {
        out += "0," + std::string(size_t(-exponent - 1), '0') + digits;
    } else {
        const size_t whole = size_t(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + ',' + digits.substr(whole);
        }
    }
    return QString::fromLatin1(out);
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
