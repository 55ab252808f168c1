// The data library on one to three files, queried together: it either reads them all, reporting
// every variable once with a range and point counts that agree with the files' values, or
// refuses them with the text of the first file it refuses and reports no variables.
//
// One input holds the files one after another, each after the first starting behind a line
// `@@ next file @@`. The files are queried alone, then together in every way of dividing them
// into files already listed and files added, and once with every file named twice.
//
// To know every value a file holds, the harness reads an accepted file itself, in the plainest
// way: line by line, split at blanks, each number with from_chars, each attribute found between
// its angle brackets. An accepted file is valid, so this reading needs none of the library's
// checks and shares none of its code: it does not inherit the library's mistakes. Where the file
// turns out not to be valid after all (a row of the wrong width, a number that does not read), the
// library accepted what it should have refused, and that is a finding too. The expected range of
// a variable is the lowest and highest of its values, computed with hypot and atan2 where the
// library reports a magnitude or a phase; the expected point counts come from ordered sets.
//
// The files together are then combined the way the format describes: a name that is declared
// with two keywords refuses the query; else each variable declared as in the first file that has
// it, its range in that file's unit over the files whose unit converts to it and that give it the
// same domain and component, its point counts over all files (a fixed value counts one point);
// a line of warning for a unit that does not convert and one for a declaration that differs,
// each naming the first file that does so and counting the others, and a line per number of
// files for the variables that other files lack.

#include "fuzzcheck.h"
#include "lpsimcore.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
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
    std::string unit = "None";
    std::string unitType = "Unitless";
    int gammaType = 0;
    unsigned harmonic = 0;
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

// The units the format knows, each with its unit type and its power of ten of the type's base
// unit; dBm and dBW are decibels above 1 mW and 1 W.
struct KnownUnit
{
    const char *unitType;
    int decades;
    bool decibels;
};

std::optional<KnownUnit> knownUnit(std::string_view unit)
{
    const std::pair<const char *, std::string_view> families[] = {
        {"Frequency", "Hz:0 kHz:3 MHz:6 GHz:9 THz:12"},
        {"Power", "dBm:-3:dB dBW:0:dB W:0 mW:-3 uW:-6 kW:3"},
        {"Voltage", "V:0 mV:-3 uV:-6 kV:3"},
        {"Current", "A:0 mA:-3 uA:-6"},
        {"Resistance", "Ohm:0 mOhm:-3 kOhm:3 MOhm:6"}};
    for (const auto &[unitType, units] : families) {
        for (std::string_view member : tokens(units)) {
            const std::size_t colon = member.find(':');
            if (member.substr(0, colon) == unit)
                return KnownUnit{unitType, std::stoi(std::string(member.substr(colon + 1))),
                                 member.find(":dB") != std::string_view::npos};
        }
    }
    return std::nullopt;
}

std::string unitTypeOf(std::string_view unit)
{
    const std::optional<KnownUnit> known = knownUnit(unit);
    return known ? known->unitType : "Unitless";
}

// The value in unit `to`: identical texts always; else units of one type, unless the result is
// not finite or a power of 0 W or less would need decibels.
std::optional<double> inUnit(double value, const std::string &from, const std::string &to)
{
    if (from == to)
        return value;
    const std::optional<KnownUnit> a = knownUnit(from), b = knownUnit(to);
    if (!a || !b || std::string_view(a->unitType) != b->unitType)
        return std::nullopt;
    const int decades = a->decades - b->decades;
    double result = value * std::pow(10.0, decades);
    if (a->decibels)
        result = b->decibels ? value + 10.0 * decades : std::pow(10.0, value / 10.0 + decades);
    else if (b->decibels)
        result = value > 0 ? 10.0 * std::log10(value) + 10.0 * decades : NAN;
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

int gammaTypeOf(std::string_view name)
{
    const std::string text = lower(name);
    const auto has = [&text](const char *part) {
        return text.find(part) != std::string::npos;
    };
    return has("_ld") || has("load") ? 1 : has("_src") || has("source") ? 2 : 0;
}

// A harmonic index from 1 to 99, or 0.
unsigned harmonicIn(std::string_view text)
{
    unsigned harmonic = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), harmonic);
    const bool whole = error == std::errc() && end == text.data() + text.size();
    return whole && harmonic >= 1 && harmonic <= 99 ? harmonic : 0;
}

// As given, else the digits that end the name, else 1.
unsigned harmonicOf(std::string_view given, std::string_view name)
{
    if (!given.empty()) {
        LP_FUZZ_CHECK(harmonicIn(given) != 0);
        return harmonicIn(given);
    }
    const unsigned fromName = harmonicIn(name.substr(name.find_last_not_of("0123456789") + 1));
    return fromName != 0 ? fromName : 1;
}

Expected declared(Keyword keyword, std::string_view line)
{
    const auto attributes = attributesOf(line);
    Expected variable;
    variable.keyword = keyword;
    variable.name = std::string(attributes.front().second);
    std::string_view units, type, harmonic;
    for (const auto &[key, value] : attributes) {
        if (value.empty()) // as if not given
            continue;
        if (key == "units") {
            units = value;
        } else if (key == "type") {
            type = value;
        } else if (key == "harmonic") {
            harmonic = value;
        } else if (key == "domain") {
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
    if (keyword == Keyword::Gamma) {
        variable.gammaType = gammaTypeOf(variable.name);
        variable.harmonic = harmonicOf(harmonic, variable.name);
    } else {
        variable.unit = units.empty() ? "None" : std::string(units);
        variable.unitType = type.empty() ? unitTypeOf(units) : std::string(type);
    }
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
            variable.points.add(1);
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

std::string fileText(const std::string &path)
{
    return '"' + path + '"';
}

// The first file that disagrees with a variable's first file on one point, what it says, and
// how many more do.
struct Disagreement
{
    std::optional<std::size_t> file;
    std::string detail;
    std::size_t more = 0;

    void note(std::size_t other, const std::string &otherDetail)
    {
        if (file) {
            ++more;
            return;
        }
        file = other;
        detail = otherDetail;
    }
};

// The files read together, as the harness expects them: each variable once, in the order first
// declared, as its first file declares it, or the refusal of a name in two roles.
struct Combined
{
    Combined(const std::vector<Reading> &files, const std::vector<std::string> &paths);

    std::vector<Expected> variables;
    std::vector<std::string> warningLines;
    std::string conflict;
    Extent rows;

private:
    struct Member
    {
        std::size_t firstFile = 0;
        std::size_t files = 0;
        Disagreement unit;
        Disagreement declaration;
    };

    bool add(std::size_t file, const Expected &variable);
    void noteDisagreements();
    void noteMissing();

    const std::vector<std::string> &m_paths;
    std::size_t m_files = 0;
    std::map<std::string, std::size_t> m_index;
    std::vector<Member> m_members;
};

// File text as warnings show it: quoted, cut at 40 characters, control characters as '?'.
std::string quotedText(const std::string &text)
{
    std::string shown = text.substr(0, 40);
    for (char &c : shown)
        c = static_cast<unsigned char>(c) < 32 || c == 127 ? '?' : c;
    return '\'' + shown + (text.size() > 40 ? "...'" : "'");
}

bool sameShape(const Expected &a, const Expected &b)
{
    return a.keyword == b.keyword && a.unitType == b.unitType && a.gammaType == b.gammaType &&
           a.harmonic == b.harmonic && a.domain == b.domain && a.complex == b.complex &&
           a.fixed.has_value() == b.fixed.has_value();
}

// What a warning says differs between two declarations of one keyword: each attribute with
// its two values.
std::string differences(const Expected &a, const Expected &b)
{
    const char *types[] = {"Unknown", "Load", "Source"};
    const char *domains[] = {"Rect-Real", "Rect-Imag", "Polar-Mag", "Polar-Phase"};
    std::vector<std::string> parts;
    if (a.unitType != b.unitType)
        parts.push_back("unit type " + quotedText(a.unitType) + " against " +
                        quotedText(b.unitType));
    if (a.gammaType != b.gammaType)
        parts.push_back(std::string("type ") + types[a.gammaType] + " against " +
                        types[b.gammaType]);
    if (a.domain != b.domain)
        parts.push_back(std::string("domain ") + domains[a.domain] + " against " +
                        domains[b.domain]);
    if (a.harmonic != b.harmonic)
        parts.push_back("harmonic " + std::to_string(a.harmonic) + " against " +
                        std::to_string(b.harmonic));
    if (a.complex != b.complex)
        parts.push_back(a.complex ? "complex against real" : "real against complex");
    if (a.fixed.has_value() != b.fixed.has_value())
        parts.push_back(a.fixed ? "fixed value against swept" : "swept against fixed value");
    std::string text;
    for (const std::string &part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

std::string roleText(Keyword keyword)
{
    return keyword == Keyword::Var     ? "an independent variable"
           : keyword == Keyword::Gamma ? "a reflection coefficient"
                                       : "a performance quantity";
}

std::string moreFiles(std::size_t more)
{
    return more == 0   ? ""
           : more == 1 ? " and 1 more file"
                       : " and " + std::to_string(more) + " more files";
}

Combined::Combined(const std::vector<Reading> &files, const std::vector<std::string> &paths)
    : m_paths(paths)
    , m_files(files.size())
{
    for (std::size_t file = 0; file < files.size(); ++file) {
        rows.add(files[file].rows.fewest);
        rows.add(files[file].rows.most);
        for (const Expected &variable : files[file].variables) {
            if (!add(file, variable))
                return;
        }
    }
    noteDisagreements();
    noteMissing();
}

bool Combined::add(std::size_t file, const Expected &variable)
{
    const auto [at, isNew] = m_index.emplace(variable.name, variables.size());
    if (isNew) {
        variables.push_back(variable);
        m_members.push_back({file, 1, {}, {}});
        return true;
    }
    Expected &merged = variables[at->second];
    Member &member = m_members[at->second];
    if (variable.keyword != merged.keyword) {
        conflict = quotedText(variable.name) + " is " + roleText(merged.keyword) + " in " +
                   fileText(m_paths[member.firstFile]) + " but " + roleText(variable.keyword) +
                   " in " + fileText(m_paths[file]) +
                   ": one name cannot be both in files used together.";
        return false;
    }
    const std::optional<double> lowest = inUnit(variable.lowest, variable.unit, merged.unit);
    const std::optional<double> highest = inUnit(variable.highest, variable.unit, merged.unit);
    if (!lowest || !highest)
        member.unit.note(file, quotedText(variable.unit));
    if (!sameShape(variable, merged))
        member.declaration.note(file, differences(merged, variable));
    // Values in another domain or component (a magnitude beside a real part) are another
    // quantity: they never widen the range.
    if (lowest && highest && variable.domain == merged.domain &&
        variable.component == merged.component) {
        merged.lowest = std::min(merged.lowest, *lowest);
        merged.highest = std::max(merged.highest, *highest);
    }
    merged.points.add(variable.points.fewest);
    merged.points.add(variable.points.most);
    ++member.files;
    return true;
}

void Combined::noteDisagreements()
{
    for (std::size_t index = 0; index < variables.size(); ++index) {
        const Expected &variable = variables[index];
        const Member &member = m_members[index];
        const std::string name = quotedText(variable.name);
        const std::string first = fileText(m_paths[member.firstFile]);
        if (member.unit.file)
            warningLines.push_back(name + " has the unit " + quotedText(variable.unit) + " in " +
                                   first + " but " + member.unit.detail + " in " +
                                   fileText(m_paths[*member.unit.file]) +
                                   moreFiles(member.unit.more) + ".");
        if (member.declaration.file)
            warningLines.push_back(name + " is declared differently in " + first + " and " +
                                   fileText(m_paths[*member.declaration.file]) +
                                   moreFiles(member.declaration.more) + ": " +
                                   member.declaration.detail + ".");
    }
}

// One line per number of files that hold variables which other files lack.
void Combined::noteMissing()
{
    std::map<std::size_t, std::vector<std::string>> byFiles;
    for (std::size_t index = 0; index < variables.size(); ++index) {
        if (m_members[index].files < m_files)
            byFiles[m_members[index].files].push_back(quotedText(variables[index].name));
    }
    for (const auto &[files, names] : byFiles) {
        std::string line =
            "In " + std::to_string(files) + " of " + std::to_string(m_files) + " files only: ";
        for (std::size_t shown = 0; shown < std::min<std::size_t>(names.size(), 10); ++shown)
            line += (shown == 0 ? "" : ", ") + names[shown];
        if (names.size() > 10)
            line += ", ... (" + std::to_string(names.size()) + " in all)";
        warningLines.push_back(line + ".");
    }
}

void checkVariable(const Corvane_LP::VarInfoUI &reported, const Expected &expected)
{
    LP_FUZZ_CHECK(reported.getName() == expected.name);
    LP_FUZZ_CHECK(reported.isGamma() == (expected.keyword == Keyword::Gamma));
    LP_FUZZ_CHECK(reported.isComplex() == expected.complex);
    LP_FUZZ_CHECK(reported.getUnitStr() == expected.unit);
    LP_FUZZ_CHECK(reported.getUnitTypeStr() == expected.unitType);
    LP_FUZZ_CHECK(reported.gammaType() == expected.gammaType);
    LP_FUZZ_CHECK(reported.harmonicIndex() == expected.harmonic);
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

// One line for each disagreement, in any order.
void checkWarning(const std::string &warning, const std::vector<std::string> &expectedLines)
{
    LP_FUZZ_CHECK(warning.empty() == expectedLines.empty());
    if (expectedLines.empty())
        return;
    std::vector<std::string_view> lines;
    for (std::string_view rest = warning; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    LP_FUZZ_CHECK(lines.front() == "The load-pull data files do not agree:");
    lines.erase(lines.begin());
    LP_FUZZ_CHECK(lines.size() == expectedLines.size());
    for (const std::string &expected : expectedLines) {
        const auto found = std::find(lines.begin(), lines.end(), expected);
        LP_FUZZ_CHECK(found != lines.end());
        lines.erase(found);
    }
}

void checkCombined(const Corvane_LP::LoadpullUI &ui, const Combined &combined)
{
    LP_FUZZ_CHECK(ui.errorText.empty());
    LP_FUZZ_CHECK(ui.minNumPoints <= ui.maxNumPoints);
    LP_FUZZ_CHECK(ui.minNumPoints == combined.rows.fewest && ui.maxNumPoints == combined.rows.most);
    std::vector<const Corvane_LP::VarInfoUI *> reported(ui.variables.begin(), ui.variables.end());
    reported.insert(reported.end(), ui.performanceVariables.begin(), ui.performanceVariables.end());
    std::vector<const Expected *> expected;
    for (const bool performance : {false, true}) {
        for (const Expected &variable : combined.variables) {
            if ((variable.keyword == Keyword::Out) == performance)
                expected.push_back(&variable);
        }
    }
    LP_FUZZ_CHECK(reported.size() == expected.size());
    for (std::size_t index = 0; index < reported.size(); ++index)
        checkVariable(*reported[index], *expected[index]);
    checkWarning(ui.warningText, combined.warningLines);
}

void checkRefused(const Corvane_LP::LoadpullUI &ui, const std::string &error)
{
    LP_FUZZ_CHECK(!error.empty() && ui.errorText == error);
    LP_FUZZ_CHECK(ui.variables.empty() && ui.performanceVariables.empty());
    LP_FUZZ_CHECK(ui.warningText.empty());
}

constexpr std::size_t mostFiles = 3;
constexpr std::string_view nextFile = "\n@@ next file @@\n";

// The files of one input, rewritten for every input; on a memory file system where there is
// one. Removed when the run ends.
struct DataFiles
{
    DataFiles()
    {
        const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        for (std::size_t file = 1; file <= mostFiles; ++file)
            paths.push_back(folder + "/fuzz_datafile." + std::to_string(getpid()) + "." +
                            std::to_string(file) + ".lp");
    }
    ~DataFiles()
    {
        for (const std::string &path : paths)
            unlink(path.c_str());
    }

    std::vector<std::string> paths;
};

// The texts of the files an input holds; each but the last ends with its line break.
std::vector<std::string_view> filesIn(std::string_view input)
{
    std::vector<std::string_view> texts;
    std::size_t at = 0;
    while (texts.size() + 1 < mostFiles && (at = input.find(nextFile)) != std::string_view::npos) {
        texts.push_back(input.substr(0, at + 1));
        input.remove_prefix(at + nextFile.size());
    }
    texts.push_back(input);
    return texts;
}

std::vector<std::string> writeDataFiles(const std::vector<std::string_view> &texts)
{
    static const DataFiles files;
    for (std::size_t file = 0; file < texts.size(); ++file) {
        const int descriptor =
            open(files.paths[file].c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        LP_FUZZ_CHECK(descriptor >= 0);
        LP_FUZZ_CHECK(write(descriptor, texts[file].data(), texts[file].size()) ==
                      static_cast<ssize_t>(texts[file].size()));
        close(descriptor);
    }
    return {files.paths.begin(), files.paths.begin() + static_cast<long>(texts.size())};
}

// The ways of naming the files to one query: every division into files already listed and
// files added, and every file listed and added again (in reverse order), which counts once.
std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>>
queriesOf(const std::vector<std::string> &paths)
{
    std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> queries;
    for (std::size_t listed = 0; listed <= paths.size(); ++listed)
        queries.push_back({{paths.begin() + static_cast<long>(listed), paths.end()},
                           {paths.begin(), paths.begin() + static_cast<long>(listed)}});
    queries.push_back({{paths.rbegin(), paths.rend()}, paths});
    return queries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::string_view> texts =
        filesIn(std::string_view(reinterpret_cast<const char *>(data), size));
    const std::vector<std::string> paths = writeDataFiles(texts);
    // The cache knows a file by path, size and modification time: a new input of the same size
    // written within the same tick would get the answer of the one before.
    closeDataBasedLoadpullUI();
    std::vector<Reading> readings; // of the files before the first that is refused
    std::string firstError;
    for (std::size_t file = 0; file < paths.size(); ++file) {
        Corvane_LP::LoadpullUI alone;
        if (queryLoadpullFile({paths[file]}, {}, 1, alone)) {
            Reading reading = readAccepted(texts[file]);
            const std::vector<std::string> path{paths[file]};
            checkCombined(alone, Combined({reading}, path));
            if (firstError.empty())
                readings.push_back(std::move(reading));
        } else {
            checkRefused(alone, alone.errorText);
            firstError = firstError.empty() ? alone.errorText : firstError;
        }
    }
    // The files are combined as they are read: a name in two roles ends the query before a
    // later file is read.
    const Combined combined(readings, paths);
    const std::string error = combined.conflict.empty() ? firstError : combined.conflict;
    for (const auto &[add, keep] : queriesOf(paths)) {
        Corvane_LP::LoadpullUI together;
        const bool accepted = queryLoadpullFile(add, keep, 1, together);
        LP_FUZZ_CHECK(accepted == error.empty());
        if (accepted)
            checkCombined(together, combined);
        else
            checkRefused(together, error);
    }
    return 0;
}
