// The data library on any file: it either reads the file, reporting for every variable a range
// and point counts that agree with the file's values, or refuses it with a text and reports no
// variables.
//
// To know every value the file holds, the harness reads an accepted file itself, in the plainest
// way: line by line, split at blanks, each number with from_chars, each attribute found between
// its angle brackets. An accepted file is valid, so this reading needs none of the library's
// checks and shares none of its code: it does not inherit the library's mistakes. Where the file
// turns out not to be valid after all (a row of the wrong width, a number that does not read), the
// library accepted what it should have refused, and that is a finding too. The expected range of
// a variable is the lowest and highest of its values, computed with hypot and atan2 where the
// library reports a magnitude or a phase; the expected point counts come from ordered sets.

#include "fuzzcheck.h"
#include "lpsimcore.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Sample = std::pair<double, double>; // (re, im); im is 0 for real variables

enum class Keyword { Var, Gamma, Out };
enum class Component { Real, Imaginary, Magnitude, Phase };

constexpr double infinity = std::numeric_limits<double>::infinity();

// The fewest and most of a count over the sweep blocks.
struct Extent
{
    long long fewest = 0;
    long long most = 0;
    bool any = false;

    void add(long long count)
    {
        fewest = any ? std::min(fewest, count) : count;
        most = std::max(most, count);
        any = true;
    }
};

// What the harness expects of one declared variable.
struct Expected
{
    std::string name;
    Keyword keyword = Keyword::Var;
    Component component = Component::Real;
    bool complex = false;
    std::optional<Sample> fixed;
    int domain = 0;
    std::size_t firstColumn = 0;
    bool pair = false;
    bool hasColumn = false;
    double lowest = infinity;
    double highest = -infinity;
    Extent points;
    std::set<Sample> blockSamples; // distinct
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return result;
}

std::vector<std::string_view> tokens(std::string_view line)
{
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        std::size_t end = at;
        while (end < line.size() && !isBlank(line[end]))
            ++end;
        if (end > at)
            result.push_back(line.substr(at, end - at));
        at = end;
    }
    return result;
}

// The whole text as one finite number; a finding when it is not. The format reads -0 as 0.
double number(std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    LP_FUZZ_CHECK(error == std::errc() && end == text.data() + text.size());
    LP_FUZZ_CHECK(std::isfinite(value));
    return value + 0.0;
}

// The significant lines of the text (neither blank nor comment), trimmed.
std::vector<std::string_view> significantLines(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = trim(text.substr(0, newline));
        if (!line.empty() && line.front() != '!')
            lines.push_back(line);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    }
    return lines;
}

std::optional<Keyword> keywordOf(std::string_view line)
{
    std::size_t end = 0;
    while (end < line.size() &&
           (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_'))
        ++end;
    const std::string_view rest = trim(line.substr(end));
    if (rest.empty() || rest.front() != '=')
        return std::nullopt;
    const std::string word = lower(line.substr(0, end));
    if (word == "var")
        return Keyword::Var;
    if (word == "gamma")
        return Keyword::Gamma;
    if (word == "out")
        return Keyword::Out;
    return std::nullopt;
}

// Every `<...>` value of a declaration line with its key in lower case, in the order written:
// the keyword's value, the name, first.
std::vector<std::pair<std::string, std::string_view>> attributesOf(std::string_view line)
{
    std::vector<std::pair<std::string, std::string_view>> attributes;
    while (!line.empty()) {
        const std::size_t equals = line.find('=');
        const std::size_t open = line.find('<', equals);
        const std::size_t close = line.find('>', open);
        const std::string_view key = trim(line.substr(0, equals));
        attributes.emplace_back(lower(key.substr(key.find_first_not_of(", \t\r"))),
                                trim(line.substr(open + 1, close - open - 1)));
        line = trim(line.substr(close + 1));
    }
    return attributes;
}

Component componentOf(Keyword keyword, int domain, bool complex)
{
    if (complex)
        return Component::Magnitude;
    if (keyword != Keyword::Gamma)
        return Component::Real;
    const Component byDomain[] = {Component::Real, Component::Imaginary, Component::Magnitude,
                                  Component::Phase};
    return byDomain[domain];
}

Expected declared(Keyword keyword, std::string_view line)
{
    const auto attributes = attributesOf(line);
    Expected variable;
    variable.keyword = keyword;
    variable.name = std::string(attributes.front().second);
    for (const auto &[key, value] : attributes) {
        if (value.empty()) // as if not given
            continue;
        if (key == "domain") {
            const char *names[] = {"rect-real", "rect-imag", "polar-mag", "polar-phase"};
            variable.domain = static_cast<int>(std::find(names, names + 4, lower(value)) - names);
            LP_FUZZ_CHECK(variable.domain < 4);
        } else if (key == "complex") {
            variable.complex = lower(value) == "yes";
        } else if (key == "value") {
            const std::size_t comma = value.find(',');
            variable.fixed =
                Sample{number(trim(value.substr(0, comma))), number(trim(value.substr(comma + 1)))};
        }
    }
    variable.component = componentOf(keyword, variable.domain, variable.complex);
    return variable;
}

double valueOf(const Expected &variable, Sample sample)
{
    switch (variable.component) {
    case Component::Imaginary:
        return sample.second;
    case Component::Magnitude:
        return std::hypot(sample.first, sample.second);
    case Component::Phase:
        return std::atan2(sample.second, sample.first) * (180.0 / M_PI);
    case Component::Real:
        break;
    }
    return sample.first;
}

void addSample(Expected &variable, Sample sample)
{
    const double value = valueOf(variable, sample);
    variable.lowest = std::min(variable.lowest, value);
    variable.highest = std::max(variable.highest, value);
    variable.blockSamples.insert(sample);
}

// The whole of an accepted file as the harness reads it.
struct Reading
{
    std::vector<Expected> variables;
    std::optional<std::size_t> frequency;
    std::size_t columns = 0;
    long long blockRows = 0;
    bool inBlock = false;
    Extent rows;

    void placeColumns(std::string_view line);
    void readRow(std::string_view line);
    void openBlock(std::string_view line);
    void closeBlock();
    void finish();
};

Expected &named(std::vector<Expected> &variables, std::string_view name)
{
    const auto found = std::find_if(variables.begin(), variables.end(),
                                    [name](const Expected &v) { return v.name == name; });
    LP_FUZZ_CHECK(found != variables.end());
    return *found;
}

void Reading::placeColumns(std::string_view line)
{
    const std::vector<std::string_view> names = tokens(line);
    for (std::size_t column = 0; column < names.size(); ++column) {
        const std::string_view token = names[column];
        const bool pair = token.substr(0, 3) == "Re(";
        Expected &variable = named(variables, pair ? token.substr(3, token.size() - 4) : token);
        LP_FUZZ_CHECK(!variable.hasColumn && !variable.fixed);
        variable.hasColumn = true;
        variable.pair = pair;
        variable.firstColumn = column;
        if (pair) {
            LP_FUZZ_CHECK(++column < names.size());
            LP_FUZZ_CHECK(names[column] == "Im(" + variable.name + ")");
        }
    }
    columns = names.size();
    for (std::size_t index = 0; index < variables.size(); ++index) {
        if (!variables[index].hasColumn && !variables[index].fixed) {
            LP_FUZZ_CHECK(!frequency && variables[index].keyword == Keyword::Var);
            frequency = index;
        }
    }
}

void Reading::readRow(std::string_view line)
{
    const std::vector<std::string_view> texts = tokens(line);
    LP_FUZZ_CHECK(texts.size() == columns);
    LP_FUZZ_CHECK(inBlock || !frequency);
    inBlock = true;
    ++blockRows;
    for (Expected &variable : variables) {
        if (!variable.hasColumn)
            continue;
        const double first = number(texts[variable.firstColumn]);
        addSample(variable, {first, variable.pair ? number(texts[variable.firstColumn + 1]) : 0.0});
    }
}

void Reading::openBlock(std::string_view line)
{
    LP_FUZZ_CHECK(frequency.has_value());
    const std::size_t equals = line.find('=');
    LP_FUZZ_CHECK(trim(line.substr(0, equals)) == variables[*frequency].name);
    const std::string_view text = trim(line.substr(equals + 1));
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    LP_FUZZ_CHECK(error == std::errc() && std::isfinite(value));
    closeBlock();
    inBlock = true;
    addSample(variables[*frequency], {value + 0.0, 0.0});
}

void Reading::closeBlock()
{
    if (!inBlock)
        return;
    LP_FUZZ_CHECK(blockRows > 0);
    rows.add(blockRows);
    for (Expected &variable : variables) {
        if (!variable.hasColumn)
            continue;
        const bool countsRows = variable.keyword == Keyword::Out;
        variable.points.add(countsRows ? blockRows
                                       : static_cast<long long>(variable.blockSamples.size()));
        variable.blockSamples.clear();
    }
    blockRows = 0;
}

void Reading::finish()
{
    closeBlock();
    LP_FUZZ_CHECK(rows.any);
    if (frequency) {
        Expected &variable = variables[*frequency];
        variable.points.add(static_cast<long long>(variable.blockSamples.size()));
    }
    for (Expected &variable : variables) {
        if (variable.fixed) {
            variable.lowest = variable.highest = valueOf(variable, *variable.fixed);
            variable.points.add(0);
        }
    }
}

Reading readAccepted(std::string_view text)
{
    Reading reading;
    const std::vector<std::string_view> lines = significantLines(text);
    std::size_t line = 1; // after the signature
    for (; line < lines.size(); ++line) {
        const auto keyword = keywordOf(lines[line]);
        if (!keyword)
            break;
        reading.variables.push_back(declared(*keyword, lines[line]));
    }
    LP_FUZZ_CHECK(line < lines.size());
    reading.placeColumns(lines[line]);
    for (++line; line < lines.size(); ++line) {
        const char first = lines[line].front();
        if ((first >= '0' && first <= '9') || first == '-' || first == '.')
            reading.readRow(lines[line]);
        else
            reading.openBlock(lines[line]);
    }
    reading.finish();
    return reading;
}

// Equal, but for the last bits of a magnitude or a phase, which the library may compute in
// another way.
bool agrees(double reported, double expected)
{
    if (reported == expected)
        return true;
    return std::abs(reported - expected) <=
           1e-12 * std::max(std::abs(reported), std::abs(expected));
}

void checkVariable(const Corvane_LP::VarInfoUI &reported, const Expected &expected)
{
    LP_FUZZ_CHECK(reported.getName() == expected.name);
    LP_FUZZ_CHECK(reported.isGamma() == (expected.keyword == Keyword::Gamma));
    LP_FUZZ_CHECK(reported.isComplex() == expected.complex);
    LP_FUZZ_CHECK(reported.domain() == (reported.isGamma() ? expected.domain : 0));
    LP_FUZZ_CHECK(reported.lowest <= reported.highest);
    // Every value lies within the range, and each end of the range is a value.
    LP_FUZZ_CHECK(reported.lowest <= expected.lowest || agrees(reported.lowest, expected.lowest));
    LP_FUZZ_CHECK(reported.highest >= expected.highest ||
                  agrees(reported.highest, expected.highest));
    LP_FUZZ_CHECK(agrees(reported.lowest, expected.lowest));
    LP_FUZZ_CHECK(agrees(reported.highest, expected.highest));
    LP_FUZZ_CHECK(reported.minNumPoints() <= reported.maxNumPoints());
    LP_FUZZ_CHECK(reported.minNumPoints() == expected.points.fewest);
    LP_FUZZ_CHECK(reported.maxNumPoints() == expected.points.most);
}

void checkAccepted(const Corvane_LP::LoadpullUI &ui, std::string_view text)
{
    LP_FUZZ_CHECK(ui.errorText.empty());
    LP_FUZZ_CHECK(ui.warningText.empty()); // one file agrees with itself
    const Reading reading = readAccepted(text);
    LP_FUZZ_CHECK(ui.minNumPoints <= ui.maxNumPoints);
    LP_FUZZ_CHECK(ui.minNumPoints == reading.rows.fewest && ui.maxNumPoints == reading.rows.most);
    std::vector<const Corvane_LP::VarInfoUI *> reported(ui.variables.begin(), ui.variables.end());
    reported.insert(reported.end(), ui.performanceVariables.begin(), ui.performanceVariables.end());
    std::vector<const Expected *> expected;
    for (const bool performance : {false, true}) {
        for (const Expected &variable : reading.variables) {
            if ((variable.keyword == Keyword::Out) == performance)
                expected.push_back(&variable);
        }
    }
    LP_FUZZ_CHECK(reported.size() == expected.size());
    for (std::size_t index = 0; index < reported.size(); ++index)
        checkVariable(*reported[index], *expected[index]);
}

std::string exactly(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Everything a query reports, as one text, to compare two queries.
std::string describe(const Corvane_LP::LoadpullUI &ui)
{
    std::string text = ui.errorText + '|' + ui.warningText + '|' + std::to_string(ui.minNumPoints) +
                       ' ' + std::to_string(ui.maxNumPoints);
    for (const auto *list : {&ui.variables, &ui.performanceVariables}) {
        for (const Corvane_LP::VarInfoUI *v : *list)
            text += '|' + v->getName() + ' ' + v->getUnitStr() + ' ' + v->getUnitTypeStr() + ' ' +
                    exactly(v->lowest) + ' ' + exactly(v->highest) + ' ' +
                    std::to_string(v->minNumPoints()) + ' ' + std::to_string(v->maxNumPoints()) +
                    ' ' + std::to_string(v->gammaType()) + ' ' +
                    std::to_string(v->harmonicIndex()) + ' ' + std::to_string(v->domain());
    }
    return text;
}

// One file, rewritten for every input; on a memory file system where there is one. Removed when
// the run ends.
struct DataFile
{
    std::string path =
        (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
        "/fuzz_datafile." + std::to_string(getpid()) + ".lp";
    ~DataFile() { unlink(path.c_str()); }
};

const std::string &dataFile()
{
    static const DataFile file;
    return file.path;
}

void writeDataFile(const std::uint8_t *data, std::size_t size)
{
    const int descriptor = open(dataFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    LP_FUZZ_CHECK(descriptor >= 0);
    LP_FUZZ_CHECK(write(descriptor, data, size) == static_cast<ssize_t>(size));
    close(descriptor);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    writeDataFile(data, size);
    // The cache knows a file by path, size and modification time: a new input of the same size
    // written within the same tick would get the answer of the one before.
    closeDataBasedLoadpullUI();
    Corvane_LP::LoadpullUI ui;
    const bool accepted = queryLoadpullFile({dataFile()}, {}, 1, ui);
    if (accepted) {
        checkAccepted(ui, std::string_view(reinterpret_cast<const char *>(data), size));
    } else {
        LP_FUZZ_CHECK(!ui.errorText.empty());
        LP_FUZZ_CHECK(ui.variables.empty() && ui.performanceVariables.empty());
    }
    // Asked again, the cache gives the same answer.
    Corvane_LP::LoadpullUI again;
    LP_FUZZ_CHECK(queryLoadpullFile({dataFile()}, {dataFile()}, 1, again) == accepted);
    LP_FUZZ_CHECK(describe(again) == describe(ui));
    return 0;
}
