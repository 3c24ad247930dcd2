#include "FontWarmUp.h"

#include "SystemFonts.h"

#include <QGuiApplication>
#include <QTextLayout>

namespace {

// Laying out a line reads the font database and finds the default family;
// the font engine itself each thread loads for its own.
void readTextEngine()
{
    QTextLayout layout(QStringLiteral("Plinkety 0123456789!"), QGuiApplication::font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

} // namespace

FontWarmUp::FontWarmUp()
    : m_thread([applicationExists = m_applicationExists.get_future()]() mutable {
          SystemFonts::readConfiguration();
          if (applicationExists.get())
              readTextEngine();
      })
{
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::applicationStarted()
{
    tell(true);
}

void FontWarmUp::wait()
{
    tell(false);
    if (m_thread.joinable())
        m_thread.join();
}

void FontWarmUp::tell(bool applicationExists)
{
    if (m_told)
        return;
    m_told = true;
    m_applicationExists.set_value(applicationExists);
}
