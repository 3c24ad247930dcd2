#pragma once

#include "BubblePictures.h"

#include <QDialog>
#include <QRect>
#include <QtGlobal>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class ReadOnlyTextBox;

// The About window, shown modally by the main window's About command and
// created afresh for each showing. It shows the count it is made with, and
// a click on a bubble picture plays the closing clip.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // Centred on owner's screen.
    frmAbout(QWidget &owner, qint32 numPopped, std::function<void()> playClosingClip);

    // The client area as designed, in twips.
    static constexpr int designWidth = 5460;
    static constexpr int designHeight = 3600;
    static constexpr int pictureCount = 6;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createTitleLabels();
    void createRightColumn();
    void createMakerLabels();
    void createTextBox();
    void createPictures();
    void createCloseButton();
    QLabel *addLabel(const char *name, const QString &text, const QRect &twips, Qt::Alignment alignment);
    void fitLabelsToText();

    void Form_Load();
    void Command1_Click();
    void imgUnPopped_Click(qint16 Index);

    QWidget &m_owner;
    qint32 m_numPopped;
    std::function<void()> m_playClosingClip;
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
};
