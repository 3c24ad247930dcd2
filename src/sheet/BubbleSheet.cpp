#include "BubbleSheet.h"

#include "SheetWindow.h"
#include "StatusLabel.h"
#include "platform/CheckedInt.h"
#include "platform/RandomSource.h"
#include "platform/TextConvert.h"
#include "sound/SoundClips.h"

#include <cmath>

BubbleSheet::BubbleSheet(SheetWindow &window, StatusLabel &label, SoundClips &clips, RandomSource &random)
    : m_window(window)
    , m_label(label)
    , m_clips(clips)
    , m_random(random)
{
}

void BubbleSheet::BuildSheet()
{
    // The sheet covers the whole display, not the window, so enlarging the
    // window never shows an edge; an exact fit still adds a column and a row.
    const QSizeF screen = m_window.screenSizeTwips();
    m_cell = m_window.cellSizeTwips();
    const qint16 columns = Checked::add<qint16>(Checked::floorTo<qint16>(screen.width() / m_cell.width()), 1);
    const qint16 rows = Checked::add<qint16>(Checked::floorTo<qint16>(screen.height() / m_cell.height()), 1);
    const qint16 bubbles = Checked::mul<qint16>(columns, rows);

    m_columns = columns;
    m_rows = rows;
    m_numBubbles = bubbles;
    m_state.assign(size_t(std::max<qint16>(bubbles, 0)), Unpopped);
    m_window.bubblesCreated();
}

void BubbleSheet::CountVisible()
{
    // A column counts once 40 % of it shows, a row once 35 % of it shows.
    const QSizeF inner = m_window.sheetInnerSizeTwips();
    const QSizeF cell = m_window.cellSizeTwips();
    const qint16 columns = Checked::floorTo<qint16>(inner.width() / cell.width() + 0.6);
    const qint16 rows = Checked::floorTo<qint16>(inner.height() / cell.height() + 0.65);
    m_numVisible = Checked::mul<qint16>(columns, rows);
}

void BubbleSheet::PopBubble(qint16 k)
{
    // The number is drawn on every click, also on a bubble already popped.
    const int r = int(std::floor(m_random.next() * 4.0f));
    if (!isUnpopped(k))
        return;

    m_state[size_t(k - 1)] = quint8(1 + r);
    m_window.RepaintBubble(k);
    m_clips.PlayClip(r, SoundClips::Mode::Asynchronous);
    m_numPopped = Checked::add<qint32>(m_numPopped, 1);
    UpdateStatus(m_numPopped);
}

void BubbleSheet::ResetSheet()
{
    m_clips.PlayClip(SoundClips::Reset, SoundClips::Mode::Asynchronous);
    std::fill(m_state.begin(), m_state.end(), Unpopped);
    m_window.bubblesRestored();
}

void BubbleSheet::UpdateStatus(qint32 n)
{
    m_numSheetPops = Checked::add<qint32>(m_numSheetPops, 1);
    if (m_numSheetPops == m_numVisible)
        m_clips.PlayClip(SoundClips::Cheer, SoundClips::Mode::Synchronous);

    // The last two digits of the count; a build-up starts on one ending in 96.
    const qint16 d = TextConvert::toInt16(QString::number(n).right(2));
    if (!m_blnCountdown) {
        if (d == 96) {
            m_blnCountdown = true;
            m_numPhase = 1;
        } else {
            m_label.setText(StatusLabel::plainLine(n));
        }
        return;
    }

    setLabelForBuildUp(n);
    m_numPhase = Checked::add<qint16>(m_numPhase, 1);
}

void BubbleSheet::setLabelForBuildUp(qint32 n)
{
    switch (m_numPhase) {
    case 1:
        m_label.setText(StatusLabel::firstPop());
        break;
    case 2:
        m_label.setText(m_label.text() + StatusLabel::secondPop());
        break;
    case 3:
        m_label.setText(m_label.text() + StatusLabel::thirdPop());
        break;
    case 4:
        m_label.setText(m_label.text() + StatusLabel::plainLine(n));
        if (n % 500 == 0)
            m_clips.PlayClip(SoundClips::Cheer, SoundClips::Mode::Synchronous);
        break;
    case 10:
        m_blnCountdown = false;
        m_label.setText(StatusLabel::plainLine(n));
        break;
    default:
        break;
    }
}

bool BubbleSheet::isUnpopped(qint16 k) const
{
    return isBubble(k) && m_state[size_t(k - 1)] == Unpopped;
}

int BubbleSheet::poppedVariant(qint16 k) const
{
    if (!isBubble(k) || m_state[size_t(k - 1)] == Unpopped)
        return -1;
    return m_state[size_t(k - 1)] - 1;
}

QRectF BubbleSheet::bubbleRect(qint16 k) const
{
    if (!isBubble(k))
        return {};
    const int column = (k - 1) / m_rows;
    const int row = (k - 1) % m_rows;
    return QRectF(column * m_cell.width(), row * m_cell.height(), m_cell.width(), m_cell.height());
}

qint16 BubbleSheet::bubbleIndex(qint16 x, qint16 y) const
{
    if (x < 1 || x > m_columns || y < 1 || y > m_rows)
        return 0;
    return qint16((x - 1) * m_rows + y);
}

qint16 BubbleSheet::bubbleAt(QPointF twips) const
{
    if (m_numBubbles <= 0 || twips.x() < 0 || twips.y() < 0)
        return 0;
    const double x = std::floor(twips.x() / m_cell.width()) + 1;
    const double y = std::floor(twips.y() / m_cell.height()) + 1;
    if (x > m_columns || y > m_rows)
        return 0;
    return bubbleIndex(qint16(x), qint16(y));
}
