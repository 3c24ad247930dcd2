#pragma once

namespace ProcessEnd {

// Ends the program at once with `status`: no handler, destructor or
// clean-up of any kind runs, and nothing is saved.
[[noreturn]] void now(int status);

} // namespace ProcessEnd
