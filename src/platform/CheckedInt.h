#pragma once

#include "RuntimeError.h"

#include <QtNumeric>
#include <cmath>
#include <concepts>
#include <limits>

// Counters never wrap: passing a type's limit raises the "Overflow" error.
namespace Checked {

template<std::signed_integral T>
T add(T a, T b)
{
    T result;
    if (qAddOverflow(a, b, &result))
        throw RuntimeError::overflow();
    return result;
}

template<std::signed_integral T>
T sub(T a, T b)
{
    T result;
    if (qSubOverflow(a, b, &result))
        throw RuntimeError::overflow();
    return result;
}

template<std::signed_integral T>
T mul(T a, T b)
{
    T result;
    if (qMulOverflow(a, b, &result))
        throw RuntimeError::overflow();
    return result;
}

// Stores an already rounded-down value in T, or raises "Overflow".
template<std::signed_integral T>
T narrow(double value)
{
    if (!(value >= double(std::numeric_limits<T>::min()) && value <= double(std::numeric_limits<T>::max())))
        throw RuntimeError::overflow();
    return static_cast<T>(value);
}

template<std::signed_integral T>
T floorTo(double value)
{
    return narrow<T>(std::floor(value));
}

} // namespace Checked
