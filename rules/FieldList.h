#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <tuple>
#include <type_traits>
#include <utility>

// Records list their fields once, as a tuple of references (std::tie), and
// compare, copy and test them through that one list: a field added to a
// record and to its list is compared everywhere at once.

namespace fields {

// Equal field by field; arrays element by element, never by address.
template <class T>
bool Same(const T& a, const T& b) {
    if constexpr (std::is_array_v<T>) {
        return std::equal(std::begin(a), std::end(a), std::begin(b),
                          [](const auto& x, const auto& y) { return Same(x, y); });
    } else {
        return a == b;
    }
}

template <class Tuple, std::size_t... I>
bool SameAll(const Tuple& a, const Tuple& b, std::index_sequence<I...>) {
    return (Same(std::get<I>(a), std::get<I>(b)) && ...);
}

// Every field of two lists made by the same record type is equal.
template <class... T>
bool Same(const std::tuple<T&...>& a, const std::tuple<T&...>& b) {
    return SameAll(a, b, std::index_sequence_for<T...>());
}

}  // namespace fields
