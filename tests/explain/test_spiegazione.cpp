// The explanation engine judged against the published solutions, its failure rows, its levels,
// its combinations and pruning, and runs from wrong marks.
#include "explain/Spiegazione.h"
#include "solver/Regole.h"
#include "ui/Partita.h"

#include <algorithm>
#include <random>
#include <set>

using namespace isolmar;
using namespace isolmar::prova;

namespace {

struct Banco : Partita {
    Spiegazione& s = f.Spieg;
    using Partita::Partita;
    bool Esegui(Relatore& r, bool soloValuta = false) { return s.EseguiLog(r, soloValuta); }
};

const Pubblicato& Puzzle(const std::string& nome) {
    static const std::vector<Pubblicato> tutti = PuzzlePubblicati();
    for (const Pubblicato& x : tutti)
        if (x.Nome == nome) return x;
    throw std::runtime_error("manca " + nome);
}

// The cells of the island holding (r, c) in a solved board.
std::set<std::pair<int, int>> Componente(const Tavola& t, int r, int c) {
    std::set<std::pair<int, int>> visti;
    for (std::vector<std::pair<int, int>> da{{r, c}}; !da.empty();) {
        const auto [a, b] = da.back();
        da.pop_back();
        if (a >= 1 && b >= 1 && a <= int(t.size()) && b <= int(t[0].size()) &&
            t[a - 1][b - 1] == '1' && visti.insert({a, b}).second)
            da.insert(da.end(), {{a - 1, b}, {a + 1, b}, {a, b - 1}, {a, b + 1}});
    }
    return visti;
}

// "" when everything the run decided agrees with the solution: walls, island cells, the island a
// cell was given to, and the shape of every finished island.
std::string Discordanze(const Banco& b, const Tavola& sol) {
    const Modello& m = b.m;
    std::string errori;
    auto cella = [](int r, int c) { return std::to_string(r) + "," + std::to_string(c) + " "; };
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const char v = sol[r - 1][c - 1];
            if (m.TblSchema(r, c) >= 2 && v != '0') errori += "muro " + cella(r, c);
            if ((m.TblSchema(r, c) == 1 || m.TblIsoleLog(r, c) != 0) && v != '1')
                errori += "isola " + cella(r, c);
            const int e = m.TblIsoleLog(r, c);
            if (e >= 1 && e <= m.svNumEle &&
                !Componente(sol, m.svEle[e].Riga, m.svEle[e].Colonna).count({r, c}))
                errori += "appartenenza " + cella(r, c);
        }
    for (int i = 1; i <= m.svNumEle; ++i) {
        const Isola& e = m.svEle[i];
        if (b.s.EleFinito[i] && CelleIsola(m, e) != Componente(sol, e.Riga, e.Colonna))
            errori += "forma " + cella(e.Riga, e.Colonna);
    }
    return errori;
}

} // namespace

// From the clues alone, and from half the solution given as marks: everything decided is right
// and the full run finishes every published puzzle the tables hold.
TEST(Spiegazione, EveryConclusionAgreesWithThePublishedSolution) {
    for (const Pubblicato& x : PuzzlePubblicati())
        for (bool meta : {false, true}) {
            Banco b(x.S);
            if (meta)
                for (int r = 1; r <= b.m.NumRighe; ++r)
                    for (int c = 1; c <= b.m.NumColonne; ++c)
                        if ((r + c) % 2 == 0 && b.m.TblGioco(r, c) == 0)
                            b.m.TblGioco(r, c) = x.Soluzione[r - 1][c - 1] == '1' ? 1 : 2;
            const Griglia8 gioco = b.m.TblGioco;
            RelatoreMuto muto;
            if (!b.Esegui(muto)) {
                EXPECT_TRUE(b.m.MossePiene || b.m.ListePiene) << x.Nome;
                continue;
            }
            EXPECT_EQ(Discordanze(b, x.Soluzione), "") << x.Nome << (meta ? " con segni" : "");
            EXPECT_EQ(b.s.CelleDecise(), b.m.NumRighe * b.m.NumColonne) << x.Nome;
            EXPECT_EQ(b.m.TblGioco, gioco) << x.Nome;
        }
}

// The rows of the failure records and the mode-2 headings and reasons, literally. (The rows of
// every code in a run, and the deferred messages, are checked through the log window.)
TEST(Spiegazione, FailureRowsHeadingsAndReasons) {
    Banco b(Schema{5, 5, {{2, 1, 1}, {3, 4, 3}, {2, 5, 5}}});
    Spiegazione& s = b.s;
    ASSERT_TRUE(s.Prepara()); // islands sorted: 2 at 1,1, 2 at 5,5, 3 at 4,3
    s.SerieLog.resize(4);
    for (auto [j, tipo, celle] : {std::tuple{1, '2', std::array<uint8_t, 4>{2, 0, 0, 0}},
                                  {2, '1', {1, 2, 3, 4}},
                                  {3, '0', {2, 5, 0, 0}}}) {
        s.SerieLog[j].Tipo = tipo;
        s.SerieLog[j].Celle = celle;
    }
    const std::string una = "la conformazione dell'isola  1,1 comporta che  ";
    for (auto [n, righe] : std::vector<std::pair<int, std::vector<std::string>>>{
             {0, {una}},
             {1, {una, "altrimenti si blocca l' isola 5,5\n"}},
             {3,
              {"la conformazione delle isole 1,1 -5,5 comportano che  ",
               "oppure si blocca l' isola 5,5\n", "oppure si  interrompe il muro fra 1,2 e 3,4",
               "altrimenti si crea un muro 2x2 in 2,5"}}}) {
        s.NumSerie = n;
        EXPECT_EQ(s.ElencoIsole(n == 3 ? 2 : 1), righe) << n;
    }
    EXPECT_EQ(s.MotivoFallimento(s.SerieLog[1]) + "|" + s.MotivoFallimento(s.SerieLog[2]) + "|" +
                  s.MotivoFallimento(s.SerieLog[3]),
              "L' isola 5,5 è bloccata o blocca altre isole|si interrompe  la continuità 1,2 e "
              "3,4| si crea un  muro 2x2 in 2,5");
    s.RigaMsg = 2;
    s.ColonnaMsg = 3;
    for (auto [codice, isole, intestazione] : std::vector<std::tuple<CodiceLog, int, std::string>>{
             {CodiceLog::IS3, 1, "Se 2,3 non è isola  (come nei casi simili a questo)"},
             {CodiceLog::MU3, 1, "Se 2,3 non è muro (come nei casi simili a questo)"},
             {CodiceLog::II3, 1, "Se  l'isola 1,1 ha configurazioni simili a questa"},
             {CodiceLog::II3, 2, "Se le isole 1,1 -5,5  hanno configurazione simile a questa"}}) {
        s.CodiceMsg = codice;
        b.m.NumEle = static_cast<uint8_t>(isole);
        EXPECT_EQ(s.IntestazioneFallimento(), intestazione);
    }
}

// Combinations: only unfinished islands with a clue above 1, and level 2 cheapest first.
TEST(Spiegazione, CombinationsTakeOnlyOpenIslandsCheapestFirst) {
    struct Spia : Relatore {
        Modello* m = nullptr;
        std::set<std::pair<int, int>> finite; // clue cells of finished islands
        std::vector<std::pair<int, int>> ultima;
        long long chiavi2 = 0, terne = 0;
        int msgLog(Spiegazione& s, const Conclusione& c) override {
            std::vector<std::pair<int, int>> isole;
            for (int k = 1; c.Livello > 0 && k <= m->NumEle; ++k) {
                isole.push_back({m->Ele[k].Riga, m->Ele[k].Colonna});
                EXPECT_GT(m->Ele[k].Num, 1);
            }
            // A new combination starts with none of its islands finished.
            for (const auto& x : isole)
                EXPECT_TRUE(isole == ultima || !finite.count(x)) << x.first << "," << x.second;
            ultima = isole;
            if (c.Codice == CodiceLog::II3 || c.Codice == CodiceLog::IIN)
                finite.insert({c.RigaIsola, c.ColonnaIsola});
            const auto& l = s.ElencoCombinazioni;
            // Level 2: ten digits of the product of the candidate counts, then the indices,
            // sorted as text.
            for (size_t j = 1; c.Livello == 2 && j < l.size(); ++j, ++chiavi2) {
                int i1 = 0, i2 = 0;
                long long prodotto = 0;
                if (std::sscanf(l[j].c_str(), "%lld,%d,%d", &prodotto, &i1, &i2) != 3) {
                    ADD_FAILURE() << l[j];
                    continue;
                }
                const Isola &a = m->svEle[i1], &b = m->svEle[i2];
                EXPECT_TRUE(i1 < i2 && l[j].find(',') == 10 && l[j - 1] <= l[j]);
                EXPECT_EQ(prodotto, (long long)(a.UltimaMossa - a.PrimaMossa + 1) *
                                        (b.UltimaMossa - b.PrimaMossa + 1));
            }
            if (c.Livello == 4 && terne == 0) {
                // Level 3 listed every combination of three open islands, however many.
                long long n = 0;
                for (int i = 1; i <= m->svNumEle; ++i)
                    n += m->svEle[i].Num > 1 && !s.EleFinito[i];
                terne = static_cast<long long>(l.size()) - 1;
                EXPECT_EQ(terne, n * (n - 1) * (n - 2) / 6);
            }
            return 1;
        }
    } spia;
    for (const char* nome : {"janko-0132", "janko-0469", "janko-0414"})
        for (bool soloValuta : {true, false}) {
            Banco b(Puzzle(nome).S);
            spia.m = &b.m;
            spia.finite.clear();
            ASSERT_TRUE(b.Esegui(spia, soloValuta));
        }
    EXPECT_TRUE(spia.chiavi2 > 0 && spia.terne > 0);
}

// The measures that save the exploration work change no conclusion, level or message row:
// stopping where nothing can be concluded or recorded (Potatura) and testing placements only when
// asked (Pigra), each alone and both, against neither.
TEST(Spiegazione, MeasuresKeepEveryConclusionAndRow) {
    std::vector<Pubblicato> tutti = PuzzlePubblicati();
    for (auto altri : {PuzzleDifficili(), PuzzleOltre()})
        for (auto& x : altri)
            tutti.push_back(std::move(x));
    for (const char* nome : {"janko-0469", "janko-0404", "janko-0320", "janko-0414", "janko-0949",
                             "janko-0064", "janko-0888"}) {
        const auto x =
            std::find_if(tutti.begin(), tutti.end(), [&](auto& p) { return p.Nome == nome; });
        ASSERT_NE(x, tutti.end()) << nome;
        std::vector<std::vector<std::string>> passi[4];
        for (int modo = 0; modo < 4; ++modo) {
            Banco b(x->S);
            b.s.Potatura = modo & 1;
            b.s.Pigra = modo & 2;
            RelatoreRegistra r;
            ASSERT_TRUE(b.Esegui(r));
            for (const auto& y : r.Passi) {
                std::vector<std::string> v = y.Righe;
                v.push_back(std::string(TestoCodice(y.C.Codice)) + std::to_string(y.C.Riga) + "," +
                            std::to_string(y.C.Colonna) + " " + std::to_string(y.C.Livello));
                passi[modo].push_back(v);
            }
            EXPECT_EQ(passi[0], passi[modo]) << nome << " " << modo;
        }
    }
}

TEST(Spiegazione, IsoDoesNotHangOnTheLastWallCheck) {
    // "ISO" is a fact about the board: it does not hang on what the last wall check found.
    std::vector<Griglia8> esiti;
    for (uint8_t esito : {0, 1}) {
        Banco e(Puzzle("janko-0052").S);
        ASSERT_TRUE(e.s.Prepara());
        const Risolutore::Ascolto muto{[](CodiceLog, int, int, int) { return true; }, {}};
        e.f.Ris.RegolaNRG({CodiceLog::NRG, muto});
        e.m.EsitoMuro = esito;
        EXPECT_GT(e.f.Ris.RegolaISO({CodiceLog::ISO, muto}), 0);
        esiti.push_back(e.m.TblIsoleLog);
    }
    EXPECT_EQ(esiti[0], esiti[1]);
}

// "Valuta" and "Mostra" from the toolbar give each puzzle's level and show the game again; from
// any marks of the player's a run ends and leaves the puzzle and the marks as they were.
TEST(Spiegazione, LevelsAndRunsFromWrongMarks) {
    struct Caso {
        const char* Nome;
        int Valuta, Mostra;
    };
    std::mt19937 gen(15);
    for (const Caso& c :
         {Caso{"puzzlink-5x5-g5k2o1k3g", 0, 0}, Caso{"janko-1136", 0, 0}, Caso{"janko-0107", 1, 1},
          Caso{"janko-0052", 1, 1}, Caso{"janko-0132", 2, 2}, Caso{"janko-0404", 3, 3},
          Caso{"janko-0469", 3, 4}}) {
        Banco b(Puzzle(c.Nome).S);
        b.f.tlb1_ButtonClick("Valuta");
        b.f.tlb1_ButtonClick("Mostra");
        EXPECT_EQ(b.p.Messaggi,
                  (std::vector<std::string>{
                      "Il livello dello schema è " + std::to_string(c.Valuta) +
                          (c.Valuta > 2 ? " o superiore " : ""),
                      "Fine del log \n Il livello di difficoltà è " + std::to_string(c.Mostra)}))
            << c.Nome;
        Griglia8 indizi(b.m.NumRighe, b.m.NumColonne); // the board is back to the clues
        for (int i = 1; i <= b.m.NumEle; ++i)
            indizi(b.m.Ele[i].Riga, b.m.Ele[i].Colonna) = 1;
        EXPECT_EQ(b.m.TblSchema, indizi) << c.Nome;
        for (int prova = 0; prova < 6 && std::string(c.Nome) != "janko-1136"; ++prova) {
            Banco w(Puzzle(c.Nome).S);
            for (int r = 1; r <= w.m.NumRighe; ++r)
                for (int k = 1; k <= w.m.NumColonne; ++k)
                    if (static_cast<int>(gen() % 6) <= prova % 3)
                        w.m.TblGioco(r, k) = static_cast<uint8_t>(gen() % 3);
            const Griglia8 gioco = w.m.TblGioco;
            const auto isole = Isole(w.m);
            w.f.tlb1_ButtonClick(prova % 2 ? "Mostra" : "Valuta");
            EXPECT_EQ(w.p.Messaggi.size(), 1u) << c.Nome << prova;
            EXPECT_TRUE(w.m.TblGioco == gioco && Isole(w.m) == isole && !w.f.InElaborazione());
        }
    }
}

TEST(Spiegazione, EscStopsTheRunWithoutItsEndMessage) {
    Banco b(Puzzle("janko-0360").S);
    const Griglia8 gioco = b.m.TblGioco;
    ASSERT_EQ(b.f.ContaSoluzioni(), EsitoRicerca::Una); // counted before Esc is armed, then kept
    b.p.DopoCessioni(200, [&] { b.f.Form_KeyPress(27); });
    b.f.tlb1_ButtonClick("Mostra");
    EXPECT_TRUE(b.s.Interrotta);
    EXPECT_TRUE(b.p.Messaggi.empty());
    EXPECT_EQ(b.p.Testo(controlli::Label2), "Spiegazione interrotta");
    b.p.DopoCessioni(200, [&] { b.f.Form_KeyPress(27); });
    b.f.tlb1_ButtonClick("Valuta");
    EXPECT_TRUE(b.p.Messaggi.empty());
    EXPECT_EQ(b.p.Testo(controlli::Label2), "Valutazione interrotta");
    EXPECT_EQ(b.m.TblGioco, gioco);
    b.f.tlb1_ButtonClick("Valuta"); // the next run is not stopped
    EXPECT_EQ(b.p.Messaggi, std::vector<std::string>{"Il livello dello schema è 3 o superiore "});
}

// Islands over 9 cells take their placements from the board, and more than 50 islands fit the
// tables: within the budget the explanation runs to the end and agrees with the published
// solution; beyond it, it is refused and the island is named.
TEST(Spiegazione, IslandsOverNineCellsArePlacedFromTheBoard) {
    const struct {
        const char* nome;
        int livello;
        const char* motivo;
    } casi[] = {{"janko-0064", 1, ""},
                {"janko-0225", 1, ""},
                {"janko-0339", 1, ""},
                {"janko-0679", 1, ""},
                {"janko-0457", 0, "l'isola 7,18 ha troppe configurazioni possibili"},
                {"janko-0727", 0, "l'isola 10,7 ha troppe configurazioni possibili"},
                {"janko-0093", 1, ""},  // 81 islands
                {"janko-1085", 2, ""}}; // 53 islands, clues up to 6
    const std::vector<Pubblicato> oltre = PuzzleOltre();
    for (const auto& k : casi) {
        const auto x = std::find_if(oltre.begin(), oltre.end(),
                                    [&](const Pubblicato& p) { return p.Nome == k.nome; });
        ASSERT_NE(x, oltre.end()) << k.nome;
        Banco b(x->S);
        const std::string motivo = SpiegazioneNonDisponibile(b.m);
        if (*k.motivo) {
            EXPECT_EQ(motivo, std::string("Spiegazione non disponibile: ") + k.motivo);
            continue;
        }
        EXPECT_EQ(motivo, "") << k.nome;
        RelatoreMuto muto;
        ASSERT_TRUE(b.Esegui(muto)) << k.nome;
        EXPECT_EQ(Discordanze(b, x->Soluzione), "") << k.nome;
        EXPECT_EQ(b.s.CelleDecise(), b.m.NumRighe * b.m.NumColonne) << k.nome;
        EXPECT_EQ(b.s.LivelloLog, k.livello) << k.nome;
    }
}

// A run capped at the level a full run reaches does the same; capped one below, it stops with
// cells undecided: so the cap never changes which puzzles rate exactly a level.
TEST(Spiegazione, CappedAtItsLevelTheRunIsTheSame) {
    const std::vector<Pubblicato> tutti = PuzzlePubblicati();
    for (size_t k = 0; k < tutti.size(); k += 2) {
        const Pubblicato& x = tutti[k];
        if (x.Nome == "janko-0360") continue; // level 5, seconds of work
        std::array<int, CodiciLog.size()> conteggi{};
        int livello = -1;
        for (int cap : {5, -1, -2}) {
            Banco b(x.S);
            b.s.LivelloMassimo = cap >= 0 ? cap : livello + cap + 1;
            if (b.s.LivelloMassimo < 0) break;
            RelatoreMuto muto;
            ASSERT_TRUE(b.Esegui(muto)) << x.Nome;
            const bool completa = b.s.CelleDecise() == b.m.NumRighe * b.m.NumColonne;
            if (cap == 5) {
                ASSERT_TRUE(completa) << x.Nome;
                livello = b.s.LivelloLog, conteggi = b.s.Conteggi;
            } else {
                EXPECT_EQ(completa, cap == -1) << x.Nome << " " << b.s.LivelloMassimo;
                if (cap == -1) {
                    EXPECT_EQ(b.s.Conteggi, conteggi) << x.Nome;
                }
            }
        }
    }
}
