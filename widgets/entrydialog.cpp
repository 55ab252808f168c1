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
    m_note->hide();
}

EntryDialog::~EntryDialog() = default;

void EntryDialog::showEvent(QShowEvent *event)
{
    placeNote();
    QInputDialog::showEvent(event);
}

// The input dialog lays its label, edit and buttons out in a box of its own; the note goes
// between the edit and the buttons.
void EntryDialog::placeNote()
{
    auto *box = qobject_cast<QVBoxLayout *>(layout());
    if (box && box->indexOf(m_note) < 0)
        box->insertWidget(box->count() - 1, m_note);
}

QString EntryDialog::note() const
{
    return m_note->isHidden() ? QString() : m_note->text();
}

void EntryDialog::done(int result)
{
    const QString note = result == Accepted ? m_judge(textValue()) : QString();
    placeNote();
    m_note->setNote(note);
    // A dialog already shown does not grow by itself for a note of several lines.
    adjustSize();
    if (note.isEmpty()) {
        QInputDialog::done(result);
        return;
    }
    if (auto *edit = findChild<QLineEdit *>())
        edit->setFocus();
}
