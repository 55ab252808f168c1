#include "varinfoui.h"

#include <utility>

namespace Corvane_LP {

namespace {

// The host calls the getters without a try: a copy that finds no memory gives an empty text
// rather than an exception that would end the host.
std::string copyOf(const std::string &text) noexcept
{
    try {
        return text;
    } catch (...) {
        return {};
    }
}

} // namespace

VarInfoUI::VarInfoUI()
    : lowest(0.0)
    , highest(0.0)
{}

VarInfoUI::~VarInfoUI() = default;

std::string VarInfoUI::getName() const
{
    return copyOf(m_name);
}

std::string VarInfoUI::getUnitStr() const
{
    return copyOf(m_unit);
}

std::string VarInfoUI::getUnitTypeStr() const
{
    return copyOf(m_unitType);
}

int VarInfoUI::minNumPoints() const
{
    return m_minPoints;
}

int VarInfoUI::maxNumPoints() const
{
    return m_maxPoints;
}

int VarInfoUI::gammaType() const
{
    return m_gammaType;
}

unsigned VarInfoUI::harmonicIndex() const
{
    return m_harmonic;
}

int VarInfoUI::domain() const
{
    return m_domain;
}

bool VarInfoUI::isGamma() const
{
    return m_gamma;
}

bool VarInfoUI::isComplex() const
{
    return m_complex;
}

void VarInfoUI::setName(std::string name)
{
    m_name = std::move(name);
}

void VarInfoUI::setUnit(std::string unit, std::string unitType)
{
    m_unit = std::move(unit);
    m_unitType = std::move(unitType);
}

void VarInfoUI::setPointCounts(int minimum, int maximum)
{
    m_minPoints = minimum;
    m_maxPoints = maximum;
}

void VarInfoUI::setGamma(int type, unsigned harmonic, int domain)
{
    m_gamma = true;
    m_gammaType = type;
    m_harmonic = harmonic;
    m_domain = domain;
}

void VarInfoUI::setComplex(bool complex)
{
    m_complex = complex;
}

} // namespace Corvane_LP
