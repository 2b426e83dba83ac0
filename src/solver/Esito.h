// What a search for solutions ended with, and the words each command shows for it.
#pragma once

#include "model/Modello.h"

#include <string>

namespace isolmar {

// Too large: the placement tables were not built (MossePiene). OltreLeForme: the puzzle is beyond
// the limits of the search over shapes, and nothing was searched (m.OltreLaRicerca says why).
// Interrotta: Esc or the time limit stopped it (TempoScaduto). Else the solutions it found: none,
// one, more than one.
enum class EsitoRicerca { TroppoGrande, OltreLeForme, Interrotta, Nessuna, Una, Piu };

// Why the search cannot take the model's puzzle; "" when it can. SoluzioneStart and
// SoluzioneStartVerifica ask it first and keep the answer in m.OltreLaRicerca.
std::string MotivoOltreLaRicerca(const Modello& m);

// The outcome of the search that has just returned cercato (what SoluzioneStart and
// SoluzioneStartVerifica return: false when they did not search), read from m.
EsitoRicerca EsitoDi(bool cercato, const Modello& m);
// The solutions found as a count: 0, 1, 2 for more than one; -1 for no count.
int Soluzioni(EsitoRicerca e);

// Shown when the puzzle's placement tables would take more than LimiteTabelleMB.
inline constexpr const char* TestoTroppoGrande =
    "Schema troppo grande per il risolutore: le sue tabelle supererebbero 400 MB";
static_assert(LimiteTabelleMB == 400, "the limit is quoted in TestoTroppoGrande");
// A puzzle without exactly one solution is neither rated nor explained.
inline constexpr const char* TestoSenzaSoluzioni = "Lo schema non ammette soluzioni";
inline constexpr const char* TestoSoluzioniMultiple = "Lo schema non ha una soluzione unica";
inline constexpr const char* TestoRicercaInterrotta = "Ricerca interrotta";
inline constexpr const char* TestoNessunaTrovata = "Non trovata nessuna soluzione";
// Followed by the reason.
inline constexpr const char* TestoOltreLeForme =
    "Schema oltre i limiti della ricerca per configurazioni: ";

// One text per outcome; "" where the command shows none. The command line adds the time limit
// to Interrotta.
struct TestiEsito {
    const char *TroppoGrande, *Interrotta, *Nessuna, *Una, *Piu;
    const char* OltreLeForme = TestoOltreLeForme;
    // The text of e; for OltreLeForme followed by m.OltreLaRicerca.
    std::string Testo(EsitoRicerca e, const Modello& m) const;
};
// A unique solution wanted: rating, explanation, hint, the count of solve.
inline constexpr TestiEsito TestiRicerca{TestoTroppoGrande, TestoRicercaInterrotta,
                                         TestoSenzaSoluzioni, "", TestoSoluzioniMultiple};
// "Soluzione": the first solution, shown.
inline constexpr TestiEsito TestiPrimaSoluzione{TestoTroppoGrande, TestoRicercaInterrotta,
                                                TestoNessunaTrovata, "Soluzione schema",
                                                "Soluzione schema"};
// "Soluzioni": up to three, browsed.
inline constexpr TestiEsito TestiTreSoluzioni{TestoTroppoGrande, TestoRicercaInterrotta,
                                              TestoNessunaTrovata, "Esiste una sola soluzione", ""};
// The island checks, which word the too large puzzle shorter.
inline constexpr TestiEsito TestiVerificaIsole{"Schema troppo grande per il risolutore",
                                               TestoRicercaInterrotta, TestoSenzaSoluzioni, "", ""};
// A solution to print in a picture or a booklet.
inline constexpr TestiEsito TestiStampa{
    TestoTroppoGrande, "Soluzione non trovata", TestoSenzaSoluzioni, "",
    "Lo schema ha più di una soluzione: non c'è una soluzione da stampare"};

} // namespace isolmar
