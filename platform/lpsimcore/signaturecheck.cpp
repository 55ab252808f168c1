#include "signaturecheck.h"

#include "textscan.h"

namespace Corvane_LP {

namespace {

constexpr std::string_view word = "LPDATA";

} // namespace

bool SignatureCheck::begins(std::string_view text)
{
    SignatureCheck check;
    check.feed(text);
    return check.atEnd() == Verdict::Begins;
}

SignatureCheck::Verdict SignatureCheck::feed(std::string_view bytes)
{
    for (auto at = bytes.begin(); at != bytes.end() && m_verdict == Verdict::Undecided; ++at)
        step(*at);
    return m_verdict;
}

SignatureCheck::Verdict SignatureCheck::atEnd() const
{
    if (m_verdict != Verdict::Undecided)
        return m_verdict;
    const bool wholeWord = m_state == State::Word && m_matched == word.size();
    return wholeWord ? Verdict::Begins : Verdict::DoesNotBegin;
}

void SignatureCheck::step(char c)
{
    switch (m_state) {
    case State::ByteOrderMark:
        if (c == byteOrderMark[m_matched]) {
            if (++m_matched == byteOrderMark.size())
                m_state = State::LineStart;
        } else if (m_matched > 0) {
            m_verdict = Verdict::DoesNotBegin;
        } else {
            m_state = State::LineStart;
            step(c);
        }
        return;
    case State::LineStart:
        if (c == '!') {
            m_state = State::Comment;
        } else if (c == word.front()) {
            m_state = State::Word;
            m_matched = 1;
        } else if (!isBlank(c) && c != '\n') {
            m_verdict = Verdict::DoesNotBegin;
        }
        return;
    case State::Comment:
        if (c == '\n')
            m_state = State::LineStart;
        return;
    case State::Word:
        if (m_matched == word.size())
            m_verdict = isBlank(c) || c == '\n' ? Verdict::Begins : Verdict::DoesNotBegin;
        else if (c == word[m_matched])
            ++m_matched;
        else
            m_verdict = Verdict::DoesNotBegin;
        return;
    }
}

} // namespace Corvane_LP
