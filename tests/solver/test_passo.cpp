// One pass of the direct rules, as the deductions and the explanation share it.
#include "model/Impostazione.h"
#include "solver/Regole.h"
#include "solver/RegoleDirette.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace isolmar;
using namespace isolmar::prova;

namespace {

size_t Posto(CodiceLog c) {
    const auto it = std::find_if(RegoleDirette.begin(), RegoleDirette.end(),
                                 [c](const RegolaDiretta& r) { return r.Codice == c; });
    return static_cast<size_t>(it - RegoleDirette.begin());
}

// Passes to the end of the direct rules on the published puzzles: within a pass the rules
// conclude in table order, a restarting rule ends it (IIN's conclusions keep APP from running),
// and the answer says whether one did. A stop asked after the first rule ends the pass there.
TEST(PassoDiretto, RulesRunInTableOrderAndARestartingRuleEndsThePass) {
    int ricominciate = 0, fermate = 0;
    for (const Pubblicato& x : PuzzlePubblicati()) {
        std::unique_ptr<Modello> m = NuovoModello();
        Griglia Gr;
        PiattaformaHeadless p;
        Risolutore s{*m, Gr, p};
        GeneraTessere(*m, 7);
        ASSERT_TRUE(ApplicaSchema(*m, x.S));
        VerificaTutteTessere(*m, p);
        InizializzaSchema(*m, Gr, p);
        m->NoColori = Vero;
        s.SortaEle("A");
        s.InizializzaMossePossibili();
        std::vector<CodiceLog> codici;
        const Risolutore::Ascolto a{[&](CodiceLog c, int, int, int) {
                                        codici.push_back(c);
                                        return true;
                                    },
                                    [&](int e, int32_t mossa) {
                                        Isola& i = m->Ele[e];
                                        const Mossa& mo = m->Mosse[mossa];
                                        i.Tessera = mo.Tessera;
                                        i.TessRiga = mo.TessRiga;
                                        i.TessColonna = mo.TessColonna;
                                        s.InserisciOTogli(i.Riga, i.Colonna, i.Tessera, i.TessRiga,
                                                          i.TessColonna, "I");
                                    }};
        for (int passo = 0; passo < 100; ++passo) {
            codici.clear();
            const bool ferma = passo % 2 == 1; // a stop after the first rule, every other pass
            const bool ancora = PassoDiretto(s, a, [&] { return ferma; });
            EXPECT_TRUE(std::is_sorted(codici.begin(), codici.end(), [](CodiceLog u, CodiceLog v) {
                return Posto(u) < Posto(v);
            })) << x.Nome;
            const auto r = std::find_if(codici.begin(), codici.end(), [](CodiceLog c) {
                return RegoleDirette[Posto(c)].Ricomincia;
            });
            EXPECT_TRUE(std::all_of(r, codici.end(), [&](CodiceLog c) { return c == *r; }))
                << x.Nome;
            if (ferma) {
                EXPECT_TRUE(ancora) << x.Nome;
                for (CodiceLog c : codici)
                    EXPECT_EQ(c, RegoleDirette[0].Codice) << x.Nome;
                fermate += !codici.empty();
                continue;
            }
            EXPECT_EQ(ancora, r != codici.end()) << x.Nome;
            ricominciate += ancora;
            if (!ancora) break;
        }
    }
    EXPECT_GT(ricominciate, 0);
    EXPECT_GT(fermate, 0);
}

} // namespace
