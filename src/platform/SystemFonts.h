#pragma once

namespace SystemFonts {

// Reads the system's font configuration as Qt will ask for it: on Linux,
// fontconfig's, which takes tens of milliseconds on a desktop with many
// fonts. Windows keeps its fonts read for every program: nothing to do.
void readConfiguration();

} // namespace SystemFonts
