// Generating at a level: the same puzzles, in the same order, whatever the number of jobs and
// however the series is split by index.
#include "generator/Livello.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

using namespace isolmar;

TEST(Livello, KeptPuzzlesDependOnTheSeedAndIndexOnly) {
    for (const int livello : {0, 2}) {
        // One run of three puzzles with one job, the same with three jobs, and the series split
        // in two runs: puzzle 1, then puzzles 2 and 3.
        const struct {
            int lavori;
            long primo;
            int quanti;
        } corse[] = {{1, 1, 3}, {3, 1, 3}, {2, 1, 1}, {2, 2, 2}};
        std::vector<std::vector<SchemaLivello>> serie(3);
        for (size_t n = 0; n < std::size(corse); ++n) {
            const auto& c = corse[n];
            RichiestaLivello r;
            r.Righe = r.Colonne = 7;
            r.Livello = livello;
            r.Quanti = c.quanti;
            r.PrimoIndice = c.primo;
            r.Lavori = c.lavori;
            r.Seme = 42;
            std::vector<SchemaLivello> tenuti;
            const EsitoLivello e =
                GeneraALivello(r, [&](const SchemaLivello& s) { tenuti.push_back(s); });
            EXPECT_EQ(e.Tenuti, c.quanti);
            EXPECT_TRUE(e.Errore.empty() && !e.Interrotta);
            ASSERT_EQ(tenuti.size(), size_t(c.quanti));
            long candidati = 0;
            for (size_t k = 0; k < tenuti.size(); ++k) {
                const SchemaLivello& s = tenuti[k];
                EXPECT_EQ(s.Indice, c.primo + long(k));
                EXPECT_EQ(s.Livello, livello);
                EXPECT_TRUE(RisolveSchema(s.S, s.Soluzione));
                candidati += s.Candidati;
                serie[std::min<size_t>(n, 2)].push_back(s);
            }
            if (c.lavori == 1) { // none wasted with one job
                EXPECT_EQ(candidati, e.Candidati);
            }
        }
        for (const auto& altra : {serie[1], serie[2]}) {
            ASSERT_EQ(altra.size(), 3u);
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(altra[i].Indice, serie[0][i].Indice) << livello;
                EXPECT_EQ(altra[i].Candidati, serie[0][i].Candidati) << livello;
                EXPECT_EQ(altra[i].Soluzione, serie[0][i].Soluzione) << livello;
            }
        }
    }
}
