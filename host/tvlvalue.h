#pragma once

#include <string>
#include <vector>

// One script value as the reference host keeps it. The plug-in only ever sees
// pointers to it.
struct TvlValue
{
    enum Kind { Void = 0, Integer = 1, Text = 2, List = 9, User = 10 };

    Kind kind = Void;
    int integer = 0;
    std::string text;
    std::vector<TvlValue *> elements;
    int userType = 0;
    void *pointer = nullptr;
    int releases = 0; // ReleaseValue calls, to check a plug-in gives back what it took
};
