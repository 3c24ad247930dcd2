#include "SystemAudioBackend.h"

#include "SilentBackend.h"

std::unique_ptr<AudioBackend> createSystemAudioBackend()
{
    return std::make_unique<SilentBackend>();
}
