#include "plainmessagebox.h"

#include <QApplication>

void PlainMessageBox::show(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                           const QString &text, QMessageBox::StandardButton button,
                           const QString &details)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    QMessageBox box(icon, title, text, button, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDetailedText(details);
    box.exec();
}
