#include "model/Schema.h"
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

int Conta(const Tessera& t, uint8_t codice) {
    int n = 0;
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 12; ++c)
            n += t.Cella[r][c] == codice;
    return n;
}

} // namespace

TEST(Tessere, CountsAndRangesPerSize) {
    const Modello& m = TutteLeTessere();
    const int attesi[10] = {0, 1, 2, 6, 19, 63, 216, 760, 2725, 9910};
    const IntervalloTessere intervalli[8] = {{0, 0},   {1, 1},   {2, 3},    {4, 9},
                                             {10, 28}, {29, 91}, {92, 307}, {308, 1067}};
    int fine = 0;
    for (int d = 1; d <= 9; ++d) {
        const IntervalloTessere ind = m.IndTessere[d];
        EXPECT_EQ(ind.Ultima - ind.Prima + 1, attesi[d]) << "dimensione " << d;
        EXPECT_EQ(ind.Prima, fine + 1);
        fine = ind.Ultima;
        if (d <= 7) {
            EXPECT_EQ(ind.Prima, intervalli[d].Prima);
            EXPECT_EQ(ind.Ultima, intervalli[d].Ultima);
        }
        // Inside a size, ascending order of the 11 x 11 key read row by row: with the counts and
        // the uniqueness below this fixes the whole table.
        std::string prima;
        for (int t = ind.Prima; t <= ind.Ultima; ++t) {
            ASSERT_EQ(m.Tessere[t].Dim, d);
            std::string chiave;
            for (int r = 1; r <= 11; ++r)
                for (int c = 1; c <= 11; ++c)
                    chiave += static_cast<char>('0' + m.Tessere[t].Cella[r][c]);
            ASSERT_LT(prima, chiave) << "tessera " << t;
            prima = chiave;
        }
    }
    EXPECT_EQ(m.NumTessere, 13702);
    // The whole table, every field of every shape in order, as it has always been built: the
    // order is the order in which the search tries shapes, so it must never change.
    uint64_t impronta = 1469598103934665603u; // FNV-1a
    auto aggiungi = [&](uint8_t x) { impronta = (impronta ^ x) * 1099511628211u; };
    for (int t = 1; t <= m.NumTessere; ++t) {
        const Tessera& x = m.Tessere[t];
        aggiungi(x.Dim);
        aggiungi(x.Righe);
        aggiungi(x.Colonne);
        for (const auto& riga : x.Cella)
            for (uint8_t c : riga)
                aggiungi(c);
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

TEST(Tessere, DominoesAreVerticalFirst) {
    const Modello& m = TutteLeTessere();
    const Tessera& v = m.Tessere[2];
    EXPECT_EQ(v.Righe, 4);
    EXPECT_EQ(v.Colonne, 3);
    EXPECT_EQ(v.Cella[1][1], 0);
    EXPECT_EQ(v.Cella[1][2], 2);
    EXPECT_EQ(v.Cella[1][3], 0);
    EXPECT_EQ(v.Cella[2][2], 1);
    EXPECT_EQ(v.Cella[3][2], 1);
    const Tessera& o = m.Tessere[3];
    EXPECT_EQ(o.Righe, 3);
    EXPECT_EQ(o.Colonne, 4);
    EXPECT_EQ(o.Cella[1][2], 2);
    EXPECT_EQ(o.Cella[1][3], 2);
    EXPECT_EQ(o.Cella[2][2], 1);
    EXPECT_EQ(o.Cella[2][3], 1);
}

TEST(Tessere, EveryShapeIsNormalisedRingedConnectedAndUnique) {
    const Modello& m = TutteLeTessere();
    std::set<std::array<std::array<uint8_t, 12>, 12>> visti;
    for (int t = 1; t <= m.NumTessere; ++t) {
        const Tessera& s = m.Tessere[t];
        SCOPED_TRACE("tessera " + std::to_string(t));
        ASSERT_EQ(Conta(s, CellaTessera), s.Dim);
        ASSERT_LE(s.Righe, 11);
        ASSERT_LE(s.Colonne, 11);
        // Ring: exactly the orthogonal neighbours of shape cells that are not shape cells.
        int minR = 99, minC = 99, maxR = 0, maxC = 0;
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 12; ++c) {
                const auto isShape = [&](int a, int b) {
                    return a >= 0 && a < 12 && b >= 0 && b < 12 && s.Cella[a][b] == 1;
                };
                const bool vicino = isShape(r - 1, c) || isShape(r + 1, c) || isShape(r, c - 1) ||
                                    isShape(r, c + 1);
                const uint8_t atteso = isShape(r, c) ? 1 : vicino ? 2 : 0;
                ASSERT_EQ(s.Cella[r][c], atteso) << "cella " << r << "," << c;
                if (atteso) {
                    minR = std::min(minR, r);
                    minC = std::min(minC, c);
                    maxR = std::max(maxR, r);
                    maxC = std::max(maxC, c);
                }
            }
        ASSERT_EQ(minR, 1);
        ASSERT_EQ(minC, 1);
        ASSERT_EQ(maxR, s.Righe);
        ASSERT_EQ(maxC, s.Colonne);
        // Connected: a flood fill from one shape cell reaches all of them.
        std::vector<std::pair<int, int>> pila;
        std::set<std::pair<int, int>> raggiunte;
        for (int r = 1; r <= s.Righe && pila.empty(); ++r)
            for (int c = 1; c <= s.Colonne && pila.empty(); ++c)
                if (s.Cella[r][c] == 1) pila.push_back({r, c});
        while (!pila.empty()) {
            auto [r, c] = pila.back();
            pila.pop_back();
            if (r < 0 || r > 11 || c < 0 || c > 11 || s.Cella[r][c] != 1) continue;
            if (!raggiunte.insert({r, c}).second) continue;
            pila.insert(pila.end(), {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}});
        }
        ASSERT_EQ(static_cast<int>(raggiunte.size()), s.Dim);
        ASSERT_TRUE(visti.insert(s.Cella).second) << "doppione";
    }
}

TEST(Tessere, BuildingASizeTwiceOrWithoutItsParentsAddsNothing) {
    auto m = NuovoModello();
    GeneraTessereDim(*m, 3); // size 2 missing
    EXPECT_EQ(m->NumTessere, 1);
    GeneraTessere(*m, 7);
    EXPECT_EQ(m->NumTessere, 1067);
    GeneraTessere(*m, 7);
    GeneraTessereDim(*m, 5);
    EXPECT_EQ(m->NumTessere, 1067);
}

TEST(VerificaTutteTessere, BuildsEightAndNineOnlyWhenAClueNeedsThemAndOnlyOnce) {
    auto m = NuovoModello();
    GeneraTessere(*m, 7);
    PiattaformaHeadless p;
    p.ImpostaTesto("Label2", "vecchio");
    ASSERT_TRUE(ApplicaSchema(*m, Schema{5, 5, {{7, 1, 1}, {3, 5, 5}}}));
    VerificaTutteTessere(*m, p);
    EXPECT_EQ(m->NumTessere, 1067);
    EXPECT_EQ(m->IndTessere[8].Prima, 0);
    EXPECT_EQ(p.Ridisegni, 0);

    ASSERT_TRUE(ApplicaSchema(*m, Schema{9, 9, {{9, 1, 1}, {8, 9, 9}, {9, 5, 5}}}));
    VerificaTutteTessere(*m, p);
    EXPECT_EQ(m->NumTessere, 13702);
    EXPECT_NE(m->IndTessere[8].Prima, 0);
    EXPECT_NE(m->IndTessere[9].Prima, 0);
    EXPECT_EQ(p.Ridisegni, 1);
    EXPECT_EQ(p.Testo("Label2"), "");

    VerificaTutteTessere(*m, p);
    EXPECT_EQ(m->NumTessere, 13702);
    EXPECT_EQ(p.Ridisegni, 1);
}

TEST(VerificaTutteTessere, AnEightAloneBuildsOnlySizeEight) {
    auto m = NuovoModello();
    GeneraTessere(*m, 7);
    PiattaformaHeadless p;
    ASSERT_TRUE(ApplicaSchema(*m, Schema{9, 9, {{8, 1, 1}}}));
    VerificaTutteTessere(*m, p);
    EXPECT_EQ(m->NumTessere, 1067 + 2725);
    EXPECT_EQ(m->IndTessere[9].Prima, 0);
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

TEST(AlmenoUnaPossibile, LooksAtTheSavedRangeOfTheIsland) {
    auto m = NuovoModello();
    m->svEle[1].PrimaMossa = 3;
    m->svEle[1].UltimaMossa = 5;
    for (int k = 1; k <= 6; ++k)
        m->Mosse[k].Blocchi = 1;
    EXPECT_FALSE(AlmenoUnaPossibile(*m, 1));
    m->Mosse[6].Blocchi = 0;
    EXPECT_FALSE(AlmenoUnaPossibile(*m, 1));
    m->Mosse[5].Blocchi = 0;
    EXPECT_TRUE(AlmenoUnaPossibile(*m, 1));
    m->svEle[1].PrimaMossa = 0;
    EXPECT_FALSE(AlmenoUnaPossibile(*m, 1));
}
