#include "interpolationtabwidget.h"

#include "metatypes.h"

#include <QComboBox>
#include <QtTest>

#include <memory>

using LoadPullStateUtils::InterpolationTabState;

namespace {

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

Qt::Key keyNamed(const QString &name)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QKeySequence::fromString(name)[0].key();
#else
    return Qt::Key(QKeySequence::fromString(name)[0]);
#endif
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
    void changingTheTab_data();
    void changingTheTab();
};

void tst_InterpolationTabWidget::changingTheTab_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expectedIndices");
    QTest::addColumn<QString>("expectedEmissions");

    const auto row = [](const char *name, const char *shown, const char *action,
                        const char *indices, const char *emissions) {
        QTest::newRow(name) << QString::fromUtf8(shown) << QString::fromUtf8(action)
                            << QString::fromUtf8(indices) << QString::fromUtf8(emissions);
    };
    // A key on a box announces the item it chooses, with the other fields kept.
    row("End chooses Cubic", "0,1,1", "End 0", "2,1,1", "2,1,1");
    row("Up goes back to Rectangular", "2,1,0", "Up 1", "2,0,0", "2,0,0");
    row("Down chooses Constant Extrapolation", "1,1,0", "Down 2", "1,1,1", "1,1,1");
    row("Up on the first item announces nothing", "0,0,0", "Up 1", "0,0,0", "");
    // setState announces once, and once more through each box whose item it moves.
    row("the state shown", "0,0,0", "0,0,0", "0,0,0", "0,0,0");
    row("three changed boxes", "0,0,0", "1,1,1", "1,1,1", "1,1,1 1,1,1 1,1,1 1,1,1");
    // A value without text leaves its box without a current item and becomes 0.
    row("a method without text", "0,0,0", "7,1,0", "-1,1,0", "0,1,0 0,1,0 0,1,0");
    row("a negative extrapolation", "0,0,0", "2,0,-1", "2,0,-1", "2,0,-1 2,0,0 2,0,0");
}

void tst_InterpolationTabWidget::changingTheTab()
{
    QFETCH(QString, shown);
    QFETCH(QString, action);
    QFETCH(QString, expectedIndices);
    QFETCH(QString, expectedEmissions);

    tab->setState(record(shown));
    QSignalSpy spy(tab.get(), &InterpolationTabWidget::stateChanged);
    const QStringList words = action.split(QLatin1Char(' ')); // a record, or a key and a box
    if (words.size() == 1)
        tab->setState(record(action));
    else
        QTest::keyClick(boxes().at(words.at(1).toInt()), keyNamed(words.at(0)));

    QStringList indices;
    for (QComboBox *box : boxes())
        indices << QString::number(box->currentIndex());
    QCOMPARE(indices.join(QLatin1Char(',')), expectedIndices);
    QCOMPARE(emitted(spy), expectedEmissions);
    QCOMPARE(text(tab->state()),
             expectedEmissions.isEmpty() ? shown : expectedEmissions.section(QLatin1Char(' '), -1));
}

QTEST_MAIN(tst_InterpolationTabWidget)
#include "tst_interpolationtabwidget.moc"
