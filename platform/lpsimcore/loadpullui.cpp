#include "loadpullui.h"

#include "varinfoui.h"

namespace Corvane_LP {

namespace {

void deleteAll(std::vector<VarInfoUI *> &variables)
{
    for (VarInfoUI *variable : variables)
        delete variable;
    variables.clear();
}

} // namespace

LoadpullUI::LoadpullUI()
    : minNumPoints(0)
    , maxNumPoints(0)
{}

LoadpullUI::~LoadpullUI()
{
    clear();
}

void LoadpullUI::clear()
{
    deleteAll(variables);
    deleteAll(performanceVariables);
    minNumPoints = 0;
    maxNumPoints = 0;
    errorText.clear();
    warningText.clear();
}

} // namespace Corvane_LP
