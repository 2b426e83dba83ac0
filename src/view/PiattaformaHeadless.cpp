#include "view/PiattaformaHeadless.h"

#include <chrono>
#include <ctime>
#include <filesystem>

namespace isolmar {

double PiattaformaHeadless::Orologio() {
    if (orologioFisso_) return orologio_;
    // The search reads the clock at every attempt: find local midnight once and subtract it.
    using namespace std::chrono;
    const double ora = duration<double>(system_clock::now().time_since_epoch()).count();
    if (mezzanotte_ == 0 || ora - mezzanotte_ >= 86400) {
        std::time_t t = static_cast<std::time_t>(ora);
        std::tm locale{};
        localtime_r(&t, &locale);
        mezzanotte_ = static_cast<double>(t) -
                      (locale.tm_hour * 3600.0 + locale.tm_min * 60.0 + locale.tm_sec);
    }
    return ora - mezzanotte_;
}

void PiattaformaHeadless::Cedi() {
    ++Cessioni;
    if (cessioniAttesa_ >= 0 && cessioniAttesa_-- == 0 && suCessione_) {
        auto f = std::move(suCessione_);
        suCessione_ = nullptr;
        f();
    }
}

void PiattaformaHeadless::Sorveglia(std::function<bool()> basta, uint8_t& fermo, long ogni) {
    sorveglia_ = [this, basta = std::move(basta), &fermo, ogni] {
        if (basta())
            fermo = 1;
        else
            DopoCessioni(ogni, sorveglia_);
    };
    DopoCessioni(ogni, sorveglia_);
}

void PiattaformaHeadless::LimiteSecondi(double secondi, uint8_t& fermo, long ogni) {
    DopoCessioni(-1, nullptr);
    if (secondi <= 0) return;
    const auto t0 = std::chrono::steady_clock::now();
    Sorveglia(
        [t0, secondi] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() >=
                   secondi;
        },
        fermo, ogni);
}

std::string PiattaformaHeadless::Testo(Controllo controllo) const {
    auto it = Testi.find(std::string(controllo.Nome));
    return it == Testi.end() ? std::string() : it->second;
}

Risposta PiattaformaHeadless::Messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona) {
    Messaggi.push_back(testo);
    Icone.push_back(icona);
    if (pulsanti == Pulsanti::Ok) return Risposta::Ok;
    if (RisposteMessaggi.empty()) return Risposta::Annulla;
    Risposta r = RisposteMessaggi.front();
    RisposteMessaggi.pop_front();
    return r;
}

namespace {
std::string prendi(std::deque<std::string>& coda) {
    if (coda.empty()) return {};
    std::string s = coda.front();
    coda.pop_front();
    return s;
}
} // namespace

std::string PiattaformaHeadless::InputBox(const std::string& domanda, const std::string&) {
    Domande.push_back(domanda);
    return prendi(RisposteInput);
}

std::string PiattaformaHeadless::DialogoApri(const std::string& filtro) {
    FiltriDialoghi.push_back(filtro);
    return prendi(PercorsiApri);
}

std::string PiattaformaHeadless::DialogoSalva(const std::string& filtro,
                                              const std::string& proposto, int* scelto) {
    FiltriDialoghi.push_back(filtro);
    Proposti.push_back(proposto);
    if (scelto && !FiltriScelti.empty()) {
        *scelto = FiltriScelti.front();
        FiltriScelti.pop_front();
    }
    return prendi(PercorsiSalva);
}

bool PiattaformaHeadless::ImpostaStampante() {
    if (RisposteStampante.empty()) return false;
    bool r = RisposteStampante.front();
    RisposteStampante.pop_front();
    return r;
}

bool PiattaformaHeadless::ChiediNumeri(const std::string&, std::vector<CampoNumero>& campi) {
    DialoghiNumeri.push_back(campi);
    if (RisposteNumeri.empty()) return false;
    const std::vector<int> valori = RisposteNumeri.front();
    RisposteNumeri.pop_front();
    for (size_t i = 0; i < campi.size() && i < valori.size(); ++i)
        campi[i].Valore = valori[i];
    return true;
}

bool PiattaformaHeadless::EsisteFile(const std::string& percorso) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(percorso, ec);
}

void PiattaformaHeadless::TimerUnaVolta(int, std::function<void()> f) {
    unaVolta_.push_back(std::move(f));
}

int PiattaformaHeadless::TimerPeriodico(int, std::function<void()> f) {
    periodici_[prossimoTimer_] = std::move(f);
    return prossimoTimer_++;
}

void PiattaformaHeadless::EseguiTimer() {
    auto pronti = std::move(unaVolta_);
    unaVolta_.clear();
    for (auto& f : pronti)
        f();
    auto copia = periodici_;
    for (auto& [id, f] : copia)
        if (periodici_.count(id)) f();
}

void PiattaformaHeadless::MostraModale(const std::string& finestra) {
    Modali.push_back(finestra);
    if (SuModale) SuModale(finestra);
}

} // namespace isolmar
