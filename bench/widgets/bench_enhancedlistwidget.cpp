// Time of building the file list from its texts, of replacing them all and of removing the
// first row, at two sizes ten times apart: each should grow with the rows and no faster.

#include "enhancedlistwidget.h"

#include <QtTest>

namespace {

QStringList fileNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("/data/run%1/pa_%2.lp").arg(i % 7).arg(i);
    return names;
}

void addSizes()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("2000 rows") << 2000;
    QTest::newRow("20000 rows") << 20000;
}

} // namespace

class bench_EnhancedListWidget : public QObject
{
    Q_OBJECT

private slots:
    void construction_data() { addSizes(); }
    void construction();
    void updateContents_data() { addSizes(); }
    void updateContents();
    void deleteFirstRow_data() { addSizes(); }
    void deleteFirstRow();
};

void bench_EnhancedListWidget::construction()
{
    QFETCH(int, rows);
    const QStringList names = fileNames(rows);
    QBENCHMARK
    {
        EnhancedListWidget list(names);
    }
}

void bench_EnhancedListWidget::updateContents()
{
    QFETCH(int, rows);
    const QStringList names = fileNames(rows);
    EnhancedListWidget list(names);
    QStringList reversed = names;
    std::reverse(reversed.begin(), reversed.end());
    bool flip = false;
    QBENCHMARK
    {
        list.UpdateContents((flip = !flip) ? reversed : names);
    }
}

// Every later row shows the text of the one after it: the whole list is rewritten.
void bench_EnhancedListWidget::deleteFirstRow()
{
    QFETCH(int, rows);
    EnhancedListWidget list(fileNames(rows));
    int added = 0;
    QBENCHMARK
    {
        list.setCurrentRow(0);
        list.deleteSelectedRow();
        list.appendRow(QStringLiteral("/data/again_%1.lp").arg(++added));
    }
}

QTEST_MAIN(bench_EnhancedListWidget)
#include "bench_enhancedlistwidget.moc"
