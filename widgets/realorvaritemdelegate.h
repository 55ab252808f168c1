#pragma once

#include "entryitemdelegate.h"

// A cell that holds a real number or a design variable name. A validator in its editor would
// drop keystrokes and turn "1.5x" into "15" unseen; the owning table judges the entry instead.
using RealOrVarItemDelegate = EntryItemDelegate;
