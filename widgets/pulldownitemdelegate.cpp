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

void PullDownItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QComboBox *>(editor)->setCurrentIndex(
        choices.indexOf(index.data(Qt::EditRole).toString()));
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
