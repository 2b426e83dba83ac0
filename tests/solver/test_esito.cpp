// A search's outcome read from its return and the model, and each command's words for it.
#include "solver/Esito.h"

#include <gtest/gtest.h>

#include <string>

using namespace isolmar;

TEST(Esito, TablesFirstThenTheStopThenTheSolutionsFound) {
    auto m = NuovoModello();
    const struct {
        bool cercato;
        uint8_t scaduto;
        int16_t soluzioni;
        EsitoRicerca atteso;
        const char* oltre = "";
    } casi[] = {
        {false, 0, 0, EsitoRicerca::TroppoGrande},
        {false, 1, 2, EsitoRicerca::TroppoGrande},
        {true, 1, 1, EsitoRicerca::Interrotta},
        {true, 0, 0, EsitoRicerca::Nessuna},
        {true, 0, 1, EsitoRicerca::Una},
        {true, 0, 3, EsitoRicerca::Piu},
        {false, 1, 0, EsitoRicerca::OltreLeForme, "perché"},
    };
    for (const auto& x : casi) {
        m->OltreLaRicerca = x.oltre;
        m->TempoScaduto = x.scaduto;
        m->NumSol = x.soluzioni;
        EXPECT_EQ(EsitoDi(x.cercato, *m), x.atteso) << x.cercato << int{x.scaduto} << x.soluzioni;
    }
    EXPECT_EQ(Soluzioni(EsitoRicerca::Piu), 2);
    EXPECT_EQ(Soluzioni(EsitoRicerca::Interrotta), -1);
    // Each table answers every outcome from its own field.
    const TestiEsito t{"g", "i", "n", "u", "p"};
    std::string letto;
    for (EsitoRicerca e :
         {EsitoRicerca::TroppoGrande, EsitoRicerca::Interrotta, EsitoRicerca::Nessuna,
          EsitoRicerca::Una, EsitoRicerca::Piu, EsitoRicerca::OltreLeForme})
        letto += t.Testo(e, *m) + "|";
    EXPECT_EQ(letto, "g|i|n|u|p|Schema oltre i limiti della ricerca per configurazioni: perché|");
    EXPECT_EQ(TestiVerificaIsole.Testo(EsitoRicerca::TroppoGrande, *m),
              "Schema troppo grande per il risolutore");
}
