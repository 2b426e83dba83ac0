// Numbers as the window shows them: the shortest decimal text that reads back as the same value,
// with a point as decimal separator ("2.5", "3", "45296.13").
#pragma once

#include "model/Modello.h"
#include "solver/Esito.h"
#include "view/Etichette.h"

#include <charconv>
#include <string>

namespace isolmar {

// What the empty board area says before the first puzzle.
inline constexpr const char* TestoInvito =
    "Apri uno schema, incolla un link puzz.link o premi Genera schema";
// The tool tip of a command that needs a puzzle while there is none.
inline constexpr const char* TestoSenzaSchema = "Apri o genera prima uno schema";

// The hint and the explanation.
inline constexpr const char* TestoGiaRisolto = "Lo schema è già risolto";
inline constexpr const char* TestoSuggerimentoInterrotto = "Suggerimento interrotto";
inline constexpr const char* TestoNessunSuggerimento =
    "Nessun suggerimento: la spiegazione non sa andare oltre";
inline constexpr const char* TestoValutazioneInterrotta = "Valutazione interrotta";
inline constexpr const char* TestoSpiegazioneInterrotta = "Spiegazione interrotta";
// "La posizione contiene N errori" (1 errore).
std::string TestoErrori(int n);
// The same, then the first wrong cell: "…: la cella 3,3" or "…; la prima è la cella 3,3".
std::string TestoPrimoErrore(const std::vector<std::pair<int, int>>& errori);

// Label1 once Esc has stopped work that ran for secondi: "Ricerca interrotta dopo 2,3 s".
inline std::string TestoInterruzione(double secondi) {
    return "Ricerca interrotta dopo " + TestoDurata(secondi);
}

template <class T> std::string TestoNumero(T x) {
    char buf[64];
    const auto fine = std::to_chars(buf, buf + sizeof buf, x).ptr;
    return std::string(buf, fine);
}

} // namespace isolmar
