#pragma once

#include "lpsimcore_export.h"

#include <string>
#include <vector>

namespace Corvane_LP {

class VarInfoUI;

// What one query found: filled by queryLoadpullFile. Owns the variables that it points to.
class LPSIMCORE_EXPORT LoadpullUI
{
public:
    LoadpullUI();
    ~LoadpullUI();
    LoadpullUI(const LoadpullUI &) = delete;
    LoadpullUI &operator=(const LoadpullUI &) = delete;

    // Deletes the variables and empties every member.
    void clear();

    std::vector<VarInfoUI *> variables; // independent and reflection-coefficient variables
    std::vector<VarInfoUI *> performanceVariables;
    int minNumPoints; // the fewest data rows in a sweep block, over all files
    int maxNumPoints;
    std::string errorText;
    std::string warningText;
};

} // namespace Corvane_LP
