#include "fileproblem.h"

#include <new>
#include <stdexcept>

namespace Corvane_LP {

std::string FileProblem::describe(const std::string &path) const
{
    const std::string file = "Load-pull data file \"" + path + "\"";
    switch (kind) {
    case Kind::Missing:
        return file + " does not exist.";
    case Kind::PermissionDenied:
        return file + " cannot be read: permission denied.";
    case Kind::Unopenable:
        return file + " cannot be opened.";
    case Kind::Directory:
        return "\"" + path + "\" is a directory, not a load-pull data file.";
    case Kind::NotRegularFile:
        return "\"" + path + "\" is not a regular file, so not a load-pull data file.";
    case Kind::Unreadable:
        return file + " cannot be read.";
    case Kind::TooLarge:
        return file + " is too large to be read into memory.";
    case Kind::NotLoadPullData:
        return "\"" + path +
               "\" is not a load-pull data file: it does not begin with \"LPDATA 1\".";
    case Kind::NoDataRows:
        return file + " holds no data rows.";
    case Kind::MalformedLine:
        return file + ", line " + std::to_string(line) + ": " + detail + ".";
    }
    return file + " cannot be read.";
}

FileProblem::Kind FileProblem::kindOfCurrentException() noexcept
{
    try {
        throw;
    } catch (const std::bad_alloc &) {
        return Kind::TooLarge;
    } catch (const std::length_error &) {
        return Kind::TooLarge;
    } catch (...) {
        return Kind::Unreadable;
    }
}

} // namespace Corvane_LP
