#include "platform/SystemFonts.h"

#include <fontconfig/fontconfig.h>

void SystemFonts::readConfiguration()
{
    // Qt reads the same default configuration, which fontconfig keeps once read.
    FcInit();
}
