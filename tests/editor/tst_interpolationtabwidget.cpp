#include "interpolationtabwidget.h"

#include "metatypes.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QtTest>

#include <memory>

using LoadPullStateUtils::InterpolationTabState;

namespace LoadPullStateUtils {

// Readable failures for compared records.
char *toString(const InterpolationTabState &state)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3)")
                               .arg(state.interpolationMethod())
                               .arg(state.interpolationDomain())
                               .arg(state.extrapolationMethod()));
}

} // namespace LoadPullStateUtils

namespace {

enum Row { MethodRow, DomainRow, ExtrapolationRow };

InterpolationTabState record(int method, int domain, int extrapolation)
{
    InterpolationTabState state;
    state.setInterpolationMethod(method);
    state.setInterpolationDomain(domain);
    state.setExtrapolationMethod(extrapolation);
    return state;
}

QList<InterpolationTabState> emitted(const QSignalSpy &spy)
{
    QList<InterpolationTabState> states;
    for (const QList<QVariant> &arguments : spy)
        states << arguments.at(0).value<InterpolationTabState>();
    return states;
}

} // namespace

class tst_InterpolationTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void slotsCanBeConnectedBySignature();
    void newTabShowsTheFirstItemOfEachBox();
    void boxesOfferTheEnumerationTexts_data();
    void boxesOfferTheEnumerationTexts();
    void choosingAnItemAnnouncesTheWholeState_data();
    void choosingAnItemAnnouncesTheWholeState();
    void setStateShowsAndAnnouncesTheState_data();
    void setStateShowsAndAnnouncesTheState();

private:
    QComboBox *box(Row row) const;
    QString label(Row row) const;
    QStringList currentTexts() const;

    std::unique_ptr<InterpolationTabWidget> tab;
};

void tst_InterpolationTabWidget::initTestCase()
{
    LoadPullStateUtils::registerStateMetaTypes();
}

void tst_InterpolationTabWidget::init()
{
    tab = std::make_unique<InterpolationTabWidget>();
}

void tst_InterpolationTabWidget::cleanup()
{
    tab.reset();
}

QComboBox *tst_InterpolationTabWidget::box(Row row) const
{
    auto *form = qobject_cast<QFormLayout *>(tab->layout());
    return form ? qobject_cast<QComboBox *>(form->itemAt(row, QFormLayout::FieldRole)->widget())
                : nullptr;
}

QString tst_InterpolationTabWidget::label(Row row) const
{
    auto *form = qobject_cast<QFormLayout *>(tab->layout());
    auto *text = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)->widget());
    return text ? text->text() : QString();
}

QStringList tst_InterpolationTabWidget::currentTexts() const
{
    return {box(MethodRow)->currentText(), box(DomainRow)->currentText(),
            box(ExtrapolationRow)->currentText()};
}

// The container and the host's scripts reach the tab by these signatures.
void tst_InterpolationTabWidget::slotsCanBeConnectedBySignature()
{
    const QMetaObject &meta = InterpolationTabWidget::staticMetaObject;
    QCOMPARE(meta.className(), "InterpolationTabWidget");
    int previous = -1;
    for (const char *signature :
         {"stateChanged(LoadPullStateUtils::InterpolationTabState)", "state()",
          "setState(LoadPullStateUtils::InterpolationTabState)",
          "interpolationMethodChanged(QString)", "interpolationDomainChanged(QString)",
          "extrapolationMethodChanged(QString)"}) {
        const int index = meta.indexOfMethod(signature);
        QVERIFY2(index > previous, signature);
        previous = index;
    }
    const QMetaMethod signal =
        meta.method(meta.indexOfSignal("stateChanged(LoadPullStateUtils::InterpolationTabState)"));
    QCOMPARE(signal.parameterNames(), QList<QByteArray>{"newState"});
}

void tst_InterpolationTabWidget::newTabShowsTheFirstItemOfEachBox()
{
    QCOMPARE(tab->state(), InterpolationTabState());
    QCOMPARE(currentTexts(), (QStringList{QStringLiteral("Linear"), QStringLiteral("Rectangular"),
                                          QStringLiteral("Interpolation Mode")}));
}

void tst_InterpolationTabWidget::boxesOfferTheEnumerationTexts_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expectedLabel");
    QTest::addColumn<QStringList>("expectedItems");

    QTest::newRow("the method box comes first with three methods")
        << int(MethodRow) << QStringLiteral("Interpolation method:")
        << QStringList{QStringLiteral("Linear"), QStringLiteral("Cubic Spline"),
                       QStringLiteral("Cubic")};
    QTest::newRow("the domain box offers both forms of the values")
        << int(DomainRow) << QStringLiteral("Interpolation domain:")
        << QStringList{QStringLiteral("Rectangular"), QStringLiteral("Polar")};
    QTest::newRow("the extrapolation box comes last")
        << int(ExtrapolationRow) << QStringLiteral("Extrapolation method:")
        << QStringList{QStringLiteral("Interpolation Mode"),
                       QStringLiteral("Constant Extrapolation")};
}

void tst_InterpolationTabWidget::boxesOfferTheEnumerationTexts()
{
    QFETCH(int, row);
    QFETCH(QString, expectedLabel);
    QFETCH(QStringList, expectedItems);

    QComboBox *combo = box(Row(row));
    QVERIFY(combo);
    QCOMPARE(combo->parentWidget(), tab.get());
    QCOMPARE(label(Row(row)), expectedLabel);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, expectedItems);
}

void tst_InterpolationTabWidget::choosingAnItemAnnouncesTheWholeState_data()
{
    QTest::addColumn<InterpolationTabState>("shown");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<InterpolationTabState>>("expectedEmissions");

    QTest::newRow("End in the method box chooses Cubic and keeps the other fields")
        << record(0, 1, 1) << int(MethodRow) << int(Qt::Key_End)
        << QList<InterpolationTabState>{record(2, 1, 1)};
    QTest::newRow("Down in the method box chooses Cubic Spline")
        << record(0, 0, 0) << int(MethodRow) << int(Qt::Key_Down)
        << QList<InterpolationTabState>{record(1, 0, 0)};
    QTest::newRow("Up in the domain box goes back to Rectangular")
        << record(2, 1, 0) << int(DomainRow) << int(Qt::Key_Up)
        << QList<InterpolationTabState>{record(2, 0, 0)};
    QTest::newRow("Down in the extrapolation box chooses Constant Extrapolation")
        << record(1, 1, 0) << int(ExtrapolationRow) << int(Qt::Key_Down)
        << QList<InterpolationTabState>{record(1, 1, 1)};
    QTest::newRow("Up on the first item changes nothing and announces nothing")
        << record(0, 0, 0) << int(DomainRow) << int(Qt::Key_Up) << QList<InterpolationTabState>{};
}

void tst_InterpolationTabWidget::choosingAnItemAnnouncesTheWholeState()
{
    QFETCH(InterpolationTabState, shown);
    QFETCH(int, row);
    QFETCH(int, key);
    QFETCH(QList<InterpolationTabState>, expectedEmissions);

    tab->setState(shown);
    QSignalSpy spy(tab.get(), &InterpolationTabWidget::stateChanged);
    QTest::keyClick(box(Row(row)), Qt::Key(key));

    QCOMPARE(emitted(spy), expectedEmissions);
    QCOMPARE(tab->state(), expectedEmissions.isEmpty() ? shown : expectedEmissions.last());
}

void tst_InterpolationTabWidget::setStateShowsAndAnnouncesTheState_data()
{
    QTest::addColumn<InterpolationTabState>("newState");
    QTest::addColumn<QStringList>("expectedTexts");
    QTest::addColumn<QList<InterpolationTabState>>("expectedEmissions");

    QTest::newRow("the state already shown is announced once")
        << record(0, 0, 0)
        << QStringList{QStringLiteral("Linear"), QStringLiteral("Rectangular"),
                       QStringLiteral("Interpolation Mode")}
        << QList<InterpolationTabState>{record(0, 0, 0)};
    QTest::newRow("three changed boxes announce three times more, all with the new state")
        << record(1, 1, 1)
        << QStringList{QStringLiteral("Cubic Spline"), QStringLiteral("Polar"),
                       QStringLiteral("Constant Extrapolation")}
        << QList<InterpolationTabState>{record(1, 1, 1), record(1, 1, 1), record(1, 1, 1),
                                        record(1, 1, 1)};
    QTest::newRow("one changed box announces twice")
        << record(0, 1, 0)
        << QStringList{QStringLiteral("Linear"), QStringLiteral("Polar"),
                       QStringLiteral("Interpolation Mode")}
        << QList<InterpolationTabState>{record(0, 1, 0), record(0, 1, 0)};
    QTest::newRow("a method without text empties its box and becomes 0")
        << record(7, 1, 0)
        << QStringList{QString(), QStringLiteral("Polar"), QStringLiteral("Interpolation Mode")}
        << QList<InterpolationTabState>{record(0, 1, 0), record(0, 1, 0), record(0, 1, 0)};
    QTest::newRow("a negative extrapolation empties its box after the method was announced")
        << record(2, 0, -1)
        << QStringList{QStringLiteral("Cubic"), QStringLiteral("Rectangular"), QString()}
        << QList<InterpolationTabState>{record(2, 0, -1), record(2, 0, 0), record(2, 0, 0)};
}

void tst_InterpolationTabWidget::setStateShowsAndAnnouncesTheState()
{
    QFETCH(InterpolationTabState, newState);
    QFETCH(QStringList, expectedTexts);
    QFETCH(QList<InterpolationTabState>, expectedEmissions);

    QSignalSpy spy(tab.get(), &InterpolationTabWidget::stateChanged);
    tab->setState(newState);

    QCOMPARE(currentTexts(), expectedTexts);
    QCOMPARE(emitted(spy), expectedEmissions);
    QCOMPARE(tab->state(), expectedEmissions.last());
    for (const Row row : {MethodRow, DomainRow, ExtrapolationRow})
        QCOMPARE(box(row)->currentIndex() == -1, expectedTexts.at(row).isEmpty());
}

QTEST_MAIN(tst_InterpolationTabWidget)
#include "tst_interpolationtabwidget.moc"
