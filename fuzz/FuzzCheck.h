#pragma once

#include <cstdlib>
#include <sanitizer/common_interface_defs.h>

// A property of the code under test that must hold for every input: when
// it does not, the fuzzer reports the input as a crash. The message goes
// where the sanitizers report, which stays open when the fuzzer is run
// with -close_fd_mask=2 to silence the program's own log.
#define FUZZ_STRINGIFY2(x) #x
#define FUZZ_STRINGIFY(x) FUZZ_STRINGIFY2(x)
#define FUZZ_CHECK(condition)                                                                         \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            __sanitizer_report_error_summary(__FILE__ ":" FUZZ_STRINGIFY(__LINE__) ": check failed: " \
                                             #condition);                                             \
            std::abort();                                                                             \
        }                                                                                             \
    } while (false)
