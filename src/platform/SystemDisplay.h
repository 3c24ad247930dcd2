#pragma once

#include <QString>

namespace SystemDisplay {

// Why no window can be shown at all, before Qt tries: empty where a
// display may be there. A Windows session always has its desktop.
QString whyNone();

} // namespace SystemDisplay
