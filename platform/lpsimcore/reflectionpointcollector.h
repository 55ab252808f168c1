#pragma once

#include "datasink.h"
#include "reflectionpoints.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Corvane_LP {

struct FileSummary;

// Gathers the points of one reflection coefficient while the parser reads a file: each row
// goes to the group of its frequency and held values, as a new point or onto one seen before.
class ReflectionPointCollector final : public DataSink
{
public:
    // An empty name picks the first measured coefficient, or else the first declared.
    explicit ReflectionPointCollector(std::string coefficient);

    void columnsRead(const ColumnLayout &layout, const NameTable &names,
                     const std::vector<DataRole> &roles) override;
    void blockOpened(double frequency) override;
    void rowRead(const double *row) override;

    // The points gathered, named after the file's declarations; false when the file declares
    // no such coefficient.
    bool finish(const FileSummary &summary, ReflectionPoints &points);

private:
    enum class Part { Whole, Real, Imaginary, Magnitude };

    struct Column
    {
        std::size_t variable; // position in the declarations
        std::size_t first;    // the first column of the variable
        Part part;
    };

    std::optional<std::size_t> findCoefficient(const NameTable &names,
                                               const std::vector<DataRole> &roles) const;
    void placeColumns(const ColumnLayout &layout, const std::vector<DataRole> &roles);
    ReflectionPoints::Variable variableOf(const FileSummary &summary, const Column &column) const;

    std::string m_coefficient;
    std::optional<std::size_t> m_target;
    std::optional<std::size_t> m_pointColumn; // Re(coefficient); none when it is fixed
    std::vector<Column> m_held;
    std::vector<Column> m_quantities;
    std::vector<double> m_key; // the frequency, then the held values of the row in hand
    std::map<std::vector<double>, ReflectionPoints::Group> m_groups;
    // The group of the row before and its key: rows of one group often follow one another.
    ReflectionPoints::Group *m_group = nullptr;
    std::vector<double> m_groupKey;
};

} // namespace Corvane_LP
