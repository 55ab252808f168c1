#include "enablecheckitemdelegate.h"
#include "natorvaritemdelegate.h"
#include "natorvarvalidator.h"
#include "pulldownitemdelegate.h"
#include "realorvaritemdelegate.h"
#include "realorvarvalidator.h"

#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

enum class TextKind { Real, Nat };

QItemDelegate *makeTextDelegate(TextKind kind, QObject *parent)
{
    if (kind == TextKind::Real)
        return new RealOrVarItemDelegate(parent);
    return new NatOrVarItemDelegate(parent);
}

bool hasValidatorOfKind(const QLineEdit &editor, TextKind kind)
{
    if (kind == TextKind::Real)
        return dynamic_cast<const RealOrVarValidator *>(editor.validator());
    return dynamic_cast<const NatOrVarValidator *>(editor.validator());
}

// A shown one-cell table whose column has the given delegate.
struct OneCellTable
{
    OneCellTable(const QString &text, const std::function<QItemDelegate *(QObject *)> &makeDelegate)
        : item(new QTableWidgetItem(text))
    {
        table.setItemDelegateForColumn(0, makeDelegate(&table));
        table.setItem(0, 0, item);
        table.setColumnWidth(0, 150);
        table.setRowHeight(0, 40);
        table.show();
    }

    template<class Editor> Editor *openEditor()
    {
        table.editItem(item);
        return table.viewport()->findChild<Editor *>();
    }

    QRect cellRect() const { return table.visualItemRect(item); }

    QTableWidget table{1, 1};
    QTableWidgetItem *item;
};

enum class CheckAction { ReleaseInCentre, RightReleaseInCentre, ReleaseAtLeftEdge, Space, Select };

QStyleOptionViewItem cellOption(const QRect &rect)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    option.palette = QApplication::palette();
    option.fontMetrics = QFontMetrics(QApplication::font());
    return option;
}

} // namespace

Q_DECLARE_METATYPE(TextKind)
Q_DECLARE_METATYPE(CheckAction)

class tst_ItemDelegates : public QObject
{
    Q_OBJECT

private slots:
    void textEditorRefusesInvalidKeystrokes_data();
    void textEditorRefusesInvalidKeystrokes();
    void textIsStoredUnchanged_data();
    void textIsStoredUnchanged();
    void pullDownShowsAndStoresTheChoice_data();
    void pullDownShowsAndStoresTheChoice();
    void checkToggles_data();
    void checkToggles();
    void checkIsRefused_data();
    void checkIsRefused();
    void checkIsDrawnCentred_data();
    void checkIsDrawnCentred();
};

void tst_ItemDelegates::textEditorRefusesInvalidKeystrokes_data()
{
    QTest::addColumn<TextKind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a real cell takes a negative decimal")
        << TextKind::Real << QStringLiteral("-1.5") << QStringLiteral("-1.5");
    QTest::newRow("a real cell refuses a unit after the number")
        << TextKind::Real << QStringLiteral("1 GHz") << QStringLiteral("1");
    QTest::newRow("a real cell takes a variable name")
        << TextKind::Real << QStringLiteral("Fnom") << QStringLiteral("Fnom");
    QTest::newRow("a natural cell refuses a sign and a leading zero")
        << TextKind::Nat << QStringLiteral("-03") << QStringLiteral("3");
    QTest::newRow("a natural cell takes a variable name")
        << TextKind::Nat << QStringLiteral("Nharm") << QStringLiteral("Nharm");
}

void tst_ItemDelegates::textEditorRefusesInvalidKeystrokes()
{
    QFETCH(TextKind, kind);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    OneCellTable cell(QStringLiteral("7"),
                      [kind](QObject *parent) { return makeTextDelegate(kind, parent); });
    QVERIFY(QTest::qWaitForWindowExposed(&cell.table));

    auto *editor = cell.openEditor<QLineEdit>();
    QVERIFY(editor);
    QVERIFY(hasValidatorOfKind(*editor, kind));
    QCOMPARE(editor->text(), QStringLiteral("7"));
    QCOMPARE(editor->geometry(), cell.cellRect());
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QCOMPARE(editor->text(), expected);
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(cell.item->text(), expected);
}

void tst_ItemDelegates::textIsStoredUnchanged_data()
{
    QTest::addColumn<TextKind>("kind");
    QTest::addColumn<QString>("text");

    QTest::newRow("a real cell stores an unfinished exponent")
        << TextKind::Real << QStringLiteral("1e");
    QTest::newRow("a real cell stores surrounding blanks")
        << TextKind::Real << QStringLiteral(" x ");
    QTest::newRow("a natural cell stores the empty text") << TextKind::Nat << QString();
}

void tst_ItemDelegates::textIsStoredUnchanged()
{
    QFETCH(TextKind, kind);
    QFETCH(QString, text);
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QStringLiteral("7"));
    const std::unique_ptr<QItemDelegate> delegate(makeTextDelegate(kind, nullptr));
    const std::unique_ptr<QWidget> editor(
        delegate->createEditor(nullptr, QStyleOptionViewItem(), model.index(0, 0)));
    static_cast<QLineEdit *>(editor.get())->setText(text);

    delegate->setModelData(editor.get(), &model, model.index(0, 0));

    QCOMPARE(model.data(model.index(0, 0), Qt::EditRole), QVariant(text));
}

void tst_ItemDelegates::pullDownShowsAndStoresTheChoice_data()
{
    QTest::addColumn<QString>("cellText");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<int>("downPresses");
    QTest::addColumn<QString>("stored");

    QTest::newRow("a listed text is the current choice and stays")
        << QStringLiteral("Load") << 1 << 0 << QStringLiteral("Load");
    QTest::newRow("a choice made with the arrow key is stored")
        << QStringLiteral("Load") << 1 << 1 << QStringLiteral("Polar-Mag");
    QTest::newRow("an unlisted text shows no choice and stores the empty text")
        << QStringLiteral("Source") << -1 << 0 << QString();
    QTest::newRow("a text differing in case is not listed")
        << QStringLiteral("load") << -1 << 0 << QString();
}

void tst_ItemDelegates::pullDownShowsAndStoresTheChoice()
{
    QFETCH(QString, cellText);
    QFETCH(int, expectedIndex);
    QFETCH(int, downPresses);
    QFETCH(QString, stored);
    const QStringList choices{QStringLiteral("Rect-Real"), QStringLiteral("Load"),
                              QStringLiteral("Polar-Mag")};
    OneCellTable cell(cellText, [&choices](QObject *parent) {
        return new PullDownItemDelegate(choices, parent);
    });
    QVERIFY(QTest::qWaitForWindowExposed(&cell.table));

    auto *box = cell.openEditor<PullDownItemDelegate::PullDownChoicesBox>();
    QVERIFY(box);
    QCOMPARE(box->geometry(), cell.cellRect());
    QCOMPARE(box->count(), choices.size());
    QCOMPARE(box->itemText(2), choices.at(2));
    QCOMPARE(box->view()->textElideMode(), Qt::ElideNone);
    QCOMPARE(box->currentIndex(), expectedIndex);
    for (int i = 0; i < downPresses; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Tab);

    QTRY_COMPARE(cell.item->text(), stored);
}

void tst_ItemDelegates::checkToggles_data()
{
    QTest::addColumn<Qt::CheckState>("before");
    QTest::addColumn<CheckAction>("action");
    QTest::addColumn<Qt::CheckState>("after");

    QTest::newRow("a click in the centre checks an unchecked cell")
        << Qt::Unchecked << CheckAction::ReleaseInCentre << Qt::Checked;
    QTest::newRow("a click in the centre unchecks a checked cell")
        << Qt::Checked << CheckAction::ReleaseInCentre << Qt::Unchecked;
    QTest::newRow("a right click in the centre toggles too")
        << Qt::Unchecked << CheckAction::RightReleaseInCentre << Qt::Checked;
    QTest::newRow("a click at the left edge, outside the centred box, does nothing")
        << Qt::Unchecked << CheckAction::ReleaseAtLeftEdge << Qt::Unchecked;
    QTest::newRow("Space toggles") << Qt::Unchecked << CheckAction::Space << Qt::Checked;
    QTest::newRow("Select toggles") << Qt::Checked << CheckAction::Select << Qt::Unchecked;
    QTest::newRow("a partly checked cell becomes checked")
        << Qt::PartiallyChecked << CheckAction::ReleaseInCentre << Qt::Checked;
}

void tst_ItemDelegates::checkToggles()
{
    QFETCH(Qt::CheckState, before);
    QFETCH(CheckAction, action);
    QFETCH(Qt::CheckState, after);
    OneCellTable cell(QString(),
                      [](QObject *parent) { return new EnableCheckItemDelegate(parent); });
    cell.item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    cell.item->setCheckState(before);
    cell.table.setCurrentItem(cell.item);
    QVERIFY(QTest::qWaitForWindowExposed(&cell.table));
    const QRect rect = cell.cellRect();
    QWidget *viewport = cell.table.viewport();

    switch (action) {
    case CheckAction::ReleaseInCentre:
        QTest::mouseClick(viewport, Qt::LeftButton, {}, rect.center());
        break;
    case CheckAction::RightReleaseInCentre:
        QTest::mouseClick(viewport, Qt::RightButton, {}, rect.center());
        break;
    case CheckAction::ReleaseAtLeftEdge:
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(rect.left() + 6, rect.center().y()));
        break;
    case CheckAction::Space:
        QTest::keyClick(&cell.table, Qt::Key_Space);
        break;
    case CheckAction::Select:
        // Select has no text, which keyClick cannot handle.
        QTest::sendKeyEvent(QTest::Click, &cell.table, Qt::Key_Select, QString(), Qt::NoModifier);
        break;
    }

    QCOMPARE(cell.item->checkState(), after);
}

void tst_ItemDelegates::checkIsRefused_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("hasCheckState");
    QTest::addColumn<bool>("toggles");

    const int checkable = Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    QTest::newRow("an enabled checkable cell takes a release and Space")
        << checkable << true << true;
    QTest::newRow("a disabled cell refuses both") << int(Qt::ItemIsUserCheckable) << true << false;
    QTest::newRow("a cell that is not user-checkable refuses both")
        << int(Qt::ItemIsEnabled) << true << false;
    QTest::newRow("a cell without a check state refuses both") << checkable << false << false;
}

// Straight to the delegate: a view would not even pass events on for a disabled cell.
void tst_ItemDelegates::checkIsRefused()
{
    QFETCH(int, flags);
    QFETCH(bool, hasCheckState);
    QFETCH(bool, toggles);
    QStandardItemModel model(1, 1);
    auto *item = new QStandardItem;
    model.setItem(0, 0, item);
    item->setFlags(Qt::ItemFlags(flags));
    if (hasCheckState)
        item->setCheckState(Qt::Unchecked);
    EnableCheckItemDelegate delegate(nullptr);
    const QStyleOptionViewItem option = cellOption(QRect(0, 0, 150, 40));
    const QPoint centre = option.rect.center();
    QMouseEvent release(QEvent::MouseButtonRelease, centre, centre, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));

    for (QEvent *event : {static_cast<QEvent *>(&release), static_cast<QEvent *>(&space)}) {
        const QVariant before = item->data(Qt::CheckStateRole);
        QCOMPARE(delegate.editorEvent(event, &model, option, item->index()), toggles);
        QCOMPARE(item->data(Qt::CheckStateRole) != before, toggles);
    }
}

void tst_ItemDelegates::checkIsDrawnCentred_data()
{
    QTest::addColumn<QRect>("cell");

    QTest::newRow("a wide cell at the origin") << QRect(0, 0, 150, 30);
    QTest::newRow("a tall cell away from the origin") << QRect(40, 20, 31, 70);
}

void tst_ItemDelegates::checkIsDrawnCentred()
{
    QFETCH(QRect, cell);
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole);
    QImage image(cell.right() + 20, cell.bottom() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    EnableCheckItemDelegate delegate(nullptr);
    {
        QPainter painter(&image);
        delegate.paint(&painter, cellOption(cell), model.index(0, 0));
    }

    QRect drawn;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                drawn |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!drawn.isEmpty());
    QVERIFY(cell.contains(drawn));
    // Equal clearance on both sides, within a pixel of rounding.
    QVERIFY(qAbs((drawn.left() - cell.left()) - (cell.right() - drawn.right())) <= 1);
    QVERIFY(qAbs((drawn.top() - cell.top()) - (cell.bottom() - drawn.bottom())) <= 1);
    const int margin = QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    QVERIFY(drawn.left() - cell.left() >= margin);
}

QTEST_MAIN(tst_ItemDelegates)
#include "tst_itemdelegates.moc"
