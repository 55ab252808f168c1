#pragma once

#include <QString>

// How much of an outside text (a parameter, a file name, a data-library message) a message
// box shows: laying out a text of a megabyte takes seconds, during which the host is frozen.
constexpr int MaxShownTextLength = 300;
constexpr int MaxShownLines = 12;

// The text as a message box shows it: whole when short enough, else its beginning and its
// end with "…" between them, `length` characters in all.
QString elidedText(const QString &text, int length = MaxShownTextLength);

// The text elided as above, between double quotes, as a note quotes what the component stores.
QString quotedText(const QString &text);

// A text of several lines, each elided as above; past MaxShownLines lines, a last line "…"
// stands for the rest.
QString elidedLines(const QString &text);
