// The file forms: every published file read back to its puzzle, round trips, the check code and
// the inputs that must be refused without harm.
#include "io/Letture.h"
#include "model/Impostazione.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace isolmar;
namespace fs = std::filesystem;

namespace {

std::string Leggi(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(LeggiFile(p.string(), s)) << p;
    return s;
}

bool Uguali(const Schema& a, const Schema& b) {
    if (a.Righe != b.Righe || a.Colonne != b.Colonne || a.Isole.size() != b.Isole.size())
        return false;
    for (size_t k = 0; k < a.Isole.size(); ++k)
        if (a.Isole[k].Num != b.Isole[k].Num || a.Isole[k].Riga != b.Isole[k].Riga ||
            a.Isole[k].Colonna != b.Isole[k].Colonna)
            return false;
    return true;
}

const std::string Esempio = "<?xml version=\"1.0\" ?>\r\n"
                            "<NURIKABE rows=\"2\" columns=\"3\">\r\n"
                            "<DATA row=\"1\" column=\"1\" number=\"2\" />\r\n"
                            "<DATA row=\"2\" column=\"3\" number=\"1\" />\r\n"
                            "<SOLUTION>100101</SOLUTION>\r\n"
                            "<POSITION>120001</POSITION>\r\n"
                            "<CHECK>" +
                            CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}}) +
                            "</CHECK>\r\n"
                            "</NURIKABE>\r\n";

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

TEST(FilePubblicati, XmlAndTextFormReadToTheSamePuzzleAndSolution) {
    int letti = 0;
    for (const auto& f : fs::directory_iterator(ISOLMAR_PUZZLES_DIR)) {
        if (f.path().extension() != ".xml") continue;
        SCOPED_TRACE(f.path().filename().string());
        const std::string xml = Leggi(f.path());
        ASSERT_TRUE(PrimaRigaXml(xml));
        const EsitoLettura a = LeggiXml(xml);
        ASSERT_TRUE(a.Ok()) << a.Errore << " " << a.Dettaglio;
        fs::path txt = f.path();
        txt.replace_extension(".txt");
        const std::string testo = Leggi(txt);
        EXPECT_FALSE(PrimaRigaXml(testo));
        const EsitoLettura b = LeggiTesto(Righe(testo));
        ASSERT_TRUE(b.Ok()) << b.Errore;
        EXPECT_TRUE(Uguali(a.Letto.S, b.Letto.S));
        EXPECT_EQ(a.Letto.Soluzione, b.Letto.Soluzione);
        EXPECT_TRUE(a.Letto.HaPosizione);
        ++letti;
    }
    EXPECT_GE(letti, 20);
}

TEST(FileXml, WriteThenReadKeepsEverythingAndIsByteExact) {
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
    const EsitoLettura t = LeggiTesto(Righe(ScriviTesto(*m)));
    ASSERT_TRUE(t.Ok());
    EXPECT_TRUE(Uguali(t.Letto.S, e.Letto.S));
    EXPECT_EQ(t.Letto.Soluzione, "100101");
}

TEST(FileXml, ReaderToleranceAndRefusals) {
    // Single quotes and lower-case attribute names read alike; row and column in either order.
    std::string s = Esempio;
    s.replace(s.find("row=\"1\" column=\"1\""), 18, "COLUMN='1' ROW='1'");
    EXPECT_TRUE(LeggiXml(s).Ok());
    // A changed solution or position digit still loads (the check covers only the clues).
    s = Esempio;
    s[s.find("<SOLUTION>") + 10] = '0';
    s[s.find("<POSITION>") + 11] = '1';
    EXPECT_TRUE(LeggiXml(s).Ok());
    // A clue changed by one fails the check code.
    s = Esempio;
    s.replace(s.find("number=\"2\""), 10, "number=\"3\"");
    EXPECT_EQ(LeggiXml(s).Errore, "Dati errati");
    // The number must come after row and column: otherwise that island is lost.
    s = Esempio;
    s.replace(s.find("row=\"1\" column=\"1\" number=\"2\""), 29,
              "number=\"2\" row=\"1\" column=\"1\"");
    EXPECT_EQ(LeggiXml(s).Errore, "Dati errati");
    // No check line at all.
    s = Esempio;
    s.erase(s.find("<CHECK>"), s.find("</NURIKABE>") - s.find("<CHECK>"));
    EXPECT_EQ(LeggiXml(s).Errore, "Dati errati");
    // A short position reads as 0s; a digit above 2 is refused.
    s = Esempio;
    s.replace(s.find("<POSITION>120001"), 16, "<POSITION>12");
    ASSERT_TRUE(LeggiXml(s).Ok());
    EXPECT_EQ(LeggiXml(s).Letto.Posizione, "120001");
    s = Esempio;
    s[s.find("<POSITION>") + 10] = '7';
    EXPECT_EQ(LeggiXml(s).Errore, "File inesistente o dati errati");
}

TEST(FileXml, PuzzlesOutsideTheModelAreRefusedEvenWithAValidCode) {
    for (const Schema& fuori : {Schema{60, 5, {{1, 1, 1}}}, Schema{5, 5, {{1, 9, 1}}},
                                Schema{5, 5, {{12, 1, 1}}}, Schema{5, 5, {}}}) {
        std::string s = "<?xml version=\"1.0\" ?>\r\n<NURIKABE rows=\"" +
                        std::to_string(fuori.Righe) + "\" columns=\"" +
                        std::to_string(fuori.Colonne) + "\">\r\n";
        for (const Indizio& i : fuori.Isole)
            s += "<DATA row=\"" + std::to_string(i.Riga) + "\" column=\"" +
                 std::to_string(i.Colonna) + "\" number=\"" + std::to_string(i.Num) + "\" />\r\n";
        s += "<CHECK>" + CreaPwd(fuori.Righe, fuori.Colonne, fuori.Isole) + "</CHECK>\r\n";
        const EsitoLettura e = LeggiXml(s);
        EXPECT_EQ(e.Errore, "File inesistente o dati errati");
        EXPECT_FALSE(e.Dettaglio.empty());
    }
}

TEST(FileTesto, TextAndClipboardForms) {
    const std::string pwd = CreaPwd(2, 3, {{2, 1, 1}, {1, 2, 3}});
    // No solution: the first field is empty.
    EsitoLettura e = LeggiTesto({"," + pwd + ",2,3", "1,1,2", "2,3,1"});
    ASSERT_TRUE(e.Ok());
    EXPECT_FALSE(e.Letto.HaSoluzione);
    // A two-field line is skipped (and the code then fails).
    EXPECT_EQ(LeggiTesto({"," + pwd + ",2,3", "1,1", "1,1,2", "2,3,1"}).Errore, "");
    EXPECT_EQ(LeggiTesto({"," + pwd + ",2,3", "1,1,2", "2,3"}).Errore, "Dati errati");
    // The short form carries no check code.
    EXPECT_EQ(LeggiTesto({"2,3", "1,1,2", "2,3,1"}).Errore, "File inesistente o dati errati");
    // The clipboard: one line, "S" for island cells of the solution.
    e = LeggiAppunti("S00S0S," + pwd + ",2,3,1,1,2,2,3,1");
    ASSERT_TRUE(e.Ok()) << e.Errore;
    EXPECT_EQ(e.Letto.Soluzione, "100101");
    EXPECT_EQ(LeggiAppunti("").Errore, "dati errati");
    EXPECT_EQ(LeggiAppunti("S00S0S," + pwd + ",2,3,1,1,2,2,3").Errore, "dati errati");
    EXPECT_EQ(LeggiAppunti("non è uno schema").Errore, "dati errati");
    std::vector<std::string> troppe(51, "1,1,1");
    EXPECT_EQ(LeggiTesto(troppe).Errore, "File inesistente o dati errati");
}

TEST(ScritturaSicura, AFailedSaveLeavesTheOldFileIntact) {
    const fs::path cartella = fs::temp_directory_path() / "isolmar-test-scrittura";
    fs::remove_all(cartella);
    fs::create_directories(cartella);
    const fs::path f = cartella / "schema.xml";
    ASSERT_TRUE(ScriviFileSicuro(f.string(), "vecchio"));
    ASSERT_TRUE(ScriviFileSicuro(f.string(), "nuovo"));
    EXPECT_EQ(Leggi(f), "nuovo");
    // A target that is a folder, and a folder that does not exist: refused, nothing left over.
    EXPECT_FALSE(ScriviFileSicuro(cartella.string(), "x"));
    EXPECT_FALSE(ScriviFileSicuro((cartella / "manca" / "a.xml").string(), "x"));
    EXPECT_EQ(Leggi(f), "nuovo");
    size_t file = 0;
    for ([[maybe_unused]] const auto& x : fs::directory_iterator(cartella))
        ++file;
    EXPECT_EQ(file, 1u);
    fs::remove_all(cartella);
}

// Every malformed input of the corpus is either accepted as a puzzle of the model or refused
// with one of the readers' messages.
TEST(Corpus, MalformedInputsAreRefusedCleanly) {
    int letti = 0;
    for (const auto& f : fs::directory_iterator(ISOLMAR_CORPUS_DIR)) {
        const std::string t = Leggi(f.path());
        for (const EsitoLettura& e : {LeggiXml(t), LeggiTesto(Righe(t)), LeggiAppunti(t)}) {
            if (e.Ok())
                EXPECT_EQ(ValidaSchema(e.Letto.S), "") << f.path();
            else
                EXPECT_TRUE(e.Errore == "Dati errati" ||
                            e.Errore == "File inesistente o dati errati" ||
                            e.Errore == "dati errati")
                    << f.path();
        }
        ++letti;
    }
    EXPECT_GE(letti, 6);
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
    EXPECT_EQ(LeggiSchema("\xEF\xBB\xBF"
                          "100101," +
                          pwd + ",2,3\r\n1,1,2\r\n2,3,1\r\n")
                  .Letto.Soluzione,
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

TEST(FileXml, ValuesNoFieldHoldsAreReadingFailuresAndCluesStayIsland) {
    std::string s = Esempio;
    s.replace(s.find("row=\"2\""), 7, "row=\"300\"");
    EXPECT_EQ(LeggiXml(s).Errore, "File inesistente o dati errati");
    std::string molte = "<?xml version=\"1.0\" ?>\r\n<NURIKABE rows=\"50\" columns=\"50\">\r\n";
    for (int k = 1; k <= 53; ++k)
        molte += "<DATA row=\"" + std::to_string(k % 50 + 1) + "\" column=\"" +
                 std::to_string(k / 50 + 1) + "\" number=\"1\" />\r\n";
    EXPECT_EQ(LeggiXml(molte).Errore, "File inesistente o dati errati");
    // A position that makes a clue cell wall or undecided reads as island there.
    s = Esempio;
    s.replace(s.find("<POSITION>120001"), 16, "<POSITION>020000");
    EXPECT_EQ(LeggiXml(s).Letto.Posizione, "120001");
}

TEST(FileTesto, FiftyIslandsWrittenAreReadBack) {
    auto m = NuovoModello();
    Schema s{10, 10, {}};
    for (int k = 0; k < MaxEle; ++k)
        s.Isole.push_back({1, 1 + k / 10 * 2, 1 + k % 10});
    ASSERT_TRUE(ApplicaSchema(*m, s));
    const std::vector<std::string> righe = Righe(ScriviTesto(*m));
    ASSERT_EQ(righe.size(), 51u);
    const EsitoLettura e = LeggiTesto(righe);
    ASSERT_TRUE(e.Ok()) << e.Testo();
    EXPECT_TRUE(Uguali(e.Letto.S, s));
    EXPECT_TRUE(LeggiAppunti("," + CreaPwd(10, 10, s.Isole) + ",10,10," +
                             [&] {
                                 std::string t;
                                 for (const Indizio& i : s.Isole)
                                     t += std::to_string(i.Riga) + "," + std::to_string(i.Colonna) +
                                          ",1,";
                                 return t.substr(0, t.size() - 1);
                             }())
                    .Ok());
}

TEST(LetturaLimitata, EndlessAndHugeInputsAreRefusedWithoutReadingThem) {
    std::string dati, motivo;
    EXPECT_FALSE(LeggiFile("/dev/zero", dati, &motivo));
    EXPECT_EQ(motivo, "non è un file ordinario");
    const fs::path grande = fs::temp_directory_path() / "isolmar-test-grande.xml";
    {
        std::ofstream o(grande, std::ios::binary);
        o << std::string(MaxByteFile + 1, 'x');
    }
    EXPECT_FALSE(LeggiFile(grande.string(), dati, &motivo));
    EXPECT_NE(motivo.find("troppo grande"), std::string::npos);
    EXPECT_TRUE(dati.empty());
    fs::remove(grande);
}

// A save never writes through a stale temporary name, writes through a link to its file, keeps
// the permissions, refuses a read-only file, and leaves no temporary file.
TEST(ScritturaSicura, LinksPermissionsAndReadOnlyFiles) {
    const fs::path d = fs::temp_directory_path() / "isolmar-test-link";
    fs::remove_all(d);
    fs::create_directories(d);
    auto scrivi = [](const fs::path& p, const char* t) { std::ofstream(p, std::ios::binary) << t; };
    auto contenuto = [](const fs::path& p) {
        std::string s;
        LeggiFile(p.string(), s);
        return s;
    };
    const fs::path vittima = d / "vittima", schema = d / "schema.xml";
    scrivi(vittima, "intatto");
    fs::create_symlink(vittima, d / ".schema.xml.isolmar-abcdef");
    fs::create_symlink(vittima, d / "schema.xml.tmp-isolmar");
    ASSERT_TRUE(ScriviFileSicuro(schema.string(), "uno"));
    EXPECT_EQ(contenuto(vittima), "intatto");
    EXPECT_EQ(contenuto(schema), "uno");
    EXPECT_FALSE(fs::exists(fs::symlink_status(d / ".schema.xml.isolmar-abcdef")));

    fs::permissions(schema, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path collegamento = d / "collegamento.xml";
    fs::create_symlink("schema.xml", collegamento);
    ASSERT_TRUE(ScriviFileSicuro(collegamento.string(), "due"));
    EXPECT_TRUE(fs::is_symlink(collegamento));
    EXPECT_EQ(contenuto(schema), "due");
    EXPECT_EQ(fs::status(schema).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::permissions(schema, fs::perms::owner_read);
    std::string motivo;
    EXPECT_FALSE(ScriviFileSicuro(schema.string(), "tre", &motivo));
    EXPECT_EQ(motivo, "il file è di sola lettura");
    EXPECT_EQ(contenuto(schema), "due");
    EXPECT_FALSE(ScriviFileSicuro((d / "manca" / "a.xml").string(), "x", &motivo));
    EXPECT_EQ(motivo, "la cartella non esiste");
    size_t voci = 0;
    for ([[maybe_unused]] const auto& x : fs::directory_iterator(d))
        ++voci;
    EXPECT_EQ(voci, 4u); // vittima, schema.xml, the old fixed-name link, collegamento.xml
    fs::remove_all(d);
}
