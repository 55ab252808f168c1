#include "tablewidget.h"

#include "editorkeys.h"

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

bool isEditable(const QModelIndex &index)
{
    const Qt::ItemFlags needed = Qt::ItemIsEditable | Qt::ItemIsEnabled;
    return (index.flags() & needed) == needed;
}

bool isChangeable(const QModelIndex &index)
{
    return isEditable(index) ||
           (hasUserCheckBox(index) && index.flags().testFlag(Qt::ItemIsEnabled));
}

} // namespace

TableWidget::TableWidget(QWidget *parent)
    : QTableWidget(parent)
{
    // Arrows move between the cells; Tab moves on to the next control instead of going round
    // the cells for ever.
    setTabKeyNavigation(false);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
}

TableWidget::~TableWidget() = default;

void TableWidget::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->pos());
    if (m_forwardingPress || hasUserCheckBox(index) || !isEditable(index))
        return;
    const QScopedValueRollback<bool> guard(m_forwardingPress, true);
    mouseDoubleClickEvent(event);
}

// The first cells of a row are often read-only and disabled, and the view would leave such a
// table without a current cell, so that arrows, F2, typing and Space did nothing.
void TableWidget::focusInEvent(QFocusEvent *event)
{
    if (!isChangeable(currentIndex())) {
        const QModelIndex first = firstChangeableIndex();
        if (first.isValid())
            selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    }
    QTableWidget::focusInEvent(event);
}

bool TableWidget::event(QEvent *event)
{
    return claimsEditorKey(event, state() == EditingState) || QTableWidget::event(event);
}

QModelIndex TableWidget::firstChangeableIndex() const
{
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            const QModelIndex index = model()->index(row, column);
            if (!isRowHidden(row) && !isColumnHidden(column) && isChangeable(index))
                return index;
        }
    }
    return {};
}
