#include "io/Letture.h"

#include "io/PuzzLink.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace isolmar {

namespace {

// No board has more clues than cells.
constexpr size_t MaxIsoleLette = static_cast<size_t>(MaxLato) * MaxLato;

// Leading decimal digits; anything else ends the number, an empty value is 0. Values beyond
// what any model field holds are capped so that validation refuses them.
long Valore(std::string_view s) {
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        v = std::min(v * 10 + (c - '0'), 1'000'000L);
    }
    return v;
}

// The cells of a declared size, 0 when the size is out of bounds.
size_t CelleDichiarate(int righe, int colonne) {
    if (righe < 1 || righe > MaxLato || colonne < 1 || colonne > MaxLato) return 0;
    return static_cast<size_t>(righe) * static_cast<size_t>(colonne);
}

std::vector<std::string> Campi(std::string_view riga) {
    std::vector<std::string> campi;
    size_t inizio = 0;
    for (;;) {
        const size_t virgola = riga.find(',', inizio);
        campi.emplace_back(riga.substr(inizio, virgola - inizio));
        if (virgola == std::string_view::npos) return campi;
        inizio = virgola + 1;
    }
}

// Payload of a <SOLUTION> or <POSITION> line: R x C characters from the 11th; missing
// characters read as 0.
std::string Contenuto(std::string_view riga, size_t celle) {
    std::string s(celle, '0');
    for (size_t k = 0; k < celle && 10 + k < riga.size(); ++k)
        s[k] = riga[10 + k];
    return s;
}

// The stored solution of a <SOLUTION> line, or "" when the line does not hold one: a payload
// shorter than the board, or a board that does not solve the puzzle (the all-zero payload that
// stands for "no solution" among them).
std::string SoluzioneDa(std::string_view riga, const Schema& s) {
    const size_t celle = static_cast<size_t>(s.Righe * s.Colonne);
    if (riga.size() < 10) return {};
    std::string_view carico = riga.substr(10);
    carico = carico.substr(0, carico.find('<'));
    if (carico.size() < celle) return {};
    std::string sol(carico.substr(0, celle));
    for (char& c : sol)
        c = c == '1' ? '1' : '0';
    return RisolveSchema(s, sol) ? sol : std::string();
}

EsitoLettura Rifiuto(const char* errore, std::string dettaglio) {
    EsitoLettura e;
    e.Errore = errore;
    e.Dettaglio = std::move(dettaglio);
    return e;
}

// Reading failures: sizes and cell positions that no field of the file can hold (those fields
// are bytes). A clue's number is not bounded here: the validation weighs it against the board.
std::string FuoriDaiCampi(const SchemaLetto& l) {
    constexpr long Byte = 255;
    auto fuori = [&](const char* campo, long v) {
        return "Valore di " + std::string(campo) + " non leggibile: " + std::to_string(v) +
               " (da 0 a 255)";
    };
    if (l.S.Righe > Byte) return fuori("righe", l.S.Righe);
    if (l.S.Colonne > Byte) return fuori("colonne", l.S.Colonne);
    for (const Indizio& i : l.S.Isole) {
        if (i.Riga > Byte) return fuori("riga", i.Riga);
        if (i.Colonna > Byte) return fuori("colonna", i.Colonna);
    }
    return {};
}

constexpr const char* CodiceErrato = "Il codice di controllo non corrisponde allo schema";

EsitoLettura Valida(SchemaLetto letto, const char* errore) {
    if (std::string d = ValidaSchema(letto.S); !d.empty()) return Rifiuto(errore, std::move(d));
    const size_t celle = static_cast<size_t>(letto.S.Righe * letto.S.Colonne);
    if (letto.HaPosizione) {
        letto.Posizione = Contenuto(letto.Posizione, celle);
        for (char& c : letto.Posizione) {
            if (c < '0' || c > '9') c = '0';
            if (c > '2') return Rifiuto(errore, "Posizione del gioco non valida");
        }
        // Clue cells are island on the player's board, whatever the file says.
        for (const Indizio& i : letto.S.Isole)
            letto.Posizione[static_cast<size_t>((i.Riga - 1) * letto.S.Colonne + i.Colonna - 1)] =
                '1';
    }
    if (letto.HaSoluzione) {
        letto.Soluzione = SoluzioneDa(letto.Soluzione, letto.S);
        letto.HaSoluzione = !letto.Soluzione.empty();
    }
    EsitoLettura e;
    e.Letto = std::move(letto);
    return e;
}

std::string Maiuscolo(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The value after key in the header text from position da, up to the next single quote; returns
// the position after that quote, npos when the key is absent.
size_t Cerca(std::string_view testo, const char* chiave, long& valore, size_t da = 0) {
    const size_t p = testo.find(chiave, da);
    if (p == std::string_view::npos) return p;
    const size_t inizio = p + std::char_traits<char>::length(chiave);
    const size_t fine = testo.find('\'', inizio);
    valore = Valore(testo.substr(inizio, fine - inizio));
    return fine == std::string_view::npos ? testo.size() : fine + 1;
}

// The first line (from 1) not laid out as the writer lays it out, 0 when every line is: one
// element per line, each at the start of its line, the number of a DATA element after its row
// and column. Blank lines are harmless.
size_t RigaFuoriFormato(const std::vector<std::string>& righe) {
    for (size_t k = 0; k < righe.size(); ++k) {
        std::string r = Maiuscolo(righe[k]);
        std::replace(r.begin(), r.end(), '"', '\'');
        if (r.find_first_not_of(" \t") == std::string::npos) continue;
        const auto tag = std::count(r.begin(), r.end(), '<');
        auto inizia = [&](const char* t) { return r.rfind(t, 0) == 0; };
        bool ok =
            tag == 1 && (k == 0 ? inizia("<?XML") : inizia("<NURIKABE ") || inizia("</NURIKABE>"));
        if (inizia("<SOLUTION>") || inizia("<POSITION>") || inizia("<CHECK>")) ok = tag == 2;
        if (inizia("<DATA ")) {
            const size_t riga = r.find("ROW='"), colonna = r.find("COLUMN='"),
                         numero = r.find("NUMBER='");
            ok = tag == 1 && numero != std::string::npos && riga < numero && colonna < numero;
        }
        if (!ok) return k + 1;
    }
    return 0;
}

} // namespace

std::string CodificaCifre(std::string_view testo, int32_t& seme) {
    std::string r;
    for (char ch : testo) {
        const std::string s = "111111" + std::to_string(seme);
        const std::string ultime = s.substr(s.size() - 4);
        seme += 19 + std::stoi(ultime.substr(1, 2));
        if (seme % 10 < 5) seme += 3;
        if (seme % 10 < 6) seme += 4;
        const int d = ch >= '0' && ch <= '9' ? ch - '0' : 0;
        r += static_cast<char>('0' + 9 - (d + seme) % 10);
    }
    return r;
}

std::string CreaPwd(int righe, int colonne, const std::vector<Indizio>& isole) {
    // Up to 50 x 50 cells and 50 islands of at most 9 the product stays below 2^31, as 32-bit
    // arithmetic always took it; larger boards with many clues take it in 64 bits, as their
    // files carry it.
    int64_t s = 0;
    for (const Indizio& i : isole)
        s += int64_t{i.Riga} * 10000 + int64_t{i.Colonna} * 100 + i.Num;
    const int64_t p = int64_t{colonne} * (righe + s);
    const std::string t = "000000" + std::to_string(p);
    int32_t seme = 418207;
    return CodificaCifre(std::string_view(t).substr(t.size() - 6), seme);
}

std::vector<std::string> Righe(std::string_view testo) {
    std::vector<std::string> righe;
    std::string riga;
    for (size_t k = 0; k < testo.size(); ++k) {
        const char c = testo[k];
        if (c == '\r' || c == '\n') {
            righe.push_back(riga);
            riga.clear();
            if (c == '\r' && k + 1 < testo.size() && testo[k + 1] == '\n') ++k;
        } else {
            riga += c;
        }
    }
    if (!riga.empty()) righe.push_back(riga);
    return righe;
}

bool PrimaRigaXml(std::string_view testo) {
    const size_t fine = testo.find_first_of("\r\n");
    return Maiuscolo(std::string(testo.substr(0, fine))).find("XML") != std::string::npos;
}

EsitoLettura LeggiXml(std::string_view testo) {
    SchemaLetto letto;
    std::string intestazione, codice;
    const std::vector<std::string> linee = Righe(testo);
    for (std::string riga : linee) {
        if (riga.find("<POSITION>") != std::string::npos) {
            letto.HaPosizione = true;
            letto.Posizione = riga;
        } else if (riga.find("<SOLUTION>") != std::string::npos) {
            letto.HaSoluzione = true;
            letto.Soluzione = riga;
        } else if (riga.find("<CHECK>") != std::string::npos) {
            codice = riga.size() > 7 ? riga.substr(7, 6) : "";
        } else {
            std::replace(riga.begin(), riga.end(), '"', '\'');
            intestazione += Maiuscolo(riga);
        }
    }
    long righe = 0, colonne = 0;
    Cerca(intestazione, "ROWS='", righe);
    Cerca(intestazione, "COLUMNS='", colonne);
    letto.S.Righe = static_cast<int>(righe);
    letto.S.Colonne = static_cast<int>(colonne);
    // Each clue is read from where the previous one's number ended.
    for (size_t da = 0;;) {
        long r = 0, c = 0, n = 0;
        if (Cerca(intestazione, "ROW='", r, da) == std::string::npos) break;
        if (Cerca(intestazione, "COLUMN='", c, da) == std::string::npos) break;
        const size_t dopo = Cerca(intestazione, "NUMBER='", n, da);
        if (dopo == std::string::npos) break;
        // One island more than the largest board holds is refused by the validation, with its
        // message; further ones are not read.
        if (letto.S.Isole.size() > MaxIsoleLette)
            return Rifiuto(TestoFileErrato,
                           "Troppe isole: più di " + std::to_string(MaxIsoleLette + 1));
        letto.S.Isole.push_back({static_cast<int>(n), static_cast<int>(r), static_cast<int>(c)});
        da = dopo;
    }
    if (std::string d = FuoriDaiCampi(letto); !d.empty())
        return Rifiuto(TestoFileErrato, std::move(d));
    if (CreaPwd(letto.S.Righe, letto.S.Colonne, letto.S.Isole) != codice) {
        // A file in another layout is not read as what it says: name the line, not the code.
        if (const size_t k = RigaFuoriFormato(linee))
            return Rifiuto(TestoFileErrato,
                           "Il file non è nel formato XML di Isolmar: riga " + std::to_string(k));
        return Rifiuto(TestoDatiErrati,
                       codice.empty() ? "Manca il codice di controllo" : CodiceErrato);
    }
    // The payloads start after the ten characters of their tag.
    return Valida(std::move(letto), TestoFileErrato);
}

EsitoLettura LeggiTesto(std::vector<std::string> righe, const char* erroreFormato) {
    // Blank lines at the end (an editor's last line end) are no lines of the puzzle.
    while (!righe.empty() && righe.back().find_first_not_of(" \t") == std::string::npos)
        righe.pop_back();
    if (righe.empty()) return Rifiuto(erroreFormato, "Il testo è vuoto");
    auto troppe = [&](size_t massimo, const std::string& dove) {
        return Rifiuto(erroreFormato, "Troppe righe: " + std::to_string(righe.size()) +
                                          " (al massimo " + std::to_string(massimo) + dove + ")");
    };
    if (righe.size() > MaxRigheTesto) return troppe(MaxRigheTesto, "");
    const std::vector<std::string> f = Campi(righe[0]);
    if (f.size() < 4)
        return Rifiuto(erroreFormato, "La prima riga deve essere soluzione,codice,righe,colonne");
    SchemaLetto letto;
    if (!f[0].empty()) {
        letto.HaSoluzione = true;
        letto.Soluzione = "<SOLUTION>" + f[0];
    }
    letto.S.Righe = static_cast<int>(Valore(f[2]));
    letto.S.Colonne = static_cast<int>(Valore(f[3]));
    // One clue line per cell at most; a size out of bounds is refused below, in its own words.
    if (const size_t celle = CelleDichiarate(letto.S.Righe, letto.S.Colonne);
        celle && righe.size() > celle + 1)
        return troppe(celle + 1, " per uno schema " + std::to_string(letto.S.Righe) + " x " +
                                     std::to_string(letto.S.Colonne));
    for (size_t k = 1; k < righe.size(); ++k) {
        const std::vector<std::string> g = Campi(righe[k]);
        if (g.size() < 3) continue;
        letto.S.Isole.push_back({static_cast<int>(Valore(g[2])), static_cast<int>(Valore(g[0])),
                                 static_cast<int>(Valore(g[1]))});
    }
    if (std::string d = FuoriDaiCampi(letto); !d.empty())
        return Rifiuto(erroreFormato, std::move(d));
    if (CreaPwd(letto.S.Righe, letto.S.Colonne, letto.S.Isole) != f[1])
        return Rifiuto(TestoDatiErrati, CodiceErrato);
    return Valida(std::move(letto), erroreFormato);
}

EsitoLettura LeggiAppunti(std::string_view testo) {
    std::string t(testo);
    std::replace(t.begin(), t.end(), 'S', '1');
    while (!t.empty() && std::strchr(" \t\r\n", t.back()))
        t.pop_back();
    if (t.find_first_of("\r\n") != std::string::npos)
        return Rifiuto(TestoAppuntiErrati,
                       "Sono state incollate più righe: lo schema si incolla su una riga sola, "
                       "con tutti i campi separati da virgole");
    const std::vector<std::string> p = Campi(t);
    if (p.size() < 4 || (p.size() - 4) % 3 != 0)
        return Rifiuto(TestoAppuntiErrati,
                       "Non è uno schema: soluzione,codice,righe,colonne e tre campi per isola");
    const size_t isole = (p.size() - 4) / 3,
                 celle = CelleDichiarate(static_cast<int>(Valore(p[2])),
                                         static_cast<int>(Valore(p[3])));
    if (const size_t massimo = celle ? celle : MaxIsoleLette; isole > massimo)
        return Rifiuto(TestoAppuntiErrati, "Troppe isole: " + std::to_string(isole) +
                                               " (al massimo " + std::to_string(massimo) + ")");
    std::vector<std::string> righe{p[0] + "," + p[1] + "," + p[2] + "," + p[3]};
    for (size_t k = 4; k + 2 < p.size(); k += 3)
        righe.push_back(p[k] + "," + p[k + 1] + "," + p[k + 2]);
    return LeggiTesto(righe, TestoAppuntiErrati);
}

namespace {
std::string Tavola(const Modello& m, bool soluzione) {
    std::string s;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            s += soluzione ? (m.NumSol >= 1 && m.Tblsol(1, r, c) == 1 ? '1' : '0')
                           : static_cast<char>('0' + m.TblGioco(r, c) % 10);
    return s;
}
// The model's puzzle, islands without a cell left out.
Schema Indizi(const Modello& m) {
    Schema s{m.NumRighe, m.NumColonne, {}};
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Colonna != 0)
            s.Isole.push_back({m.Ele[i].Num, m.Ele[i].Riga, m.Ele[i].Colonna});
    return s;
}
std::string Celle(const Schema& s) {
    return std::string(static_cast<size_t>(s.Righe) * static_cast<size_t>(s.Colonne), '0');
}
void ScriviIndizi(std::ostringstream& o, const Schema& s) {
    for (const Indizio& i : s.Isole)
        o << i.Riga << ',' << i.Colonna << ',' << i.Num << "\r\n";
}
} // namespace

std::string ScriviXml(const Schema& s, std::string_view soluzione, std::string_view posizione) {
    std::string fresca;
    if (posizione.empty()) {
        fresca = Celle(s);
        for (const Indizio& i : s.Isole)
            fresca[static_cast<size_t>((i.Riga - 1) * s.Colonne + i.Colonna - 1)] = '1';
        posizione = fresca;
    }
    const std::string zeri = soluzione.empty() ? Celle(s) : std::string();
    std::ostringstream o;
    o << "<?xml version=\"1.0\" ?>\r\n";
    o << "<NURIKABE rows=\"" << s.Righe << "\" columns=\"" << s.Colonne << "\">\r\n";
    for (const Indizio& i : s.Isole)
        o << "<DATA row=\"" << i.Riga << "\" column=\"" << i.Colonna << "\" number=\"" << i.Num
          << "\" />\r\n";
    o << "<SOLUTION>" << (soluzione.empty() ? std::string_view(zeri) : soluzione)
      << "</SOLUTION>\r\n";
    o << "<POSITION>" << posizione << "</POSITION>\r\n";
    o << "<CHECK>" << CreaPwd(s.Righe, s.Colonne, s.Isole) << "</CHECK>\r\n";
    o << "</NURIKABE>\r\n";
    return o.str();
}

std::string ScriviXml(const Modello& m) {
    return ScriviXml(Indizi(m), Tavola(m, true), Tavola(m, false));
}

std::string ScriviTesto(const Schema& s, std::string_view soluzione) {
    std::ostringstream o;
    o << soluzione << ',' << CreaPwd(s.Righe, s.Colonne, s.Isole) << ',' << s.Righe << ','
      << s.Colonne << "\r\n";
    ScriviIndizi(o, s);
    return o.str();
}

std::string ScriviTesto(const Modello& m) {
    return ScriviTesto(Indizi(m), m.NumSol >= 1 ? Tavola(m, true) : std::string());
}

std::string ScriviTestoBreve(const Schema& s) {
    std::ostringstream o;
    o << s.Righe << ',' << s.Colonne << "\r\n";
    ScriviIndizi(o, s);
    return o.str();
}

std::string ScriviTestoBreve(const Modello& m) {
    return ScriviTestoBreve(Indizi(m));
}

EsitoLettura LeggiSchema(std::string_view dati) {
    // A byte-order mark (as some editors write) is not part of the first field.
    if (dati.substr(0, 3) == "\xEF\xBB\xBF") dati.remove_prefix(3);
    auto con = [](EsitoLettura e, FormaSchema f) {
        e.Letto.Forma = f;
        return e;
    };
    if (PrimaRigaXml(dati)) return con(LeggiXml(dati), FormaSchema::Xml);
    if (SembraPzprv3(dati)) return con(LeggiPzprv3(dati), FormaSchema::Pzprv3);
    if (SembraLink(dati)) return con(LeggiLink(dati), FormaSchema::Link);
    return LeggiTesto(Righe(dati));
}

std::string MotivoErrore(int errore) {
    switch (errore) {
    case ENOENT:
        return "il file o la sua cartella non esiste";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case ENOSPC:
    case EDQUOT:
        return "disco pieno";
    case EROFS:
        return "il disco è di sola lettura";
    case EISDIR:
        return "è una cartella";
    case ENAMETOOLONG:
        return "nome troppo lungo";
    case ELOOP:
        return "troppi collegamenti simbolici, forse in un giro chiuso";
    case EEXIST:
        return "esiste già un file con quel nome";
    case ENOTDIR:
        return "una parte del percorso non è una cartella";
    case EIO:
        return "errore di lettura o scrittura del disco";
    case EFBIG:
        return "file troppo grande per il disco";
    case EMFILE:
    case ENFILE:
        return "troppi file aperti";
    case EBUSY:
    case ETXTBSY:
        return "il file è in uso";
    case EXDEV:
        return "il file e la sua copia temporanea sono su dischi diversi";
    default: // the system's own text is not Italian
        return "errore di sistema " + std::to_string(errore);
    }
}

namespace {
// Closes a descriptor when it goes out of scope.
struct Descrittore {
    int fd = -1;
    ~Descrittore() {
        if (fd >= 0) ::close(fd);
    }
};
} // namespace

bool LeggiFile(const std::string& percorso, std::string& dati, std::string* motivo) {
    auto fallisce = [&](std::string m) {
        if (motivo) *motivo = std::move(m);
        return false;
    };
    Descrittore f{::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (f.fd < 0) return fallisce(MotivoErrore(errno));
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) return fallisce(MotivoErrore(errno));
    if (S_ISDIR(st.st_mode)) return fallisce(MotivoErrore(EISDIR));
    if (!S_ISREG(st.st_mode)) return fallisce("non è un file ordinario");
    const std::string troppo =
        "il file è troppo grande (più di " + std::to_string(MaxByteFile / 1024) + " KiB)";
    if (st.st_size > static_cast<off_t>(MaxByteFile)) return fallisce(troppo);
    // The size may change while reading: read at most one byte more than the bound.
    std::string letti(MaxByteFile + 1, '\0');
    size_t n = 0;
    while (n < letti.size()) {
        const ssize_t k = ::read(f.fd, letti.data() + n, letti.size() - n);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) return fallisce(MotivoErrore(errno));
        if (k == 0) break;
        n += static_cast<size_t>(k);
    }
    if (n > MaxByteFile) return fallisce(troppo);
    letti.resize(n);
    dati = std::move(letti);
    return true;
}

namespace {
namespace fs = std::filesystem;

// A save of NAME writes ".NAME.isolmar-XXXXXX.tmp" in the same folder, XXXXXX six random letters
// and digits; NAME is cut (not inside a character) so that the whole fits the folder's longest
// name.
constexpr std::string_view Marca = ".isolmar-", Fine = ".tmp";
constexpr size_t Casuali = 6;
// A leftover changed this recently may belong to a save still running, however slow its disk.
constexpr time_t EtaAvanzo = 3600;

std::string PrefissoTemporaneo(const fs::path& cartella, const std::string& nome) {
    long massimo = ::pathconf(cartella.c_str(), _PC_NAME_MAX);
    if (massimo <= 0) massimo = 255;
    const size_t resto = 1 + Marca.size() + Casuali + Fine.size();
    size_t n =
        std::min(nome.size(), static_cast<size_t>(massimo) - std::min<size_t>(resto, massimo));
    while (n > 0 && n < nome.size() && (static_cast<unsigned char>(nome[n]) & 0xC0) == 0x80)
        --n;
    return "." + nome.substr(0, n) + std::string(Marca);
}

// Removes what interrupted saves with this prefix left behind, and only what is provably theirs:
// named exactly as a save names its temporary file, a regular file of this user, unchanged for
// EtaAvanzo and not locked by a save writing it. Anything else there is someone else's.
void RimuoviAvanzi(const fs::path& cartella, const std::string& prefisso) {
    std::error_code ec;
    const time_t ora = std::time(nullptr);
    for (const auto& voce : fs::directory_iterator(cartella, ec)) {
        const std::string nome = voce.path().filename().string();
        if (nome.size() != prefisso.size() + Casuali + Fine.size() ||
            nome.compare(0, prefisso.size(), prefisso) != 0 ||
            nome.compare(prefisso.size() + Casuali, Fine.size(), Fine) != 0 ||
            !std::all_of(nome.begin() + static_cast<long>(prefisso.size()),
                         nome.end() - static_cast<long>(Fine.size()),
                         [](unsigned char c) { return std::isalnum(c); }))
            continue;
        const std::string percorso = voce.path().string();
        Descrittore f{::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)};
        struct stat st {};
        if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || ora - st.st_mtime < EtaAvanzo ||
            ::flock(f.fd, LOCK_EX | LOCK_NB) != 0)
            continue;
        // Still the same file under that name, not one put there since.
        struct stat adesso {};
        if (::lstat(percorso.c_str(), &adesso) == 0 && adesso.st_dev == st.st_dev &&
            adesso.st_ino == st.st_ino)
            ::unlink(percorso.c_str());
    }
}

// The file a save writes: a symbolic link is followed to the file it names (so the link stays
// a link), however many links deep; false when the links never end (a loop).
bool Bersaglio(fs::path& p) {
    for (int k = 0; k < 40; ++k) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) return true;
        const fs::path dest = fs::read_symlink(p, ec);
        if (ec) return true;
        p = dest.is_absolute() ? dest : p.parent_path() / dest;
    }
    return false;
}
} // namespace

bool ScriviFileSicuro(const std::string& percorso, std::string_view dati, std::string* motivo) {
    auto fallisce = [&](std::string m) {
        if (motivo) *motivo = std::move(m);
        return false;
    };
    fs::path destinazione(percorso);
    if (!Bersaglio(destinazione)) return fallisce(MotivoErrore(ELOOP));
    fs::path cartella = destinazione.parent_path();
    if (cartella.empty()) cartella = ".";
    struct stat sc {};
    if (::stat(cartella.c_str(), &sc) != 0)
        return fallisce(errno == ENOENT ? "la cartella non esiste" : MotivoErrore(errno));
    if (!S_ISDIR(sc.st_mode)) return fallisce(MotivoErrore(ENOTDIR));
    struct stat st {};
    const bool esiste = ::stat(destinazione.c_str(), &st) == 0;
    if (!esiste && errno != ENOENT) return fallisce(MotivoErrore(errno));
    if (esiste && S_ISDIR(st.st_mode)) return fallisce(MotivoErrore(EISDIR));
    if (esiste && !S_ISREG(st.st_mode)) return fallisce("non è un file ordinario");
    // Without any write permission the file is read-only even for the administrator, as in an
    // editor.
    if (esiste && ((st.st_mode & 0222) == 0 || ::access(destinazione.c_str(), W_OK) != 0))
        return fallisce("il file è di sola lettura");

    const std::string prefisso = PrefissoTemporaneo(cartella, destinazione.filename().string());
    RimuoviAvanzi(cartella, prefisso);

    // A new file of a unique name, created here and now: never an existing file or a link. It is
    // locked while this save writes it, so that no other save takes it for a leftover.
    std::string modello =
        (cartella / (prefisso + std::string(Casuali, 'X') + std::string(Fine))).string();
    Descrittore f{::mkostemps(modello.data(), static_cast<int>(Fine.size()), O_CLOEXEC)};
    if (f.fd < 0) return fallisce(MotivoErrore(errno));
    ::flock(f.fd, LOCK_EX | LOCK_NB);
    const fs::path temporaneo(modello);
    auto annulla = [&](int errore) {
        std::error_code e;
        fs::remove(temporaneo, e);
        return fallisce(MotivoErrore(errore));
    };
    // The saved file keeps the permissions of the one it replaces; a new one gets the usual
    // permissions of a new file.
    mode_t modo;
    if (esiste) {
        modo = st.st_mode & 07777;
    } else {
        const mode_t maschera = ::umask(0);
        ::umask(maschera);
        modo = 0666 & ~maschera;
    }
    if (::fchmod(f.fd, modo) != 0) return annulla(errno);
    for (size_t n = 0; n < dati.size();) {
        const ssize_t k = ::write(f.fd, dati.data() + n, dati.size() - n);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) return annulla(errno);
        n += static_cast<size_t>(k);
    }
    if (::fsync(f.fd) != 0) return annulla(errno);
    // Renamed while still locked; saves of the same file at once each rename a whole file, and
    // the last one stays.
    if (::rename(temporaneo.c_str(), destinazione.c_str()) != 0) return annulla(errno);
    return true;
}

} // namespace isolmar
