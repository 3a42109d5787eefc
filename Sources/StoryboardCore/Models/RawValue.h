#pragma once

#include <QString>

#include <optional>

namespace veskel {

// Every enumeration stored in files specialises EnumTraits with its `allCases` array (in
// declaration order) and provides `QString rawValue(E)`. The two helpers below then give the
// list of cases and the strict reverse mapping without repeating the tables.
template<typename E>
struct EnumTraits;

template<typename E>
constexpr const auto &allCases()
{
    return EnumTraits<E>::allCases;
}

template<typename E>
std::optional<E> fromRawValue(const QString &raw)
{
    for (E value : EnumTraits<E>::allCases) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}

} // namespace veskel
