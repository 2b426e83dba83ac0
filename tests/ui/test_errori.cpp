// Rule errors shown while playing: each kind found from the clues and the marks alone, the marks
// on the board following moves, undo, redo and the menu switch; the clock and its pause; the
// cells where the solutions found differ.
#include "Partita.h"

#include "ui/ErroriGioco.h"

using namespace isolmar;

namespace {

// A board as rows joined by '/': a digit is a clue, 'O' island, '#' wall, '.' undecided. The
// errors come back as one letter a cell: Q 2 x 2 wall, D two clues, G too large, P closed too
// small, S closed without a clue, M wall cut off, '-' none.
std::string Errori(const std::string& tavola) {
    Schema s{0, static_cast<int>(std::min(tavola.find('/'), tavola.size())), {}};
    std::string celle;
    for (char ch : tavola) {
        if (ch == '/') continue;
        const int k = static_cast<int>(celle.size());
        if (ch >= '1' && ch <= '9')
            s.Isole.push_back({ch - '0', k / s.Colonne + 1, k % s.Colonne + 1});
        celle += ch == 'O' ? '1' : ch == '#' ? '2' : '0';
    }
    s.Righe = static_cast<int>(celle.size()) / s.Colonne;
    static const std::pair<uint16_t, char> lettere[] = {
        {segni::Muro2x2, 'Q'},      {segni::DueIndizi, 'D'},         {segni::IsolaGrande, 'G'},
        {segni::IsolaPiccola, 'P'}, {segni::IsolaSenzaIndizio, 'S'}, {segni::MuroDiviso, 'M'}};
    std::string esito;
    const std::vector<uint16_t> e = ErroriGioco(s, celle);
    for (size_t i = 0; i < e.size(); ++i) {
        if (i > 0 && i % s.Colonne == 0) esito += '/';
        esito += '-';
        for (auto [bit, ch] : lettere)
            if (e[i] & bit) esito.back() = ch;
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
        {"a wall joined through undecided cells", "#1./..#/...", "---/---/---"},
        {"correct partial board", "2O#../#..../1..../..6../.....", "-----/-----/-----/-----/-----"},
        {"solved board", "2O###/###O#/1#OO#/#O6O#/#####", "-----/-----/-----/-----/-----"},
        {"nothing told yet", "2..../...../1..../..6../.....", "-----/-----/-----/-----/-----"},
    };
    for (const auto& k : casi)
        EXPECT_EQ(Errori(k.tavola), k.errori) << k.caso;
    EXPECT_EQ(DescriviErrori(segni::Muro2x2 | segni::MuroDiviso | segni::Punto),
              "Blocco 2 x 2 di muro\nMuro separato dal resto del muro");
}

// The board's marks row by row: 'E' an error, 'o' the dot alone, 'd' differs, '-' none.
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
    Partita g(Unico); // clues 2 at (1, 1), 1 at (3, 1), 6 at (4, 3)
    g.Isola({{2, 2}});
    EXPECT_EQ(Segni(g), "------o------------------"); // a dot, and no dot on the clues
    g.Disegna("...../.O###/...##");
    const std::string quadrato = "-----"
                                 "-o-EE"
                                 "---EE"
                                 "-----"
                                 "-----";
    EXPECT_EQ(Segni(g), quadrato);
    g.Annulla(); // (3, 5) undecided again: no block left
    EXPECT_EQ(Segni(g), "------o------------------");
    g.f.Clic("mnuRipeti");
    EXPECT_EQ(Segni(g), quadrato);
    g.f.Clic("mnuMostraErrori");
    EXPECT_FALSE(g.f.MostraErrori);
    EXPECT_EQ(Segni(g), "------o------------------");
    g.f.Clic("mnuMostraErrori");
    EXPECT_EQ(Segni(g), quadrato);
}

TEST(Orologio, CountsPlayNotTheMinimisedTimeAndStopsWhenSolved) {
    Partita g(Unico);
    g.p.FissaOrologio(1000);
    g.f.NuovaPartita();
    g.p.AvanzaOrologio(30);
    g.f.PausaGioco(true);
    g.p.AvanzaOrologio(600);
    EXPECT_EQ(g.f.TestoOrologio(), "0:30 · 0 mosse");
    g.f.PausaGioco(false);
    g.p.AvanzaOrologio(3600);
    g.Disegna(SoluzioneUnico);
    g.p.EseguiTimer();
    const std::string fine = "1:00:30 · " + std::to_string(g.m.NumMosseGioco) + " mosse";
    EXPECT_EQ(g.f.TestoOrologio(), fine);
    EXPECT_NE(g.p.Messaggi.at(0).find("in 1:00:30"), std::string::npos);
    g.p.AvanzaOrologio(50); // solved: the clock stays
    EXPECT_EQ(g.f.TestoOrologio(), fine);
    EXPECT_EQ(Partita().f.TestoOrologio(), ""); // no puzzle
}

TEST(SoluzioniDiverse, TheMarkedCellsAreThoseWhereTheSolutionsFoundDiffer) {
    Partita g(DueSoluzioni);
    g.f.Clic("CommandSoluz3");
    ASSERT_EQ(g.m.NumSol, 2);
    for (int n = 0; n < 2; ++n) {
        std::string atteso;
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                atteso += (g.m.Tblsol(1, r, c) == 1) != (g.m.Tblsol(2, r, c) == 1) ? 'd' : '-';
        EXPECT_EQ(Segni(g), atteso);
        EXPECT_EQ(atteso, "-dd-"); // the clue's partner: right or below
        g.f.Clic("CommandSoluzPiu");
    }
    g.f.Clic("CommandVisgioco"); // the game again: no difference marked
    EXPECT_EQ(Segni(g), "----");
}

} // namespace
