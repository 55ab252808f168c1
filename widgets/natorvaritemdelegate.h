#pragma once

#include "realorvaritemdelegate.h"

// A cell that holds a positive integer or a design variable name.
class NatOrVarItemDelegate final : public ValidatedTextItemDelegate
{
public:
    explicit NatOrVarItemDelegate(QObject *parent = nullptr);
    ~NatOrVarItemDelegate() override;

private:
    QValidator *createValidator(QObject *parent) const override;
};
