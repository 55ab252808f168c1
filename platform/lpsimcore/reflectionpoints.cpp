#include "reflectionpoints.h"

#include "datafileparser.h"
#include "datafilereader.h"
#include "reflectionpointcollector.h"
#include "textbuffer.h"
#include "textscan.h"

namespace Corvane_LP {

namespace {

bool refuse(const std::string &path, const FileProblem &problem, std::string &errorText)
{
    errorText = problem.describe(path);
    return false;
}

std::string noSuchCoefficient(const std::string &path, const std::string &coefficient)
{
    return "Load-pull data file \"" + path + "\" declares no reflection coefficient" +
           (coefficient.empty() ? std::string() : " " + quoted(coefficient)) + ".";
}

bool read(const std::string &path, const std::string &coefficient, ReflectionPoints &points,
          std::string &errorText)
{
    DataFileReader file(path);
    TextBuffer text;
    if (file.problem() || !file.readAll(text))
        return refuse(path, *file.problem(), errorText);
    ReflectionPointCollector collector(coefficient);
    const FileSummary summary = DataFileParser(text.text(), &collector).parse();
    if (summary.problem)
        return refuse(path, *summary.problem, errorText);
    if (!collector.finish(summary, points)) {
        errorText = noSuchCoefficient(path, coefficient);
        return false;
    }
    return true;
}

} // namespace

// Like a query, every exception becomes the error: the caller need not catch.
bool readReflectionPoints(const std::string &path, const std::string &coefficient,
                          ReflectionPoints &points, std::string &errorText)
{
    points = ReflectionPoints{};
    try {
        return read(path, coefficient, points, errorText);
    } catch (...) {
        const FileProblem::Kind kind = FileProblem::kindOfCurrentException();
        points = ReflectionPoints{};
        try {
            refuse(path, FileProblem{kind, 0, {}}, errorText);
        } catch (...) {
            errorText = "Out of memory.";
        }
        return false;
    }
}

} // namespace Corvane_LP
