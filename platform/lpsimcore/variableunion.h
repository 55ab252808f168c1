#pragma once

#include "seededhash.h"
#include "variablesummary.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Corvane_LP {

class LoadpullUI;
struct FileSummary;

// Hashes names with a seed of its own, so that no set of files can crowd one bucket.
struct SeededNameHash
{
    std::size_t operator()(const std::string &name) const { return hashOfText(name, seed); }
    std::uint64_t seed = freshSeed();
};

// The variables of several data files together: each variable once, in the order first seen,
// with ranges and point counts over all files, and a note wherever the files disagree.
class VariableUnion
{
public:
    void add(const std::string &fileName, const FileSummary &summary);
    void fillIn(LoadpullUI &ui) const;

private:
    struct Member
    {
        VariableSummary merged;
        std::vector<std::size_t> files; // indices into m_fileNames
    };

    void merge(Member &member, const VariableSummary &variable);
    std::string warningText() const;

    std::vector<std::string> m_fileNames;
    std::vector<Member> m_members;
    // By name alone: a name that is a variable in one file and a quantity in another is one
    // member, declared differently.
    std::unordered_map<std::string, std::size_t, SeededNameHash> m_memberIndex;
    std::vector<std::string> m_disagreements;
    long long m_minBlockRows = 0;
    long long m_maxBlockRows = 0;
};

} // namespace Corvane_LP
