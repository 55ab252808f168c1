#include "childconnections.h"

#include <QWidget>

void disconnectChildrenFrom(QWidget *widget)
{
    const QList<QObject *> children = widget->findChildren<QObject *>();
    for (QObject *child : children)
        QObject::disconnect(child, nullptr, widget, nullptr);
}
