#pragma once

class QString;

// The texts the fields take as numbers or design variable names, as the host reads them: a
// number with a dot and without group separators, whatever the user's locale. The validators
// that judge keystrokes take a text as finished exactly when these say so.

// A finite real number: "1.5", "-20", ".5", "2e-3", "+7".
bool isRealNumber(const QString &text);
// A finished real number or a design variable name; a name that is the start of a number
// still being typed ("e", "E5") is not finished.
bool isRealOrName(const QString &text);
// A whole number from bottom to top, or a design variable name.
bool isIntegerOrName(const QString &text, int bottom, int top);
