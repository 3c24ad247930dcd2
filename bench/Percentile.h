#pragma once

#include <algorithm>
#include <vector>

// The value below which `percent` of the values lie: the median at 50, the
// largest at 100.
template <typename T>
T percentile(std::vector<T> values, int percent)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * size_t(percent) / 100)];
}
