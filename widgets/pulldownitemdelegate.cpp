#include "pulldownitemdelegate.h"

#include <QAbstractItemView>

PullDownItemDelegate::PullDownItemDelegate(const QStringList &choices, QObject *parent)
    : QItemDelegate(parent)
    , choices(choices)
{}

PullDownItemDelegate::~PullDownItemDelegate() = default;

QWidget *PullDownItemDelegate::createEditor(QWidget *parent,
                                            const QStyleOptionViewItem & /*option*/,
                                            const QModelIndex & /*index*/) const
{
    return new PullDownChoicesBox(choices, parent);
}

// A text not among the choices comes first, one more, so that the box shows it and gives it
// back unless the user picks another.
void PullDownItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *box = static_cast<QComboBox *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (!choices.contains(text) && box->findText(text) < 0)
        box->insertItem(0, text);
    box->setCurrentIndex(box->findText(text));
}

void PullDownItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                        const QModelIndex &index) const
{
    model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
}

void PullDownItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                const QModelIndex & /*index*/) const
{
    editor->setGeometry(option.rect);
}

PullDownItemDelegate::PullDownChoicesBox::PullDownChoicesBox(const QStringList &choices,
                                                             QWidget *parent)
    : QComboBox(parent)
{
    addItems(choices);
    view()->setTextElideMode(Qt::ElideNone);
}

PullDownItemDelegate::PullDownChoicesBox::~PullDownChoicesBox() = default;
