#include "frmAbout.h"

#include "frmPlinkety.h"

frmAbout::frmAbout(frmPlinkety &main)
    : QDialog(&main)
    , m_main(main)
{
    setWindowTitle(QStringLiteral("About Plinkety"));
}
