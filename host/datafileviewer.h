#pragma once

#include <QWidget>

class LineNumberedTextEdit;
class QLabel;

// A window that shows a data file as it is, read-only: in a fixed-pitch font, lines never
// wrapped, with their numbers beside them and the cursor's line and column below. A file
// that cannot be shown gives the reason in place of its text.
class DataFileViewer final : public QWidget
{
    Q_OBJECT

public:
    // Data files run to tens of megabytes; a larger file would take more memory to show
    // than a look at it is worth.
    static constexpr qint64 MaximumSize = 128 * 1024 * 1024;

    explicit DataFileViewer(const QString &path, QWidget *parent = nullptr);

private:
    void showCursorPosition();

    LineNumberedTextEdit *m_text;
    QLabel *m_position;
};
