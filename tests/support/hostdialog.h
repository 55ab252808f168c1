#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

// A dialog as a host places the editor's widgets in: a line edit before the content, where a
// keyboard walk starts and tabs into the content from, and below it OK, the default button,
// and Cancel. A host may bind Return and Escape as shortcuts of the dialog as well.
class HostDialog : public QDialog
{
public:
    enum Keys { DefaultButton, Shortcuts };

    explicit HostDialog(QWidget *content, Keys keys = DefaultButton)
        : m_before(new QLineEdit)
    {
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        if (keys == Shortcuts) {
            connect(new QShortcut(QKeySequence(Qt::Key_Return), this), &QShortcut::activated, this,
                    &QDialog::accept);
            connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
                    &QDialog::reject);
        }
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_before);
        layout->addWidget(content);
        layout->addWidget(buttons);
    }

    QLineEdit *before() const { return m_before; }

private:
    QLineEdit *m_before;
};
