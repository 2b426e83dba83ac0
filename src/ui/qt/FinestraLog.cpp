#include "FinestraLog.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>

namespace isolmar {

namespace {
Rettangolo DaQt(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}
} // namespace

FinestraLog::FinestraLog(Form1& f, QWidget* principale, VistaGriglia* tavola)
    : QDialog(principale), f_(f), principale_(principale), tavola_(tavola) {
    setWindowTitle(QString::fromUtf8(Form3::Titolo));
    setObjectName("Form3");
    Form3& f3 = f_.F3;
    auto* colonna = new QVBoxLayout(this);
    vista_ = new VistaGriglia(f3.Gm, this);
    vista_->setObjectName("Gm");
    vista_->setMouseTracking(true);
    vista_->installEventFilter(this);
    vista_->ImpostaFrase({Form3::ColonnaTesto, Form3::ColonnaPrima, Form3::ColonnaDopo});
    f3.Gm.SuRidisegno([this] {
        vista_->updateGeometry();
        vista_->adjustSize();
        vista_->update();
    });
    connect(vista_, &VistaGriglia::cellaCliccata, this, [this](int r, int c, int) {
        f_.F3.Gm.MouseRiga = r;
        f_.F3.Gm.MouseColonna = c;
        f_.F3.Gm_Click(r);
        Dopo();
    });
    auto* scorri = scorri_ = new QScrollArea(this);
    scorri->setWidget(vista_);
    scorri->setWidgetResizable(false);
    const QSize griglia = vista_->sizeHint();
    // The height Form3 gives the rows, however many there are yet: the window keeps its size.
    const QSize minimo(std::max(griglia.width(), vista_->Pixel(f3.Gm.Larghezza)),
                       vista_->Pixel(f3.Gm.Altezza));
    const QRect schermo = (principale && principale->screen() ? principale->screen()
                                                              : QGuiApplication::primaryScreen())
                              ->availableGeometry();
    scorri->setMinimumSize(std::min(minimo.width() + 4, schermo.width() * 2 / 3),
                           std::min(minimo.height() + 4, schermo.height() * 2 / 3));
    colonna->addWidget(scorri, 1);

    auto* frame = new QGroupBox(this);
    frame->setObjectName("FrmMess");
    auto* pulsanti = new QHBoxLayout(frame);
    // Plain functions, not member pointers: Form3 is polymorphic.
    using Azione = void (*)(Form3&);
    const struct {
        const char* Nome;
        const char* Testo;
        Azione Fai;
    } voci[] = {
        {"CmdContinuaLog", "Continua log", [](Form3& x) { x.CmdContinuaLog_Click(); }},
        {"CmdPassoPrecedente", "Passo precedente", [](Form3& x) { x.CmdPassoPrecedente_Click(); }},
        {"CmdInterrompi", "Interompi log", [](Form3& x) { x.CmdInterrompi_Click(); }},
        {"CmdVisualizzaDett", "Dettaglio", [](Form3& x) { x.CmdVisualizzaDett_Click(); }},
        {"CmdDettagliosuccessivo", "Dettaglio successivo",
         [](Form3& x) { x.CmdDettagliosuccessivo_Click(); }},
        {"Command1", "Salva situazione attuale", [](Form3& x) { x.Command1_Click(); }},
    };
    for (const auto& v : voci) {
        auto* b = new QPushButton(QString::fromUtf8(v.Testo), frame);
        b->setObjectName(v.Nome);
        b->setAutoDefault(false);
        b->setDefault(v.Fai == voci[0].Fai); // Enter goes on
        const Azione fai = v.Fai;
        connect(b, &QPushButton::clicked, this, [this, fai] {
            fai(f_.F3);
            Dopo();
        });
        pulsanti->addWidget(b);
        if (v.Fai == voci[1].Fai) precedente_ = b;
    }
    colonna->addWidget(frame);
    Aggiorna();
}

FinestraLog::~FinestraLog() {
    f_.F3.Gm.SuRidisegno(nullptr);
    if (tavola_) tavola_->ImpostaSegno(-1, -1);
}

void FinestraLog::Dopo() {
    if (!f_.F3.Aperta)
        accept();
    else
        Aggiorna();
}

void FinestraLog::Aggiorna() {
    const Form3& f3 = f_.F3;
    if (tavola_) tavola_->ImpostaSegno(f3.Mostrata.Riga, f3.Mostrata.Colonna);
    if (precedente_) precedente_->setEnabled(f3.PassoPrecedenteAbilitato());
    if (f3.PassoMostrato < 0 || f3.PassoMostrato >= static_cast<int>(f3.Passi.size())) return;
    const Form3::Passo& p = f3.Passi[static_cast<size_t>(f3.PassoMostrato)];
    if (p.PrimaRiga + p.NumRighe > f3.Gm.Righe()) return; // another grid is up (a failure)
    const double k = vista_->PixelPerTwip();
    const QRectF primo = RettangoloCella(f3.Gm, k, p.PrimaRiga, Form3::ColonnaTesto);
    const QRectF ultimo =
        RettangoloCella(f3.Gm, k, p.PrimaRiga + p.NumRighe - 1, Form3::ColonnaTesto);
    // The last row first, then the first: a step taller than the view shows its beginning.
    scorri_->ensureVisible(0, static_cast<int>(ultimo.bottom()), 0, 0);
    scorri_->ensureVisible(0, static_cast<int>(primo.top()), 0, 0);
}

QRect FinestraLog::CellaMostrata() const {
    const Form3& f3 = f_.F3;
    const Griglia& g = f_.Gr;
    const int r = f3.Mostrata.Riga, c = f3.Mostrata.Colonna;
    if (!tavola_ || !tavola_->isVisible() || r < 1 || c < 1 || r >= g.Righe() || c >= g.Colonne())
        return {};
    int x = 0, y = 0;
    for (int j = 0; j < c; ++j)
        x += g.LarghezzaColonna(j);
    for (int i = 0; i < r; ++i)
        y += g.AltezzaRiga(i);
    const QPoint o = tavola_->Origine().toPoint();
    return {tavola_->mapToGlobal(o + QPoint(tavola_->Pixel(x), tavola_->Pixel(y))),
            QSize(tavola_->Pixel(g.LarghezzaColonna(c)), tavola_->Pixel(g.AltezzaRiga(r)))};
}

void CollocaAccanto(QWidget& finestra, const QWidget& principale, const QRect& evita) {
    const QScreen* s = principale.screen() ? principale.screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    // Sizes with the frame the window manager adds.
    const QSize cornice = finestra.frameGeometry().size() - finestra.geometry().size();
    const QSize fuori = finestra.size() + cornice;
    const Rettangolo r =
        PosizioneFinestraLog(DaQt(s->availableGeometry()), DaQt(principale.frameGeometry()),
                             DaQt(evita), fuori.width(), fuori.height());
    finestra.move(r.x, r.y);
}

void FinestraLog::Colloca(const QRect& prima) {
    if (prima.isValid()) prima_ = prima;
    adjustSize();
    // No taller than the rows Form3 asks to see: a long list scrolls instead.
    resize(width(), minimumSizeHint().height());
    if (prima_.isValid()) {
        const QSize cornice = frameGeometry().size() - size();
        resize(size().expandedTo(prima_.size() - cornice));
        const QRect qui(prima_.topLeft(), size() + cornice);
        if (!qui.intersects(CellaMostrata()) && screen() &&
            screen()->availableGeometry().contains(qui)) {
            move(prima_.topLeft());
            return;
        }
    }
    if (principale_) CollocaAccanto(*this, *principale_, CellaMostrata());
}

bool FinestraLog::eventFilter(QObject* o, QEvent* e) {
    if (o != vista_) return QDialog::eventFilter(o, e);
    auto riga = [this](QPointF p) {
        int r, c;
        CellaAlPunto(f_.F3.Gm, vista_->PixelPerTwip(), p, r, c);
        return r;
    };
    if (e->type() == QEvent::MouseMove) {
        const bool serie = f_.F3.RigaConSerie(riga(static_cast<QMouseEvent*>(e)->position()));
        vista_->setCursor(serie ? Qt::PointingHandCursor : Qt::ArrowCursor);
    } else if (e->type() == QEvent::ToolTip) {
        auto* h = static_cast<QHelpEvent*>(e);
        if (f_.F3.RigaConSerie(riga(h->pos())))
            QToolTip::showText(h->globalPos(), QString::fromUtf8(Form3::SuggerimentoSerie), vista_);
        else
            QToolTip::hideText();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void FinestraLog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Colloca(); // again with the size the window really took
    Aggiorna();
}

void FinestraLog::keyPressEvent(QKeyEvent* e) {
    // Esc stops the explanation as it stops a search; the window closes.
    if (e->key() == Qt::Key_Escape) {
        f_.Form_KeyPress(27);
        reject();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace isolmar
