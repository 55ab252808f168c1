#pragma once

#include "parameterlist.h"

struct TvlValue;

namespace LoadPullStateUtils {

class DBLPCState;

// The conversion between the component's parameter list and a DBLPCState.

// Reads the host list into `state`; false for a list that cannot be read. What the user is
// to be told of the texts read (a file type not offered, a malformed dBm value) is appended
// to `warnings`, for the editor to show.
bool parametersToState(TvlValue *list, DBLPCState &state, QStringList *warnings = nullptr);
// The host list OK writes for the state's current set; null when it cannot be built.
TvlValue *stateToParameters(const DBLPCState &state);

// Fills the current set's records from the texts as the host stored them, and makes the
// state's model of the component's entries from them. The variable, interpolation and term
// records are all kept; every other record is stored only when it passes validation with the
// state's uiState flag. A value the editor cannot read is kept whole, and a malformed dBm value
// is reported in `warnings`.
bool fromParameterMap(const ParameterMap &stored, DBLPCState &state,
                      QStringList *warnings = nullptr);
// The 28 parameters OK writes for the current set: see ComponentEntries.
ParameterMap toParameterMap(const DBLPCState &state);

} // namespace LoadPullStateUtils
