#include "variabletables.h"

#include "elidedtext.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

namespace VariableTables {

namespace {

constexpr int MeasuredRows = 300;

void setColumnHeader(QTableWidget &table, int column, const QString &text, QSet<int> &changed)
{
    QTableWidgetItem *header = table.horizontalHeaderItem(column);
    if (!header) {
        header = new QTableWidgetItem;
        table.setHorizontalHeaderItem(column, header);
        changed.insert(column);
    }
    if (header->text() != text) {
        header->setText(text);
        changed.insert(column);
    }
}

} // namespace

void setUpTable(QTableWidget &table)
{
    // Fitting a column lays out the text of every row it measures: in a table of thousands of
    // quantities, the rows in view and a few hundred more tell the width well enough.
    table.verticalHeader()->setResizeContentsPrecision(MeasuredRows);
    table.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    table.setTextElideMode(Qt::ElideRight);
    table.setSelectionBehavior(QAbstractItemView::SelectItems);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setAlternatingRowColors(true);
}

QSet<int> shapeTable(QTableWidget &table, const QStringList &headers, int rowCount)
{
    table.setColumnCount(headers.size());
    table.setRowCount(rowCount);
    QHeaderView *header = table.horizontalHeader();
    if (header->sectionResizeMode(StretchedColumn) != QHeaderView::Stretch)
        header->setSectionResizeMode(StretchedColumn, QHeaderView::Stretch);
    QSet<int> changed;
    for (int column = 0; column < headers.size(); ++column)
        setColumnHeader(table, column, headers.at(column), changed);
    return changed;
}

void fitColumnWidths(QTableWidget &table, const QSet<int> &changedHeaders, const QSet<int> &fitted,
                     int changedTexts)
{
    for (int column = 0; column < table.columnCount(); ++column) {
        const bool textChanged = (changedTexts >> column) & 1;
        if ((!textChanged && !changedHeaders.contains(column)) || column == StretchedColumn)
            continue;
        const int before = table.columnWidth(column);
        table.resizeColumnToContents(column);
        const bool mayNarrow =
            changedHeaders.contains(column) || (textChanged && fitted.contains(column));
        if (!mayNarrow && table.columnWidth(column) < before)
            table.setColumnWidth(column, before);
    }
}

QTableWidgetItem *newItem(const QString &text, Qt::ItemFlags flags, Qt::Alignment alignment)
{
    auto *made = new QTableWidgetItem(text);
    made->setTextAlignment(alignment);
    made->setFlags(flags);
    return made;
}

int showText(QTableWidget &table, int row, int column, const QString &text, Qt::ItemFlags flags,
             Qt::Alignment alignment)
{
    const QString shown = elidedText(text);
    QTableWidgetItem *cell = table.item(row, column);
    if (!cell) {
        table.setItem(row, column, newItem(shown, flags, alignment));
        return shown.isEmpty() ? 0 : 1 << column;
    }
    if (cell->flags() != flags)
        cell->setFlags(flags);
    if (cell->text() == shown)
        return 0;
    cell->setText(shown);
    return 1 << column;
}

QString pointText(int minNumPoints, int maxNumPoints)
{
    if (minNumPoints == 0 || maxNumPoints == 0)
        return QString();
    if (minNumPoints == maxNumPoints)
        return QString::number(minNumPoints);
    return QStringLiteral("%1 - %2").arg(uint(minNumPoints)).arg(uint(maxNumPoints));
}

bool replacesRecords(int lastNumFiles, int numFiles)
{
    return numFiles == 0 || (lastNumFiles == 0 && numFiles >= 0);
}

} // namespace VariableTables
