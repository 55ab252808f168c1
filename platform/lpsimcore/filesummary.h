#pragma once

#include "fileproblem.h"
#include "variablesummary.h"

#include <optional>
#include <string>
#include <vector>

namespace Corvane_LP {

// What one data file holds, or why it could not be read.
struct FileSummary
{
    std::string canonicalPath;
    std::vector<VariableSummary> variables; // in declaration order
    long long minBlockRows = 0;             // data rows in the smallest sweep block
    long long maxBlockRows = 0;
    std::optional<FileProblem> problem;
};

} // namespace Corvane_LP
