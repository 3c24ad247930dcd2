#pragma once

#include "Signal.h"

#include <cstdint>
#include <vector>

// The RIFF/WAVE image of a clip: an 18-byte "fmt " chunk of plain PCM,
// an optional "fact" chunk with the frame count, then "data".
// 8-bit samples are unsigned around 128, 16-bit samples signed.
std::vector<std::uint8_t> waveImage(const Signal &signal, int bitsPerSample, bool withFact);
