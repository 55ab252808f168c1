#include "enablecheckitemdelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

EnableCheckItemDelegate::EnableCheckItemDelegate(QObject *parent)
    : QItemDelegate(parent)
{}

EnableCheckItemDelegate::~EnableCheckItemDelegate() = default;

bool EnableCheckItemDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                          const QStyleOptionViewItem &option,
                                          const QModelIndex &index)
{
    const Qt::ItemFlags needed = Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    if ((model->flags(index) & needed) != needed)
        return false;
    const QVariant value = index.data(Qt::CheckStateRole);
    if (!value.isValid() || !togglesCheck(event, option))
        return false;
    // A partly checked cell becomes checked.
    const Qt::CheckState newState = value.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    return model->setData(index, newState, Qt::CheckStateRole);
}

// The cell shows no text, which is what the view would frame: the frame goes round the box.
void EnableCheckItemDelegate::drawFocus(QPainter *painter, const QStyleOptionViewItem &option,
                                        const QRect & /*rect*/) const
{
    const int margin = focusMargin();
    const QRect frame = centredCheckRect(option).adjusted(-margin, -margin, margin, margin);
    QItemDelegate::drawFocus(painter, option, frame & option.rect);
}

void EnableCheckItemDelegate::drawCheck(QPainter *painter, const QStyleOptionViewItem &option,
                                        const QRect & /*rect*/, Qt::CheckState state) const
{
    QItemDelegate::drawCheck(painter, option, centredCheckRect(option), state);
}

QRect EnableCheckItemDelegate::centredCheckRect(const QStyleOptionViewItem &option) const
{
    const int margin = focusMargin();
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const QSize size = doCheck(option, option.rect, Qt::Checked).size();
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, size, area);
}

int EnableCheckItemDelegate::focusMargin()
{
    return QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
}

bool EnableCheckItemDelegate::togglesCheck(const QEvent *event,
                                           const QStyleOptionViewItem &option) const
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        // Whichever button was released.
        return centredCheckRect(option).contains(static_cast<const QMouseEvent *>(event)->pos());
    case QEvent::KeyPress: {
        const int key = static_cast<const QKeyEvent *>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Select;
    }
    default: // double-clicks included: left to the view
        return false;
    }
}
