#pragma once

#include <optional>

// The options every program answers, read before anything else starts:
// --help and --version are answered without a window, sound or settings,
// and an option the program does not know is refused with status 2. Qt's
// own options (-platform, -display, -style, ...) are left to Qt.
namespace CommandLine {

struct Reading
{
    std::optional<int> endStatus; // the status to end with at once; none where the program runs
    bool displayChosen = false;   // -platform or -display names the display to use
};

// Answers what must be answered at once, and says what the rest asks for.
Reading read(int argc, char **argv);

} // namespace CommandLine
