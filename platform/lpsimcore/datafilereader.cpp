#include "datafilereader.h"

#include "textbuffer.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace Corvane_LP {

namespace {

FileProblem::Kind openProblemOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return FileProblem::Kind::Missing;
    case EACCES:
    case EPERM:
        return FileProblem::Kind::PermissionDenied;
    default:
        return FileProblem::Kind::Unopenable;
    }
}

} // namespace

DataFileReader::DataFileReader(const std::string &path)
    : m_path(path)
{
    open();
}

DataFileReader::~DataFileReader()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void DataFileReader::open()
{
    // A path with a zero byte would name another file.
    if (m_path.empty() || m_path.find('\0') != std::string::npos) {
        m_problem = FileProblem{FileProblem::Kind::Missing, 0, {}};
        return;
    }
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    m_descriptor = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_descriptor < 0) {
        m_problem = FileProblem{openProblemOf(errno), 0, {}};
        return;
    }
    if (::fstat(m_descriptor, &m_info) != 0)
        m_problem = FileProblem{FileProblem::Kind::Unreadable, 0, {}};
    else if (S_ISDIR(m_info.st_mode))
        m_problem = FileProblem{FileProblem::Kind::Directory, 0, {}};
    else if (!S_ISREG(m_info.st_mode))
        m_problem = FileProblem{FileProblem::Kind::NotRegularFile, 0, {}};
}

std::string DataFileReader::canonicalPath() const
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(m_path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : m_path;
}

bool DataFileReader::readAll(TextBuffer &buffer)
{
    if (!buffer.allocate(static_cast<std::size_t>(m_info.st_size))) {
        m_problem = FileProblem{FileProblem::Kind::TooLarge, 0, {}};
        return false;
    }
    std::size_t done = 0;
    while (done < buffer.capacity()) {
        const ssize_t got = ::read(m_descriptor, buffer.data() + done, buffer.capacity() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            m_problem = FileProblem{FileProblem::Kind::Unreadable, 0, {}};
            return false;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    buffer.setSize(done);
    return true;
}

} // namespace Corvane_LP
