// The log window driven headless: what each conclusion shows on the board and in Gm, the answers
// of its buttons, the replay of a failure record and saving the situation shown.
#include "Partita.h"

#include "io/Letture.h"
#include "solver/Regole.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

using namespace isolmar;

namespace {

struct Banco : Partita {
    Form3& f3 = f.F3;
    using Partita::Partita;
    const Griglia::Cella& Cella(int r, int c) const { return f.Gr.CellaIn(r, c); }
};

// A cell as "background 'text' font size colour".
std::string Descrivi(const Griglia::Cella& c) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%06X '%s' %s %g %06X", c.Sfondo, c.Testo.c_str(),
                  c.Font.c_str(), static_cast<double>(c.Dimensione), c.ColoreTesto);
    return buf;
}

// Rows of Gm as "text|record|symbol" (from row da on), or a whole grid cell by cell.
std::vector<std::string> Righe(const Griglia& g, bool tutte = false, int da = 0) {
    std::vector<std::string> v;
    for (int r = da; r < g.Righe(); ++r)
        for (int c = tutte ? 0 : 1; c < (tutte ? g.Colonne() : 2); ++c)
            v.push_back(tutte ? Descrivi(g.CellaIn(r, c))
                              : g.CellaIn(r, 1).Testo + "|" + g.CellaIn(r, 2).Testo + "|" +
                                    g.CellaIn(r, 3).Testo);
    return v;
}

// The board cells marked as island for a moment.
std::set<std::pair<int, int>> Segnate(const Banco& b) {
    std::set<std::pair<int, int>> s;
    for (int r = 1; r <= b.f.m.NumRighe; ++r)
        for (int c = 1; c <= b.f.m.NumColonne; ++c)
            if (b.Cella(r, c).Testo == "n" && b.Cella(r, c).Font == "Wingdings") s.insert({r, c});
    return s;
}

// The rows of the step just shown.
std::vector<std::string> RighePasso(const Form3& f3) {
    return Righe(f3.Gm, false, f3.Passi.back().PrimaRiga);
}

// A step's rows as the window draws them: the added words around each row made compact.
std::string Frase(const Form3& f3, int k) {
    const Form3::Passo& p = f3.Passi[static_cast<size_t>(k)];
    std::string s;
    for (int r = p.PrimaRiga; r < p.PrimaRiga + p.NumRighe; ++r)
        for (int c : {Form3::ColonnaPrima, Form3::ColonnaTesto, Form3::ColonnaDopo}) {
            const std::string t = TestoCompatto(f3.Gm.CellaIn(r, c).Testo);
            if (t.empty()) continue;
            if (!s.empty() && t != "." && t != ",") s += ' ';
            s += t;
        }
    return s;
}

// The symbols of SettaSegn: Wingdings 51 then 200 (a heading with records) or 202 (a record).
const std::string Titolo = "3\xC3\x88", Riga = "3\xC3\x8A";

} // namespace

// The first conclusion of each code: the concluded cell on the board and the rows of Gm.
TEST(Log, EachCodeHighlightsItsCellAndWritesItsRows) {
    struct Caso {
        std::string Cella;
        std::vector<std::string> Righe;
        size_t Segnate = 0; // cells of the island's shape marked ("IIN", "II3")
        bool operator==(const Caso&) const = default;
    };
    const std::string muro = "C0C000 '' Arial 8.25 000000", isola = "00FFFF '' Arial 8.25 000000";
    const std::map<std::string, Caso> attesi = {
        {"NRG 2,5",
         {muro, {"la cella 2,5 deve essere muro ||", "non può appartenere a nessuna isola||"}}},
        {"MUR 3,7",
         {muro,
          {"la cella 3,7 deve essere muro ||", "per non interrompere la continuità del muro||"}}},
        {"II3 3,5", // the clue cells of a hypothesis' islands in magenta, 12 points
         {"FFFFFF '2' Arial 12 FF00FF",
          {"la conformazione dell'isola  3,5 comporta che  ||",
           "questa è la forma definitiva dell' isola 3,5||",
           "perché è l'unica configurazione possibile dell'isola 3,5||"},
          1}},
        {"MU3 6,3",
         {muro,
          {"la conformazione dell'isola  7,3 comporta che  ||" + Titolo,
           "altrimenti si crea un muro 2x2 in 4,2|1|" + Riga, "la cella 6,3 deve essere muro||"}}},
        {"IS3 7,7",
         {isola,
          {"la conformazione dell'isola  7,6 comporta che  ||" + Titolo,
           "oppure si crea un muro 2x2 in 4,2|1|" + Riga,
           "altrimenti si blocca l' isola 4,6\n|2|" + Riga, "la cella 7,7 deve essere isola||"}}},
        {"APP 4,7", // not "APP 7,7": "IS3 7,7" gave it its island already
         {"00FFFF '4,6' Arial 7 FF0000", {"la cella 4,7 deve appartenere all'isola 4,6||"}}},
        {"ISO 3,2",
         {isola, {"la cella 3,2 deve essere isola ||", "per non formare un muro 2x2||"}}},
        {"IIN 3,2",
         {"FFFFFF 'n' Wingdings 16 00FFFF", {"questa è la forma definitiva dell' isola 3,1||"}, 1}},
    };
    Banco b("janko-0320");
    std::map<std::string, Caso> visti;
    b.Mostra([&](int) {
        const Conclusione& c = b.f3.Mostrata;
        const std::string chiave = std::string(TestoCodice(c.Codice)) + " " +
                                   std::to_string(c.Riga) + "," + std::to_string(c.Colonna);
        if (!visti.count(chiave))
            visti[chiave] = {Descrivi(b.Cella(c.Riga, c.Colonna)), RighePasso(b.f3),
                             Segnate(b).size()};
        // The board as shown is kept in gr3; the grid is as large as the board at least; no
        // other command runs meanwhile.
        EXPECT_EQ(Righe(b.f.gr3, true), Righe(b.f.Gr, true)) << chiave;
        EXPECT_GE(b.f3.Gm.Larghezza, b.f.Gr.Larghezza);
        EXPECT_TRUE(b.f.InElaborazione());
    });
    for (const auto& [chiave, caso] : attesi)
        EXPECT_EQ(visti[chiave], caso) << chiave;
    EXPECT_FALSE(visti.count("APP 7,7"));
    EXPECT_EQ(b.p.Messaggi.back(), "Fine del log \n Il livello di difficoltà è 2");
}

// "Continua log" goes on, "Interompi log" stops without the end message, the close box keeps the
// answer the run holds (a stop of an earlier run does not count), Esc stops as in a search.
TEST(Log, AnswersGoOnStopOrKeepTheLastOne) {
    struct Caso {
        const char* Copione; // per message: C continue, I stop, X close box, E Esc
        bool StopPrima;      // the previous run was stopped with "Interompi log"
        int Messaggi;
        bool Fine;
    };
    for (const Caso& c : {Caso{"CCCCCCCCC", false, 9, true}, Caso{"CCI", false, 3, false},
                          Caso{"CXCXXXXXX", false, 9, true}, Caso{"XXXXXXXXX", true, 9, true},
                          Caso{"CE", false, 2, false}}) {
        Banco b("janko-0107");
        if (c.StopPrima) b.Mostra([&](int) { b.f3.CmdInterrompi_Click(); });
        b.p.Messaggi.clear();
        int mostrati = 0;
        b.Mostra([&](int n) {
            mostrati = n;
            const char x = c.Copione[n - 1];
            if (x == 'C') b.f3.CmdContinuaLog_Click();
            if (x == 'I') b.f3.CmdInterrompi_Click();
            if (x == 'E') b.f.Form_KeyPress(27);
            EXPECT_EQ(b.f3.Aperta, x != 'C' && x != 'I');
        });
        EXPECT_EQ(mostrati, c.Messaggi) << c.Copione;
        EXPECT_EQ(b.p.Messaggi.size(), c.Fine ? 1u : 0u) << c.Copione;
        EXPECT_FALSE(b.f.InElaborazione());
        EXPECT_FALSE(b.p.Visibile(controlli::Lbllog));
    }
}

// "Dettaglio" (and Timer1) cycle the configurations of the chosen record from the last key back
// to the first and round again, each drawn as its key says; a row without a record restores the
// board from gr3.
TEST(Log, DetailReplaysTheRecordsConfigurations) {
    Banco b("janko-0107");
    bool provato = false;
    b.Mostra([&](int) {
        Form3& f3 = b.f3;
        const int base = f3.Passi.back().PrimaRiga;
        if (provato || !f3.RigaConSerie(base + 7)) return;
        provato = true;
        const std::vector<std::string> prima = Righe(b.f.Gr, true);
        f3.Gm_Click(base + 7); // "altrimenti si  interrompe il muro fra 1,3 e 2,1"
        // The label shows the record's message without doubled blanks; the row is highlighted.
        EXPECT_EQ(b.p.Testo(controlli::Lbllog), "Se l'isola 4,3 ha configurazioni simili a questa\n"
                                                "si interrompe la continuità 1,3 e 2,1");
        EXPECT_EQ(f3.RigaReplay, base + 7);
        EXPECT_TRUE(b.p.Visibile(controlli::Lbllog) && !b.p.Visibile(controlli::Label2) &&
                    f3.Timer1Attivo());
        // Every record got its deferred message once.
        const Spiegazione& sp = b.f.Spieg;
        ASSERT_EQ(sp.NumSerie, 7);
        EXPECT_EQ(sp.SerieLog[1].Messaggio, "Se  l'isola 4,3 ha configurazioni simili a questa\n"
                                            " si crea un  muro 2x2 in 1,3");
        EXPECT_TRUE(sp.MsgProdotti);
        const auto chiavi = Form3::Chiavi(sp.SerieLog[7].Configurazioni);
        const int n = static_cast<int>(chiavi.size());
        ASSERT_GE(n, 2);
        for (int i = 0; i <= n; ++i) {
            const int atteso = i < n ? n - i : n;
            ASSERT_EQ(f3.ConfigMostrata, atteso);
            int r0, c0, t, tr, tc;
            ASSERT_EQ(
                std::sscanf(chiavi[atteso - 1].c_str(), "%d,%d,%d,%d,%dE", &r0, &c0, &t, &tr, &tc),
                5);
            auto forma = prova::CelleForma(b.f.m, r0, c0, t, tr, tc);
            forma.erase({r0, c0}); // the key's shape but its clue cell
            EXPECT_EQ(Segnate(b), forma) << atteso;
            EXPECT_EQ(b.Cella(1, 3).Testo + b.Cella(2, 1).Testo, "OO"); // the cut wall
            if (i % 2)
                f3.CmdVisualizzaDett_Click();
            else
                b.p.EseguiTimer();
        }
        // A 2 x 2 block is marked on its four cells.
        f3.Gm_Click(base + 1); // "oppure si crea un muro 2x2 in 1,3"
        EXPECT_EQ(b.Cella(1, 3).Testo + b.Cella(1, 4).Testo + b.Cella(2, 3).Testo +
                      b.Cella(2, 4).Testo,
                  "OOOO");
        f3.Gm_Click(base); // the heading names no record
        EXPECT_EQ(Righe(b.f.Gr, true), Righe(b.f.gr3, true));
        EXPECT_EQ(Righe(b.f.Gr, true), prima);
        EXPECT_TRUE(!f3.Timer1Attivo() && !b.p.Visibile(controlli::Lbllog) &&
                    b.p.Visibile(controlli::Label2));
        EXPECT_EQ(f3.RigaReplay, -1);
    });
    EXPECT_TRUE(provato);
    EXPECT_EQ(b.p.TimerInAttesa(), 0u); // the timer went with the window
}

// "Salva situazione attuale" writes the board shown as the player's board and leaves the game as
// it was; a cancelled dialog writes nothing.
TEST(Log, SavingTheSituationShownLeavesTheGame) {
    const std::string percorso = testing::TempDir() + "situazione.xml";
    for (bool annulla : {false, true}) {
        std::filesystem::remove(percorso);
        Banco b("janko-0107");
        b.f.m.TblGioco(5, 5) = 2; // a mark of the player's
        const Griglia8 gioco = b.f.m.TblGioco;
        const auto isole = Isole(b.f.m);
        std::string mostrato;
        b.Mostra([&](int n) {
            if (n != 6) return;
            b.f3.Gm_Click(b.f3.Passi.back().PrimaRiga + 1); // a configuration on the board
            mostrato = b.Sfondi();
            for (char& x : mostrato)
                x = x == '#' ? '2' : x == 'o' ? '1' : '0';
            for (int i = 1; i <= b.f.m.NumEle; ++i) // a clue is island, in whatever colour
                mostrato[(b.f.m.Ele[i].Riga - 1) * b.f.m.NumColonne + b.f.m.Ele[i].Colonna - 1] =
                    '1';
            if (!annulla) b.p.PercorsiSalva.push_back(percorso);
            const auto ele = b.f.m.Ele;
            const uint8_t numEle = b.f.m.NumEle;
            b.f3.Command1_Click();
            EXPECT_TRUE(b.f.m.TblGioco == gioco && b.f.m.Ele == ele && b.f.m.NumEle == numEle);
        });
        EXPECT_EQ(b.f.m.TblGioco, gioco);
        EXPECT_EQ(Isole(b.f.m), isole);
        ASSERT_EQ(std::filesystem::exists(percorso), !annulla);
        std::string dati;
        if (annulla || !LeggiFile(percorso, dati)) continue;
        const EsitoLettura e = LeggiSchema(dati);
        EXPECT_EQ(e.Letto.Posizione, mostrato) << e.Testo();
    }
}

TEST(Log, PlacedBesideTheMainWindowInsideTheScreenOffTheCell) {
    const Rettangolo schermo{0, 0, 1024, 768}, cella{100, 100, 30, 30};
    struct Caso {
        Rettangolo Principale, Cella, Attesa;
    };
    for (const Caso& c : {
             Caso{{0, 0, 500, 500}, cella, {504, 0, 400, 300}},               // to the right
             Caso{{0, 0, 800, 400}, cella, {0, 404, 400, 300}},               // below
             Caso{{450, 0, 550, 760}, {500, 100, 30, 30}, {46, 0, 400, 300}}, // to the left
             Caso{{0, 0, 1024, 768}, cella, {624, 0, 400, 300}}, // no room: off the cell
             Caso{{0, 0, 1024, 768}, {900, 100, 30, 30}, {0, 468, 400, 300}},
         }) {
        const Rettangolo r = PosizioneFinestraLog(schermo, c.Principale, c.Cella, 400, 300);
        EXPECT_EQ(r, c.Attesa) << r.x << "," << r.y;
        EXPECT_TRUE(schermo.Contiene(r) && !r.Interseca(c.Cella));
    }
}

// The on-the-spot explanation of one failure: its text on a light background, "O" on the cells
// of the cut wall while it is shown, and the log grid back afterwards.
TEST(Log, OnTheSpotFailureShowsItsCells) {
    // The cut wall's two cells, or the 2 x 2 block's four (named by its top left cell).
    for (int esito : {1, 0}) {
        Banco b("janko-0107");
        Modello& m = b.f.m;
        m.EsitoMuro = static_cast<uint8_t>(esito);
        m.TaglioRiga1 = 1, m.TaglioColonna1 = 3, m.TaglioRiga2 = 2, m.TaglioColonna2 = 1;
        m.Muro2x2Riga = 1, m.Muro2x2Colonna = 3;
        b.f3.Form_Load();
        const std::vector<std::string> prima = Righe(b.f3.Gm, true);
        auto segni = [&] {
            std::string o;
            for (auto [r, c] : {std::pair{1, 3}, {1, 4}, {2, 3}, {2, 4}, {2, 1}})
                o += b.Cella(r, c).Testo.empty() ? "." : b.Cella(r, c).Testo;
            return o;
        };
        std::string visto;
        b.p.SuModale = [&](const std::string&) {
            visto = Descrivi(b.f3.Gm.CellaIn(0, 1)) + " " + segni();
        };
        b.f3.VisualizzaForLogDet("Se 2,2 non è muro (come nei casi simili a questo)\nmotivo");
        EXPECT_EQ(visto, "C0FFFF 'Se 2,2 non è muro (come nei casi simili a questo)\nmotivo' "
                         "Arial 8.25 000000 " +
                             std::string(esito ? "O...O" : "OOOO."));
        EXPECT_EQ(segni(), ".....");
        EXPECT_EQ(Righe(b.f3.Gm, true), prima);
    }
}

// Every step is numbered and stays listed; an earlier step, chosen by a click or by "Passo
// precedente", shows its board again without undoing anything: "Continua log" from there goes on
// exactly as a run that never looked back. Only the current step's records replay.
TEST(Log, EarlierStepsStayListedAndShowTheirBoardAgain) {
    Banco dritto("janko-0107");
    std::vector<std::vector<std::string>> tavole; // the board of every step
    dritto.Mostra([&](int) { tavole.push_back(Righe(dritto.f.Gr, true)); });
    ASSERT_EQ(tavole.size(), 9u);

    Banco b("janko-0107");
    Form3& f3 = b.f3;
    std::vector<std::string> visti;
    b.Mostra([&](int n) {
        ASSERT_EQ(f3.Passi.size(), static_cast<size_t>(n));
        EXPECT_EQ(Righe(b.f.Gr, true), tavole[n - 1]) << n;
        for (int k = 0; k < n; ++k) {
            const int prima = f3.Passi[k].PrimaRiga;
            EXPECT_EQ(f3.Gm.CellaIn(prima, Form3::ColonnaPasso).Testo,
                      "Passo " + std::to_string(k + 1));
            for (int r = prima; r < prima + f3.Passi[k].NumRighe && k + 1 < n; ++r)
                EXPECT_FALSE(f3.RigaConSerie(r)) << k;
        }
        if (n != 6) return;
        // Back one step, back again, then a click on step 2 and on the first: at the first step
        // "Passo precedente" does nothing.
        const struct {
            int Riga; // -1 "Passo precedente", else a row of step Passo
            int Passo;
        } copione[] = {{-1, 5}, {-1, 4}, {f3.Passi[1].PrimaRiga, 2}, {-1, 1}, {-1, 1}};
        for (const auto& x : copione) {
            if (x.Riga < 0)
                f3.CmdPassoPrecedente_Click();
            else
                f3.Gm_Click(x.Riga);
            visti.push_back(std::to_string(f3.PassoMostrato + 1) + ":" +
                            (Righe(b.f.Gr, true) == tavole[x.Passo - 1] ? "tavola" : "?") +
                            (f3.Mostrata.Riga == f3.Passi[x.Passo - 1].C.Riga ? "+cella" : "") +
                            (f3.PassoPrecedenteAbilitato() ? "" : " primo"));
            // Its rows in black on white, the others grey.
            EXPECT_EQ(f3.Gm.CellaIn(f3.Passi[x.Passo - 1].PrimaRiga, 1).Sfondo, Bianco);
            EXPECT_NE(f3.Gm.CellaIn(f3.Passi[5].PrimaRiga, 1).Sfondo, Bianco);
            EXPECT_EQ(Righe(b.f.gr3, true), Righe(b.f.Gr, true));
        }
        f3.CmdContinuaLog_Click();
    });
    EXPECT_EQ(visti, (std::vector<std::string>{"5:tavola+cella", "4:tavola+cella", "2:tavola+cella",
                                               "1:tavola+cella primo", "1:tavola+cella primo"}));
    EXPECT_EQ(f3.Passi.size(), 9u);
    EXPECT_EQ(b.p.Messaggi.back(), "Fine del log \n Il livello di difficoltà è 1");
    // A new run starts a new list.
    b.Mostra([&](int n) { EXPECT_EQ(f3.Passi.size(), static_cast<size_t>(n)); });
}

// The rows of a step, with the words the window adds beside them, read as one sentence.
TEST(Log, EachStepReadsAsOneSentence) {
    const std::map<std::string, std::string> attese = {
        {"NRG", "la cella 2,5 deve essere muro perché non può appartenere a nessuna isola."},
        {"ISO", "la cella 3,2 deve essere isola per non formare un muro 2x2."},
        {"II3", "la conformazione dell'isola 3,5 comporta che questa è la forma definitiva "
                "dell'isola 3,5 perché è l'unica configurazione possibile dell'isola 3,5."},
        {"MU3", "la conformazione dell'isola 7,3 comporta che — altrimenti si crea un muro 2x2 "
                "in 4,2 — la cella 6,3 deve essere muro."},
        {"IS3", "la conformazione dell'isola 7,6 comporta che — oppure si crea un muro 2x2 in "
                "4,2, altrimenti si blocca l'isola 4,6 — la cella 7,7 deve essere isola."},
    };
    Banco b("janko-0320");
    // As drawn in the log, and as the hint's label says it (from the engine's rows).
    std::map<std::string, std::string> viste, dette;
    b.Mostra([&](int n) {
        const Form3::Passo& p = b.f3.Passi.back();
        const std::string codice(TestoCodice(p.C.Codice));
        if (!attese.count(codice) || viste.count(codice)) return;
        viste[codice] = Frase(b.f3, n - 1);
        std::vector<std::string> righe;
        for (int r = p.PrimaRiga; r < p.PrimaRiga + p.NumRighe; ++r)
            righe.push_back(b.f3.Gm.CellaIn(r, Form3::ColonnaTesto).Testo);
        dette[codice] = FraseDelPasso(p.C, righe, p.C.Livello ? b.f.Spieg.NumSerie : 0);
    });
    EXPECT_EQ(viste, attese);
    EXPECT_EQ(dette, attese);
}

// In a replay each island of the combination has its own colour, on its clue and its squares.
TEST(Log, ReplayGivesEachIslandItsColour) {
    Banco b("janko-0320");
    Form3& f3 = b.f3;
    int provati = 0;
    b.Mostra([&](int) {
        const Form3::Passo& p = f3.Passi.back();
        if (provati > 0 || p.C.Livello < 2 || !f3.RigaConSerie(p.PrimaRiga + 1)) return;
        ++provati;
        f3.Gm_Click(p.PrimaRiga + 1);
        std::set<Colore> clue, quadratini;
        for (int i = 1; i <= b.f.m.NumEle; ++i) {
            EXPECT_EQ(b.Cella(b.f.m.Ele[i].Riga, b.f.m.Ele[i].Colonna).Sfondo, ColoriIsole[i - 1]);
            clue.insert(ColoriIsole[i - 1]);
        }
        for (int r = 1; r <= b.f.m.NumRighe; ++r)
            for (int c = 1; c <= b.f.m.NumColonne; ++c)
                if (b.Cella(r, c).Font == "Wingdings" && b.Cella(r, c).Testo == "n")
                    quadratini.insert(b.Cella(r, c).ColoreTesto);
        EXPECT_EQ(clue.size(), static_cast<size_t>(p.C.Livello));
        for (Colore x : clue) // (the mark of an IS3 or MU3 cell may add teal or yellow)
            EXPECT_TRUE(quadratini.count(x)) << std::hex << x;
        EXPECT_NE(f3.Gm.CellaIn(p.PrimaRiga + 1, 1).Sfondo, Bianco);
    });
    EXPECT_EQ(provati, 1);
}
