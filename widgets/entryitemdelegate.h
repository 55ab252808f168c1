#pragma once

#include <QItemDelegate>

#include <functional>

// Edits a cell's text in a plain line edit that keeps every keystroke: an entry is judged when
// the edit ends, by the table that owns the column, which says why it refuses one. The text is
// committed as typed; an edit that ends on the text the cell holds is committed too, as a
// change of EntryRole, so that the table hears of every entry the user makes.
//
// With a judge, a refused entry keeps the cell in its edit, the text as typed, until the user
// corrects it or presses Escape: Return, Enter and Tab go no further, and the focus leaving
// leaves the editor open with the note in RefusedEntryProperty for the host.
class EntryItemDelegate final : public QItemDelegate
{
    Q_OBJECT

public:
    // Counts the entries of a cell that left its text as it was.
    static constexpr int EntryRole = Qt::UserRole + 2;
    // The note on why the text cannot be taken for the cell, or the empty text.
    using Judge = std::function<QString(const QModelIndex &, const QString &)>;

    explicit EntryItemDelegate(QObject *parent = nullptr, Judge judge = {});
    ~EntryItemDelegate() override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

signals:
    void entryRefused(const QString &note);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    bool refuses(QWidget *editor, bool byKey);

    Judge m_judge;
};
