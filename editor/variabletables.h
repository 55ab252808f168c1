#pragma once

#include "elidedtext.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <Qt>

class QTableWidget;
class QTableWidgetItem;

// What the variable tables of the details and performance tabs share: their headers, their
// cell items, column widths that only grow, and the point-count text.
namespace VariableTables {

// The settings every variable table shares: it grows with the tab, elides at the right what
// a column is too narrow for, selects single cells, alternates its row colours and draws
// read-only text dark enough to read.
void setUpTable(QTableWidget &table);

// The column that takes whatever width the others leave, so that the table fills the width it
// is given and a long name is elided rather than pushing the other columns out of view.
constexpr int StretchedColumn = 0;

// Gives the table one column per header and rowCount rows. Returns the columns whose header
// item was made now or whose text changed: only those may narrow.
QSet<int> shapeTable(QTableWidget &table, const QStringList &headers, int rowCount);

// Resizes the columns whose header or cell texts changed (`changedHeaders`, and one bit per
// column in `changedTexts`) to their contents, but keeps a column when it was wider, so that a
// refresh never narrows a column under the user's eyes; the stretched column is left to the
// header. Columns in `fitted` always take their contents' width; a column of fixed width is left
// alone. On the screen, no column
// takes more than the room the others leave, so a long value is elided rather than pushing the
// table wider than its view. Measuring a column lays out the text of its cells, which is what
// a refresh of a large table spends most of its time on: a column whose texts stayed is left
// alone.
void fitColumnWidths(QTableWidget &table, const QSet<int> &changedHeaders, const QSet<int> &fitted,
                     int changedTexts);

// Shows one record per row in name order and fits the column widths. The map is walked once:
// looking each row up by position would walk it from the start for every row. fillRow gives
// the columns whose texts it changed, as showText does.
template<typename Record, typename FillRow>
void refreshRows(QTableWidget &table, const QStringList &headers,
                 const QMap<QString, Record> &records, const QSet<int> &alwaysFitted,
                 FillRow fillRow)
{
    const QSet<int> changedHeaders = shapeTable(table, headers, records.size());
    int changedTexts = 0;
    int row = 0;
    for (const Record &record : records)
        changedTexts |= fillRow(row++, record);
    fitColumnWidths(table, changedHeaders, alwaysFitted, changedTexts);
}

// An item set up before it goes into a table: a change made to an item in a table reaches the
// view, and a table of thousands of cells would hear of every property of every cell. Items
// are reused after, so a refresh never deletes the item whose change is being announced.
QTableWidgetItem *newItem(const QString &text, Qt::ItemFlags flags, Qt::Alignment alignment);

constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignVCenter;

// Shows text in the cell with exactly these flags; the alignment is set when the item is made.
// A text too long to lay out in an instant is shown elided. Gives the column's bit when the
// cell's text changed, or the user edited it since, else 0.
int showText(QTableWidget &table, int row, int column, const QString &text, Qt::ItemFlags flags,
             Qt::Alignment alignment = Centred);

// Gives a column whose cells hold one of a few texts the width of the widest, or of its header,
// once: measuring thousands of its cells would tell nothing more. Fitting leaves it alone.
void fixColumnWidth(QTableWidget &table, int column, const QStringList &texts);

// Marks the cell with a warning sign and the note as its tooltip, or unmarks it for the empty
// note. Gives the column's bit when the mark changed, so that the column is fitted again.
int markCell(QTableWidget &table, int row, int column, const QString &note);

// The notes under a table: one line for each row shown that has a note, in the rows' order,
// then the notes on what no row shows.
template<typename Record>
QString notesText(const QMap<QString, Record> &rows, const QMap<QString, QString> &rowNotes,
                  const QString &otherNotes)
{
    QStringList lines;
    for (auto note = rowNotes.cbegin(); note != rowNotes.cend(); ++note) {
        if (rows.contains(note.key()))
            lines.append(elidedText(note.value()));
    }
    if (!otherNotes.isEmpty())
        lines.append(otherNotes);
    return elidedLines(lines.join(QLatin1Char('\n')));
}

// Empty while either count is unknown (0), one count when they agree, else "min - max".
QString pointText(int minNumPoints, int maxNumPoints);

} // namespace VariableTables
