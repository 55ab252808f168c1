#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

// Texts in tests: "text"_s as a QString, texts({"a", "b"}) as a list.
inline QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

inline QStringList texts(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *text : list)
        result.append(QString::fromUtf8(text));
    return result;
}
