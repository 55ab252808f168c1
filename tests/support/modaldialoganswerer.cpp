#include "modaldialoganswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace {

constexpr int PollInterval = 10;

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
    if (!modal || modal == m_current)
        return;
    m_current = modal;
    ++m_seen;
    if (m_answer)
        m_answer(modal);
}

void clickMessageBoxButton(QWidget *dialog, int standardButton)
{
    auto *box = qobject_cast<QMessageBox *>(dialog);
    if (!box)
        return;
    if (QAbstractButton *button = box->button(QMessageBox::StandardButton(standardButton)))
        button->click();
}
