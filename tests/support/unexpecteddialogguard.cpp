#include "unexpecteddialogguard.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QtTest>

namespace {

constexpr int PollMilliseconds = 100;
constexpr int PollsBeforeFailing = 30;

QString describe(const QWidget *dialog)
{
    QString text = QString::fromLatin1(dialog->metaObject()->className());
    if (!dialog->windowTitle().isEmpty())
        text += QLatin1String(" \"") + dialog->windowTitle() + QLatin1Char('"');
    if (const auto *box = qobject_cast<const QMessageBox *>(dialog))
        text += QLatin1String(": ") + box->text().left(200);
    return text;
}

// Runs as the application object is made, in every test program that has one with widgets.
void installGuard()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        new UnexpectedDialogGuard(QCoreApplication::instance());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installGuard)

UnexpectedDialogGuard::UnexpectedDialogGuard(QObject *parent)
    : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &UnexpectedDialogGuard::poll);
    m_timer.start(PollMilliseconds);
}

void UnexpectedDialogGuard::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal != m_current) {
        m_current = modal;
        m_pollsOnCurrent = 0;
        return;
    }
    if (!modal || ++m_pollsOnCurrent < PollsBeforeFailing)
        return;
    const QByteArray message = "A modal dialog nobody answers: " + describe(modal).toUtf8();
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
    m_current = nullptr;
}
