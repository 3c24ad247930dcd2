#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What the program carries inside its executable, by identifier.
// A missing resource raises the run-time error.
namespace Resources {

// The sound clip with this identifier: a whole RIFF/WAVE image, ready to play.
QByteArray LoadResData(qint16 id);

// The string resource with this identifier (the About window's paragraphs).
QString LoadResString(qint16 id);

} // namespace Resources
