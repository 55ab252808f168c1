#include "reflectionpoints.h"

#include "datafileparser.h"
#include "datafilereader.h"
#include "reflectionpointcollector.h"
#include "textbuffer.h"
#include "textscan.h"

#include <algorithm>
#include <tuple>

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

// Sorting once costs less than looking each row's point up as it comes.
void keepFirstOfEachPlace(ReflectionPoints::Group &group)
{
    std::vector<ReflectionPoints::Point> &points = group.points;
    if (points.size() < 2)
        return;
    struct Place
    {
        double re;
        double im;
        std::size_t index;
    };
    std::vector<Place> places;
    places.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        places.push_back({points[i].re, points[i].im, i});
    std::sort(places.begin(), places.end(), [](const Place &a, const Place &b) {
        return std::tie(a.re, a.im, a.index) < std::tie(b.re, b.im, b.index);
    });
    std::vector<bool> repeated(points.size(), false);
    for (std::size_t k = 1; k < places.size(); ++k)
        repeated[places[k].index] =
            places[k].re == places[k - 1].re && places[k].im == places[k - 1].im;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (repeated[i])
            continue;
        if (kept != i)
            points[kept] = std::move(points[i]);
        ++kept;
    }
    group.repeated += points.size() - kept;
    points.resize(kept);
}

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
