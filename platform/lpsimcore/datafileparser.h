#pragma once

#include "columnlayout.h"
#include "datasink.h"
#include "declarationparser.h"
#include "filesummary.h"
#include "nametable.h"
#include "variabledeclaration.h"
#include "variabletracker.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Corvane_LP {

// Reads the whole text of one load-pull data file (the format of docs/data-format.md) into its
// summary. A hand-written scanner: the declarations line by line, then the data rows number by
// number straight from the text. One parser reads one text once.
//
// A file may declare millions of variables, so a declaration costs little while the text is
// read: its name stays in the text, and only its role in the data is kept beside it. Its line
// is read again for the summary, unless the declarations as read fit in the room of the text.
// A sink, when given, receives the values besides.
class DataFileParser
{
public:
    explicit DataFileParser(std::string_view text, DataSink *sink = nullptr);

    FileSummary parse();

private:
    std::string_view takeLine();
    bool takeSignificantLine(std::string_view &line);
    std::size_t countDeclarationsAhead();
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
    void summarize(FileSummary &summary);
    VariableDeclaration declarationOf(std::size_t position);
    bool fail(std::string detail);
    bool failAt(std::size_t line, std::string detail);
    bool failWith(FileProblem::Kind kind);

    bool m_hasSignature;
    DataSink *m_sink;
    const char *m_begin;
    const char *m_position;
    const char *m_end;
    std::size_t m_lineNumber = 0;
    DeclarationParser m_declarationParser;
    NameTable m_names;
    std::vector<DataRole> m_roles; // at the positions of m_names
    bool m_keepDeclarations = false;
    std::vector<VariableDeclaration> m_declarations; // at those positions, when kept
    std::optional<std::size_t> m_frequencyVariable;
    std::string m_frequencyUnit;
    ColumnLayout m_layout;
    std::vector<VariableTracker> m_trackers; // one per placement of m_layout
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
