#include "summarycache.h"

#include "datafileparser.h"
#include "datafilereader.h"
#include "textbuffer.h"

namespace Corvane_LP {

namespace {

std::shared_ptr<const FileSummary> failed(const FileProblem &problem)
{
    auto summary = std::make_shared<FileSummary>();
    summary->problem = problem;
    return summary;
}

} // namespace

SummaryCache &SummaryCache::instance()
{
    static SummaryCache cache;
    return cache;
}

std::shared_ptr<const FileSummary> SummaryCache::summaryOf(const std::string &path)
{
    DataFileReader file(path);
    if (file.problem())
        return failed(*file.problem());
    std::string canonicalPath = file.canonicalPath();
    const auto found = m_entries.find(canonicalPath);
    if (found != m_entries.end() && found->second.size == file.size() &&
        found->second.modifiedSeconds == file.modifiedSeconds() &&
        found->second.modifiedNanoseconds == file.modifiedNanoseconds())
        return found->second.summary;

    auto summary = std::make_shared<FileSummary>();
    TextBuffer text;
    if (file.readAll(text))
        *summary = DataFileParser(text.text()).parse();
    else if (file.problem()->kind == FileProblem::Kind::NotLoadPullData)
        summary->problem = file.problem();
    else
        return failed(*file.problem()); // a problem of the moment, not kept
    summary->canonicalPath = canonicalPath;
    m_entries[canonicalPath] =
        Entry{file.size(), file.modifiedSeconds(), file.modifiedNanoseconds(), summary};
    return summary;
}

void SummaryCache::clear() noexcept
{
    m_entries.clear();
}

} // namespace Corvane_LP
