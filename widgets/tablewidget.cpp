#include "tablewidget.h"

#include <QMouseEvent>
#include <QScopedValueRollback>

namespace {

// The delegates toggle a check box on the release, and the view does not count the release
// that follows a double-click as a click: a press on such a cell has to stay a plain press.
bool hasUserCheckBox(const QModelIndex &index)
{
    return index.flags().testFlag(Qt::ItemIsUserCheckable) &&
           index.data(Qt::CheckStateRole).isValid();
}

} // namespace

TableWidget::TableWidget(QWidget *parent)
    : QTableWidget(parent)
{}

TableWidget::~TableWidget() = default;

void TableWidget::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->pos());
    if (m_forwardingPress || hasUserCheckBox(index) || !selectedIndexes().contains(index))
        return;
    const QScopedValueRollback<bool> guard(m_forwardingPress, true);
    mouseDoubleClickEvent(event);
}
