#pragma once

#include <optional>

// The options every program answers, read before anything else starts:
// --help and --version are answered without a window, sound or settings,
// and an option the program does not know is refused with status 2. Qt's
// own options (-platform, -display, -style, ...) are left to Qt.
namespace CommandLine {

// The status to end with at once, or nothing where the program runs.
std::optional<int> answer(int argc, char **argv);
// True where -platform or -display names the display to use.
bool choosesDisplay(int argc, char **argv);

} // namespace CommandLine
