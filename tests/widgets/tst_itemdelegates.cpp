#include "enablecheckitemdelegate.h"
#include "pulldownitemdelegate.h"
#include "realorvaritemdelegate.h"
#include "testtexts.h"

#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>

class tst_ItemDelegates : public QObject
{
    Q_OBJECT

private slots:
    void textEditor_data();
    void textEditor();
    void pullDown_data();
    void pullDown();
    void check_data();
    void check();
    void checkIsDrawnCentred();
};

void tst_ItemDelegates::textEditor_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("a number with a typo") << "1.5x"_s;
    QTest::newRow("blanks around an unfinished number") << " -1e "_s;
}

// The editor keeps every keystroke and commits the text as typed: the owning table judges it.
void tst_ItemDelegates::textEditor()
{
    QFETCH(QString, typed);
    QStandardItemModel model(1, 1);
    const QModelIndex index = model.index(0, 0);
    model.setData(index, "7"_s);
    QWidget parent; // owns the delegate and the editor
    const RealOrVarItemDelegate delegate;

    auto *editor = qobject_cast<QLineEdit *>(delegate.createEditor(&parent, {}, index));
    QVERIFY(editor);
    delegate.setEditorData(editor, index);
    QCOMPARE(editor->text(), "7"_s);
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QCOMPARE(editor->text(), typed);
    delegate.setModelData(editor, &model, index);
    QCOMPARE(model.data(index, Qt::EditRole), QVariant(typed));
}

void tst_ItemDelegates::pullDown_data()
{
    QTest::addColumn<QString>("cellText");
    QTest::addColumn<int>("currentIndex");

    QTest::newRow("listed") << "Load"_s << 1;
    QTest::newRow("not listed") << "Source"_s << 0;
    QTest::newRow("listed in another case") << "load"_s << 0;
    QTest::newRow("empty") << QString() << 0;
}

// The box shows the cell's text as its choice, a text not among the choices as one more, and
// stores the choice it shows: closing it without a pick changes nothing.
void tst_ItemDelegates::pullDown()
{
    QFETCH(QString, cellText);
    QFETCH(int, currentIndex);
    QStandardItemModel model(1, 1);
    const QModelIndex index = model.index(0, 0);
    model.setData(index, cellText);
    const QStringList choices{"Rect-Real"_s, "Load"_s, "Polar-Mag"_s};
    const PullDownItemDelegate delegate(choices);
    QWidget parent;

    auto *box = qobject_cast<QComboBox *>(delegate.createEditor(&parent, {}, index));
    QVERIFY(box);
    delegate.setEditorData(box, index);
    QCOMPARE(box->currentIndex(), currentIndex);
    QCOMPARE(box->count(), int(choices.size()) + (choices.contains(cellText) ? 0 : 1));
    delegate.setModelData(box, &model, index);
    QCOMPARE(model.data(index).toString(), cellText);
}

void tst_ItemDelegates::check_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("before"); // -1: no check state
    QTest::addColumn<int>("action"); // a key; or a button, negated for the cell's left edge
    QTest::addColumn<int>("after");

    const int on = Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    const int left = Qt::LeftButton, space = Qt::Key_Space;
    QTest::newRow("right release in the box") << on << 0 << int(Qt::RightButton) << 2;
    QTest::newRow("release outside the centred box") << on << 0 << -left << 0;
    QTest::newRow("Select") << on << 2 << int(Qt::Key_Select) << 0;
    QTest::newRow("partly checked becomes checked") << on << 1 << left << 2;
    QTest::newRow("disabled") << int(Qt::ItemIsUserCheckable) << 0 << left << 0;
    QTest::newRow("not user-checkable") << int(Qt::ItemIsEnabled) << 0 << space << 0;
    QTest::newRow("no check state") << on << -1 << left << -1;
}

// Straight to the delegate: a view would not even pass events on for a disabled cell.
void tst_ItemDelegates::check()
{
    QFETCH(int, flags);
    QFETCH(int, before);
    QFETCH(int, action);
    QFETCH(int, after);
    QStandardItemModel model(1, 1);
    auto *item = new QStandardItem;
    model.setItem(0, 0, item);
    item->setFlags(Qt::ItemFlags(flags));
    if (before >= 0)
        item->setCheckState(Qt::CheckState(before));
    EnableCheckItemDelegate delegate;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 150, 40);
    const QPoint at(action < 0 ? 6 : 75, 20);
    const auto button = Qt::MouseButton(qAbs(action));
    QMouseEvent press(QEvent::MouseButtonPress, at, at, button, button, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, button, Qt::NoButton, Qt::NoModifier);
    QKeyEvent key(QEvent::KeyPress, action, Qt::NoModifier);
    const auto send = [&](QEvent *event) {
        return delegate.editorEvent(event, &model, option, item->index());
    };

    const bool byKey = action >= Qt::Key_Space;
    const bool pressHandled = !byKey && send(&press);
    const bool handled = (byKey ? send(&key) : send(&release)) || pressHandled;
    const QVariant state = item->data(Qt::CheckStateRole);
    QCOMPARE(state.isValid() ? state.toInt() : -1, after);
    QCOMPARE(handled, after != before);
}

// Equal clearance on each side, within a pixel of rounding, in a cell off the origin.
void tst_ItemDelegates::checkIsDrawnCentred()
{
    const QRect cell(40, 20, 31, 70);
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole);
    QStyleOptionViewItem option;
    option.rect = cell;
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        EnableCheckItemDelegate().paint(&painter, option, model.index(0, 0));
    }

    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                drawn |= QRect(x, y, 1, 1);
    QVERIFY(cell.contains(drawn) && !drawn.isEmpty());
    QVERIFY(qAbs((drawn.left() - cell.left()) - (cell.right() - drawn.right())) <= 1);
    QVERIFY(qAbs((drawn.top() - cell.top()) - (cell.bottom() - drawn.bottom())) <= 1);
}

QTEST_MAIN(tst_ItemDelegates)
#include "tst_itemdelegates.moc"
