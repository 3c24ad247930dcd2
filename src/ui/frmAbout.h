#pragma once

#include "BubblePictures.h"

#include <QDialog>
#include <QRect>
#include <QtGlobal>
#include <array>

class frmPlinkety;
class QLabel;
class QPushButton;
class ReadOnlyTextBox;

// The About window, shown modally by the main window's About command and
// created afresh for each showing. It reads the main window's numPopped
// when it loads and plays its closing clip when a bubble picture is clicked.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(frmPlinkety &main);

    // The client area as designed, in twips.
    static constexpr int designWidth = 5460;
    static constexpr int designHeight = 3600;
    static constexpr int pictureCount = 6;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createTitleLabels();
    void createRightColumn();
    void createMakerLabels();
    void createTextBox();
    void createPictures();
    void createCloseButton();
    QLabel *addLabel(const char *name, const QString &text, const QRect &twips, Qt::Alignment alignment);
    void fitLabelsToText();
    void centreOnScreen();

    void Form_Load();
    void Command1_Click();
    void imgUnPopped_Click(qint16 Index);

    frmPlinkety &m_main;
    // The one picture all six images show, at every device pixel ratio.
    BubblePictures m_pictures;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    ReadOnlyTextBox *Text1 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblPopped = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *Command1 = nullptr;
    std::array<QLabel *, pictureCount> imgUnPopped {};

    // The picture a left button went down on, so that only a press and a
    // release on the same picture make a click.
    QObject *m_pressedPicture = nullptr;
};
