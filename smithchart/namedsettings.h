#pragma once

#include <QString>

#include <vector>

// Settings written as NAME=VALUE pairs separated by commas, such as "Freq=2 GHz,Pin_avail=18":
// what lp-host's --at and the preview's field take. One reader splits them for the chart and
// for the preview alike; each gives the values their meaning.
struct NamedSetting
{
    QString name;
    QString value;
};

struct NamedSettings
{
    std::vector<NamedSetting> settings;
    // The part that names no value, or names none; empty when every part is a pair.
    QString unreadable;

    static NamedSettings read(const QString &text);
};
