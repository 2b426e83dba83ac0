// Rule errors while playing: each kind found from clues and marks alone; the board's marks after
// moves, undo, redo and the switch; the clock and its pause; where the solutions found differ.
#include "Partita.h"

#include "ui/ErroriGioco.h"

using namespace isolmar;

namespace {

// A board as rows joined by '/' (a digit a clue, 'O' island, '#' wall, '.' undecided); its
// errors as a letter a cell: Q 2 x 2 wall, D two clues, G too large, P closed too small,
// S closed without a clue, M wall cut off, '-' none.
std::string Errori(std::string tavola) {
    Schema s{0, static_cast<int>(tavola.find('/')), {}};
    std::erase(tavola, '/');
    std::string celle, esito;
    for (int k = 0; k < static_cast<int>(tavola.size()); ++k) {
        if (std::isdigit(tavola[k]))
            s.Isole.push_back({tavola[k] - '0', k / s.Colonne + 1, k % s.Colonne + 1});
        celle += tavola[k] == 'O' ? '1' : tavola[k] == '#' ? '2' : '0';
    }
    s.Righe = static_cast<int>(celle.size()) / s.Colonne;
    const std::vector<uint16_t> e = ErroriGioco(s, celle);
    for (size_t i = 0; i < e.size(); ++i) {
        esito += i > 0 && i % s.Colonne == 0 ? "/-" : "-";
        for (int b = 0; b < 6; ++b)
            if (e[i] & (segni::Muro2x2 << b)) esito.back() = "QDGPSM"[b];
    }
    return esito;
}

TEST(ErroriGioco, EachKindOnItsCellsAndNoneWhereNothingIsWrongYet) {
    const struct {
        const char *caso, *tavola, *errori;
    } casi[] = {
        {"2 x 2 wall", "1##/.##/...", "-QQ/-QQ/---"},
        {"two clues", "2O1/.../...", "DDD/---/---"},
        {"larger than its clue", "2OO/.../...", "GGG/---/---"},
        {"open and smaller: not yet", "3O./.../...", "---/---/---"},
        {"closed and smaller", "3#./##./...", "P--/---/---"},
        {"closed without a clue", "#O#/.#./1..", "-S-/---/---"},
        {"wall cut off from the larger wall", "#1./1##/...", "M--/---/---"},
        {"two walls apart, neither larger", "#1./1#./...", "M--/-M-/---"},
        {"walls joined through undecided cells", "#1./..#/...", "---/---/---"},
        {"correct partial board", "2O#../#..../1..../..6../.....", "-----/-----/-----/-----/-----"},
        {"solved board", "2O###/###O#/1#OO#/#O6O#/#####", "-----/-----/-----/-----/-----"},
        {"nothing told yet", "2..../...../1..../..6../.....", "-----/-----/-----/-----/-----"},
    };
    for (const auto& k : casi)
        EXPECT_EQ(Errori(k.tavola), k.errori) << k.caso;
    EXPECT_EQ(DescriviErrori(segni::Muro2x2 | segni::MuroDiviso | segni::Punto),
              "Blocco 2 x 2 di muro\nMuro separato dal resto del muro");
}

// The board's marks row by row: 'E' an error, 'd' differs, 'o' the dot alone, '-' none.
std::string Segni(const Partita& g) {
    std::string s;
    for (int r = 1; r <= g.m.NumRighe; ++r)
        for (int c = 1; c <= g.m.NumColonne; ++c) {
            const uint16_t x = g.f.Gr.CellaIn(r, c).Segni;
            s += x & segni::Errori ? 'E' : x & segni::Diversa ? 'd' : x & segni::Punto ? 'o' : '-';
        }
    return s;
}

TEST(ErroriGioco, TheBoardFollowsMovesUndoRedoAndTheSwitch) {
    Partita g(Unico); // clues at (1, 1), (3, 1), (4, 3): no dot there
    g.Disegna("...../.O###/...##");
    const std::string quadrato = "------o-EE---EE----------", punto = "------o------------------";
    const struct {
        const char* comando;
        const std::string& segni;
    } passi[] = {{"", quadrato},
                 {"Undo", punto},
                 {"mnuRipeti", quadrato},
                 {"mnuMostraErrori", punto},
                 {"mnuMostraErrori", quadrato}};
    for (const auto& k : passi) {
        if (std::string(k.comando) == "Undo")
            g.Annulla();
        else if (*k.comando)
            g.f.Clic(k.comando);
        EXPECT_EQ(Segni(g), k.segni) << k.comando;
    }
}

TEST(Orologio, CountsPlayNotTheMinimisedTimeAndStopsWhenSolved) {
    Partita g(Unico);
    EXPECT_EQ(Partita().f.TestoOrologio(), ""); // no puzzle
    g.p.FissaOrologio(1000);
    g.f.NuovaPartita();
    g.p.AvanzaOrologio(30);
    g.f.PausaGioco(true);
    g.p.AvanzaOrologio(600);
    EXPECT_EQ(g.f.TestoOrologio(), "0:30 · 0 mosse");
    g.f.PausaGioco(false);
    g.p.AvanzaOrologio(3600);
    g.Disegna(SoluzioneUnico);
    g.p.AvanzaOrologio(50); // solved: the clock stays
    EXPECT_EQ(g.f.TestoOrologio(), "1:00:30 · 22 mosse");
    EXPECT_EQ(g.Label2(), "Schema risolto! 22 mosse in 1:00:30");
}

TEST(SoluzioniDiverse, TheMarkedCellsAreThoseWhereTheSolutionsFoundDiffer) {
    Partita g(DueSoluzioni); // a 2 beside or below the clue cell
    g.f.Clic("CommandSoluz3");
    ASSERT_EQ(g.m.NumSol, 2);
    std::string differ;
    for (int k = 0; k < 4; ++k)
        differ +=
            g.m.Tblsol(1, 1 + k / 2, 1 + k % 2) == g.m.Tblsol(2, 1 + k / 2, 1 + k % 2) ? '-' : 'd';
    EXPECT_EQ(differ, "-dd-");
    for (int n = 0; n < 2; ++n, g.f.Clic("CommandSoluzPiu"))
        EXPECT_EQ(Segni(g), differ);
    g.f.Clic("CommandVisgioco"); // the game again: nothing marked
    EXPECT_EQ(Segni(g), "----");
}

} // namespace
