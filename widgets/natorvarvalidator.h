#pragma once

#include "intorvarvalidator.h"

// Accepts a positive integer (1 upwards) or a design variable name.
class NatOrVarValidator final : public IntOrVarValidator
{
public:
    explicit NatOrVarValidator(QObject *parent = nullptr);
    ~NatOrVarValidator() override;
};
