#pragma once

#include "filesummary.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace Corvane_LP {

// The process-wide cache of parsed files, keyed by canonical path and checked against size and
// modification time, so that an unchanged file is never read twice.
class SummaryCache
{
public:
    static SummaryCache &instance();

    // The summary of the file; one with a problem when it cannot be read or parsed.
    std::shared_ptr<const FileSummary> summaryOf(const std::string &path);
    void clear() noexcept;

private:
    struct Entry
    {
        long long size;
        long long modifiedSeconds;
        long long modifiedNanoseconds;
        std::shared_ptr<const FileSummary> summary;
    };

    std::unordered_map<std::string, Entry> m_entries;
};

} // namespace Corvane_LP
