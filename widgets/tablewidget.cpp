#include "tablewidget.h"

#include <QMouseEvent>
#include <QScopedValueRollback>

TableWidget::TableWidget(QWidget *parent)
    : QTableWidget(parent)
{}

TableWidget::~TableWidget() = default;

void TableWidget::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    if (m_forwardingPress || !selectedIndexes().contains(indexAt(event->pos())))
        return;
    const QScopedValueRollback<bool> guard(m_forwardingPress, true);
    mouseDoubleClickEvent(event);
}
