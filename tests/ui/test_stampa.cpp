// "Stampa" headless: the copy of the board into the print grid, cancel, and no islands.
#include "Partita.h"

#include <optional>

using namespace isolmar;

namespace {

// Keeps a copy of the print grid at the moment the window is printed.
struct PiattaformaStampa : PiattaformaHeadless {
    Form1* f = nullptr;
    std::optional<Griglia> Stampata;
    void StampaFinestra(const std::string& finestra) override {
        PiattaformaHeadless::StampaFinestra(finestra);
        if (f && f->F4) Stampata = f->F4->gs;
    }
};

} // namespace

TEST(Stampa, ThePrintGridCopiesTheBoardWithPrintColours) {
    PartitaSu<PiattaformaStampa> w(Schema{3, 4, {{2, 1, 1}, {3, 3, 4}}});
    w.p.f = &w.f;
    w.m.TblGioco(1, 2) = 1; // island
    w.m.TblGioco(2, 2) = 2; // wall; the rest undecided
    w.m.Ele[2].Marcata = 1; // the clue cell (3, 4) turns yellow on the board
    w.f.VisualizzaTblGioco();
    w.f.Gr.Seleziona(2, 3);
    w.f.Gr.ImpostaSfondo(Verdeacqua); // an overlay colour
    w.p.RisposteStampante = {true};
    w.f.tlb1_ButtonClick("Stampa");
    ASSERT_EQ(w.p.Stampe, std::vector<std::string>{"Form4"});
    ASSERT_TRUE(w.p.Stampata);
    EXPECT_FALSE(w.f.F4) << "the print window is unloaded afterwards";
    const Griglia &gs = *w.p.Stampata, &Gr = w.f.Gr;
    ASSERT_EQ(gs.Righe(), Gr.Righe());
    ASSERT_EQ(gs.Colonne(), Gr.Colonne());
    EXPECT_EQ(gs.Larghezza, Gr.Larghezza);
    EXPECT_EQ(gs.Altezza, Gr.Altezza);
    // Island and clue cells yellow, walls blue, everything else (overlay too) plain.
    const Colore predefinito = Griglia::Cella{}.Sfondo;
    const char* attesi[] = {"YY..", ".B..", "...."};
    for (int r = 1; r < Gr.Righe(); ++r) {
        EXPECT_EQ(gs.AltezzaRiga(r), Gr.AltezzaRiga(r));
        for (int c = 1; c < Gr.Colonne(); ++c) {
            SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
            const Griglia::Cella &a = gs.CellaIn(r, c), &b = Gr.CellaIn(r, c);
            const char x = attesi[r - 1][c - 1];
            EXPECT_EQ(a.Sfondo, x == 'Y' ? Giallo : x == 'B' ? Blu : predefinito);
            EXPECT_EQ(gs.LarghezzaColonna(c), Gr.LarghezzaColonna(c));
            EXPECT_TRUE(a.Testo == b.Testo && a.Font == b.Font && a.Dimensione == b.Dimensione &&
                        a.Allinea == b.Allinea);
        }
    }
    EXPECT_EQ(gs.CellaIn(3, 4).Testo, "3");
}

TEST(Stampa, CancelOrNoIslandsPrintsNothingAndSaysNothing) {
    Partita w;
    w.p.RisposteStampante = {true};
    w.f.tlb1_ButtonClick("Stampa"); // the empty board at start: the button does nothing
    EXPECT_EQ(w.p.RisposteStampante.size(), 1u) << "no dialog without islands";
    ASSERT_TRUE(w.f.CaricaSchema(Schema{2, 2, {{1, 1, 1}}}));
    w.p.RisposteStampante = {false};
    w.f.tlb1_ButtonClick("Stampa");
    EXPECT_TRUE(w.p.Stampe.empty());
    EXPECT_TRUE(w.p.Messaggi.empty());
    EXPECT_EQ(w.Label2(), "");
}
