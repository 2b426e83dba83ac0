#include "solver/Esito.h"

#include "model/Schema.h"

namespace isolmar {

std::string MotivoOltreLaRicerca(const Modello& m) {
    return OltreLeForme(SchemaDa(m));
}

EsitoRicerca EsitoDi(bool cercato, const Modello& m) {
    if (!cercato)
        return m.OltreLaRicerca.empty() ? EsitoRicerca::TroppoGrande : EsitoRicerca::OltreLeForme;
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

std::string TestiEsito::Testo(EsitoRicerca e, const Modello& m) const {
    switch (e) {
    case EsitoRicerca::OltreLeForme:
        return OltreLeForme + m.OltreLaRicerca;
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
