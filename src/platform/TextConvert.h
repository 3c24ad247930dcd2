#pragma once

#include <QStringView>
#include <QtGlobal>

namespace TextConvert {

// The decimal number a text starts with, 0 when it starts with none.
// Leading blanks are skipped; a sign, digits, a fraction and an exponent are read.
double leadingNumber(QStringView text);

// The whole text as a whole number: blanks around it, an optional sign and
// decimal digits. Anything else raises "Type mismatch"; a value beyond the
// type raises "Overflow".
qint16 toInt16(QStringView text);
qint32 toInt32(QStringView text);

} // namespace TextConvert
