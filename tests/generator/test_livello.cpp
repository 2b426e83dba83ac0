// Generating at a level: the same puzzles, in the same order, whatever the number of jobs.
#include "generator/Livello.h"

#include <gtest/gtest.h>

#include <vector>

using namespace isolmar;

TEST(Livello, KeptPuzzlesDependOnTheSeedOnlyNotOnTheJobs) {
    for (const int livello : {0, 2}) {
        std::vector<std::vector<SchemaLivello>> serie;
        for (const int lavori : {1, 3}) {
            RichiestaLivello r;
            r.Righe = r.Colonne = 7;
            r.Livello = livello;
            r.Quanti = 2;
            r.Lavori = lavori;
            r.Seme = 42;
            std::vector<SchemaLivello> tenuti;
            const EsitoLivello e =
                GeneraALivello(r, [&](const SchemaLivello& s) { tenuti.push_back(s); });
            EXPECT_EQ(e.Tenuti, 2);
            EXPECT_TRUE(e.Errore.empty() && !e.Interrotta);
            ASSERT_EQ(tenuti.size(), 2u);
            EXPECT_EQ(tenuti[0].Candidati + tenuti[1].Candidati, tenuti[1].Candidato);
            for (const SchemaLivello& s : tenuti) {
                EXPECT_EQ(s.Livello, livello);
                EXPECT_EQ(s.Soluzione.size(), 49u);
                EXPECT_TRUE(RisolveSchema(s.S, s.Soluzione));
            }
            serie.push_back(tenuti);
        }
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(serie[0][i].Candidato, serie[1][i].Candidato) << livello;
            EXPECT_EQ(serie[0][i].Soluzione, serie[1][i].Soluzione) << livello;
        }
    }
}
