#pragma once

#include <QString>

namespace SystemDisplay {

// Why no window can be shown at all, before Qt tries: empty where a
// display may be there, or where the command line chose one (-platform,
// -display). A Windows session always has its desktop.
QString whyNone(bool displayChosen);

} // namespace SystemDisplay
