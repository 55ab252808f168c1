#include "lpsimcore.h"

#include "fileproblem.h"
#include "summarycache.h"
#include "variableunion.h"

#include <set>

namespace {

using namespace Corvane_LP;

// `reading` names the file in hand, for the message when memory runs out.
bool query(const std::vector<std::string> &filesToAdd, const std::vector<std::string> &filesToKeep,
           int mode, LoadpullUI &ui, const std::string *&reading)
{
    if (mode != 1) {
        ui.errorText = "Unsupported load-pull query mode " + std::to_string(mode) + ".";
        return false;
    }
    VariableUnion files;
    std::set<std::string> seen; // canonical paths: a file named twice counts once
    for (const std::vector<std::string> *list : {&filesToKeep, &filesToAdd}) {
        for (const std::string &path : *list) {
            reading = &path;
            const auto summary = SummaryCache::instance().summaryOf(path);
            if (summary->problem) {
                ui.errorText = summary->problem->describe(path);
                return false;
            }
            if (seen.insert(summary->canonicalPath).second && !files.add(path, *summary)) {
                ui.errorText = files.conflict();
                return false;
            }
        }
    }
    reading = nullptr;
    files.fillIn(ui);
    return true;
}

std::string refusal(const std::string *reading, FileProblem::Kind kind)
{
    if (reading)
        return FileProblem{kind, 0, {}}.describe(*reading);
    return "The load-pull data files hold more variables than fit into memory.";
}

// Empties the record and says why. When even the message finds no memory, a short one takes
// its place: it fits into the room every string has of its own, so it needs none.
void refuse(LoadpullUI &ui, const std::string *reading, FileProblem::Kind kind) noexcept
{
    ui.clear();
    try {
        ui.errorText = refusal(reading, kind);
    } catch (...) {
        ui.errorText = "Out of memory.";
    }
}

} // namespace

// The host calls without a try: an exception would end it, so every one becomes the query's
// error.
bool queryLoadpullFile(const std::vector<std::string> &filesToAdd,
                       const std::vector<std::string> &filesToKeep, const int &mode,
                       Corvane_LP::LoadpullUI &ui)
{
    ui.clear();
    const std::string *reading = nullptr;
    try {
        return query(filesToAdd, filesToKeep, mode, ui, reading);
    } catch (...) {
        refuse(ui, reading, FileProblem::kindOfCurrentException());
        return false;
    }
}

// Frees only, so nothing can be thrown here.
void closeDataBasedLoadpullUI()
{
    Corvane_LP::SummaryCache::instance().clear();
}
