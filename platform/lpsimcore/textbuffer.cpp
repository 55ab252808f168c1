#include "textbuffer.h"

#include <sys/mman.h>

namespace Corvane_LP {

namespace {

constexpr std::size_t hugePageBytes = 2 * 1024 * 1024;

} // namespace

TextBuffer::~TextBuffer()
{
    release();
}

bool TextBuffer::allocate(std::size_t capacity)
{
    release();
    if (capacity == 0)
        return true;
    void *memory =
        ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return false;
    // Touching fresh memory page by page can cost more than reading the file into it; huge
    // pages take a 2 MB step per fault. Only a hint: without them the buffer works the same.
    if (capacity >= hugePageBytes)
        ::madvise(memory, capacity, MADV_HUGEPAGE);
    m_memory = static_cast<char *>(memory);
    m_capacity = capacity;
    return true;
}

void TextBuffer::release()
{
    if (m_memory)
        ::munmap(m_memory, m_capacity);
    m_memory = nullptr;
    m_capacity = 0;
    m_size = 0;
}

} // namespace Corvane_LP
