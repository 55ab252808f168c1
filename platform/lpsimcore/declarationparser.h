#pragma once

#include "variabledeclaration.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace Corvane_LP {

// Reads one declaration line of the data-file format: VAR=<name>, GAMMA=<name> or OUT=<name>,
// followed by comma-separated Key=<value> attributes.
class DeclarationParser
{
public:
    static bool isDeclaration(std::string_view line);

    // False, with error() saying why, when the line is malformed.
    bool parse(std::string_view line, VariableDeclaration &declaration);
    const std::string &error() const { return m_error; }
    // The declared name of the line that parse() last accepted, as a view into that line.
    std::string_view name() const { return m_attributes.front().value; }

private:
    struct Attribute
    {
        std::string_view key;
        std::string_view value;
    };

    bool split(std::string_view line);
    bool checkKeys(std::initializer_list<std::string_view> allowedKeys);
    std::string_view valueOf(std::string_view key) const;
    bool readVariable(VariableDeclaration &declaration);
    bool readGamma(VariableDeclaration &declaration);
    bool readOutput(VariableDeclaration &declaration);
    bool readHarmonic(VariableDeclaration &declaration);
    bool readDomain(VariableDeclaration &declaration);
    bool readFixedValue(VariableDeclaration &declaration);
    bool fail(std::string reason);

    std::vector<Attribute> m_attributes;
    std::string m_error;
};

} // namespace Corvane_LP
