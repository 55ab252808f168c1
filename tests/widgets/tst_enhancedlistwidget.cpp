#include "enhancedlistwidget.h"
#include "hostdialog.h"
#include "rowoperationswidget.h"
#include "testtexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// "a||b" is {"a", "", "b"}; "" is the empty list.
QStringList texts(const char *joined)
{
    return *joined ? QString::fromUtf8(joined).split(QLatin1Char('|')) : QStringList();
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

} // namespace

class tst_EnhancedListWidget : public QObject
{
    Q_OBJECT

private slots:
    void contents_data();
    void contents();
    void deleteSelectedRow_data();
    void deleteSelectedRow();
    void twentyThousandRows();
    void onlyTheEditKeyOpensAnEditor();
    void returnAndEscapeEndOnlyTheEdit_data();
    void returnAndEscapeEndOnlyTheEdit();
    void rowOperationsFollowTheSelection();
};

void tst_EnhancedListWidget::contents_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("argument");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("current"); // the row current after the call, -1 for none

    const auto row = [](const char *call, const char *before, const char *argument,
                        const char *expected, int current) {
        QTest::addRow("%s %s <- %s", call, before, argument)
            << QString::fromLatin1(call) << texts(before) << texts(argument) << texts(expected)
            << current;
    };
    row("construction", " b |a|a||\tc  ", "", "b|a|a||c", -1);
    row("UpdateContents", "x|y", "a|b|a||c|b", "a|b|c", 2);
    row("UpdateContents", "x|y", "", "", -1);
    row("appendRow()", "", "", "IndepVar1", 0);
    row("appendRow()", "IndepVar3|x", "", "IndepVar3|x|IndepVar4", 2);
    row("appendRow", "a|b", " b ", "a|b", -1);
    row("appendRow", "a|b", " c ", "a|b|c", 2);
    row("appendRow", "a|b", "", "a|b", -1);
}

void tst_EnhancedListWidget::contents()
{
    QFETCH(QString, call);
    QFETCH(QStringList, before);
    QFETCH(QStringList, argument);
    QFETCH(QStringList, expected);
    QFETCH(int, current);
    EnhancedListWidget list(before);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentItem(nullptr); // showing made a row current
    QSignalSpy changes(&list, &EnhancedListWidget::contentsChanged);
    QSignalSpy selections(&list, &EnhancedListWidget::rowSelected);

    if (call == QLatin1String("UpdateContents"))
        list.UpdateContents(argument);
    else if (call == QLatin1String("appendRow()"))
        list.appendRow();
    else if (call == QLatin1String("appendRow"))
        list.appendRow(argument.value(0));

    QCOMPARE(list.allStrings(), expected);
    QCOMPARE(itemTexts(list), expected);
    QLineEdit *editor = openEditor(list);
    QCOMPARE(editor != nullptr, call == QLatin1String("appendRow()"));
    if (editor)
        QCOMPARE(editor->text(), expected.last());
    if (call == QLatin1String("construction"))
        return;
    // The strip beneath shows the last selection report, or what it showed before when there
    // is none: after an addition, Remove and View act on the newest row.
    QCOMPARE(list.currentRow(), current);
    const QVariantList shownByTheStrip =
        selections.isEmpty() ? QVariantList{-1, before.size()} : selections.last();
    QCOMPARE(shownByTheStrip, (QVariantList{current, expected.size()}));
    if (call == QLatin1String("UpdateContents"))
        return;
    const bool added = current >= 0;
    QCOMPARE(selections.isEmpty(), !added);
    QCOMPARE(changes.isEmpty(), !added);
    if (added)
        QCOMPARE(changes.last().at(0).toStringList(), expected);
}

void tst_EnhancedListWidget::deleteSelectedRow_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("newCurrentRow");
    QTest::addColumn<bool>("byKey"); // the Delete key rather than the slot

    QTest::newRow("no current row") << texts("a|b") << -1 << texts("a|b") << -1 << false;
    QTest::newRow("middle of three") << texts("a|b|c") << 1 << texts("a|c") << 1 << false;
    QTest::newRow("last of three") << texts("a|b|c") << 2 << texts("a|b") << 1 << false;
    QTest::newRow("the only row") << texts("a") << 0 << QStringList() << -1 << false;
    QTest::newRow("the Delete key, middle of three")
        << texts("a|b|c") << 1 << texts("a|c") << 1 << true;
}

// rowDeleted comes first, rowIndexDeleted last, and the selection report just before it
// gives the row that is now current.
void tst_EnhancedListWidget::deleteSelectedRow()
{
    QFETCH(QStringList, before);
    QFETCH(int, row);
    QFETCH(QStringList, after);
    QFETCH(int, newCurrentRow);
    QFETCH(bool, byKey);
    EnhancedListWidget list(before);
    list.setCurrentRow(row);
    QStringList log;
    connect(&list, &EnhancedListWidget::rowDeleted,
            [&log](const QString &text) { log << QLatin1String("deleted ") + text; });
    connect(&list, &EnhancedListWidget::rowSelected,
            [&log](int row, int rows) { log << "selected %1 %2"_s.arg(row).arg(rows); });
    connect(&list, &EnhancedListWidget::rowIndexDeleted,
            [&log](int row) { log << "index %1"_s.arg(row); });

    if (byKey)
        QTest::keyClick(&list, Qt::Key_Delete);
    else
        list.deleteSelectedRow();

    QCOMPARE(list.allStrings(), after);
    QCOMPARE(itemTexts(list), after);
    QCOMPARE(list.currentRow(), newCurrentRow);
    QCOMPARE(log.isEmpty(), row < 0);
    if (row >= 0) {
        QCOMPARE(log.first(), QLatin1String("deleted ") + before.at(row));
        QCOMPARE(log.filter("deleted"_s).size(), 1);
        QCOMPARE(log.at(log.size() - 2), "selected %1 %2"_s.arg(newCurrentRow).arg(after.size()));
        QCOMPARE(log.last(), "index %1"_s.arg(row));
    }
}

// Every change takes time in proportion to the rows, and no depth of call: a file list that
// large once overflowed the stack while it was built.
void tst_EnhancedListWidget::twentyThousandRows()
{
    QStringList many;
    for (int i = 0; i < 20000; ++i)
        many << " f%1.lp "_s.arg(i);
    EnhancedListWidget list(many);
    QCOMPARE(list.count(), many.size());
    QCOMPARE(list.item(19999)->text(), "f19999.lp"_s);

    many << many;
    QSignalSpy changes(&list, &EnhancedListWidget::contentsChanged);
    list.UpdateContents(many);
    QCOMPARE(list.allStrings().size(), 20000);
    QCOMPARE(list.currentRow(), 19999);
    QCOMPARE(changes.size(), 1);
    list.setCurrentRow(0);
    list.deleteSelectedRow();
    QCOMPARE(list.item(0)->text(), "f1.lp"_s);
    QCOMPARE(list.count(), 19999);
}

// A double-click on a row not selected is ignored, on the selected row it is one press;
// the edit key opens the editor, and the edited text is trimmed.
void tst_EnhancedListWidget::onlyTheEditKeyOpensAnEditor()
{
    EnhancedListWidget list(texts("a|b"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QSignalSpy pressed(&list, &QAbstractItemView::pressed);
    QSignalSpy changes(&list, &EnhancedListWidget::contentsChanged);
    for (int row : {1, 0}) {
        const QPoint pos = list.visualItemRect(list.item(row)).center();
        QMouseEvent event(QEvent::MouseButtonDblClick, pos, list.viewport()->mapToGlobal(pos),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &event);
        QCOMPARE(pressed.size(), 1 - row);
        QCOMPARE(list.currentRow(), 0);
        QVERIFY(!openEditor(list));
    }

    QTest::keyClick(&list, Qt::Key_F2);
    QVERIFY(openEditor(list));
    QTest::keyClicks(openEditor(list), "  name  "_s);
    QTest::keyClick(openEditor(list), Qt::Key_Return);
    QTRY_COMPARE(list.allStrings(), texts("name|b"));
    QCOMPARE(itemTexts(list), texts("name|b"));
    QCOMPARE(changes.last().at(0).toStringList(), texts("name|b"));
}

void tst_EnhancedListWidget::returnAndEscapeEndOnlyTheEdit_data()
{
    QTest::addColumn<int>("keys"); // how the dialog binds Return and Escape
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("expected");

    for (const int keys : {HostDialog::DefaultButton, HostDialog::Shortcuts}) {
        const char *host = keys == HostDialog::Shortcuts ? "shortcuts" : "default button";
        QTest::addRow("%s: Return takes the text", host)
            << keys << int(Qt::Key_Return) << texts("a|new");
        QTest::addRow("%s: Escape keeps the row", host)
            << keys << int(Qt::Key_Escape) << texts("a|b");
    }
}

// The row's editor in a dialog: the key ends the edit, and the dialog stays open.
void tst_EnhancedListWidget::returnAndEscapeEndOnlyTheEdit()
{
    QFETCH(int, keys);
    QFETCH(int, key);
    QFETCH(QStringList, expected);
    auto *list = new EnhancedListWidget(texts("a|b"));
    HostDialog dialog(list, HostDialog::Keys(keys));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    list->setFocus();
    list->setCurrentRow(1);

    QTest::keyClick(list, Qt::Key_F2);
    QVERIFY(openEditor(*list));
    QTest::keyClicks(openEditor(*list), "new"_s);
    QTest::keyClick(openEditor(*list), Qt::Key(key));

    QTRY_VERIFY(!openEditor(*list));
    QCOMPARE(list->allStrings(), expected);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.size(), 0);
}

// Clicks Add, Remove and View in turn: Remove and View work only while a row is selected.
void tst_EnhancedListWidget::rowOperationsFollowTheSelection()
{
    RowOperationsWidget strip(QString(), false);
    QStringList log;
    connect(&strip, &RowOperationsWidget::addRow, [&log] { log << "add"_s; });
    connect(&strip, &RowOperationsWidget::deleteRow, [&log] { log << "delete"_s; });
    connect(&strip, &RowOperationsWidget::viewRow, [&log] { log << "view"_s; });
    const auto clickAll = [&strip, &log] {
        log.clear();
        for (QPushButton *button : strip.findChildren<QPushButton *>())
            button->click(); // does nothing while disabled
        return log.join(QLatin1Char(' '));
    };

    QCOMPARE(clickAll(), "add"_s);
    strip.rowSelected(0, 3);
    QCOMPARE(clickAll(), "add delete view"_s);
    strip.rowSelected(-1, 3);
    QCOMPARE(clickAll(), "add"_s);
    strip.rowSelected(1, 3);
    QCOMPARE(clickAll(), "add delete view"_s);
}

QTEST_MAIN(tst_EnhancedListWidget)
#include "tst_enhancedlistwidget.moc"
