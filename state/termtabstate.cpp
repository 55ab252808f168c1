#include "termtabstate.h"

namespace LoadPullStateUtils {

bool TermTabState::isValid(bool /*uiState*/) const
{
    return !m_referenceImpedance.isEmpty() && !m_termNumber.isEmpty();
}

bool operator==(const TermTabState &a, const TermTabState &b)
{
    return a.referenceImpedance() == b.referenceImpedance() && a.unit() == b.unit() &&
           a.termNumber() == b.termNumber();
}

} // namespace LoadPullStateUtils
