#include "platform/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>

#include <windows.h>

void ProcessEnd::now(int status)
{
    std::fflush(stderr);
    // _Exit still detaches every DLL from every thread, which can wait on a
    // thread that holds a lock; terminating runs nothing of the sort.
    TerminateProcess(GetCurrentProcess(), UINT(status));
    std::_Exit(status);
}
