// The grid class the boards are kept in. (What the window writes in its cells, the totals of its
// sizes and its redraw notice are read back by the model and window tests.)
#include "view/Griglia.h"

#include <gtest/gtest.h>

using namespace isolmar;

// Resizing keeps the cells and sizes kept, new cells take the grid's text colour, the selection
// follows a cut; a cell outside the grid is refused.
TEST(Griglia, ResizingKeepsCellsAndCellsOutsideAreRefused) {
    Griglia g;
    g.ImpostaRighe(4);
    g.ImpostaColonne(3);
    g.Seleziona(3, 2);
    g.ImpostaTesto("7");
    g.ImpostaLarghezzaColonna(1, 500);
    g.ColoreTestoGriglia = 0x123456;
    g.ImpostaColonne(6);
    g.ImpostaRighe(5);
    EXPECT_EQ(g.Righe() * 10 + g.Colonne(), 56);
    EXPECT_EQ(g.CellaIn(3, 2).Testo, "7");
    EXPECT_EQ(g.CellaIn(4, 5).ColoreTesto, 0x123456u);
    EXPECT_EQ(g.LarghezzaColonna(1), 500);
    g.ImpostaColonne(1); // the move strip is cut to one column
    EXPECT_EQ(g.Colonne() * 10 + g.Colonna(), 10);
    EXPECT_THROW(g.Seleziona(0, 1), std::out_of_range);
    EXPECT_THROW(g.Seleziona(5, 0), std::out_of_range);
    EXPECT_THROW(g.ImpostaRighe(0), std::out_of_range);
}

// A state paints its fill (and the generator's count its text colour too) and is kept beside
// it; a fill set directly has no board meaning; a highlighted clue is known by its cell.
TEST(Griglia, StateGivesTheLookAndIsKeptBesideIt) {
    const struct {
        StatoCella s;
        Colore sfondo, testo;
        bool bianca;
    } casi[] = {
        {StatoCella::Vuota, 0xFFFFFF, 0x123456, true},
        {StatoCella::Indecisa, 0xC0C0C0, 0x123456, false},
        {StatoCella::Isola, 0xFFFFFF, 0x123456, true},
        {StatoCella::Indizio, 0xFFFFFF, 0x123456, true},
        {StatoCella::IndizioMarcato, 0x00FFFF, 0x123456, false},
        {StatoCella::Muro, 0xFF0000, 0x123456, false},
        {StatoCella::Sbagliata, 0x0000FF, 0x123456, false},
        {StatoCella::EvidenzaIsola, 0x00FFFF, 0x123456, false},
        {StatoCella::EvidenzaMuro, 0xC0C000, 0x123456, false},
        {StatoCella::Visitata, 0x0000FF, 0x00FF00, false},
        {StatoReplay(1), 0x80FF80, 0x123456, false},
        {StatoReplay(7), 0x60C0FF, 0x123456, false},
    };
    for (const auto& k : casi) {
        Griglia g;
        g.ImpostaColoreTesto(0x123456);
        g.ImpostaStato(k.s);
        EXPECT_EQ(g.Sfondo(), k.sfondo);
        EXPECT_EQ(g.ColoreTesto(), k.testo);
        EXPECT_EQ(g.Stato(), k.s);
        EXPECT_EQ(StatoBianco(k.s), k.bianca);
        g.ImpostaSfondo(k.sfondo);
        EXPECT_EQ(g.Stato(), StatoCella::Colorata);
    }
    // A highlighted clue is known as such until its text colour is set again.
    Griglia g;
    g.EvidenziaIndizio();
    EXPECT_TRUE(g.Evidenziato() && g.ColoreTesto() == 0xFF00FF && g.Dimensione() == 12);
    g.ImpostaDimensione(16);
    EXPECT_TRUE(g.Evidenziato());
    g.ImpostaColoreTesto(0xFF00FF);
    EXPECT_FALSE(g.Evidenziato());
}
