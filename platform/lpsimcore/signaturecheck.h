#pragma once

#include <cstddef>
#include <string_view>

namespace Corvane_LP {

// Tells whether a text begins with the signature of the data-file format: the first line that
// is neither blank nor a comment starts with the word LPDATA. Fed piece by piece, so that a
// file that is no load-pull data file is refused after its first bytes, without reading more.
class SignatureCheck
{
public:
    enum class Verdict { Undecided, Begins, DoesNotBegin };

    static bool begins(std::string_view text);

    // Takes the next bytes of the text; the verdict so far.
    Verdict feed(std::string_view bytes);
    // The verdict when the text has ended.
    Verdict atEnd() const;

private:
    enum class State { ByteOrderMark, LineStart, Comment, Word };

    void step(char c);

    State m_state = State::ByteOrderMark;
    std::size_t m_matched = 0; // of the byte order mark or the word
    Verdict m_verdict = Verdict::Undecided;
};

} // namespace Corvane_LP
