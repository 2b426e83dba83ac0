#include "io/Letture.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace isolmar {

namespace {

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

EsitoLettura Valida(SchemaLetto letto, const char* errore) {
    EsitoLettura e;
    e.Dettaglio = ValidaSchema(letto.S);
    if (!e.Dettaglio.empty()) {
        e.Errore = errore;
        return e;
    }
    const size_t celle = static_cast<size_t>(letto.S.Righe * letto.S.Colonne);
    if (letto.HaPosizione) {
        letto.Posizione = Contenuto(letto.Posizione, celle);
        for (char& c : letto.Posizione) {
            if (c < '0' || c > '9') c = '0';
            if (c > '2') {
                e.Errore = errore;
                e.Dettaglio = "Posizione del gioco non valida";
                return e;
            }
        }
    }
    if (letto.HaSoluzione) letto.Soluzione = Contenuto(letto.Soluzione, celle);
    e.Letto = std::move(letto);
    return e;
}

std::string Maiuscolo(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The value after key in the header text, up to the next single quote; npos when absent.
size_t Cerca(const std::string& testo, const char* chiave, long& valore) {
    const size_t p = testo.find(chiave);
    if (p == std::string::npos) return p;
    const size_t inizio = p + std::char_traits<char>::length(chiave);
    const size_t fine = testo.find('\'', inizio);
    valore = Valore(std::string_view(testo).substr(inizio, fine - inizio));
    return fine == std::string::npos ? testo.size() : fine + 1;
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
    uint32_t s = 0; // 32-bit arithmetic, wrapping as the stored codes were computed
    for (const Indizio& i : isole)
        s += static_cast<uint32_t>(i.Riga) * 10000u + static_cast<uint32_t>(i.Colonna) * 100u +
             static_cast<uint32_t>(i.Num);
    const int32_t p =
        static_cast<int32_t>(static_cast<uint32_t>(colonne) * (static_cast<uint32_t>(righe) + s));
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
    for (std::string riga : Righe(testo)) {
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
    std::string resto = intestazione;
    for (;;) {
        long r = 0, c = 0, n = 0;
        if (Cerca(resto, "ROW='", r) == std::string::npos) break;
        if (Cerca(resto, "COLUMN='", c) == std::string::npos) break;
        const size_t dopo = Cerca(resto, "NUMBER='", n);
        if (dopo == std::string::npos) break;
        if (letto.S.Isole.size() > MaxEle) break; // refused below; stop reading
        letto.S.Isole.push_back({static_cast<int>(n), static_cast<int>(r), static_cast<int>(c)});
        resto.erase(0, dopo);
    }
    if (CreaPwd(letto.S.Righe, letto.S.Colonne, letto.S.Isole) != codice) {
        EsitoLettura e;
        e.Errore = TestoDatiErrati;
        return e;
    }
    // The payloads start after the ten characters of their tag.
    return Valida(std::move(letto), TestoFileErrato);
}

EsitoLettura LeggiTesto(const std::vector<std::string>& righe, const char* erroreFormato) {
    EsitoLettura e;
    if (righe.empty() || righe.size() > 50) {
        e.Errore = erroreFormato;
        return e;
    }
    const std::vector<std::string> f = Campi(righe[0]);
    if (f.size() < 4) {
        e.Errore = erroreFormato;
        return e;
    }
    SchemaLetto letto;
    if (!f[0].empty()) {
        letto.HaSoluzione = true;
        letto.Soluzione = "<SOLUTION>" + f[0];
    }
    letto.S.Righe = static_cast<int>(Valore(f[2]));
    letto.S.Colonne = static_cast<int>(Valore(f[3]));
    for (size_t k = 1; k < righe.size(); ++k) {
        const std::vector<std::string> g = Campi(righe[k]);
        if (g.size() < 3) continue;
        letto.S.Isole.push_back({static_cast<int>(Valore(g[2])), static_cast<int>(Valore(g[0])),
                                 static_cast<int>(Valore(g[1]))});
    }
    if (CreaPwd(letto.S.Righe, letto.S.Colonne, letto.S.Isole) != f[1]) {
        e.Errore = TestoDatiErrati;
        return e;
    }
    return Valida(std::move(letto), erroreFormato);
}

EsitoLettura LeggiAppunti(std::string_view testo) {
    std::string t(testo);
    std::replace(t.begin(), t.end(), 'S', '1');
    while (!t.empty() && (t.back() == '\r' || t.back() == '\n'))
        t.pop_back();
    const std::vector<std::string> p = Campi(t);
    EsitoLettura e;
    if (p.size() < 4 || (p.size() - 4) % 3 != 0 || (p.size() - 4) / 3 > 49) {
        e.Errore = TestoAppuntiErrati;
        return e;
    }
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
            s += soluzione ? (m.Tblsol(1, r, c) == 1 ? '1' : '0')
                           : static_cast<char>('0' + m.TblGioco(r, c) % 10);
    return s;
}
std::vector<Indizio> Indizi(const Modello& m) {
    std::vector<Indizio> v;
    for (int i = 1; i <= m.NumEle; ++i)
        if (m.Ele[i].Colonna != 0) v.push_back({m.Ele[i].Num, m.Ele[i].Riga, m.Ele[i].Colonna});
    return v;
}
} // namespace

std::string ScriviXml(const Modello& m) {
    std::ostringstream o;
    o << "<?xml version=\"1.0\" ?>\r\n";
    o << "<NURIKABE rows=\"" << int(m.NumRighe) << "\" columns=\"" << int(m.NumColonne)
      << "\">\r\n";
    for (const Indizio& i : Indizi(m))
        o << "<DATA row=\"" << i.Riga << "\" column=\"" << i.Colonna << "\" number=\"" << i.Num
          << "\" />\r\n";
    o << "<SOLUTION>" << Tavola(m, true) << "</SOLUTION>\r\n";
    o << "<POSITION>" << Tavola(m, false) << "</POSITION>\r\n";
    o << "<CHECK>" << CreaPwd(m.NumRighe, m.NumColonne, Indizi(m)) << "</CHECK>\r\n";
    o << "</NURIKABE>\r\n";
    return o.str();
}

std::string ScriviTesto(const Modello& m) {
    std::ostringstream o;
    o << (m.NumSol >= 1 ? Tavola(m, true) : "") << ','
      << CreaPwd(m.NumRighe, m.NumColonne, Indizi(m)) << ',' << int(m.NumRighe) << ','
      << int(m.NumColonne) << "\r\n";
    for (const Indizio& i : Indizi(m))
        o << i.Riga << ',' << i.Colonna << ',' << i.Num << "\r\n";
    return o.str();
}

std::string ScriviTestoBreve(const Modello& m) {
    std::ostringstream o;
    o << int(m.NumRighe) << ',' << int(m.NumColonne) << "\r\n";
    for (const Indizio& i : Indizi(m))
        o << i.Riga << ',' << i.Colonna << ',' << i.Num << "\r\n";
    return o.str();
}

bool LeggiFile(const std::string& percorso, std::string& dati) {
    std::ifstream in(percorso, std::ios::binary);
    if (!in) return false;
    std::ostringstream o;
    o << in.rdbuf();
    if (in.bad()) return false;
    dati = o.str();
    return true;
}

bool ScriviFileSicuro(const std::string& percorso, std::string_view dati) {
    namespace fs = std::filesystem;
    const fs::path destinazione(percorso);
    if (fs::is_directory(destinazione)) return false;
    fs::path temporaneo = destinazione;
    temporaneo += ".tmp-isolmar";
    {
        std::ofstream out(temporaneo, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(dati.data(), static_cast<std::streamsize>(dati.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temporaneo, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporaneo, destinazione, ec);
    if (ec) {
        fs::remove(temporaneo, ec);
        return false;
    }
    return true;
}

} // namespace isolmar
