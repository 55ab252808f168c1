#include "declarationparser.h"

#include "textscan.h"
#include "units.h"

#include <charconv>

namespace Corvane_LP {

namespace {

constexpr std::string_view noUnit = "None";
constexpr unsigned highestHarmonic = 99;

// An empty unit is reported as "None", the editor's text for "no unit".
std::string reportedUnit(std::string_view unit)
{
    return std::string(unit.empty() ? noUnit : unit);
}

int gammaTypeOf(std::string_view name)
{
    const std::string lower = lowerCase(name);
    const auto contains = [&lower](std::string_view part) {
        return lower.find(part) != std::string::npos;
    };
    if (contains("_ld") || contains("load"))
        return 1;
    if (contains("_src") || contains("source"))
        return 2;
    return 0;
}

bool parseHarmonic(std::string_view text, unsigned &harmonic)
{
    const char *end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, harmonic);
    return error == std::errc() && next == end && harmonic >= 1 && harmonic <= highestHarmonic;
}

// The trailing digits of the name (gamma_src2 -> 2), or 1.
unsigned harmonicOfName(std::string_view name)
{
    const std::size_t lastLetter = name.find_last_not_of("0123456789");
    unsigned harmonic = 1;
    return parseHarmonic(name.substr(lastLetter + 1), harmonic) ? harmonic : 1;
}

} // namespace

bool DeclarationParser::isDeclaration(std::string_view line)
{
    const std::string_view keyword = leadingName(line);
    const std::string_view rest = trimmed(line.substr(keyword.size()));
    const bool isKeyword = equalsIgnoringCase(keyword, "VAR") ||
                           equalsIgnoringCase(keyword, "GAMMA") ||
                           equalsIgnoringCase(keyword, "OUT");
    return isKeyword && !rest.empty() && rest.front() == '=';
}

bool DeclarationParser::parse(std::string_view line, VariableDeclaration &declaration)
{
    if (!split(line))
        return false;
    declaration = VariableDeclaration();
    declaration.name = std::string(m_attributes.front().value);
    if (!isName(declaration.name))
        return fail(quoted(declaration.name) +
                    " is not a name (a letter or '_', then letters, digits and '_')");
    const std::string_view keyword = m_attributes.front().key;
    if (equalsIgnoringCase(keyword, "VAR"))
        return checkKeys({"Units", "Type"}) && readVariable(declaration);
    if (equalsIgnoringCase(keyword, "GAMMA"))
        return checkKeys({"Harmonic", "Domain", "Value"}) && readGamma(declaration);
    return checkKeys({"Units", "Complex"}) && readOutput(declaration);
}

bool DeclarationParser::split(std::string_view line)
{
    m_attributes.clear();
    std::string_view rest = trimmed(line);
    while (!rest.empty()) {
        const std::string_view key = leadingName(rest);
        rest = trimmed(rest.substr(key.size()));
        if (key.empty() || rest.empty() || rest.front() != '=')
            return fail("expected Key=<value>");
        rest = trimmed(rest.substr(1));
        const std::size_t close = rest.find('>');
        if (rest.empty() || rest.front() != '<' || close == std::string_view::npos)
            return fail("the value of " + quoted(key) + " must stand in <...>");
        m_attributes.push_back({key, trimmed(rest.substr(1, close - 1))});
        rest = trimmed(rest.substr(close + 1));
        if (rest.empty())
            break;
        if (rest.front() != ',')
            return fail("expected ',' after the value of " + quoted(key));
        rest = trimmed(rest.substr(1));
        if (rest.empty())
            return fail("expected Key=<value> after the last ','");
    }
    return !m_attributes.empty() || fail("expected Key=<value>");
}

bool DeclarationParser::checkKeys(std::initializer_list<std::string_view> allowedKeys)
{
    for (auto attribute = m_attributes.begin() + 1; attribute != m_attributes.end(); ++attribute) {
        bool allowed = false;
        for (std::string_view key : allowedKeys)
            allowed = allowed || equalsIgnoringCase(key, attribute->key);
        if (!allowed)
            return fail("unknown attribute " + quoted(attribute->key) + " for " +
                        quoted(m_attributes.front().key));
        for (auto earlier = m_attributes.begin() + 1; earlier != attribute; ++earlier) {
            if (equalsIgnoringCase(earlier->key, attribute->key))
                return fail("attribute " + quoted(attribute->key) + " given twice");
        }
    }
    return true;
}

std::string_view DeclarationParser::valueOf(std::string_view key) const
{
    for (auto attribute = m_attributes.begin() + 1; attribute != m_attributes.end(); ++attribute) {
        if (equalsIgnoringCase(attribute->key, key))
            return attribute->value;
    }
    return {};
}

bool DeclarationParser::readVariable(VariableDeclaration &declaration)
{
    const std::string_view unit = valueOf("Units");
    const std::string_view unitType = valueOf("Type");
    declaration.unit = reportedUnit(unit);
    declaration.unitType = std::string(unitType.empty() ? unitTypeOf(unit) : unitType);
    if (declaration.unitType == "Frequency")
        declaration.kind = VariableKind::Frequency;
    return true;
}

bool DeclarationParser::readOutput(VariableDeclaration &declaration)
{
    const std::string_view unit = valueOf("Units");
    const std::string_view complex = valueOf("Complex");
    declaration.kind = VariableKind::Performance;
    declaration.unit = reportedUnit(unit);
    declaration.unitType = std::string(unitTypeOf(unit));
    declaration.complex = equalsIgnoringCase(complex, "yes");
    if (!complex.empty() && !declaration.complex && !equalsIgnoringCase(complex, "no"))
        return fail("Complex must be 'yes' or 'no', not " + quoted(complex));
    return true;
}

bool DeclarationParser::readGamma(VariableDeclaration &declaration)
{
    declaration.kind = VariableKind::Gamma;
    declaration.unit = std::string(noUnit);
    declaration.unitType = "Unitless";
    declaration.gammaType = gammaTypeOf(declaration.name);
    return readHarmonic(declaration) && readDomain(declaration) && readFixedValue(declaration);
}

bool DeclarationParser::readHarmonic(VariableDeclaration &declaration)
{
    const std::string_view harmonic = valueOf("Harmonic");
    if (harmonic.empty()) {
        declaration.harmonic = harmonicOfName(declaration.name);
        return true;
    }
    if (!parseHarmonic(harmonic, declaration.harmonic))
        return fail("Harmonic must be a whole number from 1 to " + std::to_string(highestHarmonic) +
                    ", not " + quoted(harmonic));
    return true;
}

bool DeclarationParser::readDomain(VariableDeclaration &declaration)
{
    const std::string_view domain = valueOf("Domain");
    if (domain.empty())
        return true;
    for (std::size_t index = 0; index < domainNames.size(); ++index) {
        if (equalsIgnoringCase(domain, domainNames[index])) {
            declaration.domain = static_cast<int>(index);
            return true;
        }
    }
    return fail("unknown Domain " + quoted(domain) +
                " (Rect-Real, Rect-Imag, Polar-Mag or Polar-Phase)");
}

bool DeclarationParser::readFixedValue(VariableDeclaration &declaration)
{
    const std::string_view value = valueOf("Value");
    if (value.empty())
        return true;
    const std::size_t comma = value.find(',');
    declaration.fixed = true;
    if (comma == std::string_view::npos ||
        !parseFiniteNumber(trimmed(value.substr(0, comma)), declaration.fixedRe) ||
        !parseFiniteNumber(trimmed(value.substr(comma + 1)), declaration.fixedIm))
        return fail("Value must be two finite numbers 're, im', not " + quoted(value));
    return true;
}

bool DeclarationParser::fail(std::string reason)
{
    m_error = std::move(reason);
    return false;
}

} // namespace Corvane_LP
