#include "natorvaritemdelegate.h"

#include "natorvarvalidator.h"

NatOrVarItemDelegate::NatOrVarItemDelegate(QObject *parent)
    : ValidatedTextItemDelegate(parent)
{}

NatOrVarItemDelegate::~NatOrVarItemDelegate() = default;

QValidator *NatOrVarItemDelegate::createValidator(QObject *parent) const
{
    return new NatOrVarValidator(parent);
}
