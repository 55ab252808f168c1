#include "enhancedlistwidget.h"
#include "rowoperationswidget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *text : list)
        result << QString::fromUtf8(text);
    return result;
}

QStringList itemTexts(const QListWidget &list)
{
    QStringList result;
    for (int row = 0; row < list.count(); ++row)
        result << list.item(row)->text();
    return result;
}

QLineEdit *openEditor(const QAbstractItemView &view)
{
    auto *editor = view.viewport()->findChild<QLineEdit *>();
    return editor && editor->isVisible() ? editor : nullptr;
}

QPoint rowCentre(const QListWidget &list, int row)
{
    return list.visualItemRect(list.item(row)).center();
}

// The list above its button strip, wired the way the file tab wires them.
struct ListWithStrip
{
    explicit ListWithStrip(const QStringList &contents)
        : list(new EnhancedListWidget(contents))
        , strip(new RowOperationsWidget(QString(), false))
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(strip);
        QObject::connect(list, &EnhancedListWidget::rowSelected, strip,
                         &RowOperationsWidget::rowSelected);
        QObject::connect(strip, &RowOperationsWidget::deleteRow, list,
                         &EnhancedListWidget::deleteSelectedRow);
        window.show();
    }

    QPushButton *removeButton() const { return strip->findChildren<QPushButton *>().at(1); }

    QWidget window;
    EnhancedListWidget *list;
    RowOperationsWidget *strip;
};

} // namespace

class tst_EnhancedListWidget : public QObject
{
    Q_OBJECT

private slots:
    void signalsAndSlotsCanBeConnectedBySignature();
    void contents_data();
    void contents();
    void appendRow_data();
    void appendRow();
    void removeButtonDeletesTheSelectedRow_data();
    void removeButtonDeletesTheSelectedRow();
    void operationsOnTheCurrentRow_data();
    void operationsOnTheCurrentRow();
    void inPlaceEditIsTrimmed();
    void doubleClickNeverOpensAnEditor_data();
    void doubleClickNeverOpensAnEditor();
};

// Callers connect by signature, so the meta-object must carry these, in this order.
void tst_EnhancedListWidget::signalsAndSlotsCanBeConnectedBySignature()
{
    int previous = -1;
    for (const char *signature :
         {"rowSelected(int,int)", "viewRow(QString)", "rowDeleted(QString)", "rowIndexDeleted(int)",
          "contentsChanged(QStringList)", "appendRow()", "appendRow(QString)",
          "deleteSelectedRow()", "viewSelectedRow()", "getSelectedString()",
          "allButSelectedString()", "updateListContents(QListWidgetItem*)",
          "UpdateContents(QStringList)"}) {
        const int index = EnhancedListWidget::staticMetaObject.indexOfMethod(signature);
        QVERIFY2(index > previous, signature);
        previous = index;
    }
}

void tst_EnhancedListWidget::contents_data()
{
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QStringList>("contents");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("construction keeps order, repeats and empty texts, each trimmed")
        << false << texts({" b ", "a", "a", "", "\tc  "}) << texts({"b", "a", "a", "", "c"});
    QTest::newRow("UpdateContents keeps each non-empty text once, in first-seen order")
        << true << texts({"a", "b", "a", "", "c", "b"}) << texts({"a", "b", "c"});
    QTest::newRow("UpdateContents with nothing leaves no rows")
        << true << QStringList() << QStringList();
}

void tst_EnhancedListWidget::contents()
{
    QFETCH(bool, replaced);
    QFETCH(QStringList, contents);
    QFETCH(QStringList, expected);
    EnhancedListWidget list(replaced ? texts({"old1", "old2", "old3", "old4"}) : contents, nullptr);

    if (replaced) {
        list.setCurrentRow(3);
        list.UpdateContents(contents);
    }

    QCOMPARE(list.allStrings(), expected);
    QCOMPARE(itemTexts(list), expected);
    QCOMPARE(list.currentRow(), replaced ? expected.size() - 1 : -1);
    for (int row = 0; row < list.count(); ++row)
        QCOMPARE(list.item(row)->flags(),
                 Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
}

void tst_EnhancedListWidget::appendRow_data()
{
    QTest::addColumn<QStringList>("contents");
    QTest::addColumn<bool>("withDefaultName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("a default row on an empty list is IndepVar1, opened for editing")
        << QStringList() << true << QString() << texts({"IndepVar1"});
    QTest::newRow("a default row skips IndepVar3 when it is taken")
        << texts({"IndepVar3", "x"}) << true << QString() << texts({"IndepVar3", "x", "IndepVar4"});
    QTest::newRow("an empty text is dropped")
        << texts({"a", "b"}) << false << QString() << texts({"a", "b"});
    QTest::newRow("a text already listed is dropped")
        << texts({"a", "b"}) << false << QStringLiteral("b") << texts({"a", "b"});
    QTest::newRow("a text differing only in case is added and made current")
        << texts({"a", "b"}) << false << QStringLiteral("A") << texts({"a", "b", "A"});
}

void tst_EnhancedListWidget::appendRow()
{
    QFETCH(QStringList, contents);
    QFETCH(bool, withDefaultName);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    EnhancedListWidget list(contents, nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentItem(nullptr);
    QSignalSpy changes(&list, &EnhancedListWidget::contentsChanged);
    QSignalSpy selections(&list, &EnhancedListWidget::rowSelected);

    if (withDefaultName)
        list.appendRow();
    else
        list.appendRow(text);

    const bool added = expected.size() > contents.size();
    QCOMPARE(list.allStrings(), expected);
    QCOMPARE(itemTexts(list), expected);
    QCOMPARE(list.currentRow(), added ? expected.size() - 1 : -1);
    QCOMPARE(changes.isEmpty(), !added);
    QCOMPARE(selections.isEmpty(), !added);
    if (added)
        QCOMPARE(changes.last().at(0).toStringList(), expected);
    QLineEdit *editor = openEditor(list);
    QCOMPARE(editor != nullptr, withDefaultName);
    if (editor)
        QCOMPARE(editor->text(), expected.last());
}

void tst_EnhancedListWidget::removeButtonDeletesTheSelectedRow_data()
{
    QTest::addColumn<QStringList>("contents");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("expectedCurrentRow");

    QTest::newRow("the middle row of three leaves the next text at the same row")
        << texts({"a", "b", "c"}) << 1 << texts({"a", "c"}) << 1;
    QTest::newRow("the last row of three makes the row above current")
        << texts({"a", "b", "c"}) << 2 << texts({"a", "b"}) << 1;
    QTest::newRow("the only row leaves an empty list and disables Remove")
        << texts({"a"}) << 0 << QStringList() << -1;
}

void tst_EnhancedListWidget::removeButtonDeletesTheSelectedRow()
{
    QFETCH(QStringList, contents);
    QFETCH(int, row);
    QFETCH(QStringList, remaining);
    QFETCH(int, expectedCurrentRow);
    ListWithStrip ui(contents);
    QVERIFY(QTest::qWaitForWindowExposed(&ui.window));
    QTest::mouseClick(ui.list->viewport(), Qt::LeftButton, {}, rowCentre(*ui.list, row));
    QVERIFY(ui.removeButton()->isEnabled());
    QStringList log; // the deletion signals in the order they came
    connect(ui.list, &EnhancedListWidget::rowDeleted, this,
            [&log](const QString &text) { log << QStringLiteral("rowDeleted ") + text; });
    connect(ui.list, &EnhancedListWidget::rowSelected, this, [&log](int row, int rows) {
        log << QStringLiteral("rowSelected %1 %2").arg(row).arg(rows);
    });
    connect(ui.list, &EnhancedListWidget::rowIndexDeleted, this,
            [&log](int row) { log << QStringLiteral("rowIndexDeleted %1").arg(row); });

    QTest::mouseClick(ui.removeButton(), Qt::LeftButton);

    QCOMPARE(ui.list->allStrings(), remaining);
    QCOMPARE(itemTexts(*ui.list), remaining);
    QCOMPARE(ui.list->currentRow(), expectedCurrentRow);
    QCOMPARE(ui.list->selectedItems().size(), expectedCurrentRow >= 0 ? 1 : 0);
    QCOMPARE(log.first(), QStringLiteral("rowDeleted ") + contents.at(row));
    QCOMPARE(log.filter(QStringLiteral("Deleted")).size(), 2);
    // The last selection report, just before the index, gives the row that is now current.
    QCOMPARE(log.at(log.size() - 2),
             QStringLiteral("rowSelected %1 %2").arg(expectedCurrentRow).arg(remaining.size()));
    QCOMPARE(log.last(), QStringLiteral("rowIndexDeleted %1").arg(row));
    QCOMPARE(ui.removeButton()->isEnabled(), expectedCurrentRow >= 0);
}

void tst_EnhancedListWidget::operationsOnTheCurrentRow_data()
{
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("allButSelected");

    QTest::newRow("with no current row nothing is viewed, taken out or deleted")
        << -1 << QString() << texts({"a", "", "b", "a"});
    QTest::newRow("the current text is viewed, its first copy taken out, its row deleted")
        << 3 << QStringLiteral("a") << texts({"", "b", "a"});
}

void tst_EnhancedListWidget::operationsOnTheCurrentRow()
{
    QFETCH(int, currentRow);
    QFETCH(QString, selected);
    QFETCH(QStringList, allButSelected);
    EnhancedListWidget list(texts({"a", "", "b", "a"}), nullptr);
    list.setCurrentRow(currentRow);
    QSignalSpy views(&list, &EnhancedListWidget::viewRow);
    QSignalSpy deletions(&list, &EnhancedListWidget::rowIndexDeleted);

    list.viewSelectedRow();
    QCOMPARE(list.getSelectedString(), selected);
    QCOMPARE(list.allButSelectedString(), allButSelected);
    list.deleteSelectedRow();

    const bool hasCurrent = currentRow >= 0;
    QCOMPARE(views.size(), hasCurrent ? 1 : 0);
    if (hasCurrent)
        QCOMPARE(views.first().at(0).toString(), selected);
    QCOMPARE(deletions.size(), hasCurrent ? 1 : 0);
    QCOMPARE(list.count(), hasCurrent ? 3 : 4);
}

void tst_EnhancedListWidget::inPlaceEditIsTrimmed()
{
    EnhancedListWidget list(texts({"a", "b"}), nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changes(&list, &EnhancedListWidget::contentsChanged);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 1));

    QTest::keyClick(&list, Qt::Key_F2);
    QLineEdit *editor = openEditor(list);
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("  name  "));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(list.item(1)->text(), QStringLiteral("name"));
    QCOMPARE(list.allStrings(), texts({"a", "name"}));
    QCOMPARE(changes.last().at(0).toStringList(), texts({"a", "name"}));
}

void tst_EnhancedListWidget::doubleClickNeverOpensAnEditor_data()
{
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<int>("presses");

    QTest::newRow("a double-click on a row that is not selected does nothing") << 1 << 0;
    QTest::newRow("a double-click on the selected row acts as one press") << 0 << 1;
}

void tst_EnhancedListWidget::doubleClickNeverOpensAnEditor()
{
    QFETCH(int, clickedRow);
    QFETCH(int, presses);
    EnhancedListWidget list(texts({"a", "b"}), nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QSignalSpy pressed(&list, &QAbstractItemView::pressed);
    QSignalSpy doubleClicked(&list, &QAbstractItemView::doubleClicked);
    QSignalSpy selections(&list, &EnhancedListWidget::rowSelected);

    const QPoint pos = rowCentre(list, clickedRow);
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, list.viewport()->mapToGlobal(pos),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &event);

    QCOMPARE(pressed.size(), presses);
    QCOMPARE(doubleClicked.size(), 0);
    QCOMPARE(selections.size(), 0);
    QCOMPARE(list.currentRow(), 0);
    QVERIFY(!openEditor(list));
}

QTEST_MAIN(tst_EnhancedListWidget)
#include "tst_enhancedlistwidget.moc"
