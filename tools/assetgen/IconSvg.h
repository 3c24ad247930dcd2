#pragma once

#include <string>

namespace IconSvg {

// The program's starburst as a scalable SVG 1.1 drawing of 32 x 32 units:
// the maroon-rimmed red star, the yellow star and the blue exclamation mark.
std::string starburst();

} // namespace IconSvg
