#include "TextConvert.h"

#include "RuntimeError.h"

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
            && (__builtin_mul_overflow(value, T(10), &value)
                || (negative ? __builtin_sub_overflow(value, digit, &value)
                             : __builtin_add_overflow(value, digit, &value))))
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
        value = number.find("e-") != std::string::npos ? 0.0 : DBL_MAX;
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
