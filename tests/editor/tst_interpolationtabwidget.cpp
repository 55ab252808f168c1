#include "interpolationtabwidget.h"

#include "metatypes.h"

#include <QComboBox>
#include <QtTest>

#include <memory>

using LoadPullStateUtils::InterpolationTabState;

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

// Records are written "method,domain,extrapolation".
InterpolationTabState record(const QString &text)
{
    InterpolationTabState state;
    state.setInterpolationMethod(text.section(QLatin1Char(','), 0, 0).toInt());
    state.setInterpolationDomain(text.section(QLatin1Char(','), 1, 1).toInt());
    state.setExtrapolationMethod(text.section(QLatin1Char(','), 2, 2).toInt());
    return state;
}

QString text(const InterpolationTabState &state)
{
    return QStringLiteral("%1,%2,%3")
        .arg(state.interpolationMethod())
        .arg(state.interpolationDomain())
        .arg(state.extrapolationMethod());
}

// The records a spy caught, separated by blanks.
QString emitted(const QSignalSpy &spy)
{
    QStringList records;
    for (const QList<QVariant> &arguments : spy)
        records << text(arguments.at(0).value<InterpolationTabState>());
    return records.join(QLatin1Char(' '));
}

} // namespace

class tst_InterpolationTabWidget : public QObject
{
    Q_OBJECT

    // The method, domain and extrapolation boxes, in this order.
    QList<QComboBox *> boxes() const { return tab->findChildren<QComboBox *>(); }

    std::unique_ptr<InterpolationTabWidget> tab;

private slots:
    void initTestCase() { LoadPullStateUtils::registerStateMetaTypes(); }
    void init() { tab = std::make_unique<InterpolationTabWidget>(); }
    void newTabOffersTheChoices();
    void choosingAnItem_data();
    void choosingAnItem();
    void setState_data();
    void setState();
};

void tst_InterpolationTabWidget::newTabOffersTheChoices()
{
    QList<QStringList> items;
    for (QComboBox *box : boxes()) {
        items << QStringList();
        for (int i = 0; i < box->count(); ++i)
            items.last() << box->itemText(i);
    }
    QCOMPARE(items, (QList<QStringList>{{"Linear"_s, "Cubic Spline"_s, "Cubic"_s},
                                        {"Rectangular"_s, "Polar"_s},
                                        {"Interpolation Mode"_s, "Constant Extrapolation"_s}}));
    QCOMPARE(text(tab->state()), "0,0,0"_s);
}

void tst_InterpolationTabWidget::choosingAnItem_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("End in the method box chooses Cubic, keeping the other fields")
        << "0,1,1"_s << 0 << int(Qt::Key_End) << "2,1,1"_s;
    QTest::newRow("Up in the domain box goes back to Rectangular")
        << "2,1,0"_s << 1 << int(Qt::Key_Up) << "2,0,0"_s;
    QTest::newRow("Down in the extrapolation box chooses Constant Extrapolation")
        << "1,1,0"_s << 2 << int(Qt::Key_Down) << "1,1,1"_s;
    QTest::newRow("Up on the first item announces nothing")
        << "0,0,0"_s << 1 << int(Qt::Key_Up) << QString();
}

void tst_InterpolationTabWidget::choosingAnItem()
{
    QFETCH(QString, shown);
    QFETCH(int, box);
    QFETCH(int, key);
    QFETCH(QString, expected);

    tab->setState(record(shown));
    QSignalSpy spy(tab.get(), &InterpolationTabWidget::stateChanged);
    QTest::keyClick(boxes().at(box), Qt::Key(key));

    QCOMPARE(emitted(spy), expected);
    QCOMPARE(text(tab->state()), expected.isEmpty() ? shown : expected);
}

void tst_InterpolationTabWidget::setState_data()
{
    QTest::addColumn<QString>("newState");
    QTest::addColumn<QString>("expectedIndices");
    QTest::addColumn<QString>("expectedEmissions");

    QTest::newRow("the state shown is announced once") << "0,0,0"_s
                                                       << "0,0,0"_s
                                                       << "0,0,0"_s;
    QTest::newRow("three changed boxes announce three times more, all with the new state")
        << "1,1,1"_s
        << "1,1,1"_s
        << "1,1,1 1,1,1 1,1,1 1,1,1"_s;
    QTest::newRow("a method without text leaves its box without a current item and becomes 0")
        << "7,1,0"_s
        << "-1,1,0"_s
        << "0,1,0 0,1,0 0,1,0"_s;
    QTest::newRow("a negative extrapolation does the same after the method was announced")
        << "2,0,-1"_s
        << "2,0,-1"_s
        << "2,0,-1 2,0,0 2,0,0"_s;
}

void tst_InterpolationTabWidget::setState()
{
    QFETCH(QString, newState);
    QFETCH(QString, expectedIndices);
    QFETCH(QString, expectedEmissions);

    QSignalSpy spy(tab.get(), &InterpolationTabWidget::stateChanged);
    tab->setState(record(newState));

    QStringList indices;
    for (QComboBox *box : boxes())
        indices << QString::number(box->currentIndex());
    QCOMPARE(indices.join(QLatin1Char(',')), expectedIndices);
    QCOMPARE(emitted(spy), expectedEmissions);
    QCOMPARE(text(tab->state()), expectedEmissions.section(QLatin1Char(' '), -1));
}

QTEST_MAIN(tst_InterpolationTabWidget)
#include "tst_interpolationtabwidget.moc"
