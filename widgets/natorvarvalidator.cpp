#include "natorvarvalidator.h"

#include <limits>

NatOrVarValidator::NatOrVarValidator(QObject *parent)
    : IntOrVarValidator(1, std::numeric_limits<int>::max(), parent)
{}

NatOrVarValidator::~NatOrVarValidator() = default;
