#pragma once

#include "parameterlist.h"

struct TvlValue;

namespace LoadPullStateUtils {

class DBLPCState;

// The conversion between the component's parameter list and a DBLPCState.

// Reads the host list into `state`; false for a list that cannot be read or a malformed
// dBm value, in which case no parameter value is stored.
bool parametersToState(TvlValue *list, DBLPCState &state);
// The host list of the state's current set; null when it cannot be built.
TvlValue *stateToParameters(const DBLPCState &state);

// Fills the current set's records from the map; each record is stored only when it
// passes validation with the state's uiState flag.
bool fromParameterMap(const ParameterMap &map, DBLPCState &state);
// The 28 parameters of the current set.
ParameterMap toParameterMap(const DBLPCState &state);

} // namespace LoadPullStateUtils
