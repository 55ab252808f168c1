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
// as its first file declares it, with ranges in that file's unit and point counts over all
// files, and a note wherever the files disagree. Its cost grows with the files plus the
// variables, never with their product.
class VariableUnion
{
public:
    // False, with conflict() saying why, when a name of the file has another role (independent
    // variable, reflection coefficient, performance quantity) in an earlier file.
    bool add(const std::string &fileName, const FileSummary &summary);
    const std::string &conflict() const { return m_conflict; }
    void fillIn(LoadpullUI &ui) const;

private:
    // The first file that disagrees with a variable's first file on one point, what it says
    // there, and how many later files disagree too.
    struct Disagreement
    {
        bool any = false;
        std::size_t file = 0;
        std::string detail;
        std::size_t moreFiles = 0;

        // The detail is made for the first file that disagrees only: the others are counted.
        template<typename MakeDetail> void note(std::size_t otherFile, MakeDetail makeDetail)
        {
            if (any) {
                ++moreFiles;
                return;
            }
            *this = {true, otherFile, makeDetail(), 0};
        }
    };

    struct Member
    {
        VariableSummary merged;
        std::size_t firstFile = 0; // index into m_fileNames
        std::size_t fileCount = 1;
        Disagreement unit;
        Disagreement declaration;
    };

    bool merge(Member &member, const VariableSummary &variable);
    bool refuseRoles(const Member &member, const VariableDeclaration &declared);
    std::string warningText() const;
    std::string disagreementLines(const Member &member) const;
    std::string missingLines() const;

    std::vector<std::string> m_fileNames;
    std::vector<Member> m_members;
    std::unordered_map<std::string, std::size_t, SeededNameHash> m_memberIndex;
    std::string m_conflict;
    long long m_minBlockRows = 0;
    long long m_maxBlockRows = 0;
};

} // namespace Corvane_LP
