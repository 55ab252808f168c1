// The Smith chart's reader on any file: it refuses what a query refuses, with the same text, and
// reads every file a query accepts that declares a reflection coefficient. What it reads holds
// together: groups in ascending order, each of distinct places, every point with a value of
// every quantity. And it reads the file with every data row written twice exactly as the file
// itself: a point measured again keeps the values of its first row, and the points keep the
// order in which the file first gives them.

#include "fuzzcheck.h"
#include "lpsimcore.h"
#include "reflectionpoints.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Corvane_LP::ReflectionPoints;

// One file, rewritten for every input; on a memory file system where there is one. Removed when
// the run ends.
struct DataFile
{
    explicit DataFile(const char *name)
        : path((access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
               "/fuzz_reflectionpoints." + std::to_string(getpid()) + name)
    {}
    ~DataFile() { unlink(path.c_str()); }

    void write(std::string_view text) const
    {
        const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        LP_FUZZ_CHECK(descriptor >= 0);
        LP_FUZZ_CHECK(::write(descriptor, text.data(), text.size()) ==
                      static_cast<ssize_t>(text.size()));
        close(descriptor);
    }

    const std::string path;
};

// The text with each data row (a line whose first character past the blanks is a digit, '-' or
// '.') written twice, one after the other.
std::string withRowsTwice(std::string_view text)
{
    std::string twice;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line =
            text.substr(0, newline == std::string_view::npos ? text.size() : newline + 1);
        twice += line;
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos &&
            (std::isdigit(static_cast<unsigned char>(line[first])) || line[first] == '-' ||
             line[first] == '.'))
            twice += line.back() == '\n' ? std::string(line) : "\n" + std::string(line);
        text.remove_prefix(line.size());
    }
    return twice;
}

bool declaresACoefficient(const Corvane_LP::LoadpullUI &ui)
{
    return std::any_of(ui.variables.begin(), ui.variables.end(),
                       [](const Corvane_LP::VarInfoUI *v) { return v->isGamma(); });
}

bool samePoints(const ReflectionPoints &a, const ReflectionPoints &b)
{
    if (a.groups.size() != b.groups.size())
        return false;
    for (std::size_t g = 0; g < a.groups.size(); ++g) {
        const auto &p = a.groups[g].points, &q = b.groups[g].points;
        if (a.groups[g].frequency != b.groups[g].frequency ||
            a.groups[g].held != b.groups[g].held || p.size() != q.size())
            return false;
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (p[i].re != q[i].re || p[i].im != q[i].im || p[i].values != q[i].values ||
                p[i].complexValues != q[i].complexValues)
                return false;
        }
    }
    return true;
}

void checkConsistent(const ReflectionPoints &points)
{
    const auto complexCount = std::size_t(
        std::count_if(points.quantities.begin(), points.quantities.end(),
                      [](const ReflectionPoints::Variable &quantity) { return quantity.complex; }));
    for (std::size_t g = 0; g < points.groups.size(); ++g) {
        const ReflectionPoints::Group &group = points.groups[g];
        LP_FUZZ_CHECK(!group.points.empty());
        LP_FUZZ_CHECK(group.held.size() == points.held.size());
        if (g > 0) {
            const ReflectionPoints::Group &before = points.groups[g - 1];
            LP_FUZZ_CHECK(std::make_pair(before.frequency, before.held) <
                          std::make_pair(group.frequency, group.held));
        }
        std::set<std::pair<double, double>> places;
        for (const ReflectionPoints::Point &point : group.points) {
            LP_FUZZ_CHECK(places.emplace(point.re, point.im).second);
            LP_FUZZ_CHECK(point.values.size() == points.quantities.size());
            LP_FUZZ_CHECK(point.complexValues.size() == complexCount);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const DataFile file(".lp");
    static const DataFile doubled("-twice.lp");
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    file.write(text);
    closeDataBasedLoadpullUI();
    Corvane_LP::LoadpullUI ui;
    const bool queried = queryLoadpullFile({file.path}, {}, 1, ui);
    ReflectionPoints points;
    std::string error;
    const bool read = Corvane_LP::readReflectionPoints(file.path, {}, points, error);
    if (!queried) {
        LP_FUZZ_CHECK(!read && error == ui.errorText);
        return 0;
    }
    LP_FUZZ_CHECK(read == declaresACoefficient(ui));
    if (!read)
        return 0;
    checkConsistent(points);
    doubled.write(withRowsTwice(text));
    ReflectionPoints again;
    LP_FUZZ_CHECK(Corvane_LP::readReflectionPoints(doubled.path, {}, again, error));
    LP_FUZZ_CHECK(samePoints(points, again));
    return 0;
}
