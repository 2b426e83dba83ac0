#include "model/Schema.h"
#include "solver/FormeGrandi.h"
#include "solver/Regole.h"
#include "solver/Tessere.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace isolmar;

namespace {

// Shapes are built once for the whole suite.
const Modello& TutteLeTessere() {
    static std::unique_ptr<Modello> m = [] {
        auto nuovo = NuovoModello();
        GeneraTessere(*nuovo, 9);
        return nuovo;
    }();
    return *m;
}

} // namespace

// The whole table, every field of every shape in order, as it has always been built: the order
// is the order in which the search tries shapes, so it must never change.
TEST(Tessere, TheTableIsTheOneAlwaysBuilt) {
    const Modello& m = TutteLeTessere();
    const int attesi[10] = {0, 1, 2, 6, 19, 63, 216, 760, 2725, 9910};
    for (int d = 1, fine = 0; d <= 9; fine = m.IndTessere[d++].Ultima) {
        EXPECT_EQ(m.IndTessere[d].Prima, fine + 1) << d;
        EXPECT_EQ(m.IndTessere[d].Ultima - fine, attesi[d]) << d;
    }
    EXPECT_EQ(m.NumTessere, 13702);
    uint64_t impronta = 1469598103934665603u; // FNV-1a
    auto aggiungi = [&](uint8_t x) { impronta = (impronta ^ x) * 1099511628211u; };
    for (int t = 1; t <= m.NumTessere; ++t) {
        const Tessera& x = m.Tessere[t];
        for (uint8_t v : {x.Dim, x.Righe, x.Colonne})
            aggiungi(v);
        // Drawings of the table fit 12 x 12 (rows and columns 0..11); the rest stays empty.
        for (int i = 0; i < LatoTessera; ++i)
            for (int j = 0; j < LatoTessera; ++j)
                if (i < 12 && j < 12)
                    aggiungi(x.Cella[i][j]);
                else
                    ASSERT_EQ(x.Cella[i][j], Fuori);
    }
    EXPECT_EQ(impronta, 4020692099558616975u);
    // The decoded table is the one the growth computes.
    auto cresciuta = NuovoModello();
    for (int d = 2; d <= 9; ++d) {
        CresciTessere(*cresciuta, d);
        EXPECT_EQ(cresciuta->IndTessere[d].Ultima, m.IndTessere[d].Ultima);
    }
    EXPECT_TRUE(cresciuta->Tessere == m.Tessere);
}

// A size built twice or without its parents adds nothing; sizes 8 and 9 come only when a clue
// needs them, once each, and end as the table built at once.
TEST(Tessere, SizesAreBuiltOnceAndOnlyWhenNeeded) {
    auto m = NuovoModello();
    GeneraTessereDim(*m, 3); // size 2 missing
    EXPECT_EQ(m->NumTessere, 1);
    GeneraTessere(*m, 7);
    GeneraTessere(*m, 7);
    GeneraTessereDim(*m, 5);
    EXPECT_EQ(m->NumTessere, 1067);
    PiattaformaHeadless p;
    p.ImpostaTesto(controlli::Label2, "vecchio");
    const struct {
        Schema s;
        int tessere, ridisegni;
    } casi[] = {{{5, 5, {{7, 1, 1}, {3, 5, 5}}}, 1067, 0},
                {{9, 9, {{8, 1, 1}}}, 1067 + 2725, 1},
                {{9, 9, {{9, 1, 1}, {8, 9, 9}, {9, 5, 5}}}, 13702, 2},
                {{9, 9, {{9, 1, 1}}}, 13702, 2}};
    for (const auto& c : casi) {
        ASSERT_TRUE(ApplicaSchema(*m, c.s));
        VerificaTutteTessere(*m, p);
        EXPECT_EQ(m->NumTessere, c.tessere);
        EXPECT_EQ(p.Ridisegni, c.ridisegni);
        EXPECT_EQ(p.Testo(controlli::Label2), "");
    }
    const Modello& tutte = TutteLeTessere();
    for (int d = 1; d <= 9; ++d)
        EXPECT_TRUE(m->IndTessere[d].Prima == tutte.IndTessere[d].Prima &&
                    m->IndTessere[d].Ultima == tutte.IndTessere[d].Ultima);
    EXPECT_TRUE(std::equal(&m->Tessere[1], &m->Tessere[13702] + 1, &tutte.Tessere[1]));
}

TEST(Sortaqs6, SortsAnyRangeAscendingAndLeavesTheRestAlone) {
    std::mt19937 gen(7);
    for (int prova = 0; prova < 50; ++prova) {
        std::vector<std::string> v(2 + gen() % 60);
        for (auto& s : v)
            s = std::string(1 + gen() % 3, static_cast<char>('0' + gen() % 3));
        auto atteso = v;
        const int lo = static_cast<int>(gen() % (v.size() - 1));
        const int hi = lo + 1 + static_cast<int>(gen() % (v.size() - lo - 1));
        std::sort(atteso.begin() + lo, atteso.begin() + hi + 1);
        Sortaqs6(v, lo, hi);
        ASSERT_EQ(v, atteso);
    }
    // An empty range (a list with only its unused entry 0) reads nothing.
    std::vector<std::string> solo{"x"};
    Sortaqs6(solo, 1, 0);
    EXPECT_EQ(solo, std::vector<std::string>{"x"});
}

// The placements an island takes from the board are those the shape table gives it, as sets of
// cells (only the order differs), and each drawing made for one covers exactly its cells.
TEST(FormeGrandi, TheBoardGivesTheTablesPlacements) {
    const std::vector<prova::Pubblicato> tutti = prova::PuzzlePubblicati();
    for (size_t k = 0; k < tutti.size(); k += 7) {
        prova::BancoRisolutore b;
        b.Carica(tutti[k].S);
        Modello& m = *b.m;
        GeneraTessere(m, 9);
        InizializzaSchemaEle(m);
        b.s.InizializzaMossePossibili();
        DisegniGrandi disegni(m);
        for (int i = 1; i <= m.NumEle; ++i) {
            const Isola& e = m.Ele[i];
            std::set<std::set<std::pair<int, int>>> tabella, schema;
            for (int32_t q = e.PrimaMossa; q != 0 && q <= e.UltimaMossa; ++q)
                tabella.insert(prova::CelleForma(m, e.Riga, e.Colonna, m.Mosse[q].Tessera,
                                                 m.Mosse[q].TessRiga, m.Mosse[q].TessColonna));
            ASSERT_TRUE(PerFormeGrandi(
                m.TblSchema, e.Riga, e.Colonna, e.Num, 1 << 20, [&](const CelleForma& celle) {
                    const std::set<std::pair<int, int>> s(celle.begin(), celle.end());
                    EXPECT_TRUE(schema.insert(s).second);
                    const DisegniGrandi::Posa d = disegni.Aggiungi(celle, e.Riga, e.Colonna);
                    EXPECT_EQ(prova::CelleForma(m, e.Riga, e.Colonna, d.t, d.a, d.b), s);
                    return true;
                }));
            EXPECT_EQ(schema, tabella) << tutti[k].Nome << " isola " << i;
        }
        disegni.Clear();
        EXPECT_LE(m.Tessere.size(), size_t(PrimaTesseraGrande));
    }
    // The budget and the widest drawing: a row of 16 cells does not fit one, 15 do.
    Griglia8 vuota(1, 16);
    auto conta = [&](int num, int64_t limite) {
        int n = 0;
        const bool tutte =
            PerFormeGrandi(vuota, 1, 1, num, limite, [&](const CelleForma&) { return ++n, true; });
        return std::pair(tutte, n);
    };
    EXPECT_EQ(conta(15, 10), std::pair(true, 1));
    EXPECT_EQ(conta(16, 10), std::pair(false, 0));
    // 19 fixed tetrominoes, each on the centre of a 7 x 7 board by any of its 4 cells.
    Griglia8 aperta(7, 7);
    auto bastano = [&](int64_t limite) {
        return PerFormeGrandi(aperta, 4, 4, 4, limite, [](const CelleForma&) { return true; });
    };
    EXPECT_FALSE(bastano(75));
    EXPECT_TRUE(bastano(76));
}
