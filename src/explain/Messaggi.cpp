// The Italian rows of every conclusion, as the log window shows them and the command-line tool
// prints them.
#include "explain/Spiegazione.h"
#include "model/Impostazione.h"
#include "model/Schema.h"
#include "solver/FormeGrandi.h"

namespace isolmar {

namespace {
std::string Cella(int r, int c) {
    return std::to_string(r) + "," + std::to_string(c);
}

// Each island's clue cell followed by a blank, "-" before every island but the first.
std::string Elenco(const Modello& m, int n) {
    std::string s;
    for (int i = 1; i <= n; ++i)
        s += (i > 1 ? "-" : "") + Cella(m.Ele[i].Riga, m.Ele[i].Colonna) + " ";
    return s;
}

void Sostituisci(std::string& s, std::string_view da, std::string_view a) {
    for (size_t i = s.find(da); i != std::string::npos; i = s.find(da, i + a.size()))
        s.replace(i, da.size(), a);
}
} // namespace

std::string Spiegazione::ElencoIsoleLog() const {
    return "Se le isole " + Elenco(m, m.NumEle) + " hanno configurazione simile a questa";
}

std::vector<std::string> Spiegazione::ElencoIsole(int n) const {
    std::vector<std::string> righe;
    righe.push_back((n == 1 ? "la conformazione dell'isola  " : "la conformazione delle isole ") +
                    Elenco(m, n) + (n == 1 ? "comporta che  " : "comportano che  "));
    for (int j = 1; j <= NumSerie; ++j) {
        const SerieFallimento& f = SerieLog[j];
        const auto& x = f.Celle;
        if (f.Tipo == '2') {
            const Isola& e = m.svEle[x[0]];
            righe.push_back("oppure si blocca l' isola " + Cella(e.Riga, e.Colonna) + "\n");
        } else if (f.Tipo == '1') {
            righe.push_back("oppure si  interrompe il muro fra " + Cella(x[0], x[1]) + " e " +
                            Cella(x[2], x[3]));
        } else {
            righe.push_back("oppure si crea un muro 2x2 in " + Cella(x[0], x[1]));
        }
    }
    if (NumSerie > 0) Sostituisci(righe.back(), "oppure", "altrimenti");
    return righe;
}

std::string Spiegazione::IntestazioneFallimento() const {
    if (CodiceMsg == CodiceLog::II3)
        return m.NumEle == 1 ? "Se  l'isola " + Cella(m.Ele[1].Riga, m.Ele[1].Colonna) +
                                   " ha configurazioni simili a questa"
                             : ElencoIsoleLog();
    if (CodiceMsg == CodiceLog::IS3)
        return "Se " + Cella(RigaMsg, ColonnaMsg) + " non è isola  (come nei casi simili a questo)";
    return "Se " + Cella(RigaMsg, ColonnaMsg) + " non è muro (come nei casi simili a questo)";
}

std::string Spiegazione::MotivoFallimento(const SerieFallimento& f) const {
    const auto& x = f.Celle;
    if (f.Tipo == '0') return " si crea un  muro 2x2 in " + Cella(x[0], x[1]);
    if (f.Tipo == '1')
        return "si interrompe  la continuità " + Cella(x[0], x[1]) + " e " + Cella(x[2], x[3]);
    const Isola& e = m.svEle[x[0]];
    return "L' isola " + Cella(e.Riga, e.Colonna) + " è bloccata o blocca altre isole";
}

std::vector<std::string> Spiegazione::RigheMessaggio(const Conclusione& c) {
    const std::string cella = Cella(c.Riga, c.Colonna);
    const std::string isola = Cella(c.RigaIsola, c.ColonnaIsola);
    const std::string forma = "questa è la forma definitiva dell' isola " + isola;
    switch (c.Codice) {
    case CodiceLog::NRG:
        return {"la cella " + cella + " deve essere muro ", "non può appartenere a nessuna isola"};
    case CodiceLog::MUR:
        return {"la cella " + cella + " deve essere muro ",
                "per non interrompere la continuità del muro"};
    case CodiceLog::ISO:
        return {"la cella " + cella + " deve essere isola ", "per non formare un muro 2x2"};
    case CodiceLog::APP:
        return {"la cella " + cella + " deve appartenere all'isola " + isola};
    case CodiceLog::IIN:
        return {forma};
    case CodiceLog::II3:
    case CodiceLog::IS3:
    case CodiceLog::MU3:
        break;
    }

    // A hypothesis conclusion: why every other configuration of the combination fails.
    const CodiceLog x = c.Codice;
    CodiceMsg = x;
    RigaMsg = c.Riga;
    ColonnaMsg = c.Colonna;
    EleMsg = 0;
    if (x == CodiceLog::II3 && c.Isola >= 1 && c.Isola <= 5) {
        EleMsg = c.Isola;
        const Mossa& mo = m.Mosse[MossaConfig[c.Isola]];
        TesseraMsg = mo.Tessera;
        TessRigaMsg = mo.TessRiga;
        TessColonnaMsg = mo.TessColonna;
    }
    MsgProdotti = false;
    // Every candidate placement of the concluding island: the exploration goes through them all
    // and skips those the board already excludes.
    int provate = 0;
    const bool profondita = c.Isola >= 1 && c.Isola <= m.NumEle;
    if (profondita && m.Ele[c.Isola].PrimaMossa != 0)
        provate = m.Ele[c.Isola].UltimaMossa - m.Ele[c.Isola].PrimaMossa + 1;
    Registra(1);
    std::vector<std::string> righe = ElencoIsole(m.NumEle);
    righe.push_back(x == CodiceLog::MU3   ? "la cella " + cella + " deve essere muro"
                    : x == CodiceLog::IS3 ? "la cella " + cella + " deve essere isola"
                                          : forma);
    // Without a failure record the rows above give no reason: say what the counting found.
    if (NumSerie == 0 && profondita) {
        const std::string isola = Cella(m.Ele[c.Isola].Riga, m.Ele[c.Isola].Colonna);
        const std::string n = std::to_string(provate);
        righe.push_back(x == CodiceLog::II3 && provate == 1
                            ? "perché è l'unica configurazione possibile dell'isola " + isola
                        : x == CodiceLog::II3
                            ? "perché è l'unica delle " + n +
                                  " configurazioni possibili dell'isola " + isola +
                                  " compatibile con lo schema"
                            : "perché lo è in ogni configurazione dell'isola " + isola +
                                  " compatibile con lo schema, fra le " + n + " possibili");
    }
    return righe;
}

void Spiegazione::Registra(uint8_t modo) {
    DiversaMsg = false;
    const uint8_t prima = ModoLog;
    ModoLog = modo;
    NumSerie = 0;
    p.CursoreOccupato(true);
    ProvaTesseraSol(1);
    p.CursoreOccupato(false);
    ModoLog = prima;
}

void Spiegazione::ProduciMsgPosticipato() {
    if (MsgProdotti || !CodiceMsg) return;
    Griglia8 copia;
    CopiaTabella(m.TblSchema, copia);
    MsgPosticipati = true;
    Registra(2);
    MsgPosticipati = false;
    CopiaTabella(copia, m.TblSchema);
    MsgProdotti = true;
}

int RelatoreRegistra::msgLog(Spiegazione& s, const Conclusione& c) {
    Passi.push_back({c, s.RigheMessaggio(c)});
    return 1;
}

std::string SpiegazioneNonDisponibile(const Modello& m) {
    std::string motivo = OltreLeTabelle(SchemaDa(m));
    if (motivo.empty()) motivo = TroppeFormeGrandi(m);
    return motivo.empty() ? motivo : "Spiegazione non disponibile: " + motivo;
}

} // namespace isolmar
