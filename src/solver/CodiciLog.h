// The codes of the conclusions the deductions draw: the five direct rules (RegoleDirette) and the
// three kinds of hypothesis conclusion of the explanation. Their texts are what the log, the
// hint and the command-line tool show; their order is that of the explanation's counters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace isolmar {

enum class CodiceLog : uint8_t { NRG, IIN, APP, MUR, ISO, II3, IS3, MU3 };

// What a conclusion decides: a cell is wall, a cell is island, a cell belongs to a named island,
// or an island has its final shape. The board's highlight of a conclusion follows from it.
enum class Decisione : uint8_t { Muro, Isola, Appartiene, Forma };

struct DatiCodice {
    CodiceLog Codice;
    std::string_view Testo;
    Decisione Decide;
};

// One row per code, in the order of CodiceLog.
inline constexpr std::array<DatiCodice, 8> CodiciLog = {{
    {CodiceLog::NRG, "NRG", Decisione::Muro},
    {CodiceLog::IIN, "IIN", Decisione::Forma},
    {CodiceLog::APP, "APP", Decisione::Appartiene},
    {CodiceLog::MUR, "MUR", Decisione::Muro},
    {CodiceLog::ISO, "ISO", Decisione::Isola},
    {CodiceLog::II3, "II3", Decisione::Forma},
    {CodiceLog::IS3, "IS3", Decisione::Isola},
    {CodiceLog::MU3, "MU3", Decisione::Muro},
}};

constexpr size_t Indice(CodiceLog c) {
    return static_cast<size_t>(c);
}
constexpr std::string_view TestoCodice(CodiceLog c) {
    return CodiciLog[Indice(c)].Testo;
}
constexpr Decisione Decide(CodiceLog c) {
    return CodiciLog[Indice(c)].Decide;
}

static_assert([] {
    for (size_t i = 0; i < CodiciLog.size(); ++i)
        if (Indice(CodiciLog[i].Codice) != i) return false;
    return true;
}());

} // namespace isolmar
