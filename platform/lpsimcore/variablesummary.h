#pragma once

#include "variabledeclaration.h"

namespace Corvane_LP {

// One variable of one data file: its declaration and what its data showed.
struct VariableSummary
{
    VariableDeclaration declaration;
    double lowest = 0.0;
    double highest = 0.0;
    long long minPoints = 0; // 1 for a reflection coefficient with a fixed value
    long long maxPoints = 0;
};

} // namespace Corvane_LP
