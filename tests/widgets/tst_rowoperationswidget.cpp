#include "rowoperationswidget.h"

#include <QPushButton>
#include <QtTest>

namespace {

QList<QPushButton *> buttons(const RowOperationsWidget &strip)
{
    return strip.findChildren<QPushButton *>();
}

QStringList labels(const RowOperationsWidget &strip)
{
    QStringList result;
    for (const QPushButton *button : buttons(strip))
        result << button->text();
    return result;
}

} // namespace

class tst_RowOperationsWidget : public QObject
{
    Q_OBJECT

private slots:
    void signalsAndSlotCanBeConnectedBySignature();
    void buttonsAreLaidOutInOrder_data();
    void buttonsAreLaidOutInOrder();
    void removeAndViewFollowTheSelection_data();
    void removeAndViewFollowTheSelection();
    void eachButtonEmitsItsSignal_data();
    void eachButtonEmitsItsSignal();
};

// Callers connect by signature, so the meta-object must carry these, in this order.
void tst_RowOperationsWidget::signalsAndSlotCanBeConnectedBySignature()
{
    const QMetaObject &meta = RowOperationsWidget::staticMetaObject;
    int previous = -1;
    for (const char *signature : {"addRow()", "moveRowUp()", "deleteRow()", "moveRowDown()",
                                  "viewRow()", "rowSelected(int,int)"}) {
        const int index = meta.indexOfMethod(signature);
        QVERIFY2(index > previous, signature);
        previous = index;
    }
}

void tst_RowOperationsWidget::buttonsAreLaidOutInOrder_data()
{
    QTest::addColumn<QString>("rowKind");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QStringList>("expectedLabels");

    const QStringList plain{QStringLiteral("Add..."), QStringLiteral("Remove..."),
                            QStringLiteral("View...")};
    QTest::newRow("an empty kind gives the plain labels side by side")
        << QString() << false << plain;
    QTest::newRow("a vertical strip stacks the buttons") << QString() << true << plain;
    QTest::newRow("a kind is joined to the Add and Remove labels")
        << QStringLiteral("File") << false
        << QStringList{QStringLiteral("Add...File"), QStringLiteral("Remove...File"),
                       QStringLiteral("View...")};
}

void tst_RowOperationsWidget::buttonsAreLaidOutInOrder()
{
    QFETCH(QString, rowKind);
    QFETCH(bool, vertical);
    QFETCH(QStringList, expectedLabels);
    RowOperationsWidget strip(rowKind, vertical, nullptr);
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));

    QCOMPARE(labels(strip), expectedLabels);
    const auto all = buttons(strip);
    for (int i = 1; i < all.size(); ++i) {
        const QRect previous = all.at(i - 1)->geometry();
        const QRect current = all.at(i)->geometry();
        QCOMPARE(current.left() > previous.right(), !vertical);
        QCOMPARE(current.top() > previous.bottom(), vertical);
    }
}

void tst_RowOperationsWidget::removeAndViewFollowTheSelection_data()
{
    QTest::addColumn<QList<int>>("selectedRows");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("before any selection they are disabled") << QList<int>() << false;
    QTest::newRow("a selected row enables them") << QList<int>{0} << true;
    QTest::newRow("a lost selection disables them again") << QList<int>{2, -1} << false;
    QTest::newRow("a later selection enables them again") << QList<int>{-1, 1} << true;
}

void tst_RowOperationsWidget::removeAndViewFollowTheSelection()
{
    QFETCH(QList<int>, selectedRows);
    QFETCH(bool, enabled);
    RowOperationsWidget strip(QString(), false, nullptr);

    for (int row : selectedRows)
        strip.rowSelected(row, 3);

    const auto all = buttons(strip);
    QVERIFY(all.at(0)->isEnabled());
    QCOMPARE(all.at(1)->isEnabled(), enabled);
    QCOMPARE(all.at(2)->isEnabled(), enabled);
}

void tst_RowOperationsWidget::eachButtonEmitsItsSignal_data()
{
    QTest::addColumn<int>("selectedRow");
    QTest::addColumn<int>("button");
    QTest::addColumn<QList<int>>("expectedCounts"); // addRow, deleteRow, viewRow

    QTest::newRow("Add emits addRow without a selection") << -1 << 0 << QList<int>{1, 0, 0};
    QTest::newRow("Remove emits deleteRow") << 0 << 1 << QList<int>{0, 1, 0};
    QTest::newRow("View emits viewRow") << 0 << 2 << QList<int>{0, 0, 1};
    QTest::newRow("a disabled Remove emits nothing") << -1 << 1 << QList<int>{0, 0, 0};
}

void tst_RowOperationsWidget::eachButtonEmitsItsSignal()
{
    QFETCH(int, selectedRow);
    QFETCH(int, button);
    QFETCH(QList<int>, expectedCounts);
    RowOperationsWidget strip(QString(), false, nullptr);
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));
    strip.rowSelected(selectedRow, 1);
    QSignalSpy added(&strip, &RowOperationsWidget::addRow);
    QSignalSpy deleted(&strip, &RowOperationsWidget::deleteRow);
    QSignalSpy viewed(&strip, &RowOperationsWidget::viewRow);
    QSignalSpy movedUp(&strip, &RowOperationsWidget::moveRowUp);
    QSignalSpy movedDown(&strip, &RowOperationsWidget::moveRowDown);

    QTest::mouseClick(buttons(strip).at(button), Qt::LeftButton);

    QCOMPARE((QList<int>{added.size(), deleted.size(), viewed.size()}), expectedCounts);
    QCOMPARE(movedUp.size() + movedDown.size(), 0);
}

QTEST_MAIN(tst_RowOperationsWidget)
#include "tst_rowoperationswidget.moc"
