#include "TextConvert.h"

#include "RuntimeError.h"

#include <QtNumeric>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <limits>
#include <string>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads digits into out; returns how many were read.
qsizetype takeDigits(QStringView text, qsizetype pos, std::string &out)
{
    qsizetype start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        out += char(text[pos++].unicode());
    return pos - start;
}

// For a number out of a double's range: whether it is too large rather
// than too small. Its size is the place of its first digit that is not 0,
// counted from the point, plus its exponent (which may be very long).
bool isBeyondOne(const std::string &number)
{
    const size_t e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string::npos)
        return false;
    long long order = first < point ? qint64(point - first) : -qint64(first - point - 1);
    if (e != std::string::npos) {
        const bool down = number[e + 1] == '-';
        long long exponent = 0;
        for (size_t i = e + 1; i < number.size(); ++i)
            if (number[i] >= '0' && number[i] <= '9')
                exponent = std::min(exponent * 10 + (number[i] - '0'), 1LL << 40);
        order += down ? -exponent : exponent;
    }
    return order > 0;
}

template<typename T>
T toInteger(QStringView text)
{
    QStringView trimmed = text.trimmed();
    qsizetype pos = 0;
    bool negative = false;
    if (pos < trimmed.size() && (trimmed[pos] == u'-' || trimmed[pos] == u'+'))
        negative = trimmed[pos++] == u'-';
    if (pos == trimmed.size())
        throw RuntimeError::typeMismatch();

    // Accumulate towards the sign so that the type's minimum is reachable.
    T value = 0;
    bool overflow = false;
    for (; pos < trimmed.size(); ++pos) {
        if (!isDigit(trimmed[pos]))
            throw RuntimeError::typeMismatch();
        T digit = T(trimmed[pos].unicode() - u'0');
        if (!overflow
            && (qMulOverflow(value, T(10), &value)
                || (negative ? qSubOverflow(value, digit, &value)
                             : qAddOverflow(value, digit, &value))))
            overflow = true;
    }
    if (overflow)
        throw RuntimeError::overflow();
    return value;
}

} // namespace

namespace TextConvert {

double leadingNumber(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';
    std::string number;
    qsizetype digits = takeDigits(text, pos, number);
    pos += digits;
    if (pos < text.size() && text[pos] == u'.') {
        number += '.';
        qsizetype fraction = takeDigits(text, pos + 1, number);
        digits += fraction;
        pos += 1 + fraction;
    }
    if (digits == 0)
        return 0.0;

    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        std::string exponent = "e";
        qsizetype at = pos + 1;
        if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
            exponent += char(text[at++].unicode());
        if (takeDigits(text, at, exponent) > 0)
            number += exponent;
    }

    // from_chars ignores the locale. A number too large for a double
    // saturates: a stored text must never turn into infinity.
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        value = isBeyondOne(number) ? DBL_MAX : 0.0;
    return negative ? -value : value;
}

qint16 toInt16(QStringView text)
{
    return toInteger<qint16>(text);
}

qint32 toInt32(QStringView text)
{
    return toInteger<qint32>(text);
}

} // namespace TextConvert
