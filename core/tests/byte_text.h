// Texts written as byte values, for cases that hold two-byte characters.
#pragma once

#include <initializer_list>
#include <string>

namespace morvane::testing {

inline std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

}  // namespace morvane::testing
