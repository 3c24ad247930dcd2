#include "SystemAudioBackend.h"

#include "PulseAudioBackend.h"

std::unique_ptr<AudioBackend> createSystemAudioBackend()
{
    return std::make_unique<PulseAudioBackend>();
}
