#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>
#include <vector>

class RandomSource;
class SheetWindow;
class SoundClips;
class StatusLabel;

// The sheet of bubbles and the pop counting, without any widget. Bubbles
// are numbered from 1 down each column; each keeps one byte of state.
class BubbleSheet
{
public:
    BubbleSheet(SheetWindow &window, StatusLabel &label, SoundClips &clips, RandomSource &random);

    void BuildSheet();
    void CountVisible();
    void PopBubble(qint16 k);
    void ResetSheet();
    void UpdateStatus(qint32 n);

    qint16 numBubbles() const { return m_numBubbles; }
    qint16 columns() const { return m_columns; }
    qint16 rows() const { return m_rows; }
    qint32 numVisible() const { return m_numVisible; }
    qint32 numPopped() const { return m_numPopped; }
    qint32 numSheetPops() const { return m_numSheetPops; }
    bool blnCountdown() const { return m_blnCountdown; }
    qint16 numPhase() const { return m_numPhase; }

    void setNumPopped(qint32 count) { m_numPopped = count; }
    void setNumSheetPops(qint32 count) { m_numSheetPops = count; }

    bool isUnpopped(qint16 k) const;
    // The popped picture 0 to 3 that bubble k shows, -1 while it is unpopped.
    int poppedVariant(qint16 k) const;

    // Geometry in twips from the sheet area's inner top-left corner.
    QRectF bubbleRect(qint16 k) const;
    // The bubble under a point, 0 where there is none.
    qint16 bubbleAt(QPointF twips) const;
    // The bubble of column x and row y, both from 1.
    qint16 bubbleIndex(qint16 x, qint16 y) const;

private:
    static constexpr quint8 Unpopped = 0;

    bool isBubble(qint16 k) const { return k >= 1 && k <= m_numBubbles; }
    void setLabelForBuildUp(qint32 n);

    SheetWindow &m_window;
    StatusLabel &m_label;
    SoundClips &m_clips;
    RandomSource &m_random;

    std::vector<quint8> m_state; // Unpopped, or 1 + the popped variant
    QSizeF m_cell;
    qint16 m_columns = 0;
    qint16 m_rows = 0;
    qint16 m_numBubbles = 0;
    qint32 m_numVisible = 0;
    qint32 m_numPopped = 0;
    qint32 m_numSheetPops = 0;
    bool m_blnCountdown = false;
    qint16 m_numPhase = 0;
};
