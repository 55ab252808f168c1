#pragma once

#include "parameterlist.h"

struct TvlValue;

namespace LoadPullStateUtils {

class DBLPCState;

// The conversion between the component's parameter list and a DBLPCState.

// Reads the host list into `state`; false for a list that cannot be read.
bool parametersToState(TvlValue *list, DBLPCState &state);
// The host list of the state's current set, with the stored texts of what the user left
// alone; null when it cannot be built.
TvlValue *stateToParameters(const DBLPCState &state);

// Fills the current set's records from the texts as the host stored them, and keeps those
// texts in the state. The variable records are all kept; every other record is stored only
// when it passes validation with the state's uiState flag. A value the editor cannot read is
// kept whole, and a malformed dBm value is reported.
bool fromParameterMap(const ParameterMap &stored, DBLPCState &state);
// The editor's texts of the 28 parameters of the current set.
ParameterMap toParameterMap(const DBLPCState &state);

} // namespace LoadPullStateUtils
