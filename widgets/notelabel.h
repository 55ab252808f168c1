#pragma once

#include <QLabel>

// A short note beside a field that tells the user why an entry was refused or what it will
// mean, without a box to close. It shows its text as plain text, wraps long lines, and is
// hidden while it has nothing to say, so that it takes no room then.
class NoteLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit NoteLabel(QWidget *parent = nullptr);
    ~NoteLabel() override;

    // The empty note hides the label.
    void setNote(const QString &note);
};
