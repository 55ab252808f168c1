#pragma once

#include <QMessageBox>

class QString;
class QWidget;

// Modal message boxes whose texts are always shown as plain text: they often carry
// file names, variable names or data-library texts, which must never be rendered as
// rich text.
class PlainMessageBox final
{
public:
    PlainMessageBox() = delete;

    // Shows the box and waits for it to close.
    // Without a QApplication there is nothing to show a box on, and nothing is shown.
    // `details`, when given, is behind the box's "Show Details..." button.
    static void show(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                     const QString &text, QMessageBox::StandardButton button = QMessageBox::Ok,
                     const QString &details = QString());
};
