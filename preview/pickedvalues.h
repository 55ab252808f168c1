#pragma once

#include "previewcharter.h"

#include <QString>

// Values picked for the preview alone, over the held ones, written as name=value pairs
// separated by commas, each value a number with or without its unit: "Freq=1.9 GHz,Pin_avail=20".
// The frequency variable's pair chooses the frequency. lp-host's --at and the window's field
// read them alike.
class PickedValues
{
public:
    // Whether the text is such pairs (or empty).
    static bool readable(const QString &text);
    // Puts the pairs into the request; false, leaving it as it was, for a text not readable.
    static bool apply(const QString &text, PreviewCharter::Request &request);
};
