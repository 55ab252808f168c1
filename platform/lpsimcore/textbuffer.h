#pragma once

#include <cstddef>
#include <string_view>

namespace Corvane_LP {

// Memory for the whole text of one file, taken straight from the system so that a file too
// large for memory is a failed allocation, not an exception.
class TextBuffer
{
public:
    TextBuffer() = default;
    ~TextBuffer();
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;

    // Makes room for `capacity` bytes; false when there is not enough memory.
    bool allocate(std::size_t capacity);
    char *data() { return m_memory; }
    std::size_t capacity() const { return m_capacity; }
    // The bytes that were filled in.
    void setSize(std::size_t size) { m_size = size; }
    std::string_view text() const { return {m_memory, m_size}; }

private:
    void release();

    char *m_memory = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_size = 0;
};

} // namespace Corvane_LP
