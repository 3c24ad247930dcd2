#pragma once

#include <QDialog>

class frmPlinkety;

// The About window, shown modally by the main window's About command.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(frmPlinkety &main);

private:
    frmPlinkety &m_main;
};
