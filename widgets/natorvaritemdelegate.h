#pragma once

#include "entryitemdelegate.h"

// A cell that holds a positive integer or a design variable name, judged by the owning table
// when the edit ends (see RealOrVarItemDelegate).
using NatOrVarItemDelegate = EntryItemDelegate;
