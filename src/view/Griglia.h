// Griglia: a grid control kept as a table of cells. It is the one implementation of the grid
// operations the program uses (the board, the snapshot strip, the board copy, the print grid and
// the log grid). It draws nothing itself: a painter reads it and listens for redraw resumes.
#pragma once

#include "view/Tavolozza.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace isolmar {

// Alignment of a cell's text; the values are the grid's own codes.
enum class Allineamento : int16_t {
    SinistraCentro = 1,
    CentroCentro = 4,
    DestraCentro = 7,
};

// Colours (Colore, view/Tavolozza.h) are numbers in 0x00BBGGRR order, stored and read back
// exactly as written.

// Marks a painter draws over a board cell, on top of its fill: bits of Griglia::Cella::Segni.
namespace segni {
inline constexpr uint16_t Punto = 1 << 0;             // a cell the player made island
inline constexpr uint16_t Muro2x2 = 1 << 1;           // in a 2 x 2 block of wall
inline constexpr uint16_t DueIndizi = 1 << 2;         // in an island with two or more clues
inline constexpr uint16_t IsolaGrande = 1 << 3;       // in an island larger than its clue
inline constexpr uint16_t IsolaPiccola = 1 << 4;      // in a closed island smaller than its clue
inline constexpr uint16_t IsolaSenzaIndizio = 1 << 5; // in a closed island with no clue
inline constexpr uint16_t MuroDiviso = 1 << 6;        // in walls cut off from the others
inline constexpr uint16_t Diversa = 1 << 7;           // not the same in every solution found
inline constexpr uint16_t Rimovibile = 1 << 8;        // a clue the puzzle stays unique without
inline constexpr uint16_t Proposto = 1 << 9;          // where a proposed clue would go
inline constexpr uint16_t Errori =
    Muro2x2 | DueIndizi | IsolaGrande | IsolaPiccola | IsolaSenzaIndizio | MuroDiviso;
} // namespace segni

class Griglia {
  public:
    struct Cella {
        std::string Testo;
        Colore Sfondo = Bianco;
        Colore ColoreTesto = Nero;
        std::string Font = "Arial";
        float Dimensione = 8.25f;
        bool Grassetto = false;
        Allineamento Allinea = Allineamento::SinistraCentro;
        // What the cell shows on a board, set with its fill by ImpostaStato.
        StatoCella Stato = StatoCella::Vuota;
        // The number is a highlighted clue's (EvidenziaIndizio), until its colour is set again.
        bool Evidenziato = false;
        // Marks over the fill (segni::), cleared whenever the state is set.
        uint16_t Segni = 0;
    };

    Griglia();

    // Counts include the fixed row 0 and column 0. Growing keeps existing cells; new cells take
    // the grid's defaults.
    int Righe() const { return righe_; }
    int Colonne() const { return colonne_; }
    void ImpostaRighe(int n);
    void ImpostaColonne(int n);

    // Sizes in twips (1440 per inch).
    int AltezzaRiga(int r) const;
    void ImpostaAltezzaRiga(int r, int twips);
    int LarghezzaColonna(int c) const;
    void ImpostaLarghezzaColonna(int c, int twips);
    int SommaAltezze() const;
    int SommaLarghezze() const;

    // The control's own outer size in twips, as set by its owner.
    int Larghezza = 0;
    int Altezza = 0;

    // Cell operations act on the selected cell.
    void Seleziona(int r, int c);
    int Riga() const { return riga_; }
    int Colonna() const { return colonna_; }

    const std::string& Testo() const { return cella().Testo; }
    void ImpostaTesto(const std::string& t) { cella().Testo = t; }
    Colore Sfondo() const { return cella().Sfondo; }
    // A fill with no board meaning (the log grid, the snapshot strip).
    void ImpostaSfondo(Colore c) {
        cella().Sfondo = c;
        cella().Stato = StatoCella::Colorata;
    }
    // A board cell's state, and the look it takes from it (fill, and text colour where the state
    // sets one).
    StatoCella Stato() const { return cella().Stato; }
    void ImpostaStato(StatoCella s) {
        const Aspetto a = AspettoCella(s);
        cella().Sfondo = a.Sfondo;
        if (a.ConTesto) ImpostaColoreTesto(a.Testo);
        cella().Stato = s;
        cella().Segni = 0;
    }
    uint16_t Segni() const { return cella().Segni; }
    void ImpostaSegni(uint16_t s) { cella().Segni = s; }
    Colore ColoreTesto() const { return cella().ColoreTesto; }
    void ImpostaColoreTesto(Colore c) {
        cella().ColoreTesto = c;
        cella().Evidenziato = false;
    }
    // The clue a step's island rests on: its number larger and in the highlight colour.
    void EvidenziaIndizio() {
        cella().ColoreTesto = Tavolozza::TestoIndizioEvidenziato;
        cella().Dimensione = 12;
        cella().Evidenziato = true;
    }
    bool Evidenziato() const { return cella().Evidenziato; }
    const std::string& Font() const { return cella().Font; }
    void ImpostaFont(const std::string& f) { cella().Font = f; }
    float Dimensione() const { return cella().Dimensione; }
    void ImpostaDimensione(float punti) { cella().Dimensione = punti; }
    bool Grassetto() const { return cella().Grassetto; }
    void ImpostaGrassetto(bool b) { cella().Grassetto = b; }
    Allineamento Allinea() const { return cella().Allinea; }
    void ImpostaAllinea(Allineamento a) { cella().Allinea = a; }
    // Every property of the selected cell at once.
    void ImpostaCella(const Cella& x) { cella() = x; }

    // Direct read access for painters; (r, c) must be inside the grid.
    const Cella& CellaIn(int r, int c) const;

    // The grid's default text colour (new cells take it).
    Colore ColoreTestoGriglia = Nero;

    // Suspending repainting lets many cells change at once; resuming notifies the painter so that
    // every change made meanwhile is shown.
    bool Ridisegno() const { return ridisegno_; }
    void ImpostaRidisegno(bool attivo);
    void SuRidisegno(std::function<void()> f) { suRidisegno_ = std::move(f); }
    // Asks the painter to show the current state, whether or not repainting is suspended.
    void Aggiorna() const;

    bool Visibile = true;

    // Cell under the mouse at the last mouse event, written by the window layer.
    int MouseRiga = 0;
    int MouseColonna = 0;

  private:
    Cella& cella();
    const Cella& cella() const;
    void ridimensiona(int righe, int colonne);

    int righe_ = 2, colonne_ = 2;
    int riga_ = 1, colonna_ = 1;
    std::vector<int> altezze_, larghezze_;
    std::vector<Cella> celle_; // row-major, righe_ x colonne_
    bool ridisegno_ = true;
    std::function<void()> suRidisegno_;
};

} // namespace isolmar
