#pragma once

#include <QMap>
#include <QString>

#include <algorithm>
#include <iterator>
#include <optional>

namespace LoadPullStateUtils {

// The rules that the variable collections share. Each collection keys its records by
// name, so every listing comes out in name order.

// The stored record of info's name with info merged into it; nothing when the name is
// not stored, so an update never adds a variable.
template<typename Stored, typename Update>
std::optional<Stored> mergedRecord(const QMap<QString, Stored> &variables, const Update &info,
                                   bool uiState)
{
    const auto it = variables.constFind(info.name());
    if (info.name().isEmpty() || it == variables.cend())
        return std::nullopt;
    Stored merged = it.value();
    merged.merge(info, uiState);
    return merged;
}

// The i-th record in name order, or a default record when there is none.
template<typename Stored> Stored recordAt(const QMap<QString, Stored> &variables, int i)
{
    if (i < 0 || i >= variables.size())
        return Stored();
    return std::next(variables.cbegin(), i).value();
}

template<typename Stored> bool allValid(const QMap<QString, Stored> &variables, bool uiState)
{
    return std::all_of(variables.cbegin(), variables.cend(),
                       [uiState](const Stored &info) { return info.isValid(uiState); });
}

} // namespace LoadPullStateUtils
