#include "indepvardetailstablewidget.h"
#include "metatypes.h"
#include "testtexts.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace LoadPullStateUtils;

namespace {

IndepVariablesState variables(const QString &value)
{
    IndepVariablesState state;
    for (const char *name : {"Freq", "Pin_avail"}) {
        IndepVarInfo info;
        info.setName(QString::fromLatin1(name));
        info.setMinValue("10"_s);
        info.setMaxValue("26"_s);
        info.setMinNumPoints(5);
        info.setMaxNumPoints(5);
        info.setUnit("dBm"_s);
        info.setValue(info.name() == QLatin1String("Freq") ? "freq"_s : value);
        state.addVariable(info, false);
    }
    return state;
}

double luminance(QRgb rgb)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

// The contrast between a cell's background (its most common colour) and its text at its
// farthest from it.
double inkContrast(const QImage &cell)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            ++counts[cell.pixel(x, y)];
    const double ground = luminance(std::max_element(counts.cbegin(), counts.cend()).key());
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double ink = luminance(it.key());
        best = std::max(best, (std::max(ink, ground) + 0.05) / (std::min(ink, ground) + 0.05));
    }
    return best;
}

} // namespace

// How the variable tables look: text the user can read, and values shown whole where there is
// room for them.
class tst_VariableTables : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init();
    void readOnlyTextIsReadable_data();
    void readOnlyTextIsReadable();
    void anEnteredValueIsShownWhole_data();
    void anEnteredValueIsShownWhole();

private:
    std::unique_ptr<IndepVarDetailsTableWidget> m_table;
};

void tst_VariableTables::init()
{
    m_table = std::make_unique<IndepVarDetailsTableWidget>();
    m_table->resize(520, 200);
    m_table->setState(variables("18"_s));
    m_table->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_table.get()));
}

void tst_VariableTables::readOnlyTextIsReadable_data()
{
    QTest::addColumn<bool>("dark"); // a dark palette rather than the default one

    QTest::newRow("default palette") << false;
    QTest::newRow("dark palette") << true;
}

// At least 4.5:1 against the row's own colour, for every read-only cell of both rows.
void tst_VariableTables::readOnlyTextIsReadable()
{
    QFETCH(bool, dark);
    const QPalette before = QApplication::palette();
    if (dark) {
        QPalette palette = before;
        palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        palette.setColor(QPalette::AlternateBase, QColor(0x30, 0x30, 0x30));
        palette.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x40, 0x40, 0x40));
        QApplication::setPalette(palette);
        init();
    }
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (const int column : {0, 2, 3}) {
            const QImage cell = m_table->viewport()
                                    ->grab(m_table->visualItemRect(m_table->item(row, column)))
                                    .toImage();
            QVERIFY2(inkContrast(cell) >= 4.5,
                     qPrintable(
                         "row %1, column %2: %3:1"_s.arg(row).arg(column).arg(inkContrast(cell))));
        }
    }
    QApplication::setPalette(before);
}

void tst_VariableTables::anEnteredValueIsShownWhole_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("whole"); // there is room for all of it

    QTest::newRow("a variable name") << "dbmtow20"_s << true;
    QTest::newRow("a name longer than the table is wide")
        << QString(200, QLatin1Char('v')) << false;
}

// A value entered in its cell widens the column to show it, as far as the table has room.
void tst_VariableTables::anEnteredValueIsShownWhole()
{
    QFETCH(QString, value);
    QFETCH(bool, whole);
    QTableWidgetItem *cell = m_table->item(1, 1);
    QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {},
                      m_table->visualItemRect(cell).center());
    auto *editor = m_table->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->clear();
    QTest::keyClicks(editor, value);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell->text(), value);

    const int needed = m_table->fontMetrics().horizontalAdvance(value);
    const int shown = m_table->columnWidth(1);
    QCOMPARE(shown > needed, whole);
    int total = 0;
    for (int column = 0; column < m_table->columnCount(); ++column)
        total += m_table->columnWidth(column);
    QVERIFY2(total <= m_table->viewport()->width(),
             qPrintable("%1 > %2"_s.arg(total).arg(m_table->viewport()->width())));
}

QTEST_MAIN(tst_VariableTables)
#include "tst_variabletables.moc"
