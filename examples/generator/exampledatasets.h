#pragma once

#include "measurementplan.h"

#include <cstddef>
#include <string>
#include <vector>

namespace LpDataGen {

struct ExampleFile
{
    std::string fileName;
    MeasurementPlan plan;
};

// The sample files of examples/data, one per file extension.
std::vector<ExampleFile> exampleFiles();

// A two-harmonic load-pull measurement over as many frequencies as make about `bytes` of text.
MeasurementPlan largeFilePlan(std::size_t bytes);

} // namespace LpDataGen
