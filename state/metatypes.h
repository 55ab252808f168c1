#pragma once

namespace LoadPullStateUtils {

// Registers the records, the file type and the variable lists that travel in signals,
// under their full names and under the short names (IndepVarInfo,
// QList<IndepVarInfo>, ...) that signatures may use. Call once before queued
// connections or name lookups; repeated calls do no harm.
void registerStateMetaTypes();

} // namespace LoadPullStateUtils
