#include "partlycheckablegroupbox.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

PartlyCheckableGroupBox::PartlyCheckableGroupBox(QWidget *parent)
    : QGroupBox(parent)
{}

PartlyCheckableGroupBox::~PartlyCheckableGroupBox() = default;

void PartlyCheckableGroupBox::setPartlyChecked(bool partlyChecked)
{
    if (m_partlyChecked == partlyChecked)
        return;
    m_partlyChecked = partlyChecked;
    update();
}

void PartlyCheckableGroupBox::paintEvent(QPaintEvent *event)
{
    if (!m_partlyChecked)
        return QGroupBox::paintEvent(event);
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.state &= ~(QStyle::State_On | QStyle::State_Off);
    option.state |= QStyle::State_NoChange;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}
