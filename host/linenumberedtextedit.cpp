#include "linenumberedtextedit.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

LineNumberedTextEdit::LineNumberedTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_gutter(new QWidget(this))
{
    m_gutter->setObjectName(QStringLiteral("lineNumbers"));
    m_gutter->installEventFilter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            &LineNumberedTextEdit::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &LineNumberedTextEdit::updateGutter);
    updateGutterWidth();
}

void LineNumberedTextEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    placeGutter();
}

void LineNumberedTextEdit::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateGutterWidth();
}

// The gutter is a plain widget whose painting this view does: the lines' places are known
// only here.
bool LineNumberedTextEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_gutter || event->type() != QEvent::Paint)
        return QPlainTextEdit::eventFilter(watched, event);
    paintGutter(*static_cast<QPaintEvent *>(event));
    return true;
}

// The digits of the last line's number, with the width of a blank on either side.
int LineNumberedTextEdit::gutterWidth() const
{
    const int digits = int(QString::number(std::max(blockCount(), 1)).size());
    const QFontMetrics metrics = fontMetrics();
    return metrics.horizontalAdvance(QString(digits, QLatin1Char('9'))) +
           2 * metrics.horizontalAdvance(QLatin1Char(' '));
}

void LineNumberedTextEdit::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    placeGutter();
}

void LineNumberedTextEdit::placeGutter()
{
    const QRect contents = contentsRect();
    m_gutter->setGeometry(contents.left(), contents.top(), gutterWidth(), contents.height());
}

// Follows the view: scrolled with it, repainted where it repaints.
void LineNumberedTextEdit::updateGutter(const QRect &rect, int dy)
{
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void LineNumberedTextEdit::paintGutter(const QPaintEvent &event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event.rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    const int right = m_gutter->width() - fontMetrics().horizontalAdvance(QLatin1Char(' '));
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber() + 1;
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= event.rect().bottom()) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible() && top + height >= event.rect().top())
            painter.drawText(QRectF(0, top, right, fontMetrics().height()), Qt::AlignRight,
                             QString::number(number));
        block = block.next();
        top += height;
        ++number;
    }
}
