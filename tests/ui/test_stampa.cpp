// "Stampa" headless: the copy of the board into the print grid, cancel, and no islands.
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "ui/Form1.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

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

struct Finestra {
    PiattaformaStampa p;
    Form1 f{p};
    Finestra() {
        p.f = &f;
        f.Form_Load();
        f.Form_Activate();
    }
};

} // namespace

TEST(Stampa, ThePrintGridCopiesTheBoardWithPrintColours) {
    Finestra w;
    ASSERT_TRUE(w.f.CaricaSchema(Schema{3, 4, {{2, 1, 1}, {3, 3, 4}}}));
    Modello& m = w.f.m;
    m.TblGioco(1, 2) = 1; // island
    m.TblGioco(2, 2) = 2; // wall; the rest undecided
    m.Ele[2].Marcata = 1; // the clue cell (3, 4) turns yellow on the board
    w.f.VisualizzaTblGioco();
    w.f.Gr.Seleziona(2, 3);
    w.f.Gr.ImpostaSfondo(Verdeacqua); // an overlay colour
    w.p.RisposteStampante = {true};
    w.f.tlb1_ButtonClick("Stampa");
    ASSERT_EQ(w.p.Stampe, std::vector<std::string>{"Form4"});
    ASSERT_TRUE(w.p.Stampata);
    EXPECT_FALSE(w.f.F4) << "the print window is unloaded afterwards";
    const Griglia& gs = *w.p.Stampata;
    const Griglia& Gr = w.f.Gr;
    ASSERT_EQ(gs.Righe(), Gr.Righe());
    ASSERT_EQ(gs.Colonne(), Gr.Colonne());
    EXPECT_EQ(gs.Larghezza, Gr.Larghezza);
    EXPECT_EQ(gs.Altezza, Gr.Altezza);
    EXPECT_EQ(gs.AltezzaRiga(0), 30);
    EXPECT_EQ(gs.LarghezzaColonna(0), 30);
    const Colore predefinito = Griglia::Cella{}.Sfondo;
    const struct {
        int r, c;
        Colore atteso;
    } casi[] = {{1, 1, Giallo},      {1, 2, Giallo},      {2, 2, Blu},        {1, 3, predefinito},
                {3, 4, predefinito}, {2, 3, predefinito}, {3, 3, predefinito}};
    for (const auto& k : casi)
        EXPECT_EQ(gs.CellaIn(k.r, k.c).Sfondo, k.atteso) << k.r << "," << k.c;
    for (int r = 1; r < Gr.Righe(); ++r) {
        EXPECT_EQ(gs.AltezzaRiga(r), Gr.AltezzaRiga(r));
        for (int c = 1; c < Gr.Colonne(); ++c) {
            EXPECT_EQ(gs.LarghezzaColonna(c), Gr.LarghezzaColonna(c));
            const Griglia::Cella &a = gs.CellaIn(r, c), &b = Gr.CellaIn(r, c);
            EXPECT_EQ(a.Testo, b.Testo);
            EXPECT_EQ(a.Font, b.Font);
            EXPECT_EQ(a.Dimensione, b.Dimensione);
            EXPECT_EQ(a.Allinea, b.Allinea);
        }
    }
    EXPECT_EQ(gs.CellaIn(3, 4).Testo, "3");
    EXPECT_EQ(gs.CellaIn(3, 4).Dimensione, 9.0f);
}

TEST(Stampa, CancelOrNoIslandsPrintsNothingAndSaysNothing) {
    Finestra w;
    w.p.RisposteStampante = {true};
    w.f.tlb1_ButtonClick("Stampa"); // the empty board at start: the button does nothing
    EXPECT_EQ(w.p.RisposteStampante.size(), 1u) << "no dialog without islands";
    ASSERT_TRUE(w.f.CaricaSchema(Schema{2, 2, {{1, 1, 1}}}));
    w.p.RisposteStampante = {false};
    w.f.tlb1_ButtonClick("Stampa");
    EXPECT_TRUE(w.p.Stampe.empty());
    EXPECT_TRUE(w.p.Messaggi.empty());
    EXPECT_EQ(w.p.Testo("Label2"), "");
}
