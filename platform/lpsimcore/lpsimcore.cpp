#include "lpsimcore.h"

#include "summarycache.h"
#include "variableunion.h"

#include <set>

bool queryLoadpullFile(const std::vector<std::string> &filesToAdd,
                       const std::vector<std::string> &filesToKeep, const int &mode,
                       Corvane_LP::LoadpullUI &ui)
{
    using namespace Corvane_LP;
    ui.clear();
    if (mode != 1) {
        ui.errorText = "Unsupported load-pull query mode " + std::to_string(mode) + ".";
        return false;
    }
    VariableUnion files;
    std::set<std::string> seen; // canonical paths: a file named twice counts once
    for (const std::vector<std::string> *list : {&filesToKeep, &filesToAdd}) {
        for (const std::string &path : *list) {
            const auto summary = SummaryCache::instance().summaryOf(path);
            if (summary->problem) {
                ui.errorText = summary->problem->describe(path);
                return false;
            }
            if (seen.insert(summary->canonicalPath).second)
                files.add(path, *summary);
        }
    }
    files.fillIn(ui);
    return true;
}

void closeDataBasedLoadpullUI()
{
    Corvane_LP::SummaryCache::instance().clear();
}
