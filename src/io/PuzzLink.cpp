#include "io/PuzzLink.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

namespace isolmar {

namespace {

constexpr std::string_view Gioco = "nurikabe";
constexpr std::string_view Spazi = " \t\r\n";

std::string_view Rifila(std::string_view s) {
    const size_t inizio = s.find_first_not_of(Spazi);
    if (inizio == std::string_view::npos) return {};
    return s.substr(inizio, s.find_last_not_of(Spazi) - inizio + 1);
}

EsitoLettura Rifiuto(const char* errore, std::string dettaglio) {
    EsitoLettura e;
    e.Errore = errore;
    e.Dettaglio = std::move(dettaglio);
    return e;
}

std::string Cella(int k, int colonne) {
    return "(" + std::to_string(k / colonne + 1) + ", " + std::to_string(k % colonne + 1) + ")";
}

// A size field: 1 to 4 decimal digits; -1 otherwise.
int Misura(std::string_view s) {
    if (s.empty() || s.size() > 4 || s.find_first_not_of("0123456789") != std::string_view::npos)
        return -1;
    int n = 0;
    for (char c : s)
        n = n * 10 + (c - '0');
    return n;
}

// The refusal of a size no board has, in the validation's words; "" when it fits.
std::string MisureFuori(int righe, int colonne) {
    if (righe < 1 || righe > MaxLato || colonne < 1 || colonne > MaxLato)
        return ValidaSchema(Schema{righe, colonne, {}});
    return {};
}

std::string AltroGioco(std::string_view gioco) {
    return "Lo schema è di un altro gioco: \"" + std::string(gioco.substr(0, 40)) +
           "\" (Isolmar legge solo nurikabe)";
}

int Esadecimale(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The escapes of a longer number: the hexadecimal digits that follow, the value added, and the
// first number the next escape takes (a single digit is enough below 16).
struct Fuga {
    char Segno;
    int Cifre, Base, Oltre;
};
constexpr Fuga Fughe[] = {{'-', 2, 0, 256},      {'+', 3, 0, 4096},      {'=', 3, 4096, 8192},
                          {'%', 3, 8192, 12240}, {'*', 4, 12240, 77776}, {'$', 5, 77776, 1126352}};

// The puzzle of the clues (one number per cell, -1 none) with the player's board posizione (""
// for none), or the validation's refusal.
EsitoLettura Valida(const char* errore, int righe, int colonne, const std::vector<int>& numeri,
                    std::string posizione) {
    EsitoLettura e;
    e.Letto.S.Righe = righe;
    e.Letto.S.Colonne = colonne;
    for (size_t k = 0; k < numeri.size(); ++k) {
        if (numeri[k] < 0) continue;
        const int n = static_cast<int>(k);
        e.Letto.S.Isole.push_back({numeri[k], n / colonne + 1, n % colonne + 1});
    }
    if (std::string d = ValidaSchema(e.Letto.S); !d.empty()) return Rifiuto(errore, std::move(d));
    if (!posizione.empty()) {
        for (const Indizio& i : e.Letto.S.Isole)
            posizione[static_cast<size_t>((i.Riga - 1) * colonne + i.Colonna - 1)] = '1';
        e.Letto.HaPosizione = true;
        e.Letto.Posizione = std::move(posizione);
    }
    return e;
}

std::string Ignoto(int k, int colonne) {
    return "La cella " + Cella(k, colonne) +
           " ha un numero sconosciuto: ogni isola di Isolmar ha il suo numero";
}

} // namespace

bool SembraLink(std::string_view testo) {
    const std::string_view t = Rifila(testo);
    const size_t domanda = t.find('?');
    return !t.empty() && t.find_first_of(Spazi) == std::string_view::npos &&
           domanda != std::string_view::npos && t.find('/', domanda) != std::string_view::npos;
}

bool PercorsoDiFile(const std::string& percorso) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(percorso, ec))) return true;
    std::string fine = std::filesystem::path(percorso).extension().string();
    std::transform(fine.begin(), fine.end(), fine.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return fine == ".xml" || fine == ".txt" || fine == ".pzpr";
}

bool SembraPzprv3(std::string_view testo) {
    return testo.substr(0, 6) == "pzprv3";
}

EsitoLettura LeggiLink(std::string_view url) {
    std::string_view t = Rifila(url);
    const size_t domanda = t.find('?');
    // What follows "#" or "&" (a page anchor, a tracking parameter) is no part of the puzzle.
    if (domanda != std::string_view::npos) t = t.substr(0, t.find_first_of("#&", domanda));
    if (!SembraLink(t)) return Rifiuto(TestoLinkErrato, "Non è un link: manca \"?gioco/...\"");
    std::vector<std::string_view> campi;
    for (std::string_view resto = t.substr(domanda + 1);;) {
        const size_t barra = resto.find('/');
        campi.push_back(resto.substr(0, barra));
        if (barra == std::string_view::npos) break;
        resto.remove_prefix(barra + 1);
    }
    if (campi[0] != Gioco) return Rifiuto(TestoLinkErrato, AltroGioco(campi[0]));
    // An option word may come before the size (no Nurikabe link has one).
    size_t k = 1;
    if (k < campi.size() && Misura(campi[k]) < 0) ++k;
    if (k + 2 > campi.size() || Misura(campi[k]) < 0 || Misura(campi[k + 1]) < 0)
        return Rifiuto(TestoLinkErrato, "Misure del link non leggibili: dopo \"nurikabe/\" vanno "
                                        "colonne/righe");
    const int colonne = Misura(campi[k]), righe = Misura(campi[k + 1]);
    if (std::string d = MisureFuori(righe, colonne); !d.empty())
        return Rifiuto(TestoLinkErrato, std::move(d));
    std::string_view corpo = k + 2 < campi.size()
                                 ? t.substr(static_cast<size_t>(campi[k + 2].data() - t.data()))
                                 : std::string_view();
    while (!corpo.empty() && corpo.back() == '/')
        corpo.remove_suffix(1);
    const int celle = righe * colonne;
    std::vector<int> numeri(static_cast<size_t>(celle), -1);
    const std::string oltre = "Il link descrive più celle delle " + std::to_string(righe) + " x " +
                              std::to_string(colonne) + " dello schema";
    int cella = 0;
    for (size_t i = 0; i < corpo.size();) {
        const char c = corpo[i];
        if (c >= 'g' && c <= 'z') {
            cella += c - 'g' + 1;
            if (cella > celle) return Rifiuto(TestoLinkErrato, oltre);
            ++i;
            continue;
        }
        if (cella >= celle) return Rifiuto(TestoLinkErrato, oltre);
        if (c == '.') return Rifiuto(TestoLinkErrato, Ignoto(cella, colonne));
        int valore = Esadecimale(c);
        if (valore >= 0) {
            ++i;
        } else {
            const Fuga* f = std::find_if(std::begin(Fughe), std::end(Fughe),
                                         [c](const Fuga& x) { return x.Segno == c; });
            if (f == std::end(Fughe))
                return Rifiuto(TestoLinkErrato,
                               "Carattere non ammesso nel link: \"" + std::string(1, c) + "\"");
            valore = f->Base;
            const size_t fine = i + 1 + static_cast<size_t>(f->Cifre);
            for (++i; i < fine; ++i) {
                const int d = i < corpo.size() ? Esadecimale(corpo[i]) : -1;
                if (d < 0)
                    return Rifiuto(TestoLinkErrato, "Numero incompleto nel link alla cella " +
                                                        Cella(cella, colonne));
                valore += d << (4 * static_cast<int>(fine - 1 - i));
            }
        }
        numeri[static_cast<size_t>(cella++)] = valore;
    }
    if (cella < celle)
        return Rifiuto(TestoLinkErrato, "Il link è troncato: descrive " + std::to_string(cella) +
                                            " delle " + std::to_string(celle) + " celle");
    return Valida(TestoLinkErrato, righe, colonne, numeri, {});
}

std::string ScriviLink(const Schema& s) {
    std::vector<int> numeri(static_cast<size_t>(s.Righe * s.Colonne), 0);
    for (const Indizio& i : s.Isole)
        numeri[static_cast<size_t>((i.Riga - 1) * s.Colonne + i.Colonna - 1)] = i.Num;
    std::string corpo;
    int vuote = 0;
    auto salta = [&] {
        if (vuote > 0) corpo += static_cast<char>('g' + vuote - 1);
        vuote = 0;
    };
    constexpr char Cifre[] = "0123456789abcdef";
    for (int n : numeri) {
        if (n == 0) {
            if (++vuote == 20) salta();
            continue;
        }
        salta();
        if (n < 16) {
            corpo += Cifre[n];
            continue;
        }
        // The first escape that reaches the number, its digits written in full (leading zeros
        // too), so that the reader takes exactly as many as it expects.
        const Fuga& f = *std::find_if(std::begin(Fughe), std::end(Fughe) - 1,
                                      [n](const Fuga& x) { return n < x.Oltre; });
        corpo += f.Segno;
        for (int d = f.Cifre - 1; d >= 0; --d)
            corpo += Cifre[((n - f.Base) >> (4 * d)) & 15];
    }
    salta();
    return "https://puzz.link/p?nurikabe/" + std::to_string(s.Colonne) + "/" +
           std::to_string(s.Righe) + "/" + corpo;
}

EsitoLettura LeggiPzprv3(std::string_view testo, const char* erroreFormato) {
    std::string t(testo);
    std::replace(t.begin(), t.end(), '/', '\n');
    const std::vector<std::string> righe = Righe(t);
    if (righe.empty() || !SembraPzprv3(righe[0]))
        return Rifiuto(erroreFormato, "La prima riga deve essere \"pzprv3\"");
    if (righe.size() < 4)
        return Rifiuto(erroreFormato, "Mancano il gioco e le misure dopo \"pzprv3\"");
    const std::string_view gioco = Rifila(righe[1]);
    if (gioco != Gioco) return Rifiuto(erroreFormato, AltroGioco(gioco));
    const int R = Misura(Rifila(righe[2])), C = Misura(Rifila(righe[3]));
    if (R < 0 || C < 0)
        return Rifiuto(erroreFormato, "Misure non leggibili: dopo \"nurikabe\" vanno le righe e "
                                      "le colonne");
    if (std::string d = MisureFuori(R, C); !d.empty()) return Rifiuto(erroreFormato, std::move(d));
    if (righe.size() < static_cast<size_t>(4 + R))
        return Rifiuto(erroreFormato, "Il file è troncato: " + std::to_string(righe.size() - 4) +
                                          " righe dello schema su " + std::to_string(R));
    std::vector<int> numeri(static_cast<size_t>(R * C), -1);
    std::string posizione(static_cast<size_t>(R * C), '0');
    for (int r = 0; r < R; ++r) {
        std::istringstream riga(righe[static_cast<size_t>(4 + r)]);
        std::string v;
        int c = 0;
        for (; riga >> v; ++c) {
            if (c >= C)
                return Rifiuto(erroreFormato, "La riga " + std::to_string(r + 1) +
                                                  " dello schema ha più di " + std::to_string(C) +
                                                  " caselle");
            const int k = r * C + c;
            if (v == "#" || v == "+")
                posizione[static_cast<size_t>(k)] = v == "#" ? '2' : '1';
            else if (v == "-")
                return Rifiuto(erroreFormato, Ignoto(k, C));
            else if (v != ".") {
                if (v.size() > 6 || v.find_first_not_of("0123456789") != std::string::npos)
                    return Rifiuto(erroreFormato, "Casella " + Cella(k, C) + " non leggibile: \"" +
                                                      v.substr(0, 20) + "\"");
                numeri[static_cast<size_t>(k)] = std::stoi(v);
            }
        }
        if (c < C)
            return Rifiuto(erroreFormato, "La riga " + std::to_string(r + 1) + " dello schema ha " +
                                              std::to_string(c) + " caselle invece di " +
                                              std::to_string(C));
    }
    return Valida(erroreFormato, R, C, numeri, std::move(posizione));
}

std::string ScriviPzprv3(const Schema& s, std::string_view posizione) {
    std::vector<int> numeri(static_cast<size_t>(s.Righe * s.Colonne), 0);
    for (const Indizio& i : s.Isole)
        numeri[static_cast<size_t>((i.Riga - 1) * s.Colonne + i.Colonna - 1)] = i.Num;
    std::string t =
        "pzprv3\nnurikabe\n" + std::to_string(s.Righe) + "\n" + std::to_string(s.Colonne) + "\n";
    for (int r = 0; r < s.Righe; ++r) {
        for (int c = 0; c < s.Colonne; ++c) {
            const size_t k = static_cast<size_t>(r * s.Colonne + c);
            const char p = k < posizione.size() ? posizione[k] : '0';
            t += numeri[k] ? std::to_string(numeri[k]) : p == '2' ? "#" : p == '1' ? "+" : ".";
            t += ' ';
        }
        t += '\n';
    }
    return t;
}

std::string ScriviPzprv3(const Modello& m) {
    std::string posizione;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            posizione += static_cast<char>('0' + m.TblGioco(r, c) % 10);
    return ScriviPzprv3(SchemaDa(m), posizione);
}

EsitoLettura LeggiSorgente(const std::string& percorso) {
    if (SembraLink(percorso) && !PercorsoDiFile(percorso)) return LeggiLink(percorso);
    std::string dati, motivo;
    if (!LeggiFile(percorso, dati, &motivo))
        return Rifiuto(TestoFileErrato, percorso + ": " + motivo);
    return LeggiSchema(dati);
}

EsitoLettura LeggiIncollato(std::string_view testo) {
    if (testo.substr(0, 3) == "\xEF\xBB\xBF") testo.remove_prefix(3);
    if (SembraPzprv3(Rifila(testo))) return LeggiPzprv3(Rifila(testo), TestoAppuntiErrati);
    if (SembraLink(testo)) return LeggiLink(testo);
    return LeggiAppunti(testo);
}

} // namespace isolmar
