#include "platform/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>

void ProcessEnd::now(int status)
{
    std::fflush(stderr);
    std::_Exit(status);
}
