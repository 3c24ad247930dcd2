#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What the program carries inside its executable, by identifier.
// A missing resource raises the run-time error.
namespace Resources {

// The sound clip with this identifier: a whole RIFF/WAVE image, ready to play.
QByteArray LoadResData(qint16 id);

// The string resource with this identifier (the About window's paragraphs),
// in the language set below where the program carries it in that language.
QString LoadResString(qint16 id);

// The language of the string resources, as the translations name it
// ("de", "pt_BR"); empty for English, the strings' own language.
void setLanguage(const QString &language);

} // namespace Resources
