// Esc and the time limit on the largest board: 49 clues of 9 on a 50 x 50 grid, no solution and
// millions of placements. Wherever the stop falls (tables, direct rules, a hypothesis, the
// search) the rating, the full explanation and the search return having finished no more than
// the work in progress: a bounded number of further yields, and nothing claimed complete.
#include "explain/Spiegazione.h"
#include "ui/Partita.h"
#include "ui/Testi.h"

#include <algorithm>
#include <functional>

using namespace isolmar;

namespace {

Schema Reticolo() {
    Schema s{50, 50, {}};
    for (int r = 4; r <= 46; r += 7)
        for (int c = 4; c <= 46; c += 7)
            s.Isole.push_back({9, r, c});
    return s;
}

// Counts the shapes the solver places and removes (it asks about the animation at each one), and
// the most of them between two yields.
struct Contata : PiattaformaHeadless {
    mutable long Posate = 0;
    long TraCessioni = 0;
    bool Animazione() const override { return ++Posate, false; }
    void Cedi() override {
        TraCessioni = std::max(TraCessioni, Posate - ultima_);
        ultima_ = Posate;
        PiattaformaHeadless::Cedi();
    }

  private:
    long ultima_ = 0;
};

struct Fermata : PartitaSu<Contata> {
    using PartitaSu::PartitaSu;
    long PosateAlFermo = 0;
    long AlFermo = -1; // yields when TempoScaduto was set
    // TempoScaduto at the dopo-th yield after quando() first holds.
    void FermaQuando(std::function<bool()> quando, long dopo) {
        p.DopoCessioni(0, [this, quando, dopo] {
            if (!quando())
                FermaQuando(quando, dopo);
            else
                p.DopoCessioni(dopo, [this] {
                    m.TempoScaduto = 1;
                    AlFermo = p.Cessioni;
                    PosateAlFermo = p.Posate;
                });
        });
    }
    // The yields that placing and removing one shape (up to 28 cells with its ring) may take,
    // for so many shapes, on the lists as built.
    long Forme(int n) const {
        int32_t lista = 0;
        for (int x = 1; x <= MaxRighe * MaxRighe; ++x)
            lista = std::max(lista, m.InizioCopre[x + 1] - m.InizioCopre[x]);
        return 2L * n * 28 * lista / static_cast<long>(Risolutore::PassiPerCessione) + 3;
    }
};

} // namespace

TEST(Fermate, RatingExplanationAndSearchStopPromptlyOnTheLargestBoard) {
    struct Caso {
        const char* Cosa;
        int Modo; // 0 rating, 1 full explanation, 2 search
        std::function<bool(const Fermata&)> Quando;
        long Dopo;
    };
    auto subito = [](const Fermata&) { return true; };
    auto inIpotesi = [](const Fermata& f) { return f.m.NumEle < f.m.svNumEle; };
    auto inRicerca = [](const Fermata& f) { return f.m.NumProve > 0; };
    for (const Caso& c : {Caso{"tables", 0, subito, 200}, Caso{"hypothesis", 0, inIpotesi, 300},
                          Caso{"hypothesis", 1, inIpotesi, 5}, Caso{"tables", 2, subito, 5000},
                          Caso{"search", 2, inRicerca, 100}}) {
        SCOPED_TRACE(std::string(c.Cosa) + " " + std::to_string(c.Modo));
        Fermata f(Reticolo());
        f.FermaQuando([&] { return c.Quando(f); }, c.Dopo);
        RelatoreMuto muto;
        if (c.Modo < 2) {
            ASSERT_TRUE(f.f.Spieg.EseguiLog(muto, c.Modo == 0));
            EXPECT_TRUE(f.f.Spieg.Interrotta);
            EXPECT_EQ(f.f.Spieg.LivelloLog, 0); // no "3 or more" from a stopped level 2
            EXPECT_LT(f.f.Spieg.CelleDecise(), 2500);
        } else {
            ASSERT_TRUE(f.f.Ris.SoluzioneStart(1));
            EXPECT_EQ(f.m.NumSol, 0);
        }
        ASSERT_GE(f.AlFermo, 0);
        // The run went on only to finish the shapes it had in hand: one in the explanation,
        // every placed island's in the search.
        EXPECT_LE(f.p.Cessioni - f.AlFermo, f.Forme(c.Modo < 2 ? 1 : f.m.NumEle))
            << f.p.Cessioni - f.AlFermo;
        EXPECT_LE(f.p.Posate - f.PosateAlFermo, 2) << f.p.Posate - f.PosateAlFermo;
        // And up to the stop a yield every so many steps: both place a shape on row masks.
        EXPECT_LE(f.p.TraCessioni, 2 * long(Risolutore::PassiPerCessione)) << f.p.TraCessioni;
    }
}

// A puzzle whose placement tables would pass the limit is refused before its lists are built,
// with the message that names the limit, by the search, the rating and the full explanation.
TEST(Fermate, TablesOverTheLimitAreRefusedBeforeTheyAreBuilt) {
    Fermata f(Reticolo());
    f.f.Ris.LimiteTabelle = 100 << 20; // this board needs about 184 MB
    f.f.tlb1_ButtonClick("Valuta");
    f.f.tlb1_ButtonClick("Mostra");
    EXPECT_EQ(f.p.Messaggi, std::vector<std::string>(2, TestoTroppoGrande));
    EXPECT_EQ(f.m.Copre.capacity(), 0u);
    f.f.CommandSoluz_Click();
    EXPECT_EQ(f.p.Testo(controlli::Label2), TestoTroppoGrande);
    EXPECT_TRUE(f.m.MossePiene && f.m.ListePiene);
    f.f.Ris.LimiteTabelle = 200 << 20; // enough: the next run builds them exactly
    f.f.Ris.InizializzaMossePossibili();
    EXPECT_FALSE(f.m.MossePiene);
    EXPECT_EQ(f.m.Copre.size(), 8u * static_cast<size_t>(f.m.NumMosse));
}
