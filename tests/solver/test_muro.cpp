// The wall check, which works on row masks, against a plain reading of its rules cell by cell, on
// random boards of the edge sizes. With no island on the board no placement reaches a free cell,
// so a free cell counts as wall in a 2 x 2 block.
#include "solver/Risolutore.h"
#include "view/PiattaformaHeadless.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

using namespace isolmar;

TEST(Muro, RowMasksAgreeWithACellByCellReading) {
    auto m = NuovoModello();
    Griglia Gr;
    PiattaformaHeadless p;
    Risolutore s{*m, Gr, p};
    std::mt19937 gen(11);
    const int lati[][2] = {{1, 1}, {1, 50}, {50, 1}, {2, 2}, {3, 64 - 14}, {7, 9}, {50, 50}};
    int tagli = 0, quadrati = 0;
    for (const auto [R, C] : lati)
        for (int prova = 0; prova < 60; ++prova) {
            SCOPED_TRACE(std::to_string(R) + " x " + std::to_string(C) + " #" +
                         std::to_string(prova));
            m->NumRighe = static_cast<uint8_t>(R);
            m->NumColonne = static_cast<uint8_t>(C);
            DimensionaTabelle(*m);
            m->NumEle = 0;
            s.InizializzaMossePossibili();
            const int isole = std::array{2, 20, 50, 80}[prova % 4]; // percent of island cells
            for (int r = 1; r <= R; ++r)
                for (int c = 1; c <= C; ++c) {
                    const int x = static_cast<int>(gen() % 100);
                    m->TblSchema(r, c) = x < isole ? 1 : x < isole + 10 ? 0 : x % 2 ? 2 : 4;
                    m->TblIsoleLog(r, c) = gen() % 40 == 0 ? IsolaDelGiocatore : 0;
                }
            const Booleano salta = prova / 4 % 2 ? Vero : Falso;
            auto v = [&](int r, int c) { return m->TblSchema(r, c); };

            // The first 2 x 2 block, rows outer, without an island cell.
            int qr = 0, qc = 0;
            for (int r = 1; r < R && !qr && !salta; ++r)
                for (int c = 1; c < C && !qr; ++c)
                    if (v(r, c) != 1 && v(r + 1, c) != 1 && v(r, c + 1) != 1 &&
                        v(r + 1, c + 1) != 1)
                        qr = r, qc = c;
            // The region of the first wall cell through cells neither island nor marked, and the
            // first unmarked wall cell it misses.
            std::vector<std::vector<bool>> raggiunta(R + 2, std::vector<bool>(C + 2));
            std::vector<std::pair<int, int>> coda;
            for (int r = 1; r <= R && coda.empty(); ++r)
                for (int c = 1; c <= C && coda.empty(); ++c)
                    if (v(r, c) >= 2) coda.push_back({r, c}), raggiunta[r][c] = true;
            const auto seme = coda.empty() ? std::pair{0, 0} : coda[0];
            for (size_t i = 0; i < coda.size(); ++i)
                for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const int r = coda[i].first + dr, c = coda[i].second + dc;
                    if (r < 1 || r > R || c < 1 || c > C || raggiunta[r][c] || v(r, c) == 1 ||
                        m->TblIsoleLog(r, c) != 0)
                        continue;
                    raggiunta[r][c] = true;
                    coda.push_back({r, c});
                }
            int tr = 0, tc = 0;
            for (int r = 1; r <= R && !tr; ++r)
                for (int c = 1; c <= C && !tr; ++c)
                    if (v(r, c) >= 2 && m->TblIsoleLog(r, c) == 0 && !raggiunta[r][c])
                        tr = r, tc = c;

            const bool ok = s.VerificaMuro2(salta);
            EXPECT_EQ(ok, !qr && !tr);
            if (qr) {
                ++quadrati;
                EXPECT_EQ(m->EsitoMuro, 0);
                EXPECT_EQ(std::pair(int{m->Muro2x2Riga}, int{m->Muro2x2Colonna}),
                          std::pair(qr, qc));
            } else if (tr) {
                ++tagli;
                EXPECT_EQ(m->EsitoMuro, 1);
                EXPECT_EQ(std::pair(int{m->TaglioRiga1}, int{m->TaglioColonna1}), seme);
                EXPECT_EQ(std::pair(int{m->TaglioRiga2}, int{m->TaglioColonna2}),
                          std::pair(tr, tc));
            }
        }
    EXPECT_GT(quadrati, 20);
    EXPECT_GT(tagli, 20);
    m->TblIsoleLog = {};
}
