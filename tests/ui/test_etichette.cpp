// The labels a person reads: times with their unit, counts in words, a new message that replaces
// the old, the time bar emptied after the work, and message boxes whose icon fits.
#include "Partita.h"
#include "view/Etichette.h"

#include <cmath>
#include <fstream>

using namespace isolmar;

namespace {
const Schema Quattro{3, 3, {{2, 2, 2}}}; // the centre and any one of its four neighbours
} // namespace

TEST(Etichette, DurationsAndCountsReadAsAnItalianReaderReadsThem) {
    const std::pair<double, const char*> durate[] = {{0, "0 s"},
                                                     {-3, "0 s"},
                                                     {NAN, "0 s"},
                                                     {0.0004, "0 s"},
                                                     {0.0120000000006257, "0,012 s"},
                                                     {0.5, "0,5 s"},
                                                     {0.9996, "1 s"},
                                                     {6.66599999999926, "6,7 s"},
                                                     {14.537, "14,5 s"},
                                                     {59.96, "1 min"},
                                                     {65.4, "1 min 5 s"},
                                                     {3599.6, "1 h"},
                                                     {3725, "1 h 2 min"}};
    for (auto [secondi, testo] : durate)
        EXPECT_EQ(TestoDurata(secondi), testo) << secondi;
    EXPECT_EQ(TestoQuanti(1, "tentativo", "tentativi"), "1 tentativo");
    EXPECT_EQ(TestoQuanti(21, "tentativo", "tentativi"), "21 tentativi");
    EXPECT_EQ(TestoQuanti(0, "tentativo", "tentativi"), "0 tentativi");
}

// The generator's time and attempts; the solve time, with its unit; a later command with a
// message of its own takes the earlier time away, one that says nothing new leaves it; the time
// bar, moved by the work, is empty afterwards.
TEST(Etichette, TimesHaveUnitsAndGoWithTheMessageTheyBelongTo) {
    Partita g;
    g.p.FissaOrologio(1000);
    g.f.Gen.ImpostaSeme(11);
    g.p.DopoCessioni(0, [&] { g.p.AvanzaOrologio(6.666); });
    g.f.Clic("CommandGenera");
    ASSERT_EQ(g.m.NumSol, 1);
    const int tentativi = g.f.Gen.Statistica().Tentativi;
    EXPECT_EQ(g.p.Testo(controlli::Label1), "6,7 s, " + std::to_string(tentativi) +
                                                (tentativi == 1 ? " tentativo" : " tentativi"));
    EXPECT_EQ(g.p.ValoreBarra, 0);

    const struct {
        const char* passo;
        std::function<void()> fai;
        const char *label1, *label2;
    } passi[] = {
        // No generator time beside the new message.
        {"Soluz. Mult.", [&] { g.f.Clic("CommandSoluz3"); }, "", "Esiste una sola soluzione"},
        {"Soluzione", [&] { g.f.Clic("CommandSoluz"); }, "0 s", "Soluzione schema"}, // known
        {"nothing to undo", [&] { g.f.tlb1_ButtonClick("Undo"); }, "0 s", "Soluzione schema"},
        {"Esc with nothing running", [&] { g.f.Form_KeyPress(27); }, "0 s", "Soluzione schema"},
        {"back to the game", [&] { g.f.Clic("CommandVisgioco"); }, "", ""},
    };
    for (const auto& s : passi) {
        s.fai();
        EXPECT_EQ(g.p.Testo(controlli::Label1), s.label1) << s.passo;
        EXPECT_EQ(g.Label2(), s.label2) << s.passo;
    }

    // A search of 20 s moves the bar; it is empty when the search is over.
    Partita w("janko-0870");
    w.m.NumSol = 0;
    w.p.FissaOrologio(1000);
    int durante = 0;
    w.p.DopoCessioni(0, [&] {
        w.p.AvanzaOrologio(20);
        w.p.DopoCessioni(50, [&] { durante = w.p.ValoreBarra; });
    });
    w.f.Clic("CommandSoluz");
    EXPECT_EQ(durante, 20);
    EXPECT_EQ(w.p.Testo(controlli::Label1), "20 s");
    EXPECT_EQ(w.p.ValoreBarra, 0);
}

// Browsing what "Soluz. Mult." found: an exact count when it found fewer than it looks for, "at
// least" when it stopped at its limit.
TEST(Etichette, MultipleSolutionsSayAtLeastWhenTheSearchStoppedAtItsLimit) {
    const struct {
        const Schema& schema;
        int trovate;
        const char *prima, *seconda;
    } casi[] = {
        {DueSoluzioni, 2, "Soluzione 1 di  2", "Soluzione 2 di  2"},
        {Quattro, 3, "Soluzione 1 di almeno 3 soluzioni", "Soluzione 2 di almeno 3 soluzioni"},
    };
    for (const auto& k : casi) {
        Partita w(k.schema);
        w.f.Clic("CommandSoluz3");
        EXPECT_EQ(w.m.NumSol, k.trovate);
        EXPECT_EQ(w.Label2(), k.prima);
        w.f.Clic("CommandSoluzPiu");
        EXPECT_EQ(w.Label2(), k.seconda);
    }
}

// A refusal warns, a failure or bad input is an error; answers and questions keep their icon.
TEST(Etichette, MessageBoxesWarnOfRefusalsAndShowErrorsAsErrors) {
    const std::string rotto = testing::TempDir() + "isolmar-etichette-rotto.xml";
    std::ofstream(rotto) << "<NURIKABE><righe>x</righe>";
    const struct {
        const char* caso;
        std::function<void(Partita&)> fai;
        Icona icona;
    } casi[] = {
        {"nothing to save", [](Partita& w) { w.f.Clic("CmdSalvaxml"); }, Icona::Avviso},
        {"a file refused", [&](Partita& w) { w.f.ApriFile(rotto); }, Icona::Errore},
        {"limits wrong",
         [](Partita& w) {
             w.m.NumRighe = 0;
             w.f.Gen.Genera();
         },
         Icona::Errore},
        {"two solutions",
         [](Partita& w) {
             ASSERT_TRUE(w.f.CaricaSchema(DueSoluzioni));
             w.f.Clic("CmdLog");
         },
         Icona::Avviso},
        {"the level",
         [](Partita& w) {
             ASSERT_TRUE(w.f.CaricaSchema(Unico));
             w.f.tlb1_ButtonClick("Valuta");
         },
         Icona::Predefinita},
    };
    for (const auto& k : casi) {
        Partita w;
        k.fai(w);
        ASSERT_EQ(w.p.Icone.size(), 1u) << k.caso;
        EXPECT_EQ(w.p.Icone[0], k.icona) << k.caso << ": " << w.p.Messaggi[0];
    }
}
