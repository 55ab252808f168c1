#include "entryitemdelegate.h"

#include "entryrefusal.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

// Where the editor's cell is kept: the index itself may move while the cell is in edit.
constexpr char CellProperty[] = "entryCell";
// The width of the editor's cell, below which the editor never shrinks.
constexpr char CellWidthProperty[] = "entryCellWidth";

// An editor is at least as wide as its text, so that a long entry stays in sight as it is
// typed, but no wider than the view has room for to its right.
void fitToText(QLineEdit *editor)
{
    const QFontMetrics metrics = editor->fontMetrics();
    const int cell = editor->property(CellWidthProperty).toInt();
    const int text = metrics.horizontalAdvance(editor->text()) + 2 * metrics.averageCharWidth() +
                     editor->height() / 2; // the frame and the cursor
    const int room = editor->parentWidget() ? editor->parentWidget()->width() - editor->x() : text;
    editor->resize(std::max(cell, std::min(text, room)), editor->height());
}

bool endsEntry(const QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<const QKeyEvent *>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

EntryItemDelegate::EntryItemDelegate(QObject *parent, Judge judge)
    : QItemDelegate(parent)
    , m_judge(std::move(judge))
{}

EntryItemDelegate::~EntryItemDelegate() = default;

QWidget *EntryItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem & /*option*/,
                                         const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setProperty(CellProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    connect(editor, &QLineEdit::textChanged, editor, [editor] { fitToText(editor); });
    return editor;
}

void EntryItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.data(Qt::EditRole).toString());
}

void EntryItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    const auto *edit = static_cast<QLineEdit *>(editor);
    if (!edit->isModified())
        return;
    if (index.data(Qt::EditRole).toString() != edit->text())
        model->setData(index, edit->text(), Qt::EditRole);
    else
        model->setData(index, index.data(EntryRole).toInt() + 1, EntryRole);
}

void EntryItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex & /*index*/) const
{
    editor->setProperty(CellWidthProperty, option.rect.width());
    editor->setGeometry(option.rect);
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        fitToText(edit);
}

// An entry the judge refuses ends nothing: a key stops here, and the editor hears of the focus
// leaving without being committed and closed.
bool EntryItemDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    const bool byKey = event->type() == QEvent::KeyPress;
    if (editor && endsEntry(event) && refuses(editor, byKey))
        return byKey;
    return QItemDelegate::eventFilter(object, event);
}

bool EntryItemDelegate::refuses(QWidget *editor, bool byKey)
{
    const auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!m_judge || !edit || !edit->isModified())
        return false;
    const QModelIndex cell = editor->property(CellProperty).toPersistentModelIndex();
    const QString note = cell.isValid() ? m_judge(cell, edit->text()) : QString();
    // A refusal on a key leaves the focus in the cell, beside the note.
    editor->setProperty(RefusedEntryProperty, byKey ? QString() : note);
    if (!note.isEmpty())
        emit entryRefused(note);
    return !note.isEmpty();
}
