#include "modaldialoganswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace {

constexpr int PollInterval = 10;
constexpr int PollsBeforeForcing = 100;

} // namespace

ModalDialogAnswerer::ModalDialogAnswerer(std::function<void(QWidget *)> answer)
    : m_answer(std::move(answer))
{
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogAnswerer::poll);
    m_timer.start(PollInterval);
}

void ModalDialogAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (modal != m_current) {
        m_current = modal;
        m_pollsOnCurrent = 0;
        ++m_seen;
        if (m_answer)
            m_answer(modal);
        return;
    }
    if (++m_pollsOnCurrent < PollsBeforeForcing)
        return;
    ++m_forcedClosed;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}

void clickMessageBoxButton(QWidget *dialog, int standardButton)
{
    auto *box = qobject_cast<QMessageBox *>(dialog);
    if (!box)
        return;
    if (QAbstractButton *button = box->button(QMessageBox::StandardButton(standardButton)))
        button->click();
}
