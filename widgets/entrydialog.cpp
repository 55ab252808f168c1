#include "entrydialog.h"

#include "notelabel.h"

#include <QLineEdit>
#include <QVBoxLayout>

EntryDialog::EntryDialog(Judge judge, QWidget *parent)
    : QInputDialog(parent)
    , m_judge(std::move(judge))
    , m_note(new NoteLabel(this))
{
    setInputMode(QInputDialog::TextInput);
    // The input dialog lays its label, edit and buttons out in a box of its own; the note goes
    // between the edit and the buttons.
    if (auto *box = qobject_cast<QVBoxLayout *>(layout()))
        box->insertWidget(box->count() - 1, m_note);
}

EntryDialog::~EntryDialog() = default;

QString EntryDialog::note() const
{
    return m_note->isHidden() ? QString() : m_note->text();
}

void EntryDialog::done(int result)
{
    const QString note = result == Accepted ? m_judge(textValue()) : QString();
    m_note->setNote(note);
    if (note.isEmpty()) {
        QInputDialog::done(result);
        return;
    }
    if (auto *edit = findChild<QLineEdit *>())
        edit->setFocus();
}
