// The text conversions, given any text: a bad text raises a run-time error
// and nothing worse, and every result agrees with an independent reading
// of the same text.
#include "FuzzCheck.h"
#include "platform/RuntimeError.h"
#include "platform/TextConvert.h"

#include <QRegularExpression>
#include <QString>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

// The first byte picks how the rest becomes text: UTF-8, raw UTF-16 code
// units (unpaired surrogates and all), or Latin-1.
QString textOf(const uint8_t *data, size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromUtf8(bytes, length);
    case 1:
        return QString(reinterpret_cast<const QChar *>(bytes), length / 2);
    default:
        return QString::fromLatin1(bytes, length);
    }
}

// The regular expressions below refuse text with unpaired surrogates; in
// the copy they read, every surrogate becomes '?', which no number holds.
QString withoutSurrogates(QString text)
{
    for (QChar &c : text)
        if (c.isSurrogate())
            c = u'?';
    return text;
}

struct Outcome
{
    std::optional<qint64> value;
    RuntimeError::Code error = RuntimeError::Code(0);
};

template<typename Convert>
Outcome outcomeOf(Convert convert)
{
    try {
        return {qint64(convert()), {}};
    } catch (const RuntimeError &error) {
        return {std::nullopt, error.code()};
    }
}

// What converting the whole text must give: blanks around it, an optional
// sign and ASCII digits, within [lowest, highest].
Outcome expectedWhole(const QString &text, qint64 lowest, qint64 highest)
{
    static const QRegularExpression shape(QStringLiteral("\\A([+-]?)0*([0-9]+)\\z"));
    const QRegularExpressionMatch match = shape.match(withoutSurrogates(text.trimmed()));
    if (!match.hasMatch())
        return {std::nullopt, RuntimeError::TypeMismatch};
    const QString digits = match.captured(2);
    if (digits.size() > 12)
        return {std::nullopt, RuntimeError::Overflow};
    const qint64 value = (match.captured(1) == u"-" ? -1 : 1) * digits.toLongLong();
    if (value < lowest || value > highest)
        return {std::nullopt, RuntimeError::Overflow};
    return {value, {}};
}

// The leading number as the C library reads the same characters.
double expectedLeading(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("\\A[ \\t]*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?)"));
    const QRegularExpressionMatch match = shape.match(withoutSurrogates(text));
    if (!match.hasMatch())
        return 0.0;
    const QByteArray number = match.captured(1).toLatin1();
    const double value = std::strtod(number.constData(), nullptr);
    if (std::isinf(value))
        return std::copysign(DBL_MAX, value);
    return value;
}

void checkWhole(const Outcome &got, const Outcome &expected)
{
    FUZZ_CHECK(got.value == expected.value);
    FUZZ_CHECK(got.error == expected.error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = textOf(data, size);

    const Outcome int16 = outcomeOf([&] { return TextConvert::toInt16(text); });
    const Outcome int32 = outcomeOf([&] { return TextConvert::toInt32(text); });
    checkWhole(int16, expectedWhole(text, -32768, 32767));
    checkWhole(int32, expectedWhole(text, -2147483648LL, 2147483647LL));

    const double leading = TextConvert::leadingNumber(text);
    FUZZ_CHECK(std::isfinite(leading));
    const double expected = expectedLeading(text);
    // Below the smallest normal double the two readings may round apart.
    if (std::abs(expected) >= DBL_MIN || std::abs(leading) >= DBL_MIN)
        FUZZ_CHECK(leading == expected);
    return 0;
}
