#pragma once

#include "variabledeclaration.h"

#include <vector>

namespace Corvane_LP {

class ColumnLayout;
class NameTable;

// Receives the data of a file as the parser reads it, for a reader that needs the values
// themselves and not only what the summary keeps of them.
class DataSink
{
public:
    virtual ~DataSink() = default;

    // The column-name line has been read: the columns of the declared variables, their names and
    // their roles at the same positions.
    virtual void columnsRead(const ColumnLayout &layout, const NameTable &names,
                             const std::vector<DataRole> &roles) = 0;
    virtual void blockOpened(double frequency) = 0;
    // One value per column of the layout.
    virtual void rowRead(const double *row) = 0;
};

} // namespace Corvane_LP
