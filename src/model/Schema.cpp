#include "model/Schema.h"

#include <set>
#include <utility>

namespace isolmar {

namespace {
std::string n(int v) { return std::to_string(v); }
} // namespace

std::string ValidaSchema(const Schema& s) {
    if (s.Righe < 1 || s.Righe > MaxRighe)
        return "Numero di righe non ammesso: " + n(s.Righe) + " (da 1 a " + n(MaxRighe) + ")";
    if (s.Colonne < 1 || s.Colonne > MaxRighe)
        return "Numero di colonne non ammesso: " + n(s.Colonne) + " (da 1 a " + n(MaxRighe) + ")";
    if (s.Isole.empty()) return "Lo schema non contiene isole";
    if (s.Isole.size() > static_cast<size_t>(MaxEle))
        return "Troppe isole: " + n(static_cast<int>(s.Isole.size())) + " (al massimo " +
               n(MaxEle) + ")";
    std::set<std::pair<int, int>> occupate;
    for (size_t k = 0; k < s.Isole.size(); ++k) {
        const Indizio& i = s.Isole[k];
        const std::string isola = "Isola " + n(static_cast<int>(k + 1)) + ": ";
        if (i.Num < 1 || i.Num > MaxNum)
            return isola + "numero " + n(i.Num) + " non ammesso (da 1 a " + n(MaxNum) + ")";
        if (i.Riga < 1 || i.Riga > s.Righe || i.Colonna < 1 || i.Colonna > s.Colonne)
            return isola + "la cella (" + n(i.Riga) + ", " + n(i.Colonna) +
                   ") è fuori dalla griglia";
        if (!occupate.insert({i.Riga, i.Colonna}).second)
            return isola + "la cella (" + n(i.Riga) + ", " + n(i.Colonna) +
                   ") ha già un numero";
    }
    return {};
}

bool ApplicaSchema(Modello& m, const Schema& s) {
    if (!ValidaSchema(s).empty()) return false;
    m.NumRighe = static_cast<uint8_t>(s.Righe);
    m.NumColonne = static_cast<uint8_t>(s.Colonne);
    m.NumEle = static_cast<uint8_t>(s.Isole.size());
    for (int i = 1; i <= MaxEle; ++i) m.Ele[i] = Isola{};
    for (int i = 1; i <= m.NumEle; ++i) {
        const Indizio& d = s.Isole[i - 1];
        m.Ele[i].Num = static_cast<uint8_t>(d.Num);
        m.Ele[i].Riga = static_cast<uint8_t>(d.Riga);
        m.Ele[i].Colonna = static_cast<uint8_t>(d.Colonna);
    }
    return true;
}

Schema SchemaDa(const Modello& m) {
    Schema s{m.NumRighe, m.NumColonne, {}};
    for (int i = 1; i <= m.NumEle; ++i)
        s.Isole.push_back({m.Ele[i].Num, m.Ele[i].Riga, m.Ele[i].Colonna});
    return s;
}

} // namespace isolmar
