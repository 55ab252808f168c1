#include "vocabulary.h"

#include "scriptfunctions.h"
#include "tvlinterface.h"

namespace {

constexpr intptr_t FunctionKind = 0;
constexpr intptr_t VariableKind = 2;

intptr_t functionValue(TvlFunction function)
{
    return reinterpret_cast<intptr_t>(function);
}

VocabularyEntry entries[] = {
    {"LoadPull_pluginLoaded", VariableKind, 1, {0, 0, 0, 0}},
    {"load_pull_show_message", FunctionKind, functionValue(&load_pull_show_message), {0, 0, 0, 0}},
    {"load_pull_getDBLPState", FunctionKind, functionValue(&load_pull_getDBLPState), {0, 0, 0, 0}},
    {"load_pull_getAllTabWidgets",
     FunctionKind,
     functionValue(&load_pull_getAllTabWidgets),
     {0, 0, 0, 0}},
    {"load_pull_closeDataBasedLoadpullUI",
     FunctionKind,
     functionValue(&load_pull_closeDataBasedLoadpullUI),
     {0, 0, 0, 0}},
};

VocabularyDescriptor descriptor = {"CmdOp", "TVL", entries, sizeof(entries) / sizeof(entries[0])};

} // namespace

VocabularyDescriptor *cmdOpVocabulary()
{
    return &descriptor;
}
