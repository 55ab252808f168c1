#include "notelabel.h"

#include "elidedtext.h"

NoteLabel::NoteLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setVisible(false);
}

NoteLabel::~NoteLabel() = default;

void NoteLabel::setNote(const QString &note)
{
    // A note may quote an entry of any length: each of its lines is shown elided, as message
    // boxes show them.
    setText(elidedLines(note));
    setVisible(!note.isEmpty());
}
