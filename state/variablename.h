#pragma once

class QString;

// True when text has the form of a design variable name: a letter (any script) or an
// underscore, then letters, numbers or underscores. Whether the variable exists is the
// host's business.
bool isVariableName(const QString &text);
