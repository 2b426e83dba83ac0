#include "ui/Composizione.h"

#include "view/Griglia.h"

#include <algorithm>

namespace isolmar {

namespace {
Cella ImmagineDi(Simmetria s, const Schema& S, Cella x) {
    const auto [r, c] = Immagine(s, S.Righe, S.Colonne, x.Riga, x.Colonna);
    return {r, c};
}
} // namespace

int Composizione::IndizioIn(int r, int c) const {
    for (size_t i = 0; i < S.Isole.size(); ++i)
        if (S.Isole[i].Riga == r && S.Isole[i].Colonna == c) return static_cast<int>(i);
    return -1;
}

void Composizione::Metti(int r, int c, int num) {
    if (const int i = IndizioIn(r, c); i >= 0)
        S.Isole[static_cast<size_t>(i)].Num = num;
    else
        S.Isole.push_back({num, r, c});
}

void Composizione::Poni(int r, int c, int num) {
    Metti(r, c, num);
    const Cella x = ImmagineDi(Simm, S, {r, c});
    if (IndizioIn(x.Riga, x.Colonna) < 0) Metti(x.Riga, x.Colonna, num);
}

bool Composizione::Digita(int r, int c, int cifra) {
    const int i = IndizioIn(r, c);
    const bool segue = ultima_ && *ultima_ == Cella{r, c} && i >= 0;
    const int num = segue ? S.Isole[static_cast<size_t>(i)].Num * 10 + cifra : cifra;
    ultima_ = Cella{r, c};
    if (num >= 1 && num <= S.Righe * S.Colonne) {
        if (!segue) {
            Poni(r, c, num);
            return true;
        }
        // The image took the first digit with this number: it follows the number typed.
        const int prima = S.Isole[static_cast<size_t>(i)].Num;
        Metti(r, c, num);
        const Cella x = ImmagineDi(Simm, S, {r, c});
        if (const int j = IndizioIn(x.Riga, x.Colonna);
            j >= 0 && j != i && S.Isole[static_cast<size_t>(j)].Num == prima)
            S.Isole[static_cast<size_t>(j)].Num = num;
        return true;
    }
    if (cifra == 0) return false;
    Poni(r, c, cifra); // too large to append: the digit starts a new number
    return true;
}

bool Composizione::Cancella(int r, int c) {
    ultima_.reset();
    const Cella x = ImmagineDi(Simm, S, {r, c});
    const auto prima = S.Isole.size();
    std::erase_if(S.Isole, [&](const Indizio& d) {
        return (d.Riga == r && d.Colonna == c) || (d.Riga == x.Riga && d.Colonna == x.Colonna);
    });
    return S.Isole.size() != prima;
}

void Composizione::Applica(const Proposta& p) {
    ultima_.reset();
    if (p.Sostituisce >= 0 && p.Sostituisce < static_cast<int>(S.Isole.size()))
        S.Isole.erase(S.Isole.begin() + p.Sostituisce);
    Metti(p.Nuovo.Riga, p.Nuovo.Colonna, p.Nuovo.Num);
}

std::vector<uint16_t> Composizione::Segni(const EsitoVerifica* e,
                                          const std::optional<Proposta>& p) const {
    const int R = S.Righe, C = S.Colonne;
    std::vector<uint16_t> segniCelle(static_cast<size_t>(R * C), 0);
    auto segna = [&](int r, int c, uint16_t s) {
        if (r >= 1 && r <= R && c >= 1 && c <= C)
            segniCelle[static_cast<size_t>((r - 1) * C + c - 1)] |= s;
    };
    for (const Indizio& d : S.Isole) // two clues side by side can never be in one solution
        for (const Indizio& v : S.Isole)
            if (std::abs(d.Riga - v.Riga) + std::abs(d.Colonna - v.Colonna) == 1)
                segna(d.Riga, d.Colonna, segni::DueIndizi);
    if (e) {
        for (const Cella& x : e->Diverse)
            segna(x.Riga, x.Colonna, segni::Diversa);
        auto indizio = [&](int i, uint16_t s) {
            if (i >= 0 && i < static_cast<int>(S.Isole.size()))
                segna(S.Isole[static_cast<size_t>(i)].Riga, S.Isole[static_cast<size_t>(i)].Colonna,
                      s);
        };
        if (e->Stato == StatoVerifica::Nessuna) indizio(e->Impossibile, segni::IsolaPiccola);
        for (int i : e->Rimovibili)
            indizio(i, segni::Rimovibile);
    }
    if (p) segna(p->Nuovo.Riga, p->Nuovo.Colonna, segni::Proposto);
    return segniCelle;
}

} // namespace isolmar
