#pragma once

#include "fileproblem.h"

#include <optional>
#include <string>

#include <sys/stat.h>

namespace Corvane_LP {

class TextBuffer;

// Opens a file by its path bytes and tells what it is before anything is read: a FIFO or a
// device is refused without reading from it.
class DataFileReader
{
public:
    explicit DataFileReader(const std::string &path);
    ~DataFileReader();
    DataFileReader(const DataFileReader &) = delete;
    DataFileReader &operator=(const DataFileReader &) = delete;

    // Set when the file cannot be opened or is no regular file, or when readAll failed.
    const std::optional<FileProblem> &problem() const { return m_problem; }

    std::string canonicalPath() const;
    long long size() const { return m_info.st_size; }
    long long modifiedSeconds() const { return m_info.st_mtim.tv_sec; }
    long long modifiedNanoseconds() const { return m_info.st_mtim.tv_nsec; }

    // Reads the whole file, once its first bytes show the signature of the format: a file that
    // does not begin with it is refused (NotLoadPullData) after those bytes. Reads the size that
    // fstat gave: a file that grows meanwhile is read as it was.
    bool readAll(TextBuffer &buffer);

private:
    void open();
    bool readSignature();
    bool readWhole(TextBuffer &buffer);
    // Like pread, but goes on when a signal interrupts it.
    long long readAt(long long offset, char *into, std::size_t size) const;
    bool fail(FileProblem::Kind kind);

    std::string m_path;
    int m_descriptor = -1;
    struct stat m_info = {};
    std::optional<FileProblem> m_problem;
};

} // namespace Corvane_LP
