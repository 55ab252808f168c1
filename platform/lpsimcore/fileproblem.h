#pragma once

#include <cstddef>
#include <string>

namespace Corvane_LP {

// Why a file could not be read as a load-pull data file.
struct FileProblem
{
    enum class Kind {
        Missing,
        PermissionDenied,
        Unopenable,
        Directory,
        NotRegularFile,
        Unreadable,
        TooLarge,
        NotLoadPullData,
        NoDataRows,
        MalformedLine
    };

    Kind kind = Kind::Unreadable;
    std::size_t line = 0; // for MalformedLine
    std::string detail;   // for MalformedLine

    // The error text of a query, naming the file by the path it was given as.
    std::string describe(const std::string &path) const;

    // What an exception thrown while a file was read means for the caller: mostly that memory
    // ran out. Called only from a catch block.
    static Kind kindOfCurrentException() noexcept;
};

} // namespace Corvane_LP
