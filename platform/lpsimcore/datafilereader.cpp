#include "datafilereader.h"

#include "signaturecheck.h"
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
        fail(FileProblem::Kind::Missing);
        return;
    }
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    m_descriptor = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_descriptor < 0) {
        fail(openProblemOf(errno));
        return;
    }
    if (::fstat(m_descriptor, &m_info) != 0)
        fail(FileProblem::Kind::Unreadable);
    else if (S_ISDIR(m_info.st_mode))
        fail(FileProblem::Kind::Directory);
    else if (!S_ISREG(m_info.st_mode))
        fail(FileProblem::Kind::NotRegularFile);
}

std::string DataFileReader::canonicalPath() const
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(m_path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : m_path;
}

bool DataFileReader::readAll(TextBuffer &buffer)
{
    return readSignature() && readWhole(buffer);
}

bool DataFileReader::readSignature()
{
    SignatureCheck check;
    char piece[16 * 1024]; // the signature mostly lies within the first few hundred bytes
    long long offset = 0;
    SignatureCheck::Verdict verdict = SignatureCheck::Verdict::Undecided;
    while (verdict == SignatureCheck::Verdict::Undecided) {
        const long long got = readAt(offset, piece, sizeof piece);
        if (got < 0)
            return fail(FileProblem::Kind::Unreadable);
        verdict = got == 0 ? check.atEnd() : check.feed({piece, static_cast<std::size_t>(got)});
        offset += got;
    }
    return verdict == SignatureCheck::Verdict::Begins || fail(FileProblem::Kind::NotLoadPullData);
}

bool DataFileReader::readWhole(TextBuffer &buffer)
{
    if (!buffer.allocate(static_cast<std::size_t>(m_info.st_size)))
        return fail(FileProblem::Kind::TooLarge);
    std::size_t done = 0;
    while (done < buffer.capacity()) {
        const long long got =
            readAt(static_cast<long long>(done), buffer.data() + done, buffer.capacity() - done);
        if (got < 0)
            return fail(FileProblem::Kind::Unreadable);
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    buffer.setSize(done);
    return true;
}

long long DataFileReader::readAt(long long offset, char *into, std::size_t size) const
{
    ssize_t got;
    do {
        got = ::pread(m_descriptor, into, size, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got;
}

bool DataFileReader::fail(FileProblem::Kind kind)
{
    m_problem = FileProblem{kind, 0, {}};
    return false;
}

} // namespace Corvane_LP
