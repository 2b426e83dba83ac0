#include "generator/Verifica.h"
#include "io/PuzzLink.h"

#include <gtest/gtest.h>

#include <string>

using namespace isolmar;

namespace {

SchemaLetto Pubblicato(const std::string& nome, const char* cartella = ISOLMAR_PUZZLES_DIR) {
    const EsitoLettura e = LeggiSorgente(std::string(cartella) + "/" + nome + ".xml");
    EXPECT_TRUE(e.Ok()) << nome;
    return e.Letto;
}

Schema Senza(Schema s, size_t k) {
    s.Isole.erase(s.Isole.begin() + static_cast<std::ptrdiff_t>(k));
    return s;
}

} // namespace

// The clue set of a published puzzle alone: its one solution, and the level the full rating gives.
TEST(Verifica, PublishedPuzzlesAreUniqueAtTheirLevel) {
    const struct {
        const char* nome;
        int livello;
        std::vector<Cella> via; // clues that can go, as --minimal lists them
    } casi[] = {{"puzzlink-5x5-g5k2o1k3g", 0, {{4, 3}}},
                {"janko-0107", 1, {}},
                {"janko-0132", 2, {}},
                {"janko-0404", 3, {}},
                {"janko-0469", 4, {}},
                {"janko-0441", 2, {{7, 1}}}};
    Verificatore v;
    for (const auto& c : casi) {
        const SchemaLetto l = Pubblicato(c.nome);
        const EsitoVerifica e = v.Verifica(l.S, {true, true});
        ASSERT_EQ(e.Stato, StatoVerifica::Unica) << c.nome;
        EXPECT_EQ(e.Livello, c.livello) << c.nome;
        EXPECT_EQ(e.Soluzione, l.Soluzione) << c.nome;
        EXPECT_TRUE(e.Diverse.empty());
        std::vector<Cella> via;
        for (int k : e.Rimovibili)
            via.push_back({l.S.Isole[static_cast<size_t>(k)].Riga,
                           l.S.Isole[static_cast<size_t>(k)].Colonna});
        EXPECT_EQ(via, c.via) << c.nome;
        EXPECT_EQ(TestoVerifica(e), "Una sola soluzione — livello " + std::to_string(c.livello));
    }
}

// Clues over 9: the SAT engine counts; the level where the explanation takes the puzzle.
TEST(Verifica, BeyondTheShapeSearch) {
    const struct {
        const char* nome;
        int livello;
        const char* testo;
    } casi[] = {{"janko-1093", 0, "Una sola soluzione — livello 0"},
                {"janko-0727", -1, "Una sola soluzione"}};
    Verificatore v;
    for (const auto& c : casi) {
        const SchemaLetto l = Pubblicato(c.nome, ISOLMAR_OLTRE_DIR);
        const EsitoVerifica e = v.Verifica(l.S);
        EXPECT_EQ(e.Stato, StatoVerifica::Unica) << c.nome;
        EXPECT_EQ(e.Livello, c.livello) << c.nome;
        EXPECT_EQ(e.Soluzione, l.Soluzione) << c.nome;
        EXPECT_EQ(TestoVerifica(e), c.testo);
    }
}

// A clue taken away: two valid solutions that differ exactly on the listed cells, and a move
// of a clue, true to one of them, that leaves fewer. The 17 x 17 is one the shape search
// leaves to the SAT engine.
TEST(Verifica, ARemovedClueGivesTwoSolutionsAndAMoveThatHelps) {
    const struct {
        const char* nome;
        size_t via;
        bool proposta = true;
    } casi[] = {{"janko-0107", 1}, {"janko-0052", 1}, {"janko-0951", 3},
                {"janko-0864", 5}, {"janko-0404", 0}, {"janko-0213", 1, false}};
    Verificatore v;
    for (const auto& c : casi) {
        const Schema s = Senza(Pubblicato(c.nome).S, c.via);
        const EsitoVerifica e = v.Verifica(s);
        ASSERT_EQ(e.Stato, StatoVerifica::Multiple) << c.nome;
        EXPECT_EQ(e.Livello, -1);
        ASSERT_FALSE(e.Diverse.empty());
        EXPECT_TRUE(RisolveSchema(s, e.Soluzione)) << c.nome;
        EXPECT_TRUE(RisolveSchema(s, e.Seconda)) << c.nome;
        std::string girata = e.Soluzione;
        for (const Cella& d : e.Diverse) {
            const size_t i = static_cast<size_t>((d.Riga - 1) * s.Colonne + d.Colonna - 1);
            EXPECT_NE(e.Soluzione[i], e.Seconda[i]);
            girata[i] = girata[i] == '1' ? '0' : '1';
        }
        EXPECT_EQ(girata, e.Seconda) << "every difference is listed";
        EXPECT_EQ(TestoVerifica(e), "Almeno 2 soluzioni");

        if (!c.proposta) continue;
        const long ricerche = v.Ricerche();
        const std::optional<Proposta> p = v.Suggerisci(s);
        EXPECT_LE(v.Ricerche() - ricerche, Verificatore::MaxProposte + 1);
        ASSERT_TRUE(p) << c.nome;
        ASSERT_GE(p->Sostituisce, 0);
        Schema t = s;
        t.Isole[static_cast<size_t>(p->Sostituisce)] = p->Nuovo;
        EXPECT_TRUE(RisolveSchema(t, e.Soluzione) || RisolveSchema(t, e.Seconda)) << c.nome;
        const int prima = v.ContaSoluzioni(s, 3), dopo = v.ContaSoluzioni(t, 3);
        EXPECT_TRUE(dopo < prima ||
                    (dopo == prima && v.Verifica(t).Diverse.size() < e.Diverse.size()))
            << c.nome << ": " << TestoProposta(*p, s);
    }
}

TEST(Verifica, InvalidAndImpossibleClueSets) {
    const struct {
        Schema s;
        StatoVerifica stato;
        int impossibile;
        std::string testo; // "" for ValidaSchema's reason
    } casi[] = {
        {{3, 3, {}}, StatoVerifica::NonValido, -1, ""},
        {{3, 3, {{2, 4, 1}}}, StatoVerifica::NonValido, -1, ""},
        {{3, 3, {{1, 1, 1}, {2, 1, 1}}}, StatoVerifica::NonValido, -1, ""},
        {{3, 3, {{10, 2, 2}}}, StatoVerifica::NonValido, -1, ""},
        {{2, 2, {{1, 2, 2}, {5, 1, 1}}},
         StatoVerifica::NonValido,
         -1,
         ""}, // 5 on 4 cells: ValidaSchema refuses it
        {{2, 3, {{1, 2, 3}, {5, 1, 1}}},
         StatoVerifica::Nessuna,
         1,
         "Nessuna soluzione: l'indizio 5 in riga 1, colonna 1 non può essere soddisfatto"},
        {{3, 3, {{1, 1, 1}}}, StatoVerifica::Nessuna, -1, "Nessuna soluzione"}, // a 2x2 of wall
    };
    Verificatore v;
    for (const auto& c : casi) {
        const EsitoVerifica e = v.Verifica(c.s);
        EXPECT_EQ(e.Stato, c.stato) << TestoVerifica(e);
        EXPECT_EQ(e.Impossibile, c.impossibile);
        EXPECT_EQ(TestoVerifica(e), c.testo.empty() ? ValidaSchema(c.s) : c.testo);
        EXPECT_FALSE(v.Suggerisci(c.s));
    }
}

// The callback stops the work at once; the same checker goes on afterwards. A check asked for
// from inside the callback does not disturb the running one.
TEST(Verifica, TheCallbackStopsIt) {
    bool basta = true;
    int chiamate = 0;
    const Schema s = Pubblicato("janko-0469").S;
    std::vector<StatoVerifica> dentro;
    Verificatore v([&] {
        if (chiamate++ == 1) dentro.push_back(v.Verifica(s).Stato);
        return basta;
    });
    const EsitoVerifica e = v.Verifica(s, {true, true});
    EXPECT_EQ(e.Stato, StatoVerifica::Interrotta);
    EXPECT_EQ(TestoVerifica(e), "Ricerca…");
    EXPECT_EQ(chiamate, 1);
    EXPECT_FALSE(v.Suggerisci(Senza(s, 0)));
    basta = false;
    EXPECT_EQ(v.Verifica(s).Livello, 4);
    EXPECT_GT(chiamate, 2);
    EXPECT_EQ(dentro, std::vector<StatoVerifica>{StatoVerifica::Interrotta});
}

TEST(Verifica, RemovableCluesAndTexts) {
    // Either 1 alone fixes the row; with both, each can go.
    const Schema riga{1, 3, {{1, 1, 1}, {1, 1, 3}}};
    Verificatore v;
    EXPECT_EQ(v.Verifica(riga, {false, true}).Rimovibili, (std::vector<int>{0, 1}));
    EXPECT_EQ(v.Verifica(riga, {false, false}).Rimovibili, std::vector<int>{});
    EXPECT_EQ(TestoVerifica(v.Verifica(riga, {false, false})), "Una sola soluzione");
    EXPECT_EQ(TestoProposta({{4, 3, 5}, 1}, {5, 5, {{2, 1, 1}, {4, 3, 4}}}),
              "Indizio 4 in riga 3, colonna 5 (al posto di riga 3, colonna 4)");
    EXPECT_EQ(TestoProposta({{4, 3, 5}, -1}, {5, 5, {}}), "Indizio 4 in riga 3, colonna 5");
}
