// Form3: the log window's logic, the highlights of each conclusion on the main board and the
// replay of a failure record's configurations.
#include "ui/Form3.h"

#include "model/Impostazione.h"
#include "ui/Form1.h"

#include <algorithm>
#include <cstdlib>

namespace isolmar {

namespace {
constexpr int AltezzaRigaLog = 300, LarghezzaPasso = 900, RigheVisibili = 8;

bool StessaCella(const Griglia::Cella& a, const Griglia::Cella& b) {
    return a.Testo == b.Testo && a.ColoreTesto == b.ColoreTesto && a.Font == b.Font &&
           a.Dimensione == b.Dimensione && a.Grassetto == b.Grassetto && a.Allinea == b.Allinea;
}

// A character of a symbol font by its code, as the grids store it (UTF-8 of U+00nn).
std::string Simbolo(int codice) {
    if (codice < 0x80) return std::string(1, static_cast<char>(codice));
    return {static_cast<char>(0xC0 | (codice >> 6)), static_cast<char>(0x80 | (codice & 0x3F))};
}

std::string TestoCella(int r, int c) {
    return std::to_string(r) + "," + std::to_string(c);
}
} // namespace

Rettangolo PosizioneFinestraLog(const Rettangolo& schermo, const Rettangolo& principale,
                                const Rettangolo& cella, int w, int h) {
    constexpr int Spazio = 4;
    const Rettangolo posti[] = {
        {principale.x + principale.w + Spazio, principale.y, w, h},
        {principale.x, principale.y + principale.h + Spazio, w, h},
        {principale.x - w - Spazio, principale.y, w, h},
        {principale.x, principale.y - h - Spazio, w, h},
    };
    for (const Rettangolo& r : posti)
        if (schermo.Contiene(r)) return r;
    auto dentro = [&](Rettangolo r) {
        r.x = std::max(schermo.x, std::min(r.x, schermo.x + schermo.w - r.w));
        r.y = std::max(schermo.y, std::min(r.y, schermo.y + schermo.h - r.h));
        return r;
    };
    std::vector<Rettangolo> altri;
    for (const Rettangolo& r : posti)
        altri.push_back(dentro(r));
    for (int angolo = 0; angolo < 4; ++angolo)
        altri.push_back(dentro({angolo % 2 ? schermo.x + schermo.w - w : schermo.x,
                                angolo / 2 ? schermo.y + schermo.h - h : schermo.y, w, h}));
    for (const Rettangolo& r : altri)
        if (!r.Interseca(cella)) return r;
    return altri.front();
}

std::string TestoCompatto(const std::string& t) {
    std::string s;
    bool blank = false;
    for (char ch : t) {
        if (ch == ' ' || ch == '\t') {
            blank = true;
            continue;
        }
        if (ch == '\n') {
            blank = false;
            s += '\n';
            continue;
        }
        if (blank && !s.empty() && s.back() != '\n' && s.back() != '\'') s += ' ';
        blank = false;
        s += ch;
    }
    while (!s.empty() && s.back() == '\n')
        s.pop_back();
    return s;
}

// ---- The reporter ---------------------------------------------------------------------------

int Form3::msgLog(Spiegazione& s, const Conclusione& c) {
    Modello& m = f.m;
    Griglia& Gr = f.Gr;
    Piattaforma& p = f.p;
    s_ = &s;
    if (Passi.empty()) NuovoLog();
    FermaTimer1();
    SerieScelta = ConfigMostrata = 0;
    RigaReplay = -1;
    p.ImpostaTesto(controlli::Label2, "");
    Gr.ImpostaRidisegno(false);
    p.ValoreProgresso(0);
    VisualizzaSchemaConAggiuntaTmp();
    // For a hypothesis this runs the exploration again for its failure records.
    const std::vector<std::string> righe = s.RigheMessaggio(c);
    const bool ipotesi = c.Livello > 0;

    Mostrata = c;
    Gr.Seleziona(c.Riga, c.Colonna);
    switch (Decide(c.Codice)) {
    case Decisione::Muro:
        Gr.ImpostaStato(StatoCella::EvidenzaMuro);
        break;
    case Decisione::Isola:
        Gr.ImpostaStato(StatoCella::EvidenzaIsola);
        break;
    case Decisione::Appartiene:
        Gr.ImpostaStato(StatoCella::EvidenzaIsola);
        Gr.ImpostaTesto(TestoCella(c.RigaIsola, c.ColonnaIsola));
        Gr.ImpostaFont("Arial");
        Gr.ImpostaDimensione(7);
        Gr.ImpostaColoreTesto(Tavolozza::TestoCellaIsola);
        break;
    case Decisione::Forma: {
        // A direct rule has already given the island its shape; a hypothesis is reported
        // before, with the shape in MossaConfig.
        const Isola& e = m.Ele[c.Isola];
        const Mossa& mo = m.Mosse[ipotesi ? s.MossaConfig[c.Isola] : 0];
        if (ipotesi)
            RiproduciIsola(c.RigaIsola, c.ColonnaIsola, mo.Tessera, mo.TessRiga, mo.TessColonna);
        else
            RiproduciIsola(e.Riga, e.Colonna, e.Tessera, e.TessRiga, e.TessColonna);
        break;
    }
    }
    if (ipotesi)
        for (int i = 1; i <= m.NumEle; ++i) {
            Gr.Seleziona(m.Ele[i].Riga, m.Ele[i].Colonna);
            Gr.EvidenziaIndizio();
        }

    // The records of the earlier steps can no longer be replayed: the engine has gone on.
    if (!Passi.empty())
        for (int r = Passi.back().PrimaRiga; r < Gm.Righe(); ++r)
            for (int col : {ColonnaSerie, ColonnaSimbolo}) {
                Gm.Seleziona(r, col);
                Gm.ImpostaTesto("");
            }
    const int prima = Passi.empty() ? 0 : Gm.Righe();
    for (size_t j = 0; j < righe.size(); ++j) {
        const int riga = RigaBianca();
        Gm.Seleziona(riga, ColonnaTesto);
        Gm.ImpostaTesto(righe[j]);
        if (TestoCompatto(righe[j]).find('\n') != std::string::npos)
            Gm.ImpostaAltezzaRiga(riga, 2 * AltezzaRigaLog);
        if (!ipotesi || s.NumSerie == 0) continue;
        if (j == 0) {
            SettaSegn(riga, 200);
        } else if (static_cast<int>(j) <= s.NumSerie) {
            Gm.Seleziona(riga, ColonnaSerie);
            Gm.ImpostaTesto(std::to_string(j));
            Gm.ImpostaAllinea(Allineamento::CentroCentro);
            SettaSegn(riga, 202);
        }
    }
    const int n = static_cast<int>(righe.size());
    Gm.Seleziona(prima, ColonnaPasso);
    Gm.ImpostaTesto("Passo " + std::to_string(Passi.size() + 1));
    Gm.ImpostaGrassetto(true);
    Aggiunte(c, prima, n, ipotesi ? s.NumSerie : 0);

    s.MsgProdotti = false;
    SalvaGrd(Gr, f.gr3);
    if (Passi.empty()) SalvaGrd(Gr, base_);
    Passi.push_back({c, prima, n, Fotografa(Gr)});
    PassoMostrato = static_cast<int>(Passi.size()) - 1;
    ColoraRighe();
    p.ImpostaTesto(controlli::Lbllog, "");
    PosizionaFormLog();
    Gr.ImpostaRidisegno(true);
    Aperta = true;
    p.MostraModale("Form3");
    Aperta = false;
    Form_Unload();
    // An earlier step or a replay may be on the board: the board of this step, as it showed it.
    Ripristina(Passi.back().Tavola, f.gr3);
    SalvaGrd(f.gr3, Gr);
    Mostrata = c;
    Gr.ImpostaRidisegno(true);
    p.ImpostaVisibile(controlli::Label2, true);
    p.ImpostaVisibile(controlli::Lbllog, false);
    s_ = nullptr;
    return RispostaLog;
}

void Form3::NuovoLog() {
    Form_Load();
    Passi.clear();
    PassoMostrato = RigaReplay = -1;
}

std::vector<ParoleRiga> ParoleDelPasso(const Conclusione& c, int n, int serie) {
    std::vector<ParoleRiga> parole(static_cast<size_t>(std::max(n, 0)));
    if (n < 1) return parole;
    auto dopo = [&](int j) -> std::string& { return parole[static_cast<size_t>(j)].Dopo; };
    if (c.Livello == 0) {
        // "la cella 2,5 deve essere muro perché non può appartenere a nessuna isola."
        if (c.Codice == CodiceLog::NRG && n > 1) parole[1].Prima = "perché";
    } else if (serie > 0) {
        // "la conformazione dell'isola 7,6 comporta che — oppure si crea un muro 2x2 in 4,2,
        // altrimenti si blocca l'isola 4,6 — la cella 7,7 deve essere isola."
        dopo(0) = "—";
        for (int j = 1; j < serie && j < n - 1; ++j)
            dopo(j) = ",";
        if (serie < n - 1) dopo(serie) = "—";
    }
    dopo(n - 1) += ".";
    return parole;
}

std::string FraseDelPasso(const Conclusione& c, const std::vector<std::string>& righe, int serie) {
    const std::vector<ParoleRiga> parole = ParoleDelPasso(c, static_cast<int>(righe.size()), serie);
    std::string frase;
    for (size_t j = 0; j < righe.size(); ++j) {
        std::string riga = righe[j];
        std::replace(riga.begin(), riga.end(), '\n', ' ');
        frase += " " + parole[j].Prima + " " + riga + " " + parole[j].Dopo;
    }
    // A comma or a full stop sits against the word before it.
    std::string compatta = TestoCompatto(frase);
    for (const char* segno : {" ,", " ."})
        for (size_t k; (k = compatta.find(segno)) != std::string::npos;)
            compatta.erase(k, 1);
    return compatta;
}

void Form3::Aggiunte(const Conclusione& c, int prima, int n, int serie) {
    const std::vector<ParoleRiga> parole = ParoleDelPasso(c, n, serie);
    for (int j = 0; j < n; ++j) {
        const ParoleRiga& w = parole[static_cast<size_t>(j)];
        if (!w.Prima.empty()) {
            Gm.Seleziona(prima + j, ColonnaPrima);
            Gm.ImpostaTesto(w.Prima);
        }
        if (!w.Dopo.empty()) {
            Gm.Seleziona(prima + j, ColonnaDopo);
            Gm.ImpostaTesto(w.Dopo);
        }
    }
}

int Form3::PassoDellaRiga(int riga) const {
    for (size_t k = 0; k < Passi.size(); ++k)
        if (riga >= Passi[k].PrimaRiga && riga < Passi[k].PrimaRiga + Passi[k].NumRighe)
            return static_cast<int>(k);
    return -1;
}

void Form3::ColoraRighe() {
    for (size_t k = 0; k < Passi.size(); ++k) {
        const bool mostrato = static_cast<int>(k) == PassoMostrato;
        for (int r = Passi[k].PrimaRiga; r < Passi[k].PrimaRiga + Passi[k].NumRighe; ++r)
            for (int col = 0; col <= ColonnaSimbolo; ++col) {
                Gm.Seleziona(r, col);
                Gm.ImpostaSfondo(r == RigaReplay ? Tavolozza::LogReplay
                                 : mostrato      ? Tavolozza::LogPassoMostrato
                                                 : Tavolozza::LogAltri);
                if (col != ColonnaSimbolo)
                    Gm.ImpostaColoreTesto(mostrato ? Tavolozza::LogTestoMostrato
                                                   : Tavolozza::LogTestoAltri);
            }
    }
    Gm.Aggiorna();
}

void Form3::MostraPasso(int k) {
    if (k < 0 || k >= static_cast<int>(Passi.size())) return;
    FermaTimer1();
    SerieScelta = ConfigMostrata = 0;
    RigaReplay = -1;
    PassoMostrato = k;
    Mostrata = Passi[static_cast<size_t>(k)].C;
    Ripristina(Passi[static_cast<size_t>(k)].Tavola, f.gr3);
    f.Gr.ImpostaRidisegno(false);
    SalvaGrd(f.gr3, f.Gr);
    f.Gr.ImpostaRidisegno(true);
    f.p.ImpostaVisibile(controlli::Lbllog, false);
    f.p.ImpostaVisibile(controlli::Label2, true);
    ColoraRighe();
}

void Form3::CmdPassoPrecedente_Click() {
    if (PassoPrecedenteAbilitato()) MostraPasso(PassoMostrato - 1);
}

Form3::FotoTavola Form3::Fotografa(const Griglia& g) const {
    FotoTavola foto;
    for (int r = 0; r < g.Righe(); ++r)
        for (int c = 0; c < g.Colonne(); ++c) {
            const Griglia::Cella& x = g.CellaIn(r, c);
            foto.Sfondi.push_back(x.Sfondo);
            foto.Stati.push_back(x.Stato);
            if (!StessaCella(x, base_.CellaIn(r, c)))
                foto.Altre.push_back({r * g.Colonne() + c, x});
        }
    return foto;
}

void Form3::Ripristina(const FotoTavola& foto, Griglia& g) const {
    SalvaGrd(base_, g);
    const int riga = g.Riga(), colonna = g.Colonna(), colonne = g.Colonne();
    for (int i = 0; i < static_cast<int>(foto.Sfondi.size()); ++i) {
        g.Seleziona(i / colonne, i % colonne);
        Griglia::Cella x = g.CellaIn(i / colonne, i % colonne);
        x.Sfondo = foto.Sfondi[static_cast<size_t>(i)];
        x.Stato = foto.Stati[static_cast<size_t>(i)];
        g.ImpostaCella(x);
    }
    // Everything but the fill and the state that goes with it.
    for (const auto& [i, x] : foto.Altre) {
        g.Seleziona(i / colonne, i % colonne);
        Griglia::Cella y = x;
        y.Sfondo = g.Sfondo();
        y.Stato = g.Stato();
        g.ImpostaCella(y);
    }
    g.Seleziona(riga, colonna);
}

void Form3::MostraFallimento(Spiegazione& s, const std::string& testo) {
    s_ = &s;
    VisualizzaForLogDet(testo);
}

void Form3::VisualizzaForLogDet(const std::string& testo) {
    Modello& m = f.m;
    const Griglia log = Gm;
    const bool aperta = Aperta;
    Gm = Griglia();
    Gm.ImpostaColonne(5);
    Gm.ImpostaRighe(1);
    Gm.ImpostaAltezzaRiga(0, 3 * AltezzaRigaLog);
    for (int c = 0; c < Gm.Colonne(); ++c) {
        Gm.Seleziona(0, c);
        Gm.ImpostaSfondo(Tavolozza::LogFallimento);
    }
    Gm.Seleziona(0, ColonnaTesto);
    Gm.ImpostaTesto(testo);
    // The failed configuration is on the tables now: show it with the cells the reason names.
    f.Gr.ImpostaRidisegno(false);
    VisualizzaSchemaConAggiuntaTmp();
    std::vector<std::pair<int, int>> segnate;
    if (m.EsitoMuro == 0) // the whole block, from its top left cell
        segnate = {{m.Muro2x2Riga, m.Muro2x2Colonna},
                   {m.Muro2x2Riga, m.Muro2x2Colonna + 1},
                   {m.Muro2x2Riga + 1, m.Muro2x2Colonna},
                   {m.Muro2x2Riga + 1, m.Muro2x2Colonna + 1}};
    if (m.EsitoMuro == 1)
        segnate = {{m.TaglioRiga1, m.TaglioColonna1}, {m.TaglioRiga2, m.TaglioColonna2}};
    for (auto [r, c] : segnate)
        SegnaO(r, c);
    PosizionaFormLog();
    f.Gr.ImpostaRidisegno(true);
    Aperta = true;
    f.p.MostraModale("Form3");
    for (auto [r, c] : segnate) {
        f.Gr.Seleziona(r, c);
        f.Gr.ImpostaTesto("");
    }
    Gm = log;
    Aperta = aperta;
}

// ---- Events ---------------------------------------------------------------------------------

void Form3::Form_Load() {
    FermaTimer1();
    Gm = Griglia();
    Gm.ImpostaColonne(NumColonne);
    Gm.ImpostaRighe(1);
    Gm.ImpostaLarghezzaColonna(ColonnaPasso, LarghezzaPasso);
    for (int c : {4, ColonnaPrima, ColonnaDopo})
        Gm.ImpostaLarghezzaColonna(c, 0);
    Gm.ImpostaAltezzaRiga(0, AltezzaRigaLog);
    SerieScelta = ConfigMostrata = 0;
    f.p.ImpostaTesto(controlli::Label2, "");
}

void Form3::Form_Unload() {
    FermaTimer1();
}

void Form3::CmdContinuaLog_Click() {
    RispostaLog = 1;
    Aperta = false;
}

void Form3::CmdInterrompi_Click() {
    RispostaLog = 2;
    Aperta = false;
}

bool Form3::RigaConSerie(int riga) const {
    return riga >= 0 && riga < Gm.Righe() && !Gm.CellaIn(riga, ColonnaSerie).Testo.empty() &&
           (Passi.empty() || PassoDellaRiga(riga) == static_cast<int>(Passi.size()) - 1);
}

void Form3::Gm_Click(int riga) {
    if (riga < 0 || riga >= Gm.Righe()) return;
    Piattaforma& p = f.p;
    FermaTimer1();
    const int passo = PassoDellaRiga(riga), ultimo = static_cast<int>(Passi.size()) - 1;
    if (passo >= 0 && (passo != ultimo || PassoMostrato != ultimo)) MostraPasso(passo);
    if (!RigaConSerie(riga)) {
        RigaReplay = -1;
        ColoraRighe();
        SalvaGrd(f.gr3, f.Gr);
        f.Gr.ImpostaRidisegno(true);
        p.ImpostaVisibile(controlli::Lbllog, false);
        p.ImpostaVisibile(controlli::Label2, true);
        return;
    }
    if (!s_) return;
    p.CursoreOccupato(true);
    s_->ProduciMsgPosticipato();
    p.CursoreOccupato(false);
    SerieScelta = static_cast<int16_t>(std::atoi(Gm.CellaIn(riga, ColonnaSerie).Testo.c_str()));
    ConfigMostrata = 0;
    RigaReplay = riga;
    ColoraRighe();
    VisualizzaMsgPosticipato();
    AvviaTimer1();
}

void Form3::AvviaTimer1() {
    if (timer_ == 0) timer_ = f.p.TimerPeriodico(IntervalloTimer1, [this] { Timer1_Timer(); });
}

void Form3::FermaTimer1() {
    if (timer_ != 0) f.p.FermaTimer(timer_);
    timer_ = 0;
}

// ---- Log-grid helpers -----------------------------------------------------------------------

int Form3::RigaBianca() {
    for (int r = 0; r < Gm.Righe(); ++r)
        if (Gm.CellaIn(r, ColonnaTesto).Testo.empty()) return r;
    Gm.ImpostaRighe(Gm.Righe() + 1);
    Gm.ImpostaAltezzaRiga(Gm.Righe() - 1, AltezzaRigaLog);
    return Gm.Righe() - 1;
}

void Form3::SettaSegn(int riga, int codice) {
    Gm.Seleziona(riga, ColonnaSimbolo);
    Gm.ImpostaFont("Wingdings");
    Gm.ImpostaDimensione(14);
    Gm.ImpostaGrassetto(true);
    Gm.ImpostaAllinea(Allineamento::CentroCentro);
    Gm.ImpostaTesto(Simbolo(51) + Simbolo(codice));
}

void Form3::SalvaGrd(const Griglia& da, Griglia& a) {
    a.ImpostaRighe(da.Righe());
    a.ImpostaColonne(da.Colonne());
    a.Larghezza = da.Larghezza;
    a.Altezza = da.Altezza;
    const int riga = a.Riga(), colonna = a.Colonna();
    for (int r = 0; r < da.Righe(); ++r) {
        a.ImpostaAltezzaRiga(r, da.AltezzaRiga(r));
        for (int c = 0; c < da.Colonne(); ++c) {
            if (r == 0) a.ImpostaLarghezzaColonna(c, da.LarghezzaColonna(c));
            a.Seleziona(r, c);
            a.ImpostaCella(da.CellaIn(r, c));
        }
    }
    a.Seleziona(std::min(riga, a.Righe() - 1), std::min(colonna, a.Colonne() - 1));
}

void Form3::PosizionaFormLog() {
    // The text column fits the longest row; the grid is at least as large as the board.
    size_t piuLunga = 0;
    for (int r = 0; r < Gm.Righe(); ++r) {
        std::string t = TestoCompatto(Gm.CellaIn(r, ColonnaTesto).Testo);
        if (Gm.Colonne() > ColonnaDopo)
            t += " " + Gm.CellaIn(r, ColonnaPrima).Testo + " " + Gm.CellaIn(r, ColonnaDopo).Testo;
        piuLunga = std::max(piuLunga, t.substr(0, t.find('\n')).size());
    }
    Gm.ImpostaLarghezzaColonna(ColonnaTesto, std::max(4200, static_cast<int>(piuLunga) * 95 + 240));
    Gm.ImpostaLarghezzaColonna(ColonnaSerie, 400);
    Gm.ImpostaLarghezzaColonna(ColonnaSimbolo, 700);
    Gm.Larghezza = std::max(f.Gr.Larghezza, Gm.SommaLarghezze() + MargineGriglia);
    // As tall as the board, or as the last steps: earlier ones scroll. The same from the first
    // step on, so that the window and its buttons keep their place while rows come.
    Gm.Altezza = std::max(f.Gr.Altezza, RigheVisibili * AltezzaRigaLog + MargineGriglia);
    Gm.Seleziona(0, 0);
}

// ---- Board painters -------------------------------------------------------------------------

void Form3::VisualizzaSchemaConAggiuntaTmp() {
    // The run keeps NoColori set so that placing shapes paints nothing; the window paints.
    const Booleano colori = f.m.NoColori;
    f.m.NoColori = Falso;
    f.Vissche();
    VisualizzaAggiuntaTmp();
    f.m.NoColori = colori;
}

void Form3::VisualizzaAggiuntaTmp() {
    const Modello& m = f.m;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c)
            if (m.TblIsoleLog(r, c) != 0 && m.TblSchema(r, c) != 1) {
                f.Gr.Seleziona(r, c);
                f.Gr.ImpostaStato(StatoCella::Isola);
            }
}

// The square of the symbol font in the given colour on grey; a white cell stays white unless
// ancheBianca.
void Form3::Quadratino(int r, int c, Colore colore, bool ancheBianca) {
    Griglia& Gr = f.Gr;
    Gr.Seleziona(r, c);
    Gr.ImpostaFont("Wingdings");
    Gr.ImpostaDimensione(16);
    Gr.ImpostaTesto(Simbolo(110));
    Gr.ImpostaColoreTesto(colore);
    if (ancheBianca || !StatoBianco(Gr.Stato())) Gr.ImpostaStato(StatoCella::Indecisa);
}

void Form3::CellaIsolaTmp(int r, int c) {
    Quadratino(r, c, Tavolozza::SimboloIsola, false);
}

void Form3::CellaNoIsolaTmp(int r, int c) {
    Quadratino(r, c, Tavolozza::SimboloMuro, true);
}

void Form3::SegnaO(int r, int c) {
    if (r < 1 || c < 1 || r > f.m.NumRighe || c > f.m.NumColonne) return;
    f.Gr.Seleziona(r, c);
    f.Gr.ImpostaTesto("O");
    f.Gr.ImpostaFont("Arial");
    f.Gr.ImpostaDimensione(16);
}

void Form3::RiproduciIsola(int riga, int colonna, int32_t tessera, int tessRiga, int tessColonna,
                           Colore colore) {
    const Modello& m = f.m;
    if (tessera < 1 || tessera >= static_cast<int32_t>(m.Tessere.size())) return;

    const Tessera& t = m.Tessere[tessera];
    for (int i = 1; i <= t.Righe; ++i)
        for (int j = 1; j <= t.Colonne; ++j) {
            const int r = riga - tessRiga + i, c = colonna - tessColonna + j;
            if (t.Cella[i][j] != CellaTessera || r < 1 || c < 1 || r > m.NumRighe ||
                c > m.NumColonne)
                continue;
            f.Gr.Seleziona(r, c);
            if (f.Gr.Testo().empty()) Quadratino(r, c, colore, false);
        }
}

std::vector<std::string> Form3::Chiavi(const std::string& configurazioni) {
    std::vector<std::string> chiavi;
    size_t da = 0;
    for (size_t a = configurazioni.find('A'); a != std::string::npos;
         da = a + 1, a = configurazioni.find('A', da))
        chiavi.push_back(configurazioni.substr(da, a - da));
    return chiavi;
}

void Form3::RiproduciIsoleMsgPosticipato(const std::string& chiave) {
    // Each island: clue row, clue column, shape, shape row, shape column, then "E".
    const char* x = chiave.c_str();
    for (size_t i = 0; *x != '\0' && *x != 'A'; ++i) {
        int v[5] = {};
        for (int& n : v) {
            char* fine = nullptr;
            n = static_cast<int>(std::strtol(x, &fine, 10));
            x = fine;
            if (*x == ',' || *x == 'E') ++x;
        }
        // Each island in its own colour, its clue cell too, so that shapes and clues pair up.
        const Colore colore = ColoriIsole[i % std::size(ColoriIsole)];
        if (v[0] >= 1 && v[1] >= 1 && v[0] <= f.m.NumRighe && v[1] <= f.m.NumColonne) {
            f.Gr.Seleziona(v[0], v[1]);
            f.Gr.ImpostaStato(StatoReplay(static_cast<int>(i)));
        }
        RiproduciIsola(v[0], v[1], v[2], v[3], v[4], colore);
    }
}

void Form3::VisualizzaMsgPosticipato() {
    if (!s_ || SerieScelta < 1 || SerieScelta > s_->NumSerie) return;
    const Spiegazione& s = *s_;
    const Modello& m = f.m;
    Piattaforma& p = f.p;
    const SerieFallimento& x = s.SerieLog[SerieScelta];
    p.ImpostaTesto(controlli::Lbllog, TestoCompatto(x.Messaggio));
    p.ImpostaVisibile(controlli::Lbllog, true);
    p.ImpostaVisibile(controlli::Label2, false);
    const std::vector<std::string> chiavi = Chiavi(x.Configurazioni);
    const int n = static_cast<int>(chiavi.size());
    if (n == 0) return;
    // From the last key back to the first, and round again.
    ConfigMostrata = static_cast<int16_t>(ConfigMostrata <= 1 ? n : ConfigMostrata - 1);
    Griglia& Gr = f.Gr;
    Gr.ImpostaRidisegno(false);
    // From the board as the message showed it, so that clue numbers marked by an earlier
    // configuration come back.
    SalvaGrd(f.gr3, Gr);
    VisualizzaSchemaConAggiuntaTmp();
    RiproduciIsoleMsgPosticipato(chiavi[static_cast<size_t>(ConfigMostrata - 1)]);
    const auto& q = x.Celle;
    if (x.Tipo == '0') // the named cell is the block's top left
        for (int dr = 0; dr <= 1; ++dr)
            for (int dc = 0; dc <= 1; ++dc)
                SegnaO(q[0] + dr, q[1] + dc);
    if (x.Tipo == '1') {
        SegnaO(q[0], q[1]);
        SegnaO(q[2], q[3]);
    }
    if (x.Tipo == '2') SegnaO(m.svEle[q[0]].Riga, m.svEle[q[0]].Colonna);
    if (s.CodiceMsg == CodiceLog::IS3) CellaNoIsolaTmp(s.RigaMsg, s.ColonnaMsg);
    if (s.CodiceMsg == CodiceLog::MU3) CellaIsolaTmp(s.RigaMsg, s.ColonnaMsg);
    Gr.ImpostaRidisegno(true);
}

// ---- Saving what the board shows ------------------------------------------------------------

void Form3::sommasoluzTmpatlbgioco() {
    Modello& m = f.m;
    for (int r = 1; r <= m.NumRighe; ++r)
        for (int c = 1; c <= m.NumColonne; ++c) {
            const StatoCella x = f.Gr.CellaIn(r, c).Stato;
            m.TblGioco(r, c) = x == StatoCella::Muro ? 2 : StatoBianco(x) ? 1 : 0;
        }
}

void Form3::SalvaSituazioneAttuale() {
    Modello& m = f.m;
    const auto ele = m.Ele;
    const int16_t numEle = m.NumEle;
    const Griglia8 gioco = m.TblGioco;
    f.Ris.RiprendiEleDasvEle();
    sommasoluzTmpatlbgioco();
    f.SalvaCopiaConNome();
    m.TblGioco = gioco;
    m.Ele = ele;
    m.NumEle = numEle;
}

} // namespace isolmar
