#include "platform/SystemFonts.h"

void SystemFonts::readConfiguration()
{
}
