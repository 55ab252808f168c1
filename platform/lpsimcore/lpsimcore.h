#pragma once

#include "loadpullui.h"
#include "lpsimcore_export.h"
#include "varinfoui.h"

#include <string>
#include <vector>

// Reports in ui the variables of all named load-pull data files: filesToKeep first, then
// filesToAdd, each file once, each range in the unit of the first file that has the variable.
// Returns false, with ui.errorText saying why, when a file cannot be read or is not a valid
// load-pull data file, when one name has two roles in the files, or when mode is not 1. Both
// lists empty: true with nothing in ui. Files are read through a process-wide cache.
LPSIMCORE_EXPORT bool queryLoadpullFile(const std::vector<std::string> &filesToAdd,
                                        const std::vector<std::string> &filesToKeep,
                                        const int &mode, Corvane_LP::LoadpullUI &ui);

// Empties the cache of parsed files.
LPSIMCORE_EXPORT void closeDataBasedLoadpullUI();
