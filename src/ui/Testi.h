// Numbers as the window shows them: the shortest decimal text that reads back as the same value,
// with a point as decimal separator ("2.5", "3", "45296.13").
#pragma once

#include <charconv>
#include <string>

namespace isolmar {

// Shown when the puzzle needs more candidate placements than the solver's table holds.
inline constexpr const char* TestoTroppoGrande = "Schema troppo grande per il risolutore";

template <class T> std::string TestoNumero(T x) {
    char buf[64];
    const auto fine = std::to_chars(buf, buf + sizeof buf, x).ptr;
    return std::string(buf, fine);
}

} // namespace isolmar
