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
    } casi[] = {
        {false, 0, 0, EsitoRicerca::TroppoGrande}, {false, 1, 2, EsitoRicerca::TroppoGrande},
        {true, 1, 1, EsitoRicerca::Interrotta},    {true, 0, 0, EsitoRicerca::Nessuna},
        {true, 0, 1, EsitoRicerca::Una},           {true, 0, 3, EsitoRicerca::Piu},
    };
    for (const auto& x : casi) {
        m->TempoScaduto = x.scaduto;
        m->NumSol = x.soluzioni;
        EXPECT_EQ(EsitoDi(x.cercato, *m), x.atteso) << x.cercato << int{x.scaduto} << x.soluzioni;
    }
    EXPECT_EQ(Soluzioni(EsitoRicerca::Piu), 2);
    EXPECT_EQ(Soluzioni(EsitoRicerca::Interrotta), -1);
    // Each table answers every outcome from its own field.
    const TestiEsito t{"g", "i", "n", "u", "p"};
    std::string letto;
    for (EsitoRicerca e : {EsitoRicerca::TroppoGrande, EsitoRicerca::Interrotta,
                           EsitoRicerca::Nessuna, EsitoRicerca::Una, EsitoRicerca::Piu})
        letto += t[e];
    EXPECT_EQ(letto, "ginup");
    EXPECT_STREQ(TestiVerificaIsole[EsitoRicerca::TroppoGrande],
                 "Schema troppo grande per il risolutore");
}
