// The grid class the boards are kept in.
#include "view/Griglia.h"

#include <gtest/gtest.h>

using namespace isolmar;

// Properties are set and read on the selected cell; resizing keeps cells and sizes; redraw
// resumes with one notification.
TEST(Griglia, SelectedCellPropertiesResizingAndRedraw) {
    Griglia g;
    g.ImpostaRighe(4);
    g.ImpostaColonne(3);
    g.Seleziona(3, 2);
    g.ImpostaTesto("7");
    g.ImpostaSfondo(0x00C0C000);
    g.ImpostaFont("Wingdings");
    g.ImpostaGrassetto(true);
    g.Seleziona(1, 1);
    EXPECT_EQ(g.Testo(), "");
    g.Seleziona(3, 2);
    EXPECT_EQ(g.Testo() + "|" + g.Font(), "7|Wingdings");
    EXPECT_EQ(g.Sfondo(), 0x00C0C000u);
    EXPECT_TRUE(g.Grassetto());
    EXPECT_EQ(&g.CellaIn(3, 2).Testo, &g.Testo());
    // Totals include the fixed row and column.
    const int altezze[] = {0, 500, 300, 0}, larghezze[] = {100, 500, 0};
    for (int r = 0; r < 4; ++r)
        g.ImpostaAltezzaRiga(r, altezze[r]);
    for (int c = 0; c < 3; ++c)
        g.ImpostaLarghezzaColonna(c, larghezze[c]);
    EXPECT_EQ(g.SommaAltezze() * 10000 + g.SommaLarghezze(), 8000600);

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

    int notifiche = 0;
    g.SuRidisegno([&] { ++notifiche; });
    g.ImpostaRidisegno(false);
    g.ImpostaSfondo(0xFF0000);
    EXPECT_EQ(notifiche, 0);
    EXPECT_FALSE(g.Ridisegno());
    g.ImpostaRidisegno(true);
    EXPECT_EQ(notifiche, 1);
    EXPECT_TRUE(g.Ridisegno());
}
