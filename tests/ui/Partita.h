// The main window driven headless, as the ui tests share it: a Form1 on a scripted host, with the
// clicks, keys and menu commands a player gives.
#pragma once

#include "model/Impostazione.h"
#include "model/Schema.h"
#include "ui/ProgrammaSenzaFinestra.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace isolmar {

// Its only solution (Soluzione below, 'O' island, '#' wall):
//   OO###
//   ###O#
//   O#OO#
//   #OOO#
//   #####
inline const Schema Unico{5, 5, {{2, 1, 1}, {1, 3, 1}, {6, 4, 3}}};
inline constexpr const char* SoluzioneUnico = "OO######O#O#OO##OOO######";
inline const Schema DueSoluzioni{2, 2, {{2, 1, 1}}};
inline const Schema QuattroSoluzioni{3, 3, {{2, 2, 2}}}; // the centre and one of its neighbours
inline const Schema Impossibile{2, 2, {{1, 1, 1}, {1, 2, 2}}};

// On any scripted host P (a PiattaformaHeadless that records more, for instance).
template <class P> struct PartitaSu : ProgrammaSu<P> {
    using ProgrammaSu<P>::p, ProgrammaSu<P>::f, ProgrammaSu<P>::m;
    // An empty window, or one with a puzzle laid out as the loaders do, or a published file.
    PartitaSu() = default;
    explicit PartitaSu(const Schema& s) : PartitaSu() { EXPECT_TRUE(f.CaricaSchema(s)); }
    // The published file is opened from a copy of this test's own: a save in place must never
    // reach the test data.
    explicit PartitaSu(const char* pubblicato) : PartitaSu() {
        const std::string copia = testing::TempDir() + "isolmar-" + std::to_string(getpid()) +
                                  "-" + pubblicato + ".xml";
        std::filesystem::copy_file(std::string(ISOLMAR_PUZZLES_DIR) + "/" + pubblicato + ".xml",
                                   copia, std::filesystem::copy_options::overwrite_existing);
        EXPECT_TRUE(f.ApriFile(copia));
    }

    void Clic(int r, int c, int tasto = 1) {
        f.Gr.MouseRiga = r;
        f.Gr.MouseColonna = c;
        f.Gr_MouseDown(tasto);
    }
    // Left clicks: each cell from undecided to island.
    void Isola(std::initializer_list<std::pair<int, int>> celle) {
        for (auto [r, c] : celle)
            Clic(r, c);
    }
    void Muro(int r, int c) { Clic(r, c, 2); }
    // The pointer moved over (r, c) with the button held.
    void Passa(int r, int c) {
        f.Gr.MouseRiga = r;
        f.Gr.MouseColonna = c;
        f.Gr_MouseMove();
    }
    // "Marca"/"Smarca" from the popup menu of the clue at (r, c).
    void Marca(int r, int c) {
        Clic(r, c);
        f.Clic("mnuSmarcaMarca");
    }
    // Draws a board given by the keyboard as rows of 'O' island, '#' wall, '.' undecided,
    // optionally separated by '/' (clue cells skipped): one move for each cell that changes.
    void Disegna(std::string celle) {
        std::erase(celle, '/');
        for (size_t k = 0; k < celle.size(); ++k) {
            f.CursoreRiga = 1 + static_cast<int>(k) / m.NumColonne;
            f.CursoreColonna = 1 + static_cast<int>(k) % m.NumColonne;
            f.Tavola_KeyDown(celle[k] == 'O'   ? TastoGioco::Isola
                             : celle[k] == '#' ? TastoGioco::Muro
                                               : TastoGioco::Indeciso);
        }
    }
    void Fotografa() { f.tlb1_ButtonClick("Camera"); }
    void Annulla() { f.tlb1_ButtonClick("Undo"); }
    void Riprendi(int colonna) {
        f.gr2.MouseColonna = colonna;
        f.gr2_Click();
    }
    // A popup-menu command on the clue at (r, c), run as the window runs it: the click, the
    // menu entry, then the timer.
    void Menu(int r, int c, const std::string& voce) {
        Clic(r, c);
        f.Clic(voce);
        p.EseguiTimer();
    }
    // Esc at the n-th attempt of the next search.
    void EscDopo(long n) {
        p.DopoCessioni(n, [this] { f.Form_KeyPress(27); });
    }
    // "Mostra"; azione runs at every message of the log window (numbered from 1).
    void Mostra(const std::function<void(int)>& azione) {
        int n = 0;
        p.SuModale = [&](const std::string&) { azione(++n); };
        f.tlb1_ButtonClick("Mostra");
    }
    // Solution 1 as rows of '1' island, '0' wall, and whether it solves the puzzle on the board.
    std::string Soluzione() const {
        std::string s;
        for (int r = 1; r <= m.NumRighe; ++r)
            for (int c = 1; c <= m.NumColonne; ++c)
                s += m.Tblsol(1, r, c) == 1 ? '1' : '0';
        return s;
    }
    bool SoluzioneGiusta() const {
        return m.NumSol >= 1 && RisolveSchema(SchemaDa(m), Soluzione());
    }
    // "Lista configurazioni isole marcate" from the toolbar, then the timer.
    void Lista() {
        f.tlb1_ButtonClick("Aiuto");
        p.EseguiTimer();
    }
    uint8_t Cella(int r, int c) const { return m.TblGioco(r, c); }
    Colore Sfondo(int r, int c) const { return f.Gr.CellaIn(r, c).Sfondo; }
    // The board's backgrounds row by row: '.' grey, 'o' white, '#' blue, 'G' yellow, 'V' teal,
    // 'R' red, '?' anything else.
    std::string Sfondi() const {
        static const std::pair<Colore, char> nomi[] = {{Grigio, '.'},     {Bianco, 'o'},
                                                       {Blu, '#'},        {Giallo, 'G'},
                                                       {Verdeacqua, 'V'}, {0x0000FF, 'R'}};
        std::string s;
        for (int r = 1; r <= m.NumRighe; ++r)
            for (int c = 1; c <= m.NumColonne; ++c) {
                s += '?';
                for (auto [colore, ch] : nomi)
                    if (Sfondo(r, c) == colore) s.back() = ch;
            }
        return s;
    }
    std::string Label2() const { return p.Testo(controlli::Label2); }
    bool Aiuto() { return p.AbilitatiBarra["Aiuto"]; }
    // The first line of each message shown: the program's message, without its reason.
    std::vector<std::string> Messaggi() const {
        std::vector<std::string> v;
        for (const std::string& t : p.Messaggi)
            v.push_back(t.substr(0, t.find('\n')));
        return v;
    }
};
using Partita = PartitaSu<PiattaformaHeadless>;

// The clues as (number, row, column).
inline std::set<std::tuple<int, int, int>> Isole(const Modello& m) {
    std::set<std::tuple<int, int, int>> s;
    for (int i = 1; i <= m.NumEle; ++i)
        s.insert({m.Ele[i].Num, m.Ele[i].Riga, m.Ele[i].Colonna});
    return s;
}

} // namespace isolmar
