#include "solver/Esito.h"

namespace isolmar {

EsitoRicerca EsitoDi(bool cercato, const Modello& m) {
    if (!cercato) return EsitoRicerca::TroppoGrande;
    if (m.TempoScaduto == 1) return EsitoRicerca::Interrotta;
    return m.NumSol <= 0   ? EsitoRicerca::Nessuna
           : m.NumSol == 1 ? EsitoRicerca::Una
                           : EsitoRicerca::Piu;
}

int Soluzioni(EsitoRicerca e) {
    switch (e) {
    case EsitoRicerca::Nessuna:
        return 0;
    case EsitoRicerca::Una:
        return 1;
    case EsitoRicerca::Piu:
        return 2;
    default:
        return -1;
    }
}

const char* TestiEsito::operator[](EsitoRicerca e) const {
    switch (e) {
    case EsitoRicerca::TroppoGrande:
        return TroppoGrande;
    case EsitoRicerca::Interrotta:
        return Interrotta;
    case EsitoRicerca::Nessuna:
        return Nessuna;
    case EsitoRicerca::Una:
        return Una;
    case EsitoRicerca::Piu:
        return Piu;
    }
    return "";
}

} // namespace isolmar
