#pragma once

#include <QLabel>

class BubblePictures;

// An image control that shows one bubble picture at its natural size,
// drawn from the art made for the screen's device pixel ratio.
class BubbleImage : public QLabel
{
    Q_OBJECT

public:
    // variant -1 is the unpopped picture, 0 to 3 the popped ones.
    BubbleImage(const BubblePictures &pictures, int variant, QWidget *parent = nullptr);

signals:
    // The left button went down and came up again on the picture.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const BubblePictures &m_pictures;
    int m_variant;
    bool m_pressed = false;
};
