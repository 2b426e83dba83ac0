// The file forms: every published file read back to its puzzle in every form, round trips, the
// check code, the inputs that must be refused without harm, safe reads and writes; links and
// pzprv3 files, their escapes and refusals, and the window reading and writing them.
#include "io/Letture.h"
#include "io/PuzzLink.h"
#include "model/Impostazione.h"
#include "ui/Partita.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

using namespace isolmar;
namespace fs = std::filesystem;

namespace {

std::string Leggi(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(LeggiFile(p.string(), s)) << p;
    return s;
}

// The size and the clues, whatever their order in the file.
std::vector<int> Forma(const Schema& s) {
    std::vector<std::array<int, 3>> isole;
    for (const Indizio& i : s.Isole)
        isole.push_back({i.Riga, i.Colonna, i.Num});
    std::sort(isole.begin(), isole.end());
    std::vector<int> v{s.Righe, s.Colonne};
    for (const auto& i : isole)
        v.insert(v.end(), i.begin(), i.end());
    return v;
}

// An XML file of the puzzle with a valid check code; dopo goes between the clues and the code.
std::string Xml(const Schema& s, const std::string& dopo = "") {
    std::string x = "<?xml version=\"1.0\" ?>\r\n<NURIKABE rows=\"" + std::to_string(s.Righe) +
                    "\" columns=\"" + std::to_string(s.Colonne) + "\">\r\n";
    for (const Indizio& i : s.Isole)
        x += "<DATA row=\"" + std::to_string(i.Riga) + "\" column=\"" + std::to_string(i.Colonna) +
             "\" number=\"" + std::to_string(i.Num) + "\" />\r\n";
    return x + dopo + "<CHECK>" + CreaPwd(s.Righe, s.Colonne, s.Isole) +
           "</CHECK>\r\n</NURIKABE>\r\n";
}

const std::string Esempio = Xml({2, 3, {{2, 1, 1}, {1, 2, 3}}},
                                "<SOLUTION>100101</SOLUTION>\r\n<POSITION>120001</POSITION>\r\n");

// The sample of the public encoder's own tests: 5 x 5, clues 5, 2, 1, 3.
const Schema Campione{5, 5, {{5, 1, 2}, {2, 2, 3}, {1, 4, 3}, {3, 5, 4}}};
constexpr const char* LinkCampione = "https://puzz.link/p?nurikabe/5/5/g5k2o1k3g";

} // namespace

// Worked by hand. 2 x 3 with clues 2 at (1,1) and 1 at (2,3): S = 10102 + 20301 = 30403,
// P = 3 x (2 + 30403) = 91215, T = "091215". The seed 418207 goes 418246 (digit 0 -> 3),
// 418289 (9 -> 1), 418336 (1 -> 2), 418388 (2 -> 9), 418445 + 4 = 418449 (1 -> 9),
// 418512 + 3 + 4 = 418519 (5 -> 5): "312995".
// 1 x 1 with clue 1: P = 1 x (1 + 10101) = 10102, T = "010102" through the same seeds: "393008".
TEST(CodiceControllo, TwoWorkedExamples) {
    EXPECT_EQ(CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}}), "312995");
    EXPECT_EQ(CreaPwd(1, 1, {{1, 1, 1}}), "393008");
    int32_t seme = 418207;
    EXPECT_EQ(CodificaCifre("0", seme), "3");
    EXPECT_EQ(seme, 418246);
}

// The writers' output reads back: the sample byte for byte, the text form with 50 islands.
TEST(Scrittori, WhatIsWrittenReadsBack) {
    auto m = NuovoModello();
    const EsitoLettura e = LeggiXml(Esempio);
    ASSERT_TRUE(e.Ok()) << e.Errore;
    ASSERT_TRUE(ApplicaSchema(*m, e.Letto.S));
    for (int k = 0; k < 6; ++k) {
        m->Tblsol(1, 1 + k / 3, 1 + k % 3) = static_cast<uint8_t>(e.Letto.Soluzione[k] - '0');
        m->TblGioco(1 + k / 3, 1 + k % 3) = static_cast<uint8_t>(e.Letto.Posizione[k] - '0');
    }
    m->NumSol = 1;
    EXPECT_EQ(ScriviXml(*m), Esempio);
    EXPECT_EQ(LeggiTesto(Righe(ScriviTesto(*m))).Letto.Soluzione, "100101");
    Schema s{10, 10, {}};
    std::string appunti = "," + std::string(6, '?') + ",10,10";
    for (int k = 0; k < MaxEle; ++k) {
        s.Isole.push_back({1, 1 + k / 10 * 2, 1 + k % 10});
        appunti += "," + std::to_string(1 + k / 10 * 2) + "," + std::to_string(1 + k % 10) + ",1";
    }
    ASSERT_TRUE(ApplicaSchema(*m, s));
    const std::vector<std::string> righe = Righe(ScriviTesto(*m));
    ASSERT_EQ(righe.size(), 51u);
    EXPECT_EQ(Forma(LeggiTesto(righe).Letto.S), Forma(s));
    EXPECT_TRUE(LeggiAppunti(appunti.replace(1, 6, CreaPwd(10, 10, s.Isole))).Ok());
}

// One edit of the sample file each, and what the reader makes of it.
TEST(FileXml, EditsOfTheSampleAndPuzzlesOutsideTheModel) {
    const struct {
        const char *da, *a, *errore, *posizione;
    } casi[] = {
        // Single quotes, upper case, column before row.
        {"row=\"1\" column=\"1\"", "COLUMN='1' ROW='1'", "", "120001"},
        // The check code covers only the clues.
        {"<SOLUTION>1", "<SOLUTION>0", "", "120001"},
        {"number=\"2\"", "number=\"3\"", "Dati errati", ""},
        // The number must come after row and column: otherwise that island is lost, and the
        // file is not in the format; nor is one without its <CHECK> line.
        {"row=\"1\" column=\"1\" number=\"2\"", "number=\"2\" row=\"1\" column=\"1\"",
         "File inesistente o dati errati", ""},
        {"<CHECK>", "<CONTROLLO>", "File inesistente o dati errati", ""},
        // A short position reads as 0s, clue cells as island; a digit above 2 is refused.
        {"<POSITION>120001", "<POSITION>12", "", "120001"},
        {"<POSITION>120001", "<POSITION>020000", "", "120001"},
        {"<POSITION>1", "<POSITION>7", "File inesistente o dati errati", ""},
        // A value no field of the file can hold.
        {"row=\"2\"", "row=\"300\"", "File inesistente o dati errati", ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.a);
        std::string s = Esempio;
        s.replace(s.find(c.da), std::strlen(c.da), c.a);
        const EsitoLettura e = LeggiXml(s);
        EXPECT_EQ(e.Errore, c.errore);
        EXPECT_EQ(e.Letto.Posizione, c.posizione);
    }
    // Puzzles no board holds are refused even with a valid check code, each for its reason.
    const struct {
        Schema s;
        const char* motivo;
    } fuori[] = {
        {{101, 5, {{1, 1, 1}}}, "Numero di righe non ammesso: 101 (da 1 a 100)"},
        {{5, 5, {{1, 9, 1}}}, "Isola 1: la cella (9, 1) è fuori dalla griglia"},
        {{5, 5, {{26, 1, 1}}}, "Isola 1: numero 26 non ammesso (da 1 a 25)"},
        {{5, 5, {{3, 1, 1}, {0, 2, 2}}}, "Isola 2: numero 0 non ammesso (da 1 a 25)"},
        {{5, 5, {{3, 1, 1}, {2, 1, 1}}}, "Isola 2: la cella (1, 1) ha già un numero"},
        {{5, 5, {}}, "Lo schema non contiene isole"},
    };
    for (const auto& f : fuori) {
        const EsitoLettura e = LeggiXml(Xml(f.s));
        EXPECT_EQ(e.Errore, "File inesistente o dati errati");
        EXPECT_EQ(e.Dettaglio, f.motivo);
    }
}

TEST(FileTesto, TextAndClipboardForms) {
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    const struct {
        std::vector<std::string> righe;
        const char* errore;
    } testi[] = {
        {{"," + pwd + ",2,3", "1,1,2", "2,3,1"}, ""}, // no solution: the first field is empty
        {{"," + pwd + ",2,3", "1,1", "1,1,2", "2,3,1"}, ""},   // a two-field line is skipped
        {{"," + pwd + ",2,3", "1,1,2", "2,3"}, "Dati errati"}, // ... and the code then fails
        {{"2,3", "1,1,2", "2,3,1"}, "File inesistente o dati errati"}, // the short form
        {std::vector<std::string>(51, "1,1,1"), "File inesistente o dati errati"},
    };
    for (const auto& t : testi) {
        EXPECT_EQ(LeggiTesto(t.righe).Errore, t.errore) << t.righe[0];
        EXPECT_FALSE(LeggiTesto(t.righe).Letto.HaSoluzione);
    }
    // The clipboard: one line, "S" for island cells of the solution.
    const EsitoLettura e = LeggiAppunti("S00S0S," + pwd + ",2,3,1,1,2,2,3,1");
    ASSERT_TRUE(e.Ok()) << e.Errore;
    EXPECT_EQ(e.Letto.Soluzione, "100101");
    for (const std::string& t :
         {std::string(), "S00S0S," + pwd + ",2,3,1,1,2,2,3", std::string("non è uno schema")})
        EXPECT_EQ(LeggiAppunti(t).Errore, "dati errati") << t;
}

// Every malformed input of the corpus is either accepted as a puzzle of the model or refused
// with one of the readers' messages.
TEST(Corpus, MalformedInputsAreRefusedCleanly) {
    const std::set<std::string> Messaggi{TestoDatiErrati, TestoFileErrato, TestoAppuntiErrati,
                                         TestoLinkErrato};
    int letti = 0;
    for (const auto& f : fs::directory_iterator(ISOLMAR_CORPUS_DIR)) {
        const std::string t = Leggi(f.path());
        for (const EsitoLettura& e : {LeggiXml(t), LeggiTesto(Righe(t)), LeggiAppunti(t),
                                      LeggiSchema(t), LeggiIncollato(t)}) {
            if (e.Ok())
                EXPECT_EQ(ValidaSchema(e.Letto.S), "") << f.path();
            else
                EXPECT_TRUE(Messaggi.count(e.Errore)) << f.path();
        }
        ++letti;
    }
    EXPECT_GE(letti, 10);
}

// A stored solution is taken only when it solves the puzzle; anything else loads the puzzle as
// unsolved, never as a false solution.
TEST(Soluzione, OnlyARealSolutionIsTaken) {
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    const struct {
        const char* carico;
        bool presa;
    } casi[] = {{"100101", true},  {"100101</SOLUTION>x", true},
                {"", false},       {"1001", false},
                {"000000", false}, {"110001", false},  // cut wall
                {"111101", false}, {"100111", false}}; // island too large; two clues joined
    for (const auto& c : casi) {
        SCOPED_TRACE(c.carico);
        std::string s = Esempio;
        const size_t a = s.find("<SOLUTION>") + 10;
        s.replace(a, s.find("</SOLUTION>") - a, c.carico);
        EXPECT_EQ(LeggiXml(s).Letto.HaSoluzione, c.presa);
        const EsitoLettura t =
            LeggiTesto({std::string(c.carico).substr(0, 6) + "," + pwd + ",2,3", "1,1,2", "2,3,1"});
        EXPECT_EQ(t.Letto.HaSoluzione, c.presa && std::string(c.carico).size() >= 6);
    }
    // A byte-order mark before the first field of a text file is no part of the solution.
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(LeggiSchema(bom + "100101," + pwd + ",2,3\r\n1,1,2\r\n2,3,1\r\n").Letto.Soluzione,
              "100101");
    // Unsolved: written as zeros, read back as unsolved, whatever the table holds from before.
    auto m = NuovoModello();
    ASSERT_TRUE(ApplicaSchema(*m, LeggiXml(Esempio).Letto.S));
    m->Tblsol(1, 1, 1) = 1;
    m->NumSol = 0;
    const std::string xml = ScriviXml(*m);
    EXPECT_NE(xml.find("<SOLUTION>000000</SOLUTION>"), std::string::npos);
    EXPECT_FALSE(LeggiXml(xml).Letto.HaSoluzione);
    EXPECT_EQ(ScriviTesto(*m).substr(0, 1), ",");
}

// A read refuses endless and huge inputs without reading them. A save replaces the old file
// whole, never writes through a stale temporary name, writes through a link to its file, keeps
// the permissions, refuses a read-only file or a folder, and leaves no temporary file.
TEST(FileSicuri, BoundedReadsAndSafeWrites) {
    const fs::path d = fs::temp_directory_path() / "isolmar-test-link";
    fs::remove_all(d);
    fs::create_directories(d);
    std::string dati, motivo;
    ASSERT_TRUE(ScriviFileSicuro((d / "grande").string(), std::string(MaxByteFile + 1, 'x')));
    for (auto [file, atteso] : {std::pair{fs::path("/dev/zero"), "non è un file ordinario"},
                                {d / "grande", "troppo grande"}}) {
        EXPECT_FALSE(LeggiFile(file.string(), dati, &motivo));
        EXPECT_NE(motivo.find(atteso), std::string::npos) << motivo;
        EXPECT_TRUE(dati.empty());
    }
    fs::remove(d / "grande");
    const fs::path vittima = d / "vittima", schema = d / "schema.xml";
    ASSERT_TRUE(ScriviFileSicuro(vittima.string(), "intatto"));
    ASSERT_TRUE(ScriviFileSicuro(schema.string(), "vecchio"));
    fs::create_symlink(vittima, d / ".schema.xml.isolmar-abcdef");
    fs::create_symlink(vittima, d / "schema.xml.tmp-isolmar");
    ASSERT_TRUE(ScriviFileSicuro(schema.string(), "uno"));
    EXPECT_EQ(Leggi(vittima), "intatto");
    EXPECT_EQ(Leggi(schema), "uno");
    EXPECT_TRUE(fs::is_symlink(d / ".schema.xml.isolmar-abcdef")); // not a save's, so it stays

    constexpr fs::perms rw = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(schema, rw);
    const fs::path collegamento = d / "collegamento.xml";
    fs::create_symlink("schema.xml", collegamento);
    ASSERT_TRUE(ScriviFileSicuro(collegamento.string(), "due"));
    EXPECT_TRUE(fs::is_symlink(collegamento));
    EXPECT_EQ(Leggi(schema), "due");
    EXPECT_EQ(fs::status(schema).permissions() & fs::perms::all, rw);

    fs::permissions(schema, fs::perms::owner_read);
    for (auto [file, atteso] : {std::pair{schema, "il file è di sola lettura"},
                                {d / "manca" / "a.xml", "la cartella non esiste"},
                                {d, "è una cartella"}}) {
        EXPECT_FALSE(ScriviFileSicuro(file.string(), "tre", &motivo));
        EXPECT_EQ(motivo, atteso);
    }
    EXPECT_EQ(Leggi(schema), "due");
    // vittima, schema.xml, the two links, collegamento.xml
    EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 5);
    fs::remove_all(d);
}

// A save removes only what provably is an interrupted save's temporary file: the exact name, a
// regular file of the user, old and not locked. Anything else of a similar name stays.
TEST(FileSicuri, SavesRemoveOnlyTheirOwnLeftovers) {
    const fs::path d = fs::temp_directory_path() / "isolmar-test-avanzi";
    fs::remove_all(d);
    fs::create_directories(d);
    const auto vecchio = fs::file_time_type::clock::now() - std::chrono::hours(2);
    const struct {
        const char* nome;
        bool vecchio, cartella, collegamento, estraneo, bloccato, resta;
    } casi[] = {
        {".notes.txt.isolmar-abc123.tmp", true, false, false, false, false, false},
        {".notes.txt.isolmar-backup", true, false, false, false, false, true},
        {".notes.txt.isolmar-abc124.tmp", false, false, false, false, false, true}, // recent
        {".notes.txt.isolmar-abc125.tmp", true, true, false, false, false, true},
        {".notes.txt.isolmar-abc126.tmp", true, false, true, false, false, true},
        {".notes.txt.isolmar-abc127.tmp", true, false, false, true, false, true},
        {".notes.txt.isolmar-abc128.tmp", true, false, false, false, true, true}, // being written
        {".notes.txt.isolmar-ab-129.tmp", true, false, false, false, false, true},
        {".notes.txt.isolmar-abc1290.tmp", true, false, false, false, false, true},
    };
    std::vector<int> blocchi;
    for (const auto& c : casi) {
        const fs::path p = d / c.nome;
        if (c.cartella)
            fs::create_directory(p);
        else if (c.collegamento)
            fs::create_symlink(d / "altro", p);
        else
            ASSERT_TRUE(ScriviFileSicuro(p.string(), "x"));
        if (c.estraneo && ::chown(p.c_str(), 4321, 4321) != 0) continue; // only root can
        if (c.vecchio && !c.collegamento) fs::last_write_time(p, vecchio);
        if (c.bloccato) {
            blocchi.push_back(::open(p.c_str(), O_RDONLY));
            ASSERT_EQ(::flock(blocchi.back(), LOCK_EX), 0);
        }
    }
    ASSERT_TRUE(ScriviFileSicuro((d / "notes.txt").string(), "note"));
    for (const auto& c : casi)
        EXPECT_EQ(fs::exists(fs::symlink_status(d / c.nome)), c.resta) << c.nome;
    for (int f : blocchi)
        ::close(f);
    fs::remove_all(d);
}

// Saves of one file at once all succeed and leave one whole version and no temporary file; a
// name of 250 or 255 bytes saves; a loop of links is refused with its reason, in Italian.
TEST(FileSicuri, ConcurrentSavesLongNamesAndLinkLoops) {
    const fs::path d = fs::temp_directory_path() / "isolmar-test-insieme";
    fs::remove_all(d);
    fs::create_directories(d);
    const std::string file = (d / "schema.xml").string();
    const std::string versioni[] = {std::string(30000, 'a'), std::string(20000, 'b')};
    std::atomic<int> riusciti{0};
    std::vector<std::thread> fili;
    for (const std::string& v : versioni)
        fili.emplace_back([&] {
            for (int k = 0; k < 150; ++k)
                riusciti += ScriviFileSicuro(file, v);
        });
    for (auto& f : fili)
        f.join();
    EXPECT_EQ(riusciti, 300);
    const std::string letto = Leggi(file);
    EXPECT_TRUE(letto == versioni[0] || letto == versioni[1]);
    EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1);

    for (size_t lunghezza : {250u, 255u}) {
        const fs::path lungo = d / (std::string(lunghezza - 4, 'n') + ".xml");
        EXPECT_TRUE(ScriviFileSicuro(lungo.string(), "lungo")) << lunghezza;
        EXPECT_EQ(Leggi(lungo), "lungo");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 3);

    fs::create_symlink("b.xml", d / "a.xml");
    fs::create_symlink("a.xml", d / "b.xml");
    std::string motivo, dati;
    const std::string giro = "troppi collegamenti simbolici, forse in un giro chiuso";
    EXPECT_FALSE(ScriviFileSicuro((d / "a.xml").string(), "x", &motivo));
    EXPECT_EQ(motivo, giro);
    EXPECT_TRUE(fs::is_symlink(d / "a.xml"));
    EXPECT_FALSE(LeggiFile((d / "a.xml").string(), dati, &motivo));
    EXPECT_EQ(motivo, giro);
    fs::remove_all(d);
}

// Each refusal names its real reason; what is no fault is read.
TEST(Messaggi, EachRefusalNamesItsRealReason) {
    const std::string x = Esempio; // DATA on lines 3 and 4, CHECK on line 7
    auto cambia = [&](const std::string& da, const std::string& a) {
        std::string s = x;
        s.replace(s.find(da), da.size(), a);
        return s;
    };
    std::string unaRiga = x;
    std::erase(unaRiga, '\r');
    std::erase(unaRiga, '\n');
    const struct {
        std::string testo;
        const char* motivo;
    } casi[] = {
        {cambia("<CHECK>", "  <CHECK>"), "Il file non è nel formato XML di Isolmar: riga 7"},
        {cambia("<DATA row=\"1\" column=\"1\" number=\"2\"",
                "<DATA number=\"2\" row=\"1\" column=\"1\""),
         "Il file non è nel formato XML di Isolmar: riga 3"},
        {unaRiga, "Il file non è nel formato XML di Isolmar: riga 1"},
        {cambia("<CHECK>", "<CHECK>1"), "Il codice di controllo non corrisponde allo schema"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(LeggiSchema(c.testo).Dettaglio, c.motivo) << c.testo;

    // Pasted on several lines, the text form is refused as such.
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    EXPECT_EQ(LeggiIncollato("100101," + pwd + ",2,3\r\n1,1,2\r\n2,3,1\r\n").Dettaglio,
              "Sono state incollate più righe: lo schema si incolla su una riga sola, con tutti "
              "i campi separati da virgole");
    // A text file of 50 islands with a blank last line.
    Schema pieno{10, 10, {}};
    std::vector<std::string> righe{""};
    for (int r = 1; r <= 10; ++r)
        for (int c = 2 - r % 2; c <= 10; c += 2) {
            pieno.Isole.push_back({1, r, c});
            righe.push_back(std::to_string(r) + "," + std::to_string(c) + ",1");
        }
    righe[0] = "," + CreaPwd(10, 10, pieno.Isole) + ",10,10";
    righe.push_back("");
    EXPECT_TRUE(LeggiTesto(righe).Ok()) << LeggiTesto(righe).Testo();
    // A link's anchor or extra parameters; a path that is a file.
    for (const char* coda : {"#prova", "&utm=x", "&a#b"})
        EXPECT_TRUE(LeggiLink(std::string(LinkCampione) + coda).Ok()) << coda;
    Partita w;
    const std::string manca = testing::TempDir() + "manca?a=1/b.xml";
    EXPECT_FALSE(w.f.ApriFile(manca));
    EXPECT_EQ(w.p.Messaggi.back(), "File inesistente o dati errati\n" + manca +
                                       ": il file o la sua cartella non esiste");
}

// The encoder's sample in its other forms and as its tests save it solved; runs of more than 20
// empty cells, a run at the very end, the last cell a clue, 1 x 1: written as the encoder writes
// them and read back.
TEST(Link, TheEncodersSampleAndTheEscapes) {
    for (const char* url : {LinkCampione, "http://pzv.jp/p.html?nurikabe/5/5/g5k2o1k3g",
                            "  https://puzz.link/p?nurikabe/5/5/g5k2o1k3g/\r\n"}) {
        SCOPED_TRACE(url);
        ASSERT_TRUE(SembraLink(url));
        const EsitoLettura e = LeggiLink(url);
        ASSERT_TRUE(e.Ok()) << e.Testo();
        EXPECT_EQ(Forma(e.Letto.S), Forma(Campione));
        EXPECT_FALSE(e.Letto.HaPosizione);
    }
    const struct {
        Schema s;
        const char* corpo;
    } casi[] = {{Campione, "5/5/g5k2o1k3g"},
                {{1, 1, {{1, 1, 1}}}, "1/1/1"},
                {{1, 25, {{7, 1, 25}}}, "25/1/zj7"},
                {{1, 45, {{1, 1, 1}}}, "45/1/1zzj"},
                {{2, 21, {{9, 1, 1}, {9, 2, 21}}}, "21/2/9zz9"}};
    for (const auto& c : casi) {
        const std::string url = ScriviLink(c.s);
        EXPECT_EQ(url, std::string("https://puzz.link/p?nurikabe/") + c.corpo);
        const EsitoLettura e = LeggiLink(url);
        ASSERT_TRUE(e.Ok()) << url << e.Testo();
        EXPECT_EQ(Forma(e.Letto.S), Forma(c.s)) << url;
    }
    // The published copy of the sample; its solved board: clues, '#' wall, '+' island.
    const EsitoLettura f =
        LeggiSchema(Leggi(fs::path(ISOLMAR_PUZZLES_DIR) / "puzzlink-5x5-g5k2o1k3g.xml"));
    ASSERT_TRUE(f.Ok());
    EXPECT_EQ(Forma(f.Letto.S), Forma(Campione));
    const EsitoLettura p = LeggiPzprv3("pzprv3/nurikabe/5/5/+ 5 # # # /+ # 2 + # /+ # # # # /"
                                       "+ # 1 # . /# # # 3 . /");
    ASSERT_TRUE(p.Ok()) << p.Testo();
    EXPECT_EQ(Forma(p.Letto.S), Forma(Campione));
    EXPECT_EQ(p.Letto.Posizione, "1122212112122221212022210");
}

// Every third size up to 100 x 100, clues of any number up to the cell count (every escape).
TEST(Link, RandomBoardsOfEverySizeRoundTrip) {
    std::mt19937 caso(19);
    for (int R = 1; R <= MaxLato; R += 3)
        for (int C = 1; C <= MaxLato; C += 3) {
            Schema s{R, C, {}};
            std::string posizione(size_t(R * C), '0');
            const int isole = 1 + static_cast<int>(caso() % std::min(300, R * C));
            std::set<int> prese;
            while (static_cast<int>(prese.size()) < isole)
                prese.insert(static_cast<int>(caso() % static_cast<unsigned>(R * C)));
            for (int k : prese)
                s.Isole.push_back(
                    {1 + static_cast<int>(caso() % unsigned(R * C)), k / C + 1, k % C + 1});
            for (size_t k = 0; k < posizione.size(); ++k)
                posizione[k] = prese.count(int(k)) ? '1' : char('0' + caso() % 3);
            const EsitoLettura l = LeggiLink(ScriviLink(s));
            ASSERT_TRUE(l.Ok()) << R << "x" << C << " " << l.Testo();
            ASSERT_EQ(Forma(l.Letto.S), Forma(s)) << ScriviLink(s);
            const EsitoLettura p = LeggiPzprv3(ScriviPzprv3(s, posizione));
            ASSERT_TRUE(p.Ok()) << p.Testo();
            ASSERT_EQ(Forma(p.Letto.S), Forma(s));
            ASSERT_EQ(p.Letto.Posizione, posizione);
        }
}

// What the model cannot hold, each refused with its own reason; pasted, a pzprv3 text is refused as
// the clipboard's.
TEST(Link, RefusalsNameTheirReason) {
    const std::string P = "https://puzz.link/p?nurikabe/";
    const std::string F = "pzprv3\nnurikabe\n";
    const struct {
        std::string testo;
        const char* errore;
        const char* motivo;
    } casi[] = {
        {P + "2/1/a1", TestoLinkErrato, "numero 10 non ammesso"},
        {P + "2/1/.1", TestoLinkErrato, "(1, 1) ha un numero sconosciuto"},
        {P + "5/5/g5k2o1k3", TestoLinkErrato, "troncato: descrive 24 delle 25"},
        {P + "5/5/g5k2o1k3g1", TestoLinkErrato, "più celle delle 5 x 5"},
        {P + "5/5/g5k2o1k3h", TestoLinkErrato, "più celle delle 5 x 5"},
        {P + "5/5/g5k2o1k3-1", TestoLinkErrato, "Numero incompleto nel link alla cella (5, 5)"},
        {P + "5/5/g5k2o1k3!", TestoLinkErrato, "Carattere non ammesso nel link: \"!\""},
        {"https://puzz.link/p?slither/5/5/g5k2o1k3g", TestoLinkErrato, "\"slither\""},
        {P + "0/5/zl", TestoLinkErrato, "colonne non ammesso: 0"},
        {P + "5/101/zl", TestoLinkErrato, "righe non ammesso: 101 (da 1 a 100)"},
        {P + "5/x/zl", TestoLinkErrato, "Misure del link non leggibili"},
        {P + "2/1/1", TestoLinkErrato, "1 delle 2 celle"},
        {P + "101/1/" + std::string(101, '1'), TestoLinkErrato, "colonne non ammesso: 101"},
        {P + "2/1/-10g", TestoLinkErrato, "numero 16 non ammesso (da 1 a 2)"},
        {P + "2/1/1+00", TestoLinkErrato, "Numero incompleto nel link alla cella (1, 2)"},
        {F + "1\n2\n10 . \n", TestoFileErrato, "numero 10 non ammesso"},
        {F + "1\n2\n- 1 \n", TestoFileErrato, "(1, 1) ha un numero sconosciuto"},
        {F + "2\n2\n1 . \n", TestoFileErrato, "troncato: 1 righe dello schema su 2"},
        {F + "1\n2\n1 \n", TestoFileErrato, "ha 1 caselle invece di 2"},
        {F + "1\n2\n1 . . \n", TestoFileErrato, "più di 2 caselle"},
        {F + "1\n2\n1 x \n", TestoFileErrato, "Casella (1, 2) non leggibile: \"x\""},
        {"pzprv3\nslither\n1\n1\n1 \n", TestoFileErrato, "\"slither\""},
        {F + "0\n2\n", TestoFileErrato, "righe non ammesso: 0"},
        {F + "1\n101\n", TestoFileErrato, "colonne non ammesso: 101"},
        {F + "1\n2\n3 3 \n", TestoFileErrato, "numero 3 non ammesso (da 1 a 2)"},
        {F + "uno\n2\n1 .\n", TestoFileErrato, "Misure non leggibili"},
        {"pzprv3\n", TestoFileErrato, "Mancano il gioco e le misure"},
    };
    std::set<std::string> motivi;
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo);
        const EsitoLettura e = LeggiSchema(c.testo);
        EXPECT_EQ(e.Errore, c.errore);
        EXPECT_NE(e.Dettaglio.find(c.motivo), std::string::npos) << e.Dettaglio;
        EXPECT_EQ(LeggiIncollato(c.testo).Errore,
                  c.errore == TestoLinkErrato ? TestoLinkErrato : TestoAppuntiErrati);
        motivi.insert(e.Dettaglio);
    }
    EXPECT_GE(motivi.size(), 20u);
}

// "Incolla" takes a link; a pzprv3 file opens with its player's board and saves back the same.
TEST(Link, TheWindowPastesLinksAndOpensAndSavesPzprv3) {
    Partita w;
    w.p.Appunti = LinkCampione;
    w.f.tlb1_ButtonClick("Incolla");
    ASSERT_EQ(w.m.NumEle, 4);
    const fs::path d = fs::path(testing::TempDir()) / "isolmar-pzpr";
    fs::create_directories(d);
    const std::string file = (d / "campione.pzpr").string(), copia = (d / "copia.pzpr").string();
    ASSERT_TRUE(ScriviFileSicuro(file, "pzprv3\nnurikabe\n5\n5\n+ 5 # # # \n+ # 2 + # \n"
                                       "+ # # # # \n+ # 1 # . \n# # # 3 . \n"));
    w.p.PercorsiApri = {file};
    w.p.RisposteMessaggi = {Risposta::No};
    w.f.tlb1_ButtonClick("Apri");
    EXPECT_EQ(w.Cella(1, 3) * 10 + w.Cella(2, 4), 21);
    w.p.PercorsiSalva = {copia};
    w.f.mnuSalvaPzpr_Click();
    EXPECT_EQ(Leggi(copia), Leggi(file));
    w.f.mnuCopiaLink_Click();
    EXPECT_EQ(w.p.Appunti, LinkCampione);
    fs::remove_all(d);
}

// Every published puzzle, those beyond the fixed tables too, reads alike from its XML file and
// its text form, with its solution, and is written back byte for byte; the clipboard, link and
// pzprv3 forms give it back whole.
TEST(FilePubblicati, EveryFormGivesThePuzzleBack) {
    int letti = 0;
    for (const char* cartella : {ISOLMAR_PUZZLES_DIR, ISOLMAR_OLTRE_DIR})
        for (const auto& f : fs::directory_iterator(cartella)) {
            if (f.path().extension() != ".xml") continue;
            SCOPED_TRACE(f.path().string());
            fs::path txt = f.path();
            const std::string xml = Leggi(f.path()), testo = Leggi(txt.replace_extension(".txt"));
            const EsitoLettura a = LeggiSchema(xml), b = LeggiSchema(testo);
            ASSERT_TRUE(a.Ok() && b.Ok()) << a.Testo() << b.Testo();
            const SchemaLetto& l = a.Letto;
            if (cartella == std::string(ISOLMAR_PUZZLES_DIR)) {
                EXPECT_EQ(OltreLeForme(l.S), "");
            }
            ASSERT_TRUE(l.HaPosizione);
            EXPECT_EQ(Forma(l.S), Forma(b.Letto.S));
            EXPECT_EQ(l.Soluzione, b.Letto.Soluzione);
            EXPECT_EQ(ScriviXml(l.S, l.Soluzione, l.Posizione), xml);
            EXPECT_EQ(ScriviXml(l.S, l.Soluzione), xml); // the files hold a fresh board
            EXPECT_EQ(ScriviTesto(b.Letto.S, b.Letto.Soluzione), testo);
            std::string appunti = testo.substr(0, testo.size() - 2);
            for (size_t k; (k = appunti.find("\r\n")) != std::string::npos;)
                appunti.replace(k, 2, ",");
            std::replace(appunti.begin(), appunti.begin() + long(appunti.find(',')), '1', 'S');
            const EsitoLettura c = LeggiAppunti(appunti), k = LeggiLink(ScriviLink(l.S));
            ASSERT_TRUE(c.Ok() && k.Ok()) << c.Testo() << k.Testo();
            EXPECT_EQ(Forma(c.Letto.S), Forma(l.S));
            EXPECT_EQ(c.Letto.Soluzione, l.Soluzione);
            EXPECT_EQ(Forma(k.Letto.S), Forma(l.S));
            // The solution as a player's board: islands '+', walls '#'.
            std::string giocata = l.HaSoluzione ? l.Soluzione : l.Posizione;
            std::replace(giocata.begin(), giocata.end(), '0', '2');
            const EsitoLettura p = LeggiPzprv3(ScriviPzprv3(l.S, giocata));
            ASSERT_TRUE(p.Ok()) << p.Testo();
            EXPECT_EQ(Forma(p.Letto.S), Forma(l.S));
            EXPECT_EQ(p.Letto.Posizione, giocata);
            ++letti;
        }
    EXPECT_GE(letti, 24 + 29);
}

// Links of larger numbers: each escape with all its digits, at both ends of its range.
TEST(OltreIlModello, LinkEscapesOfLargeNumbers) {
    const struct {
        int numero;
        const char* corpo;
    } casi[] = {{15, "f"},      {16, "-10"},    {255, "-ff"},   {256, "+100"},
                {4095, "+fff"}, {4096, "=000"}, {4351, "=0ff"}, {8191, "=fff"},
                {8192, "%000"}, {8193, "%001"}, {10000, "%710"}};
    for (const auto& c : casi) {
        const Schema s{100, 100, {{c.numero, 1, 1}}};
        const std::string url = ScriviLink(s);
        EXPECT_EQ(
            url.rfind(std::string("https://puzz.link/p?nurikabe/100/100/") + c.corpo + "z", 0), 0u)
            << url.substr(0, 50);
        const EsitoLettura e = LeggiLink(url);
        ASSERT_TRUE(e.Ok()) << url << e.Testo();
        EXPECT_EQ(Forma(e.Letto.S), Forma(s));
    }
}

// What no board takes, in the text, clipboard and link forms (the XML file's cases are with its
// edits): its reason, and nothing read.
TEST(OltreIlModello, ImpossiblePuzzlesAreRefusedWithTheirReason) {
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    std::vector<std::string> sette{"," + pwd + ",2,3"};
    std::string appunti = "," + pwd + ",2,3";
    for (int k = 0; k < 7; ++k) {
        sette.push_back("1,1,2");
        appunti += ",1,1,2";
    }
    const struct {
        EsitoLettura e;
        const char* motivo;
    } casi[] = {
        {LeggiTesto(sette), "Troppe righe: 8 (al massimo 7 per uno schema 2 x 3)"},
        {LeggiAppunti(appunti), "Troppe isole: 7 (al massimo 6)"},
        {LeggiTesto(std::vector<std::string>(10003, "1,1,1")), "Troppe righe: 10003 (al massimo "
                                                               "10001)"},
        {LeggiLink("https://puzz.link/p?nurikabe/3/2/%000k"),
         "Isola 1: numero 8192 non ammesso (da 1 a 6)"},
    };
    for (const auto& c : casi) {
        EXPECT_FALSE(c.e.Ok());
        EXPECT_EQ(c.e.Dettaglio, c.motivo);
        EXPECT_TRUE(c.e.Letto.S.Isole.empty());
    }
    // Large numbers on a board that holds them are read.
    EXPECT_TRUE(LeggiXml(Xml({20, 20, {{300, 1, 1}}})).Ok());
}
