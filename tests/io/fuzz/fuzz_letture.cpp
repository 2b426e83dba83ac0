// libFuzzer target: any bytes through the XML, text, clipboard, link and pzprv3 readers. A reader
// must either accept a valid puzzle or refuse with one of its messages.
#include "io/Letture.h"
#include "io/PuzzLink.h"

#include <cstdlib>
#include <string_view>

using namespace isolmar;

namespace {
void Verifica(const EsitoLettura& e) {
    if (e.Ok()) {
        if (!ValidaSchema(e.Letto.S).empty()) std::abort();
        const size_t celle = static_cast<size_t>(e.Letto.S.Righe * e.Letto.S.Colonne);
        if (e.Letto.HaPosizione && e.Letto.Posizione.size() != celle) std::abort();
        if (e.Letto.HaSoluzione && e.Letto.Soluzione.size() != celle) std::abort();
    } else if (e.Errore != TestoDatiErrati && e.Errore != TestoFileErrato &&
               e.Errore != TestoAppuntiErrati && e.Errore != TestoLinkErrato) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const std::string_view testo(reinterpret_cast<const char*>(dati), n);
    Verifica(LeggiXml(testo));
    Verifica(LeggiTesto(Righe(testo)));
    Verifica(LeggiAppunti(testo));
    Verifica(LeggiLink(testo));
    Verifica(LeggiPzprv3(testo));
    Verifica(LeggiSchema(testo));
    return 0;
}
