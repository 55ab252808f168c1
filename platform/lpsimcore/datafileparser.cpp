#include "datafileparser.h"

#include "signaturecheck.h"
#include "textscan.h"

#include <algorithm>
#include <cstring>

namespace Corvane_LP {

namespace {

bool isRowStart(const char *at, const char *end)
{
    return at != end && ((*at >= '0' && *at <= '9') || *at == '-' || *at == '.');
}

bool endsValue(const char *at, const char *end)
{
    return at == end || isBlank(*at) || *at == '\n';
}

const char *skipBlanks(const char *at, const char *end)
{
    while (at != end && isBlank(*at))
        ++at;
    return at;
}

// "Freq = 1.8 GHz": a name, then '='.
bool isBlockLine(std::string_view line)
{
    const std::string_view name = leadingName(line);
    const std::string_view rest = trimmed(line.substr(name.size()));
    return !name.empty() && !rest.empty() && rest.front() == '=';
}

} // namespace

DataFileParser::DataFileParser(std::string_view text, DataSink *sink)
    : m_hasSignature(SignatureCheck::begins(text))
    , m_sink(sink)
{
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark)
        text.remove_prefix(byteOrderMark.size());
    m_begin = text.data();
    m_position = m_begin;
    m_end = text.data() + text.size();
}

FileSummary DataFileParser::parse()
{
    FileSummary summary;
    if (readHeader() && readData())
        summarize(summary);
    summary.problem = m_problem;
    return summary;
}

std::string_view DataFileParser::takeLine()
{
    const auto length = static_cast<std::size_t>(m_end - m_position);
    const auto *newline = static_cast<const char *>(std::memchr(m_position, '\n', length));
    const std::string_view line(m_position,
                                newline ? static_cast<std::size_t>(newline - m_position) : length);
    m_position = newline ? newline + 1 : m_end;
    return line;
}

// The next line that is neither blank nor a comment, trimmed.
bool DataFileParser::takeSignificantLine(std::string_view &line)
{
    while (m_position != m_end) {
        ++m_lineNumber;
        line = trimmed(takeLine());
        if (!line.empty() && line.front() != '!')
            return true;
    }
    return false;
}

// Counted first, so that their records are made to size: grown step by step, they would need
// up to three times the room at once.
std::size_t DataFileParser::countDeclarationsAhead()
{
    const char *const position = m_position;
    const std::size_t lineNumber = m_lineNumber;
    std::size_t count = 0;
    std::string_view line;
    while (takeSignificantLine(line) && DeclarationParser::isDeclaration(line))
        ++count;
    m_position = position;
    m_lineNumber = lineNumber;
    return count;
}

// The signature, the declarations and the column-name line.
bool DataFileParser::readHeader()
{
    if (!m_hasSignature)
        return failWith(FileProblem::Kind::NotLoadPullData);
    std::string_view line;
    takeSignificantLine(line);
    takeToken(line); // the word LPDATA
    const std::string_view version = trimmed(line);
    if (version != "1")
        return fail("unsupported format version " + quoted(version) + " (version 1 is read)");
    const std::size_t declarations = countDeclarationsAhead();
    m_names.reserve(declarations);
    m_roles.reserve(declarations);
    // Read declarations are kept for the summary while they take no more room than the text;
    // a file of little but declarations has its lines read again instead.
    m_keepDeclarations =
        declarations * sizeof(VariableDeclaration) <= static_cast<std::size_t>(m_end - m_begin);
    if (m_keepDeclarations)
        m_declarations.reserve(declarations);
    while (takeSignificantLine(line)) {
        if (!DeclarationParser::isDeclaration(line))
            return readColumns(line);
        if (!declare(line))
            return false;
    }
    return failWith(FileProblem::Kind::NoDataRows);
}

bool DataFileParser::declare(std::string_view line)
{
    VariableDeclaration declaration;
    if (!m_declarationParser.parse(line, declaration))
        return fail(m_declarationParser.error());
    if (!m_names.add(m_declarationParser.name()))
        return fail("variable " + quoted(declaration.name) + " is declared twice");
    if (declaration.kind == VariableKind::Frequency) {
        if (m_frequencyVariable)
            return fail("a second frequency variable " + quoted(declaration.name) + "; " +
                        quoted(m_names[*m_frequencyVariable]) + " is one already");
        m_frequencyVariable = m_roles.size();
    }
    m_roles.push_back(declaration.role());
    if (m_keepDeclarations)
        m_declarations.push_back(std::move(declaration));
    return true;
}

bool DataFileParser::readColumns(std::string_view line)
{
    if (isBlockLine(line))
        return fail("expected the column-name line before the first block line");
    if (!m_layout.read(line, m_names, m_roles))
        return fail(m_layout.error());
    m_row.resize(m_layout.columnCount());
    for (const ColumnLayout::Placement &placement : m_layout.placements())
        m_trackers.emplace_back(m_roles[placement.variable], placement.firstColumn);
    if (m_frequencyVariable) {
        m_frequencyTracker.emplace(m_roles[*m_frequencyVariable], 0);
        m_frequencyUnit = declarationOf(*m_frequencyVariable).unit;
    }
    if (m_sink)
        m_sink->columnsRead(m_layout, m_names, m_roles);
    return true;
}

bool DataFileParser::readData()
{
    while (m_position != m_end) {
        ++m_lineNumber;
        const char *start = skipBlanks(m_position, m_end);
        if (!(isRowStart(start, m_end) ? readRow(start) : readOtherLine()))
            return false;
    }
    if (m_totalRows == 0)
        return failWith(FileProblem::Kind::NoDataRows);
    if (!closeBlock())
        return false;
    if (m_frequencyTracker) // the frequency's point count is per file
        m_frequencyTracker->endBlock(0);
    return true;
}

// The hot loop: converts the row's numbers in place, straight from the file's text.
bool DataFileParser::readRow(const char *start)
{
    // Locals, so that the call to from_chars does not make the compiler reload them.
    const char *const end = m_end;
    double *const values = m_row.data();
    const std::size_t columns = m_row.size();
    const char *at = start;
    for (std::size_t column = 0; column < columns; ++column) {
        at = skipBlanks(at, end);
        const char *next = readNumber(at, end, values[column]);
        if (!next || !endsValue(next, end))
            return failRow(at, column);
        at = next;
    }
    at = skipBlanks(at, end);
    if (at != end && *at != '\n')
        return fail("the row holds more than the " + std::to_string(columns) +
                    " values of the column-name line");
    m_position = at == end ? at : at + 1;
    return addRow();
}

bool DataFileParser::failRow(const char *at, std::size_t column)
{
    if (at == m_end || *at == '\n')
        return fail("the row holds " + std::to_string(column) + " of the " +
                    std::to_string(m_row.size()) + " values of the column-name line");
    return fail("the value in column " + quoted(m_layout.columnName(column, m_names)) +
                " is not a finite number");
}

bool DataFileParser::addRow()
{
    if (!m_inBlock) {
        if (m_frequencyVariable)
            return fail("a data row before the first block line " +
                        quoted(std::string(m_names[*m_frequencyVariable]) + " = ..."));
        m_inBlock = true; // without a frequency variable the whole file is one block
        m_blockLine = m_lineNumber;
    }
    ++m_blockRows;
    ++m_totalRows;
    for (VariableTracker &tracker : m_trackers)
        tracker.addRow(m_row.data());
    if (m_sink)
        m_sink->rowRead(m_row.data());
    return true;
}

// A line in the data part that is not a row: blank, a comment or a block line.
bool DataFileParser::readOtherLine()
{
    const std::string_view line = trimmed(takeLine());
    if (line.empty() || line.front() == '!')
        return true;
    if (DeclarationParser::isDeclaration(line))
        return fail("a declaration after the column-name line");
    if (!isBlockLine(line))
        return fail("expected a data row of " + std::to_string(m_row.size()) +
                    " numbers or a block line");
    return openBlock(line);
}

bool DataFileParser::openBlock(std::string_view line)
{
    const std::string_view name = leadingName(line);
    if (!m_frequencyVariable)
        return fail("block line for " + quoted(name) + ", but no frequency variable is declared");
    const std::string_view frequency = m_names[*m_frequencyVariable];
    if (name != frequency)
        return fail("a block line names " + quoted(name) + ", not the frequency variable " +
                    quoted(frequency));
    const std::string_view text = trimmed(trimmed(line.substr(name.size())).substr(1));
    double value = 0.0;
    const char *next = readNumber(text.data(), text.data() + text.size(), value);
    if (!next)
        return fail("the value of " + quoted(name) + " is not a finite number");
    const std::string_view unit =
        trimmed(text.substr(static_cast<std::size_t>(next - text.data())));
    if (!unit.empty() && unit != m_frequencyUnit)
        return fail("unit " + quoted(unit) + " differs from the declared unit " +
                    quoted(m_frequencyUnit));
    if (!closeBlock())
        return false;
    m_inBlock = true;
    m_blockLine = m_lineNumber;
    m_blockRows = 0;
    m_frequencyTracker->addRow(&value);
    if (m_sink)
        m_sink->blockOpened(value);
    return true;
}

bool DataFileParser::closeBlock()
{
    if (!m_inBlock)
        return true;
    if (m_blockRows == 0)
        return failAt(m_blockLine, "the block holds no data rows");
    m_minBlockRows = m_maxBlockRows == 0 ? m_blockRows : std::min(m_minBlockRows, m_blockRows);
    m_maxBlockRows = std::max(m_maxBlockRows, m_blockRows);
    for (VariableTracker &tracker : m_trackers)
        tracker.endBlock(m_blockRows);
    return true;
}

void DataFileParser::summarize(FileSummary &summary)
{
    summary.variables.resize(m_names.size());
    for (std::size_t position = 0; position < m_names.size(); ++position) {
        VariableSummary &variable = summary.variables[position];
        variable.declaration =
            m_keepDeclarations ? std::move(m_declarations[position]) : declarationOf(position);
        const VariableDeclaration &declaration = variable.declaration;
        if (declaration.fixed) {
            variable.lowest =
                componentOf(declaration.rangeComponent(), declaration.fixedRe, declaration.fixedIm);
            variable.highest = variable.lowest;
            variable.minPoints = variable.maxPoints = 1;
        }
    }
    for (std::size_t index = 0; index < m_trackers.size(); ++index)
        m_trackers[index].storeIn(summary.variables[m_layout.placements()[index].variable]);
    if (m_frequencyTracker)
        m_frequencyTracker->storeIn(summary.variables[*m_frequencyVariable]);
    summary.minBlockRows = m_minBlockRows;
    summary.maxBlockRows = m_maxBlockRows;
}

// The declaration as it was read, or its line around the name read again; it was read
// without fault before.
VariableDeclaration DataFileParser::declarationOf(std::size_t position)
{
    if (m_keepDeclarations)
        return m_declarations[position];
    const std::string_view name = m_names[position];
    const std::string_view before(m_begin, static_cast<std::size_t>(name.data() - m_begin));
    const std::size_t newline = before.rfind('\n');
    const char *start = newline == std::string_view::npos ? m_begin : m_begin + newline + 1;
    const auto *end = static_cast<const char *>(
        std::memchr(name.data(), '\n', static_cast<std::size_t>(m_end - name.data())));
    const std::string_view line(start, static_cast<std::size_t>((end ? end : m_end) - start));
    VariableDeclaration declaration;
    m_declarationParser.parse(line, declaration);
    return declaration;
}

bool DataFileParser::fail(std::string detail)
{
    return failAt(m_lineNumber, std::move(detail));
}

bool DataFileParser::failAt(std::size_t line, std::string detail)
{
    m_problem = FileProblem{FileProblem::Kind::MalformedLine, line, std::move(detail)};
    return false;
}

bool DataFileParser::failWith(FileProblem::Kind kind)
{
    m_problem = FileProblem{kind, 0, {}};
    return false;
}

} // namespace Corvane_LP
