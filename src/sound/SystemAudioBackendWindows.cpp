#include "SystemAudioBackend.h"

#include "WasapiBackend.h"

std::unique_ptr<AudioBackend> createSystemAudioBackend()
{
    return std::make_unique<WasapiBackend>();
}
