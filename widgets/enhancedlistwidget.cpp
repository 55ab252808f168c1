#include "enhancedlistwidget.h"

#include "editorkeys.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSet>

EnhancedListWidget::EnhancedListWidget(const QStringList &contents, QWidget *parent)
    : QListWidget(parent)
{
    entries.reserve(contents.size());
    for (const QString &text : contents)
        entries.append(text.trimmed());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setResizeMode(QListView::Adjust);

    connect(this, &QListWidget::itemSelectionChanged, this,
            &EnhancedListWidget::handleSelectionChanged);
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            &EnhancedListWidget::handleRowsInsertedOrRemoved);
    connect(model(), &QAbstractItemModel::rowsRemoved, this,
            &EnhancedListWidget::handleRowsInsertedOrRemoved);
    connect(this, &QListWidget::itemChanged, this, &EnhancedListWidget::updateListContents);
    syncItemsToEntries();
}

EnhancedListWidget::~EnhancedListWidget() = default;

QSize EnhancedListWidget::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {20 * metrics.averageCharWidth(), 7 * metrics.lineSpacing()};
}

QStringList EnhancedListWidget::allStrings() const
{
    return entries;
}

void EnhancedListWidget::appendRow()
{
    entries.append(newRowName(count()));
    syncItemsToEntries();
    const int last = count() - 1;
    setCurrentRow(last);
    edit(indexFromItem(item(last)));
    emit contentsChanged(allStrings());
}

// Texts are compared as they are kept, trimmed, so that no two rows show the same text.
void EnhancedListWidget::appendRow(const QString &stringToAdd)
{
    const QString text = stringToAdd.trimmed();
    if (text.isEmpty() || entries.contains(text))
        return;
    entries.append(text);
    syncItemsToEntries();
    setCurrentRow(count() - 1);
    emit contentsChanged(allStrings());
}

void EnhancedListWidget::deleteSelectedRow()
{
    const int row = currentRow();
    if (row < 0)
        return;
    deleteRowAt(row);
    emit rowIndexDeleted(row);
}

void EnhancedListWidget::viewSelectedRow()
{
    if (const QListWidgetItem *current = currentItem())
        emit viewRow(current->text());
}

QString EnhancedListWidget::getSelectedString() const
{
    const QListWidgetItem *current = currentItem();
    return current ? current->text() : QString();
}

QStringList EnhancedListWidget::allButSelectedString() const
{
    QStringList strings = allStrings();
    if (currentItem())
        strings.removeOne(getSelectedString());
    return strings;
}

// The list's own writes raise itemChanged as well: they are no edits.
void EnhancedListWidget::updateListContents(QListWidgetItem *changedItem)
{
    if (m_syncing)
        return;
    entries.replace(row(changedItem), changedItem->text().trimmed());
    syncItemsToEntries();
    emit contentsChanged(allStrings());
}

// One pass over the texts and one over the items, whatever their number; the items are kept
// and only their texts rewritten.
void EnhancedListWidget::UpdateContents(const QStringList &newContents)
{
    entries.clear();
    QSet<QString> listed;
    for (const QString &content : newContents) {
        const QString text = content.trimmed();
        if (!text.isEmpty() && !listed.contains(text)) {
            listed.insert(text);
            entries.append(text);
        }
    }
    syncItemsToEntries();
    if (!entries.isEmpty())
        setCurrentRow(count() - 1);
    emit contentsChanged(allStrings());
}

void EnhancedListWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        deleteSelectedRow();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void EnhancedListWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Rows are opened for editing by the edit key or appendRow(), never by a double-click.
    if (selectedIndexes().contains(indexAt(event->pos())))
        mousePressEvent(event);
    else
        event->ignore();
}

bool EnhancedListWidget::event(QEvent *event)
{
    return claimsEditorKey(event, state() == EditingState) || QListWidget::event(event);
}

void EnhancedListWidget::handleSelectionChanged()
{
    emit rowSelected(currentRow(), count());
}

void EnhancedListWidget::handleRowsInsertedOrRemoved()
{
    handleSelectionChanged();
}

// Items are only added or removed at the end, and only texts that differ are written.
void EnhancedListWidget::syncItemsToEntries()
{
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    while (count() < entries.size()) {
        auto *newItem = new QListWidgetItem;
        newItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
        addItem(newItem);
    }
    while (count() > entries.size())
        delete takeItem(count() - 1);
    for (int i = 0; i < entries.size(); ++i) {
        if (item(i)->text() != entries.at(i))
            item(i)->setText(entries.at(i));
    }
}

void EnhancedListWidget::deleteRowAt(int row)
{
    emit rowDeleted(entries.takeAt(row));
    syncItemsToEntries();
    const int newRow = qMin(row, count() - 1);
    if (newRow == row)
        emit rowSelected(row, count());
    else if (newRow >= 0)
        setCurrentRow(newRow); // raises rowSelected through the selection change
}

QString EnhancedListWidget::newRowName(int count) const
{
    for (int number = count + 1;; ++number) {
        const QString name = QStringLiteral("IndepVar") + QString::number(number);
        if (!entries.contains(name))
            return name;
    }
}
