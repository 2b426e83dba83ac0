#include "generator/Configurazione.h"

#include <algorithm>

namespace isolmar {

bool NumeroIniziale(std::string_view testo, long long& valore) {
    constexpr long long Tetto = 1'000'000'000'000LL;
    valore = 0;
    size_t i = 0;
    while (i < testo.size() && testo[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < testo.size() && (testo[i] == '+' || testo[i] == '-')) negativo = testo[i++] == '-';
    const size_t inizio = i;
    for (; i < testo.size() && testo[i] >= '0' && testo[i] <= '9'; ++i)
        valore = std::min(Tetto, valore * 10 + (testo[i] - '0'));
    if (i == inizio) return false;
    if (negativo) valore = -valore;
    return true;
}

namespace {

// A whole number 0..255 with nothing but blanks around it.
bool Byte(std::string_view v, uint8_t& risultato) {
    const size_t primo = v.find_first_not_of(' ');
    if (primo == std::string_view::npos) return false;
    v = v.substr(primo, v.find_last_not_of(' ') - primo + 1);
    if (!v.empty() && v[0] == '+') v.remove_prefix(1);
    if (v.empty() || v.size() > 3) return false;
    int n = 0;
    for (char ch : v) {
        if (ch < '0' || ch > '9') return false;
        n = n * 10 + (ch - '0');
    }
    if (n > 255) return false;
    risultato = static_cast<uint8_t>(n);
    return true;
}

std::string Errore(const std::string& nome, int riga, const std::string& testo) {
    return nome + ", riga " + std::to_string(riga) + ": " + testo;
}

} // namespace

std::string InizializzaAuto(std::string_view testo,
                            std::array<Modello::Regola, Modello::MaxRegole + 1>& Regole,
                            int16_t& NumRegole, const std::string& nome) {
    NumRegole = 0;
    // A byte-order mark (as some editors write) is no part of the first line.
    if (testo.substr(0, 3) == "\xEF\xBB\xBF") testo.remove_prefix(3);
    int numeroRiga = 0;
    size_t pos = 0;
    while (pos < testo.size()) {
        size_t fine = testo.find_first_of("\r\n", pos);
        if (fine == std::string_view::npos) fine = testo.size();
        std::string riga(testo.substr(pos, fine - pos));
        pos = fine;
        if (pos < testo.size() && testo[pos] == '\r') ++pos;
        if (pos < testo.size() && testo[pos] == '\n') ++pos;
        ++numeroRiga;

        std::replace(riga.begin(), riga.end(), '\t', ' ');
        const size_t primo = riga.find_first_not_of(' ');
        riga = primo == std::string::npos
                   ? std::string()
                   : riga.substr(primo, riga.find_last_not_of(' ') - primo + 1);
        std::string maiuscola = riga;
        for (char& ch : maiuscola)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');

        if (maiuscola == "<REGOLA>") {
            if (NumRegole >= Modello::MaxRegole)
                return Errore(nome, numeroRiga,
                              "ci sono più di " + std::to_string(Modello::MaxRegole) +
                                  " regole \"<REGOLA>\".");
            ++NumRegole;
            continue;
        }
        const size_t uguale = riga.find('=');
        if (uguale == std::string::npos) continue;
        const std::string chiave = maiuscola.substr(0, uguale);
        const size_t secondo = riga.find('=', uguale + 1);
        const std::string valore = riga.substr(
            uguale + 1, secondo == std::string::npos ? std::string::npos : secondo - uguale - 1);

        // "ROW = 5": the blank makes the key "ROW ", which would be ignored without a word.
        if (const size_t k = chiave.find_last_not_of(' ');
            k != std::string::npos && k + 1 < chiave.size()) {
            const std::string nuda = chiave.substr(0, k + 1);
            for (const char* nota : {"DIR", "ROW", "COL", "SCHEMI", "ISOLAMAX", "MODOFILE"})
                if (nuda == nota)
                    return Errore(nome, numeroRiga,
                                  "\"" + chiave + "\" non è una chiave: si scrive " + nuda +
                                      "=valore, senza blank prima di \"=\".");
        }
        Modello::Regola& r = Regole[NumRegole];
        long long n = 0;
        if (chiave == "DIR") {
            r.Dir = valore;
        } else if (chiave == "MODOFILE") {
            r.ModoFile = valore;
        } else if (chiave == "ROW" || chiave == "COL") {
            if (!Byte(valore, chiave == "ROW" ? r.Row : r.Col))
                return Errore(nome, numeroRiga,
                              "il valore di " + chiave +
                                  " deve essere un numero intero da 0 a 255.");
        } else if (chiave == "SCHEMI") {
            NumeroIniziale(valore, n);
            if (n < -32768 || n > 32767)
                return Errore(nome, numeroRiga,
                              "il valore di SCHEMI deve essere un numero da -32768 a 32767.");
            r.Schemi = static_cast<int16_t>(n);
        } else if (chiave == "ISOLAMAX") {
            NumeroIniziale(valore, n);
            if (n < 0 || n > 255)
                return Errore(nome, numeroRiga,
                              "il valore di ISOLAMAX deve essere un numero da 0 a 255.");
            r.IsolaMax = static_cast<uint8_t>(n);
        }
    }
    return "";
}

} // namespace isolmar
