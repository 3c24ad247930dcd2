#pragma once

#include "AudioBackend.h"

#include <memory>

// The back end that plays through this machine's sound system.
std::unique_ptr<AudioBackend> createSystemAudioBackend();
