#pragma once

#include <QLoggingCategory>
#include <QString>

// What the program tells on stderr, by the part of it that tells. Each line
// reads "Plinkety: ..."; QT_LOGGING_RULES can quiet a part, for example
// "plinkety.settings.warning=false", or ask for its debug lines, as
// "plinkety.sound.debug=true" for what the sound server did.
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // "plinkety.settings"
Q_DECLARE_LOGGING_CATEGORY(lcSound)    // "plinkety.sound"
Q_DECLARE_LOGGING_CATEGORY(lcWindow)   // "plinkety.window"

namespace Log {

// Writes the program's categories as its own lines; every other message
// goes on to the handler that was there before, which is returned.
QtMessageHandler install();
// One line of the program's own on stderr, flushed at once; also where no
// message may be logged, as inside a message handler.
void writeLine(const QString &text);

} // namespace Log
