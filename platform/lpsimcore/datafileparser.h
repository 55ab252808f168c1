#pragma once

#include "columnlayout.h"
#include "filesummary.h"
#include "variabledeclaration.h"
#include "variabletracker.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Corvane_LP {

// Reads the whole text of one load-pull data file (the format of docs/data-format.md) into its
// summary. A hand-written scanner: the declarations line by line, then the data rows number by
// number straight from the text. One parser reads one text once.
class DataFileParser
{
public:
    explicit DataFileParser(std::string_view text);

    FileSummary parse();

private:
    std::string_view takeLine();
    bool takeSignificantLine(std::string_view &line);
    bool readHeader();
    bool declare(std::string_view line);
    bool readColumns(std::string_view line);
    bool readData();
    bool readRow(const char *start);
    bool failRow(const char *at, std::size_t column);
    bool addRow();
    bool readOtherLine();
    bool openBlock(std::string_view line);
    bool closeBlock();
    void summarize(FileSummary &summary) const;
    bool fail(std::string detail);
    bool failAt(std::size_t line, std::string detail);
    bool failWith(FileProblem::Kind kind);

    const char *m_position;
    const char *m_end;
    std::size_t m_lineNumber = 0;
    std::vector<VariableDeclaration> m_declarations;
    std::unordered_map<std::string, std::size_t> m_indexByName;
    std::optional<std::size_t> m_frequencyVariable;
    ColumnLayout m_layout;
    // One per placement of m_layout; they point into m_declarations, complete before they are made.
    std::vector<VariableTracker> m_trackers;
    std::optional<VariableTracker> m_frequencyTracker;
    std::vector<double> m_row;
    bool m_inBlock = false;
    std::size_t m_blockLine = 0;
    long long m_blockRows = 0;
    long long m_totalRows = 0;
    long long m_minBlockRows = 0;
    long long m_maxBlockRows = 0;
    std::optional<FileProblem> m_problem;
};

} // namespace Corvane_LP
