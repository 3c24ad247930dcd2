#include "platform/SystemDisplay.h"

QString SystemDisplay::whyNone()
{
    return {};
}
