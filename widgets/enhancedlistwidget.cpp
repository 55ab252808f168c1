#include "enhancedlistwidget.h"

#include "editorkeys.h"

#include <QFontMetrics>
#include <QMouseEvent>

EnhancedListWidget::EnhancedListWidget(const QStringList &contents, QWidget *parent)
    : QListWidget(parent)
    , entries(contents)
{
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
    // Writing the texts into the new items trims them through updateListContents.
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

void EnhancedListWidget::appendRow(const QString &stringToAdd)
{
    if (stringToAdd.isEmpty() || entries.contains(stringToAdd))
        return;
    entries.append(stringToAdd);
    syncItemsToEntries();
    setCurrentRow(count() - 1);
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

void EnhancedListWidget::updateListContents(QListWidgetItem *changedItem)
{
    entries.replace(row(changedItem), changedItem->text().trimmed());
    syncItemsToEntries();
    emit contentsChanged(allStrings());
}

void EnhancedListWidget::UpdateContents(const QStringList &newContents)
{
    entries.clear();
    syncItemsToEntries();
    for (const QString &text : newContents)
        appendRow(text);
    syncItemsToEntries();
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

// Items are only added or removed at the end. Setting an item's text raises itemChanged
// and so re-enters through updateListContents; an unchanged text raises nothing, which
// ends the re-entry.
void EnhancedListWidget::syncItemsToEntries()
{
    while (count() < entries.size()) {
        auto *newItem = new QListWidgetItem;
        newItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
        addItem(newItem);
    }
    while (count() > entries.size())
        delete takeItem(count() - 1);
    for (int i = 0; i < entries.size(); ++i)
        item(i)->setText(entries.at(i));
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
