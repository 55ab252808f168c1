#include "entryedit.h"

#include "elidedtext.h"
#include "entryrefusal.h"

#include <QAction>
#include <QKeyEvent>
#include <QStyle>

EntryEdit::EntryEdit(Judge judge, QWidget *parent)
    : QLineEdit(parent)
    , m_judge(std::move(judge))
{
    connect(this, &QLineEdit::editingFinished, this, &EntryEdit::finishEntry);
}

EntryEdit::~EntryEdit() = default;

void EntryEdit::setMark(const QString &note)
{
    if (note.isEmpty()) {
        delete m_mark;
        m_mark = nullptr;
        return;
    }
    if (!m_mark)
        m_mark = addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                           QLineEdit::TrailingPosition);
    m_mark->setToolTip(elidedText(note));
}

QString EntryEdit::mark() const
{
    return m_mark ? m_mark->toolTip() : QString();
}

void EntryEdit::clearRefusal()
{
    setProperty(RefusedEntryProperty, QString());
}

bool EntryEdit::focusNextPrevChild(bool next)
{
    m_refused = false;
    m_inKeyPress = true;
    finishEntry();
    m_inKeyPress = false;
    return m_refused || QLineEdit::focusNextPrevChild(next);
}

void EntryEdit::keyPressEvent(QKeyEvent *event)
{
    m_refused = false;
    m_inKeyPress = true;
    QLineEdit::keyPressEvent(event);
    m_inKeyPress = false;
    if (m_refused)
        event->accept();
}

// Return and then the focus leaving end the same edit: only the first judges it.
void EntryEdit::finishEntry()
{
    if (!isModified())
        return;
    setModified(false);
    const QString entry = text();
    const QString note = m_judge(entry);
    m_refused = !note.isEmpty();
    // A refusal on a key leaves the focus here, beside the note.
    setProperty(RefusedEntryProperty, m_inKeyPress ? QString() : note);
    if (m_refused)
        emit entryRefused(note);
    else
        emit entryTaken(entry);
}
