// Puzzles the search over shapes cannot take (a clue over 9, a board over 50 columns, more than
// 50 islands): played to the end in the window, checked against the stored solution, solved by
// the SAT engine, and the explanation refused with its reason while the puzzle stays.
#include "Partita.h"
#include "io/Letture.h"

using namespace isolmar;

namespace {

// R x C: row 1 one island with its clue at (1, 1), row 2 wall, below it a one-cell island on every
// odd row and odd column. Its solution as '1' island, '0' wall.
EsitoLettura Righe(int R, int C) {
    EsitoLettura e;
    e.Letto.S = {R, C, {{C, 1, 1}}};
    for (int r = 1; r <= R; ++r)
        for (int c = 1; c <= C; ++c) {
            const bool isola = r == 1 || (r > 2 && r % 2 == 1 && c % 2 == 1);
            if (isola && r > 1) e.Letto.S.Isole.push_back({1, r, c});
            e.Letto.Soluzione += isola ? '1' : '0';
        }
    e.Letto.HaSoluzione = true;
    return e;
}

// Laid out as a file with its solution is.
void Carica(Partita& g, const EsitoLettura& e) {
    ASSERT_TRUE(g.f.CaricaSchema(e.Letto.S));
    for (int r = 1; r <= g.m.NumRighe; ++r)
        for (int c = 1; c <= g.m.NumColonne; ++c)
            g.m.Tblsol(1, r, c) = e.Letto.Soluzione[size_t((r - 1) * g.m.NumColonne + c - 1)] - '0';
    g.m.NumSol = 1;
}

std::string Disegno(const std::string& soluzione) {
    std::string s = soluzione;
    for (char& ch : s)
        ch = ch == '1' ? 'O' : '#';
    return s;
}

// The first: an island of 16 cells in a row is wider than a placement's drawing holds.
const struct {
    int righe, colonne;
    const char* motivo;
} Grandi[] = {{12, 16, "l'isola 1,1 ha troppe configurazioni possibili"},
              {3, 60, "la griglia supera 50 x 50 celle"},
              {36, 35, "lo schema ha più di 254 isole"}};

TEST(Grandi, PlayedToTheEndTheyAreSolvedAndTheWholeBoardCheckReadsTheStoredSolution) {
    for (const auto& k : Grandi) {
        SCOPED_TRACE(k.motivo);
        const EsitoLettura e = Righe(k.righe, k.colonne);
        Partita g;
        Carica(g, e);
        ASSERT_EQ(g.m.TblGioco.Elementi(), size_t(k.righe + 2) * size_t(k.colonne + 2));
        std::string celle = Disegno(e.Letto.Soluzione);
        celle.back() = '.';
        g.Disegna(celle);
        g.f.VerificaSchema();
        EXPECT_EQ(g.Label2(), "Nessuna cella sbagliata; 1 cella da decidere");
        g.Clic(k.righe, k.colonne, 2); // the last cell, wall
        g.p.EseguiTimer();
        EXPECT_EQ(g.Label2().rfind("Schema risolto! ", 0), 0u) << g.Label2();
        g.Annulla();
        EXPECT_FALSE(g.f.SchemaRisolto());
        g.f.RipetiMossa();
        EXPECT_TRUE(g.f.SchemaRisolto());
        EXPECT_TRUE(g.SoluzioneGiusta());
    }
}

TEST(Grandi, TheSatEngineSolvesThemAndTheExplanationRefusesWithTheReason) {
    for (const auto& k : Grandi) {
        SCOPED_TRACE(k.motivo);
        const std::string spiegazione = std::string("Spiegazione non disponibile: ") + k.motivo;
        const EsitoLettura e = Righe(k.righe, k.colonne);
        Partita g;
        ASSERT_TRUE(g.f.CaricaSchema(e.Letto.S)); // no stored solution: the search is asked for
        g.f.CommandSoluz_Click();
        EXPECT_EQ(g.Label2(), "Soluzione schema");
        g.f.CommandSoluz3_Click();
        ASSERT_GE(g.m.NumSol, 1);
        for (int n = 1; n <= g.m.NumSol; ++n) {
            std::string celle;
            for (int r = 1; r <= g.m.NumRighe; ++r)
                for (int c = 1; c <= g.m.NumColonne; ++c)
                    celle += g.m.Tblsol(n, r, c) == 1 ? '1' : '0';
            EXPECT_TRUE(RisolveSchema(e.Letto.S, celle)) << n;
        }
        g.f.CmdLog_Click();
        g.f.Suggerimento_Click();
        EXPECT_EQ(g.Messaggi(), std::vector<std::string>({spiegazione, spiegazione}));
        EXPECT_EQ(SchemaDa(g.m).Isole.size(), e.Letto.S.Isole.size());
    }
}

} // namespace

namespace {

// A published puzzle with clues of 10 and 9 and one solution: the marked islands' configurations
// come from the SAT engine, so the only one is the solution's; a wall drawn on it leaves none.
TEST(Grandi, TheMarkedIslandsConfigurationsComeFromTheSolutions) {
    Partita g;
    ASSERT_TRUE(g.f.ApriFile(std::string(ISOLMAR_OLTRE_DIR) + "/janko-0064.xml"));
    g.Marca(1, 2);
    g.Marca(2, 3);
    g.Lista();
    ASSERT_EQ(g.Label2(), "1 configurazioni");
    g.f.Clic("CmdPospiu");
    EXPECT_EQ(g.Label2(), "1/1");
    int celle = 0;
    for (int r = 1; r <= g.m.NumRighe; ++r)
        for (int c = 1; c <= g.m.NumColonne; ++c)
            if (g.m.TblSchema(r, c) == 1) {
                ++celle;
                EXPECT_EQ(g.m.Tblsol(1, r, c), 1) << r << "," << c;
            }
    EXPECT_EQ(celle, 10 + 9);
    g.f.CommandVisgioco_Click();
    g.Clic(1, 1, 2); // a wall where the solution has island: no configuration is left
    g.Lista();
    EXPECT_EQ(g.Label2(), "0 configurazioni");
}

} // namespace
