#include "variableunion.h"

#include "filesummary.h"
#include "loadpullui.h"
#include "textscan.h"
#include "units.h"
#include "varinfoui.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace Corvane_LP {

namespace {

constexpr const char *gammaTypeNames[] = {"Unknown", "Load", "Source"};

// A warning names this many variables of a kind, then their number.
constexpr std::size_t namesShown = 10;

// The roles a name can have, as the editor lists them: the frequency is one of the independent
// variables.
std::string_view roleOf(VariableKind kind)
{
    switch (kind) {
    case VariableKind::Gamma:
        return "a reflection coefficient";
    case VariableKind::Performance:
        return "a performance quantity";
    default:
        return "an independent variable";
    }
}

// What differs between two declarations of one role, each attribute with its two values.
std::string differences(const VariableDeclaration &first, const VariableDeclaration &other)
{
    std::string text;
    const auto note = [&text](bool differs, const std::string &firstValue,
                              const std::string &otherValue) {
        if (differs)
            text += (text.empty() ? "" : "; ") + firstValue + " against " + otherValue;
    };
    note(first.unitType != other.unitType, "unit type " + quoted(first.unitType),
         quoted(other.unitType));
    note(first.gammaType != other.gammaType, std::string("type ") + gammaTypeNames[first.gammaType],
         gammaTypeNames[other.gammaType]);
    note(first.domain != other.domain, "domain " + std::string(domainNames[first.domain]),
         std::string(domainNames[other.domain]));
    note(first.harmonic != other.harmonic, "harmonic " + std::to_string(first.harmonic),
         std::to_string(other.harmonic));
    note(first.complex != other.complex, first.complex ? "complex" : "real",
         other.complex ? "complex" : "real");
    note(first.fixed != other.fixed, first.fixed ? "fixed value" : "swept",
         other.fixed ? "fixed value" : "swept");
    return text;
}

// A magnitude never widens the range of a real part: in one domain the components differ only
// where one declaration is complex.
bool sameComponent(const VariableDeclaration &first, const VariableDeclaration &other)
{
    return first.domain == other.domain &&
           (first.complex == other.complex || first.rangeComponent() == other.rangeComponent());
}

// 1960 as "1,960".
std::string countText(std::size_t count)
{
    std::string text = std::to_string(count);
    for (std::size_t at = text.size(); at > 3; at -= 3)
        text.insert(at - 3, ",");
    return text;
}

std::string moreFilesText(std::size_t moreFiles)
{
    if (moreFiles == 0)
        return {};
    return " and " + countText(moreFiles) + (moreFiles == 1 ? " more file" : " more files");
}

int clampedCount(long long count)
{
    return static_cast<int>(std::min<long long>(count, INT_MAX));
}

std::string fileText(const std::string &fileName)
{
    return "\"" + fileName + "\"";
}

std::unique_ptr<VarInfoUI> makeVarInfo(const VariableSummary &summary)
{
    const VariableDeclaration &declaration = summary.declaration;
    auto info = std::make_unique<VarInfoUI>();
    info->setName(declaration.name);
    info->setUnit(declaration.unit, declaration.unitType);
    info->setPointCounts(clampedCount(summary.minPoints), clampedCount(summary.maxPoints));
    if (declaration.kind == VariableKind::Gamma)
        info->setGamma(declaration.gammaType, declaration.harmonic, declaration.domain);
    info->setComplex(declaration.complex);
    info->lowest = summary.lowest;
    info->highest = summary.highest;
    return info;
}

} // namespace

bool VariableUnion::add(const std::string &fileName, const FileSummary &summary)
{
    const bool firstFile = m_fileNames.empty();
    m_fileNames.push_back(fileName);
    m_minBlockRows =
        firstFile ? summary.minBlockRows : std::min(m_minBlockRows, summary.minBlockRows);
    m_maxBlockRows = std::max(m_maxBlockRows, summary.maxBlockRows);
    for (const VariableSummary &variable : summary.variables) {
        const auto found = m_memberIndex.find(variable.declaration.name);
        if (found == m_memberIndex.end()) {
            m_memberIndex.emplace(variable.declaration.name, m_members.size());
            m_members.push_back(Member{variable, m_fileNames.size() - 1, 1, {}, {}});
        } else if (!merge(m_members[found->second], variable)) {
            return false;
        }
    }
    return true;
}

bool VariableUnion::merge(Member &member, const VariableSummary &variable)
{
    VariableSummary &merged = member.merged;
    const VariableDeclaration &first = merged.declaration;
    const VariableDeclaration &declared = variable.declaration;
    if (roleOf(first.kind) != roleOf(declared.kind))
        return refuseRoles(member, declared);
    const std::size_t file = m_fileNames.size() - 1;
    const auto lowest = convertedValue(variable.lowest, declared.unit, first.unit);
    const auto highest = convertedValue(variable.highest, declared.unit, first.unit);
    if (!lowest || !highest)
        member.unit.note(file, [&declared] { return quoted(declared.unit); });
    if (!declared.sameShape(first))
        member.declaration.note(file, [&] { return differences(first, declared); });
    if (lowest && highest && sameComponent(first, declared)) {
        merged.lowest = std::min(merged.lowest, *lowest);
        merged.highest = std::max(merged.highest, *highest);
    }
    merged.minPoints = std::min(merged.minPoints, variable.minPoints);
    merged.maxPoints = std::max(merged.maxPoints, variable.maxPoints);
    ++member.fileCount;
    return true;
}

bool VariableUnion::refuseRoles(const Member &member, const VariableDeclaration &declared)
{
    const VariableDeclaration &first = member.merged.declaration;
    m_conflict = quoted(first.name) + " is " + std::string(roleOf(first.kind)) + " in " +
                 fileText(m_fileNames[member.firstFile]) + " but " +
                 std::string(roleOf(declared.kind)) + " in " + fileText(m_fileNames.back()) +
                 ": one name cannot be both in files used together.";
    return false;
}

void VariableUnion::fillIn(LoadpullUI &ui) const
{
    for (const Member &member : m_members) {
        auto &list =
            member.merged.declaration.isPerformance() ? ui.performanceVariables : ui.variables;
        // The record owns what its lists point to; until the pointer is in, this does.
        std::unique_ptr<VarInfoUI> info = makeVarInfo(member.merged);
        list.push_back(info.get());
        info.release();
    }
    ui.minNumPoints = clampedCount(m_minBlockRows);
    ui.maxNumPoints = clampedCount(m_maxBlockRows);
    ui.warningText = warningText();
}

std::string VariableUnion::warningText() const
{
    std::string lines;
    for (const Member &member : m_members)
        lines += disagreementLines(member);
    lines += missingLines();
    if (lines.empty())
        return {};
    return "The load-pull data files do not agree:" + lines;
}

// At most one line for the unit and one for the declaration, each naming the first file and
// the first that disagrees.
std::string VariableUnion::disagreementLines(const Member &member) const
{
    const VariableDeclaration &first = member.merged.declaration;
    const std::string firstFile = fileText(m_fileNames[member.firstFile]);
    std::string lines;
    if (member.unit.any)
        lines += "\n" + quoted(first.name) + " has the unit " + quoted(first.unit) + " in " +
                 firstFile + " but " + member.unit.detail + " in " +
                 fileText(m_fileNames[member.unit.file]) + moreFilesText(member.unit.moreFiles) +
                 ".";
    if (member.declaration.any)
        lines += "\n" + quoted(first.name) + " is declared differently in " + firstFile + " and " +
                 fileText(m_fileNames[member.declaration.file]) +
                 moreFilesText(member.declaration.moreFiles) + ": " + member.declaration.detail +
                 ".";
    return lines;
}

// The variables that some files lack, one line per number of files that hold them.
std::string VariableUnion::missingLines() const
{
    const std::size_t files = m_fileNames.size();
    std::vector<std::size_t> counts(files, 0); // by the number of files holding the variable
    std::vector<std::string> names(files);
    for (const Member &member : m_members) {
        if (member.fileCount == files)
            continue;
        std::size_t &count = counts[member.fileCount];
        if (count++ < namesShown)
            names[member.fileCount] +=
                (count == 1 ? "" : ", ") + quoted(member.merged.declaration.name);
    }
    std::string lines;
    for (std::size_t held = 1; held < files; ++held) {
        if (counts[held] == 0)
            continue;
        lines +=
            "\nIn " + countText(held) + " of " + countText(files) + " files only: " + names[held];
        if (counts[held] > namesShown)
            lines += ", ... (" + countText(counts[held]) + " in all)";
        lines += ".";
    }
    return lines;
}

} // namespace Corvane_LP
