#include "platform/SystemDisplay.h"

QString SystemDisplay::whyNone(bool)
{
    return {};
}
