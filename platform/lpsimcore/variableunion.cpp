#include "variableunion.h"

#include "filesummary.h"
#include "loadpullui.h"
#include "textscan.h"
#include "varinfoui.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace Corvane_LP {

namespace {

constexpr const char *gammaTypeNames[] = {"Unknown", "Load", "Source"};

// The kinds as the editor lists them: the frequency is one of the independent variables.
std::string kindText(VariableKind kind)
{
    switch (kind) {
    case VariableKind::Gamma:
        return "reflection coefficient";
    case VariableKind::Performance:
        return "performance quantity";
    default:
        return "independent variable";
    }
}

// What differs between two declarations of one name, each attribute with its two values.
// Declarations of two kinds differ in their kinds alone: the other attributes of one kind
// mean nothing for the other.
std::string differences(const VariableDeclaration &first, const VariableDeclaration &other)
{
    if (kindText(first.kind) != kindText(other.kind))
        return kindText(first.kind) + " against " + kindText(other.kind);
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

void VariableUnion::add(const std::string &fileName, const FileSummary &summary)
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
            m_members.push_back(Member{variable, {m_fileNames.size() - 1}});
        } else {
            merge(m_members[found->second], variable);
        }
    }
}

void VariableUnion::merge(Member &member, const VariableSummary &variable)
{
    VariableSummary &merged = member.merged;
    // The texts are made only for a disagreement: most variables agree across many files.
    const bool sameUnit = variable.declaration.unit == merged.declaration.unit;
    const bool sameShape = variable.declaration.sameShape(merged.declaration);
    if (!sameUnit || !sameShape) {
        const std::string name = quoted(merged.declaration.name);
        const std::string firstFile = fileText(m_fileNames[member.files.front()]);
        const std::string thisFile = fileText(m_fileNames.back());
        if (!sameUnit)
            m_disagreements.push_back(name + " has the unit " + quoted(merged.declaration.unit) +
                                      " in " + firstFile + " but " +
                                      quoted(variable.declaration.unit) + " in " + thisFile + ".");
        if (!sameShape)
            m_disagreements.push_back(name + " is declared differently in " + firstFile + " and " +
                                      thisFile + ": " +
                                      differences(merged.declaration, variable.declaration) + ".");
    }
    // Values in another unit, domain or component (a magnitude beside a real part) are another
    // quantity and cannot share a range: it stays that of the files agreeing with the first. In
    // one domain the components differ only where one declaration is complex.
    const VariableDeclaration &declared = variable.declaration;
    if (sameUnit && declared.domain == merged.declaration.domain &&
        (declared.complex == merged.declaration.complex ||
         declared.rangeComponent() == merged.declaration.rangeComponent())) {
        merged.lowest = std::min(merged.lowest, variable.lowest);
        merged.highest = std::max(merged.highest, variable.highest);
    }
    merged.minPoints = std::min(merged.minPoints, variable.minPoints);
    merged.maxPoints = std::max(merged.maxPoints, variable.maxPoints);
    member.files.push_back(m_fileNames.size() - 1);
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
    std::vector<std::string> notes = m_disagreements;
    for (const Member &member : m_members) {
        if (member.files.size() == m_fileNames.size())
            continue; // in every file
        for (std::size_t file = 0; file < m_fileNames.size(); ++file) {
            if (std::find(member.files.begin(), member.files.end(), file) == member.files.end())
                notes.push_back(quoted(member.merged.declaration.name) + " is in " +
                                fileText(m_fileNames[member.files.front()]) + " but not in " +
                                fileText(m_fileNames[file]) + ".");
        }
    }
    if (notes.empty())
        return {};
    std::string text = "The load-pull data files do not agree:";
    for (const std::string &note : notes)
        text += "\n" + note;
    return text;
}

} // namespace Corvane_LP
