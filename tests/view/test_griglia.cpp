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
