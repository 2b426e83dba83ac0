// Numbers as the window shows them: the shortest decimal text that reads back as the same value,
// with a point as decimal separator ("2.5", "3", "45296.13").
#pragma once

#include "model/Modello.h"

#include <charconv>
#include <string>

namespace isolmar {

// Shown when the puzzle's placement tables would take more than LimiteTabelleMB.
inline constexpr const char* TestoTroppoGrande =
    "Schema troppo grande per il risolutore: le sue tabelle supererebbero 400 MB";
static_assert(LimiteTabelleMB == 400, "the limit is quoted in TestoTroppoGrande");

template <class T> std::string TestoNumero(T x) {
    char buf[64];
    const auto fine = std::to_chars(buf, buf + sizeof buf, x).ptr;
    return std::string(buf, fine);
}

} // namespace isolmar
