#include "variabletables.h"

#include "elidedtext.h"

#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace VariableTables {

namespace {

constexpr int MeasuredRows = 300;
// The text the table itself last put into a cell. An edit changes a cell's text behind the
// table's back: the column must still be fitted to the text the table shows after it.
constexpr int ShownTextRole = Qt::UserRole + 1;
// The least contrast that keeps small text readable.
constexpr double ReadableContrast = 4.5;

double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(from.redF() + share * (to.redF() - from.redF()),
                            from.greenF() + share * (to.greenF() - from.greenF()),
                            from.blueF() + share * (to.blueF() - from.blueF()));
}

// Read-only cells are disabled items, drawn in the disabled text colour on the row colours of
// either colour group; many styles make that colour too pale to read (#BEBEBE on white is
// 1.9:1). It is moved toward the normal text just as far as reading needs, so that read-only
// cells still look apart from the ones the user can change.
void makeReadOnlyTextReadable(QTableWidget &table)
{
    QPalette palette = table.palette();
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor pale = palette.color(QPalette::Disabled, QPalette::Text);
    QList<double> backgrounds;
    for (const auto group : {QPalette::Active, QPalette::Disabled})
        for (const auto role : {QPalette::Base, QPalette::AlternateBase})
            backgrounds << luminance(palette.color(group, role));
    const auto readable = [&backgrounds](const QColor &colour) {
        const double ink = luminance(colour);
        return std::all_of(backgrounds.cbegin(), backgrounds.cend(), [ink](double ground) {
            return (std::max(ink, ground) + 0.05) / (std::min(ink, ground) + 0.05) >=
                   ReadableContrast;
        });
    };
    constexpr int Steps = 20;
    QColor greyed = pale;
    for (int step = 1; step <= Steps && !readable(greyed); ++step)
        greyed = mixed(pale, text, double(step) / Steps);
    palette.setColor(QPalette::Disabled, QPalette::Text, greyed);
    table.setPalette(palette);
}

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

// What a column may take beside the others, the stretched one kept at its least: a longer text
// is elided. A table not yet shown has no width to go by.
int roomFor(const QTableWidget &table, int column)
{
    const QHeaderView *header = table.horizontalHeader();
    int others = header->minimumSectionSize();
    for (int other = 0; other < table.columnCount(); ++other) {
        if (other != column && other != StretchedColumn && !table.isColumnHidden(other))
            others += table.columnWidth(other);
    }
    return qMax(table.viewport()->width() - others, header->sectionSizeHint(column));
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
    makeReadOnlyTextReadable(table);
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
    const QHeaderView *header = table.horizontalHeader();
    for (int column = 0; column < table.columnCount(); ++column) {
        const bool textChanged = (changedTexts >> column) & 1;
        if ((!textChanged && !changedHeaders.contains(column)) || column == StretchedColumn ||
            header->sectionResizeMode(column) == QHeaderView::Fixed)
            continue;
        const int before = table.columnWidth(column);
        table.resizeColumnToContents(column);
        const bool mayNarrow =
            changedHeaders.contains(column) || (textChanged && fitted.contains(column));
        if (!mayNarrow && table.columnWidth(column) < before)
            table.setColumnWidth(column, before);
        if (table.isVisible())
            table.setColumnWidth(column, qMin(table.columnWidth(column), roomFor(table, column)));
    }
}

QTableWidgetItem *newItem(const QString &text, Qt::ItemFlags flags, Qt::Alignment alignment)
{
    auto *made = new QTableWidgetItem(text);
    if (flags.testFlag(Qt::ItemIsEditable))
        made->setData(ShownTextRole, text);
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
    // Only a cell the user can edit may hold a text the table did not put there.
    const bool editable = flags.testFlag(Qt::ItemIsEditable);
    if (cell->text() == shown && (!editable || cell->data(ShownTextRole).toString() == shown))
        return 0;
    cell->setText(shown);
    if (editable)
        cell->setData(ShownTextRole, shown);
    return 1 << column;
}

void fixColumnWidth(QTableWidget &table, int column, const QStringList &texts)
{
    QHeaderView *header = table.horizontalHeader();
    header->setSectionResizeMode(column, QHeaderView::Fixed);
    // Measured as the view measures a cell that shows the text.
    QStyleOptionViewItem option;
    option.initFrom(&table);
    option.font = table.font();
    option.features = QStyleOptionViewItem::HasDisplay;
    int width = header->sectionSizeHint(column);
    for (const QString &text : texts) {
        option.text = text;
        width =
            qMax(width, table.style()
                            ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &table)
                            .width());
    }
    // The view draws its grid line inside the column.
    table.setColumnWidth(column, table.showGrid() ? width + 1 : width);
}

int markCell(QTableWidget &table, int row, int column, const QString &note)
{
    QTableWidgetItem *cell = table.item(row, column);
    const QString tip = elidedText(note);
    if (!cell || cell->toolTip() == tip)
        return 0;
    cell->setToolTip(tip);
    cell->setIcon(tip.isEmpty() ? QIcon()
                                : table.style()->standardIcon(QStyle::SP_MessageBoxWarning));
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

} // namespace VariableTables
