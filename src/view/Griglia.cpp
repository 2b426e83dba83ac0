#include "view/Griglia.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace isolmar {

namespace {
constexpr int AltezzaPredefinita = 240;
constexpr int LarghezzaPredefinita = 960;
} // namespace

Griglia::Griglia() {
    ridimensiona(righe_, colonne_);
}

void Griglia::ridimensiona(int righe, int colonne) {
    if (righe < 1 || colonne < 1) throw std::out_of_range("Griglia: dimensione non valida");
    std::vector<Cella> nuove(static_cast<size_t>(righe) * colonne);
    for (auto& c : nuove)
        c.ColoreTesto = ColoreTestoGriglia;
    if (!celle_.empty()) {
        for (int r = 0; r < std::min(righe, righe_); ++r)
            for (int c = 0; c < std::min(colonne, colonne_); ++c)
                nuove[static_cast<size_t>(r) * colonne + c] =
                    celle_[static_cast<size_t>(r) * colonne_ + c];
    }
    celle_ = std::move(nuove);
    altezze_.resize(righe, AltezzaPredefinita);
    larghezze_.resize(colonne, LarghezzaPredefinita);
    righe_ = righe;
    colonne_ = colonne;
    riga_ = std::min(riga_, righe_ - 1);
    colonna_ = std::min(colonna_, colonne_ - 1);
}

void Griglia::ImpostaRighe(int n) {
    ridimensiona(n, colonne_);
}
void Griglia::ImpostaColonne(int n) {
    ridimensiona(righe_, n);
}

int Griglia::AltezzaRiga(int r) const {
    return altezze_.at(r);
}
void Griglia::ImpostaAltezzaRiga(int r, int twips) {
    altezze_.at(r) = twips;
}
int Griglia::LarghezzaColonna(int c) const {
    return larghezze_.at(c);
}
void Griglia::ImpostaLarghezzaColonna(int c, int twips) {
    larghezze_.at(c) = twips;
}
int Griglia::SommaAltezze() const {
    return std::accumulate(altezze_.begin(), altezze_.end(), 0);
}
int Griglia::SommaLarghezze() const {
    return std::accumulate(larghezze_.begin(), larghezze_.end(), 0);
}

void Griglia::Seleziona(int r, int c) {
    if (r < 0 || r >= righe_ || c < 0 || c >= colonne_)
        throw std::out_of_range("Griglia: cella fuori dalla griglia");
    riga_ = r;
    colonna_ = c;
}

const Griglia::Cella& Griglia::CellaIn(int r, int c) const {
    if (r < 0 || r >= righe_ || c < 0 || c >= colonne_)
        throw std::out_of_range("Griglia: cella fuori dalla griglia");
    return celle_[static_cast<size_t>(r) * colonne_ + c];
}

Griglia::Cella& Griglia::cella() {
    return celle_[static_cast<size_t>(riga_) * colonne_ + colonna_];
}
const Griglia::Cella& Griglia::cella() const {
    return celle_[static_cast<size_t>(riga_) * colonne_ + colonna_];
}

void Griglia::ImpostaRidisegno(bool attivo) {
    ridisegno_ = attivo;
    if (attivo) Aggiorna();
}

void Griglia::Aggiorna() const {
    if (suRidisegno_) suRidisegno_();
}

} // namespace isolmar
