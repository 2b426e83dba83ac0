#include "FinestraPrincipale.h"

#include "Disegno.h"
#include "FinestraLog.h"
#include "Stampa.h"

#include "model/Impostazione.h"
#include "ui/ErroriGioco.h"
#include "ui/Testi.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QTextBrowser>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QTranslator>
#include <QVBoxLayout>

namespace isolmar {

namespace {

// The window's own choices (recent files, the rule errors shown), kept between starts in the
// user's configuration folder.
QSettings Impostazioni() {
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/isolmar/finestra.ini"),
                     QSettings::IniFormat);
}

// A toolbar image: the desktop theme's icon of that meaning (freedesktop names; Adwaita, which
// ships only the "-symbolic" forms, when the desktop's theme lacks it), else the program's own.
QIcon IconaBarra(const std::string& immagine) {
    struct Icona {
        const char* tema;
        const char* propria; // resources/icone/<propria>.svg
    };
    static const QMap<QString, Icona> icone = {
        {"Apri", {"document-open", "apri"}},
        {"Salva", {"document-save", "salva"}},
        {"Incolla", {"edit-paste", "incolla"}},
        {"Risolvi", {"system-run", "risolvi"}},
        {"Mostra", {"view-list", "mostra"}},
        {"Suggerimento", {"help-contents", "suggerimento"}},
        {"Aiuto", {"view-list-bullet", "isole"}},
        {"UndoAll", {"view-refresh", "ricomincia"}},
        {"Undo", {"edit-undo", "annulla"}},
        {"Redo", {"edit-redo", "ripeti"}},
        {"Camera", {"camera-photo", "fotografa"}},
        {"valuta", {"starred", "valuta"}},
        {"Stampa", {"document-print", "stampa"}},
        {"Uscita", {"application-exit", "esci"}},
        {"Componi", {"document-edit", "componi"}},
    };
    static const bool tema = [] {
        // Without a desktop (no theme named, or only the bare hicolor) Adwaita is the theme.
        if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
            QIcon::setThemeName(QStringLiteral("Adwaita"));
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == "hicolor")
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)tema;
    const auto it = icone.constFind(QString::fromStdString(immagine));
    if (it == icone.constEnd()) return {};
    const QString nome = QString::fromLatin1(it->tema);
    for (const QString& n : {nome, nome + QStringLiteral("-symbolic")})
        if (QIcon::hasThemeIcon(n)) return QIcon::fromTheme(n);
    return QIcon(QStringLiteral(":/icone/%1.svg").arg(QLatin1String(it->propria)));
}

// The board's scroll area asks for the board at its natural size (zoom 1): the window is fitted
// to that, within the screen, and the zoom then follows the space the area gets.
class AreaTavola : public QScrollArea {
  public:
    AreaTavola(VistaGriglia* tavola, QWidget* genitore) : QScrollArea(genitore), tavola_(tavola) {}
    QSize sizeHint() const override { return tavola_->DimensioneNaturale().toSize() + QSize(3, 3); }
    QSize minimumSizeHint() const override { return {120, 120}; }

  protected:
    // While no puzzle is laid out the board is hidden: the empty area says how to get one.
    void paintEvent(QPaintEvent* e) override {
        QScrollArea::paintEvent(e);
        if (!tavola_->isHidden()) return;
        QPainter pt(viewport());
        pt.setPen(palette().placeholderText().color());
        pt.drawText(viewport()->rect().adjusted(12, 12, -12, -12),
                    Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(TestoInvito));
    }

  private:
    VistaGriglia* tavola_;
};

} // namespace

// ---- FinestraPrincipale ---------------------------------------------------------------------

FinestraPrincipale::~FinestraPrincipale() = default;

FinestraPrincipale::FinestraPrincipale(const std::string& rigaComando, QWidget* genitore)
    : QMainWindow(genitore), rigaComando_(rigaComando) {
    setWindowTitle(QStringLiteral("Isolmar"));
    ultimaCessione_.start();

    auto* centro = new QWidget(this);
    auto* colonna = new QVBoxLayout(centro);
    tavola_ = new VistaGriglia(form_.Gr, centro);
    tavola_->setObjectName("Gr");
    form_.Gr.SuRidisegno([this] {
        tavola_->ImpostaCursore(form_.CursoreVisibile ? form_.CursoreRiga : -1,
                                form_.CursoreColonna);
        tavola_->update();
        AggiornaOrologio();
    });
    tavola_->installEventFilter(this); // the tool tips of the error marks
    connect(tavola_, &VistaGriglia::cellaCliccata, this, [this](int r, int c, int tasto) {
        form_.Gr.MouseRiga = r;
        form_.Gr.MouseColonna = c;
        form_.Gr_MouseDown(tasto);
    });
    connect(tavola_, &VistaGriglia::cellaTrascinata, this, [this](int r, int c) {
        form_.Gr.MouseRiga = r;
        form_.Gr.MouseColonna = c;
        form_.Gr_MouseMove();
    });
    connect(tavola_, &VistaGriglia::rilasciata, this, [this] { form_.Gr_MouseUp(); });
    area_ = new AreaTavola(tavola_, centro);
    area_->setObjectName("AreaTavola");
    area_->setFrameShape(QFrame::NoFrame);
    area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area_->setFocusPolicy(Qt::NoFocus); // the arrow keys move the board's cursor
    area_->setWidget(tavola_);
    area_->installEventFilter(this);
    striscia_ = new VistaGriglia(form_.gr2, centro);
    striscia_->setObjectName("gr2");
    striscia_->setToolTip(QStringLiteral("Riprendi la posizione fotografata"));
    // The strip keeps its place while hidden, so the board never moves under the mouse when the
    // first snapshot is taken or the last one is undone.
    QSizePolicy politica = striscia_->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    striscia_->setSizePolicy(politica);
    form_.gr2.SuRidisegno([this] {
        striscia_->setFixedSize(striscia_->sizeHint());
        striscia_->setVisible(form_.gr2.Visibile);
        striscia_->update();
    });
    connect(striscia_, &VistaGriglia::cellaCliccata, this, [this](int, int c, int) {
        form_.gr2.MouseColonna = c;
        form_.gr2_Click();
    });
    colonna->addWidget(striscia_, 0, Qt::AlignLeft);
    auto* riga = new QHBoxLayout;
    riga->addWidget(area_, 1);
    frame1_ = new QGroupBox(centro);
    frame1_->setObjectName("Frame1");
    frame2_ = new QGroupBox(centro);
    frame2_->setObjectName("Frame2");
    auto* comandi = new QVBoxLayout;
    comandi->addWidget(frame1_);
    comandi->addWidget(frame2_);
    comandi->addStretch();
    riga->addLayout(comandi);
    colonna->addLayout(riga, 1);
    label1_ = new QLabel(centro);
    label1_->setObjectName("Label1");
    // The time of the last work, in a width of its own: a longer text wraps, never widens.
    label1_->setWordWrap(true);
    label1_->setFixedWidth(
        label1_->fontMetrics().horizontalAdvance(QStringLiteral("Ricerca interrotta dopo")));
    label1_->setFixedHeight(3 * label1_->fontMetrics().lineSpacing());
    label2_ = new QLabel(centro);
    label2_->setObjectName("Label2");
    // A long text (a hint's reason, a status) wraps inside the width the window has instead of
    // widening it, so that the buttons do not move under the mouse.
    label2_->setWordWrap(true);
    QSizePolicy avvolgi = label2_->sizePolicy();
    avvolgi.setHorizontalPolicy(QSizePolicy::Ignored);
    label2_->setSizePolicy(avvolgi);
    // Three lines at most, always: the panel above never moves when a message comes or goes.
    label2_->setFixedHeight(3 * label2_->fontMetrics().lineSpacing());
    progresso_ = new QProgressBar(centro);
    progresso_->setObjectName("ProgressBar1");
    progresso_->setTextVisible(false);
    animazione_ = new QCheckBox(QStringLiteral("Animazione"), centro);
    animazione_->setObjectName("Check1");
    animazione_->setFocusPolicy(Qt::NoFocus);
    // The game's clock and moves, in a width of their own that no count changes.
    orologio_ = new QLabel(centro);
    orologio_->setObjectName("Orologio");
    orologio_->setFixedWidth(
        orologio_->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00 · 00000 mosse")) + 8);
    auto* scatto = new QTimer(this);
    connect(scatto, &QTimer::timeout, this, [this] { AggiornaOrologio(); });
    scatto->start(500);
    auto* stato = new QHBoxLayout;
    stato->addWidget(orologio_);
    stato->addWidget(label1_);
    stato->addWidget(label2_, 1);
    // The log window's message of the configuration on the board, in Label2's place; both keep
    // three lines, so that the window does not grow under the log window when they change.
    auto* lbllog = new QLabel(centro);
    lbllog->setObjectName("Lbllog");
    lbllog->setFixedHeight(3 * lbllog->fontMetrics().lineSpacing());
    lbllog->setSizePolicy(avvolgi);
    lbllog->setWordWrap(true);
    lbllog->hide();
    stato->addWidget(lbllog, 1);
    stato->addWidget(animazione_);
    colonna->addLayout(stato);
    colonna->addWidget(progresso_);
    setCentralWidget(centro);

    CreaBarra();
    CreaComandi();
    CreaMenu();
    // Buttons that come and go (the arrows of the solutions, "Rivisualizza schema", "Applica")
    // keep their place while hidden: the panel never moves under the mouse, nor grows the window.
    for (QGroupBox* frame : {frame1_, frame2_})
        for (QPushButton* b : frame->findChildren<QPushButton*>()) {
            static const QStringList vanEVengono = {"CommandSoluzMeno", "CommandSoluzPiu",
                                                    "CommandVisgioco", "CmdApplica"};
            if (!vanEVengono.contains(b->objectName())) continue;
            QSizePolicy p = b->sizePolicy();
            p.setRetainSizeWhenHidden(true);
            b->setSizePolicy(p);
        }

    form_.m.LarghezzaIniziale = 0;
    form_.Form_Load();
}

void FinestraPrincipale::CreaBarra() {
    barra_ = addToolBar(QStringLiteral("tlb1"));
    barra_->setObjectName("tlb1");
    barra_->setMovable(false);
    barra_->setToolButtonStyle(Qt::ToolButtonIconOnly); // the menu shows the same actions by name
    for (const PulsanteBarra& b : BarraStrumenti()) {
        if (b.Spaziatore()) {
            auto* vuoto = new QWidget(barra_);
            vuoto->setFixedWidth(tavola_->Pixel(LarghezzaSpaziatore));
            QAction* a = barra_->addWidget(vuoto);
            a->setObjectName(QString::fromStdString(b.Chiave));
            continue;
        }
        QAction* a = barra_->addAction(IconaBarra(b.Immagine), QString());
        a->setObjectName(QString::fromStdString(b.Chiave));
        QString suggerimento = QString::fromStdString(b.Suggerimento);
        if (const std::string tasto = ScorciatoiaBarra(b.Chiave); !tasto.empty()) {
            const QKeySequence k(QString::fromStdString(tasto));
            a->setShortcut(k);
            suggerimento += " (" + k.toString(QKeySequence::NativeText) + ")";
        }
        a->setToolTip(suggerimento);
        a->setProperty("suggerimento", suggerimento); // the tool tip without a "why disabled"
        const std::string chiave = b.Chiave;
        connect(a, &QAction::triggered, this, [this, chiave] { form_.tlb1_ButtonClick(chiave); });
        azioniBarra_.insert(QString::fromStdString(b.Chiave), a);
    }
    azioniBarra_.value("Aiuto")->setEnabled(false);
}

void FinestraPrincipale::CreaComandi() {
    auto riempi = [this](QGroupBox* frame, std::vector<Comando> comandi) {
        auto* l = new QVBoxLayout(frame);
        // "Nuovo schema" (a size to choose) beside "Genera schema" (the current size).
        for (size_t i = 0; i < comandi.size(); ++i)
            if (comandi[i].Nome == "CommandGenera")
                comandi.insert(comandi.begin() + static_cast<long>(i) + 1,
                               {"CommandNuovo", "Nuovo schema"});
        for (const Comando& c : comandi) {
            auto* b = new QPushButton(QString::fromStdString(c.Etichetta), frame);
            b->setObjectName(QString::fromStdString(c.Nome));
            b->setFocusPolicy(Qt::NoFocus); // keys go to the window, so Esc always arrives
            if (c.Etichetta.empty()) {
                const bool avanti = c.Nome == "CommandSoluzPiu" || c.Nome == "CmdPospiu";
                b->setIcon(
                    style()->standardIcon(avanti ? QStyle::SP_ArrowRight : QStyle::SP_ArrowLeft));
            }
            const std::string nome = c.Nome;
            connect(b, &QPushButton::clicked, this, [this, nome] { form_.Clic(nome); });
            l->addWidget(b);
        }
    };
    riempi(frame1_, ComandiFrame1());
    riempi(frame2_, ComandiFrame2());
}

void FinestraPrincipale::CreaMenuComponi() {
    // Composing by hand: the entries past the first work while a composition is open.
    QMenu* componi = menuBar()->addMenu(QStringLiteral("C&omponi"));
    componi->setObjectName("mnuMenuComponi");
    auto voce = [&](QMenu* menu, const char* nome, const char* testo) {
        QAction* a = menu->addAction(QString::fromUtf8(testo));
        a->setObjectName(nome);
        connect(a, &QAction::triggered, this, [this, n = std::string(nome)] { form_.Clic(n); });
        return a;
    };
    QAction* inizio = voce(componi, "mnuComponi", "&Componi schema…");
    inizio->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
    componi->addSeparator();
    voce(componi, "mnuSuggerisciIndizio", "&Suggerisci un indizio");
    voce(componi, "mnuVerificaMinimalita", "&Verifica minimalità");
    // The symmetry may be chosen before composing too.
    QMenu* simmetria = componi->addMenu(QStringLiteral("Si&mmetria"));
    simmetria->menuAction()->setObjectName("mnuSimmetria");
    auto* gruppo = new QActionGroup(simmetria);
    for (const auto& [nome, testo] :
         {std::pair{"mnuSimmNessuna", "&Nessuna"}, std::pair{"mnuSimmRot2", "&Rotazione (180°)"},
          std::pair{"mnuSimmSpecchio", "&Specchio (sinistra-destra)"}}) {
        QAction* a = voce(simmetria, nome, testo);
        a->setCheckable(true);
        a->setChecked(std::string_view(nome) == "mnuSimmNessuna");
        gruppo->addAction(a);
    }
    componi->addSeparator();
    voce(componi, "mnuFineComposizione", "&Fine composizione");
    connect(componi, &QMenu::aboutToShow, this, [this, componi] {
        const bool in = form_.InComposizione;
        for (QAction* a : componi->actions())
            if (!a->isSeparator() && a->objectName() != "mnuComponi" &&
                a->objectName() != "mnuSimmetria")
                a->setEnabled(in);
    });
}

void FinestraPrincipale::CreaMenuStrumenti() {
    // The diagnostic commands, out of the player's way: a menu opened on purpose.
    QMenu* strumenti = menuBar()->addMenu(QStringLiteral("S&trumenti"));
    strumenti->setObjectName("mnuStrumenti");
    for (const Comando& c : ComandiStrumenti()) {
        QAction* a = strumenti->addAction(QString::fromStdString(c.Etichetta));
        a->setObjectName(QString::fromStdString(c.Nome));
        connect(a, &QAction::triggered, this, [this, n = c.Nome] { form_.Clic(n); });
    }
}

void FinestraPrincipale::CreaMenu() {
    menuGr_ = new QMenu(this);
    menuGr_->setObjectName("MnuAzioniGr");
    auto voce = [this](const char* nome, const char* testo) {
        QAction* a = menuGr_->addAction(QString::fromUtf8(testo));
        a->setObjectName(nome);
        const std::string n = nome;
        connect(a, &QAction::triggered, this, [this, n] { form_.Clic(n); });
    };
    voce("mnuSmarcaMarca", "Marca");
    menuGr_->addSeparator();
    voce("mnuVerificaConfigurazione", "Verifica configurazione");
    voce("mnuSoluzioneConfigurazione", "Soluzione configurazione isola");

    CreaMenuFile();
    CreaMenuGioco();
    CreaMenuComponi();
    // Sharing with other Nurikabe programs: the puzzle's link, a pzprv3 file.
    QMenu* condividi = menuBar()->addMenu(QStringLiteral("&Condividi"));
    condividi->setObjectName("mnuCondividi");
    const struct {
        const char* nome;
        const char* testo;
    } voci[] = {{"mnuCopiaLink", "Copia link puzz.link"}, {"mnuSalvaPzpr", "Salva file pzprv3..."}};
    for (const auto& v : voci) {
        QAction* a = condividi->addAction(QString::fromUtf8(v.testo));
        a->setObjectName(v.nome);
        connect(a, &QAction::triggered, this, [this, n = v.nome] { form_.Clic(n); });
    }

    CreaMenuStrumenti();
    QAction* istruzioni = menuBar()->addAction(QStringLiteral("&Istruzioni"));
    istruzioni->setObjectName("MnuAiuto");
    istruzioni->setShortcut(QKeySequence::HelpContents);
    connect(istruzioni, &QAction::triggered, this, [this] { MostraIstruzioni(); });
    QAction* info = menuBar()->addAction(QStringLiteral("I&nformazioni su Isolmar"));
    info->setObjectName("mnuInformazioni");
    connect(info, &QAction::triggered, this, [this] { MostraModale("Form8"); });
}

void FinestraPrincipale::CreaMenuFile() {
    // The toolbar's own actions (their shortcuts stay theirs), with "Salva con nome" and the
    // recent files.
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName("mnuFile");
    auto barra = [&](const char* chiave, const char* testo) {
        QAction* a = azioniBarra_.value(QString::fromLatin1(chiave));
        a->setText(QString::fromUtf8(testo));
        file->addAction(a);
    };
    barra("Apri", "&Apri…");
    menuRecenti_ = file->addMenu(QStringLiteral("Apri &recenti"));
    menuRecenti_->setObjectName("mnuRecenti");
    barra("Incolla", "&Incolla schema");
    file->addSeparator();
    barra("Salva", "&Salva");
    QAction* conNome = file->addAction(QStringLiteral("Salva con &nome…"));
    conNome->setObjectName("mnuSalvaConNome");
    conNome->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    connect(conNome, &QAction::triggered, this, [this] { form_.Clic("mnuSalvaConNome"); });
    file->addSeparator();
    barra("Stampa", "S&tampa…");
    file->addSeparator();
    barra("Uscita", "&Esci");
    AggiornaRecenti();
}

namespace {
constexpr int MaxRecenti = 8;
} // namespace

QStringList FinestraPrincipale::Recenti() const {
    return Impostazioni().value("recenti").toStringList();
}

void FinestraPrincipale::FileUsato(const std::string& percorso) {
    const QString assoluto = QFileInfo(QString::fromStdString(percorso)).absoluteFilePath();
    QStringList l = Recenti();
    l.removeAll(assoluto);
    l.prepend(assoluto);
    while (l.size() > MaxRecenti)
        l.removeLast();
    Impostazioni().setValue("recenti", l);
    AggiornaRecenti();
}

void FinestraPrincipale::AggiornaRecenti() {
    menuRecenti_->clear();
    const QStringList l = Recenti();
    for (int i = 0; i < l.size(); ++i) {
        const QString percorso = l[i];
        QAction* a = menuRecenti_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(percorso).fileName()));
        a->setToolTip(percorso);
        a->setStatusTip(percorso);
        connect(a, &QAction::triggered, this, [this, percorso] {
            // Opening replaces the game: as on closing, unsaved moves are offered a save first.
            if (form_.InElaborazione() || form_.ChiediSeSalvare()) return;
            form_.ApriFile(percorso.toStdString());
        });
    }
    menuRecenti_->setEnabled(!l.isEmpty());
}

void FinestraPrincipale::ImpostaTitolo(const std::string& titolo) {
    setWindowTitle(QString::fromStdString(titolo));
}

void FinestraPrincipale::CreaMenuGioco() {
    QMenu* gioco = menuBar()->addMenu(QStringLiteral("&Gioco"));
    gioco->setObjectName("mnuGioco");
    auto voce = [&](const char* nome, const char* testo, QList<QKeySequence> tasti,
                    std::function<void()> f) {
        QAction* a = gioco->addAction(QString::fromUtf8(testo));
        a->setObjectName(nome);
        a->setShortcuts(tasti);
        connect(a, &QAction::triggered, this, std::move(f));
    };
    auto comando = [this](const char* nome) {
        return [this, n = std::string(nome)] { form_.Clic(n); };
    };
    voce("CommandNuovo_", "&Nuovo schema…", {QKeySequence::New}, comando("CommandNuovo"));
    voce("mnuVerificaSchema", "&Verifica schema", {QKeySequence(QStringLiteral("Ctrl+E"))},
         comando("mnuVerificaSchema"));
    // The hint of the toolbar's "Suggerimento"; its shortcut lives here, in the menu.
    voce("mnuSuggerimento", "S&uggerimento", {QKeySequence(QStringLiteral("Ctrl+H"))},
         [this] { form_.tlb1_ButtonClick("Suggerimento"); });
    voce("mnuRipeti", "&Ripeti mossa",
         {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
         comando("mnuRipeti"));
    gioco->addSeparator();
    voce("mnuIngrandisci", "&Ingrandisci",
         {QKeySequence::ZoomIn, QKeySequence(QStringLiteral("Ctrl+="))},
         [this] { CambiaZoom(1.25); });
    voce("mnuRiduci", "Ri&duci", {QKeySequence::ZoomOut}, [this] { CambiaZoom(1 / 1.25); });
    voce("mnuAdatta", "&Adatta alla finestra", {QKeySequence(QStringLiteral("Ctrl+0"))},
         [this] { CambiaZoom(0); });
    // Row and column numbers along the board's edges: on request, and always while the log
    // window is up (until its run has ended), since the log names cells by them.
    voce("mnuNumeri", "N&umeri di riga e colonna", {}, [this] { AggiornaNumeri(); });
    Voce("mnuNumeri")->setCheckable(true);
    // The rule errors on the board as the player plays; the choice is kept for the next start.
    voce("mnuMostraErrori", "&Mostra errori", {}, [this] {
        form_.Clic("mnuMostraErrori");
        Voce("mnuMostraErrori")->setChecked(form_.MostraErrori);
        Impostazioni().setValue(QStringLiteral("gioco/mostraErrori"), form_.MostraErrori);
    });
    Voce("mnuMostraErrori")->setCheckable(true);
    form_.MostraErrori = Impostazioni().value(QStringLiteral("gioco/mostraErrori"), true).toBool();
    Voce("mnuMostraErrori")->setChecked(form_.MostraErrori);
    fineLog_ = new QTimer(this);
    fineLog_->setSingleShot(true);
    fineLog_->setInterval(200);
    connect(fineLog_, &QTimer::timeout, this, [this] {
        if (form_.InElaborazione()) fineLog_->start();
        AggiornaNumeri();
    });
}

void FinestraPrincipale::AggiornaNumeri() {
    const bool numeri =
        Voce("mnuNumeri")->isChecked() || logAperto_ || (fineLog_ && fineLog_->isActive());
    if (numeri == tavola_->Numeri()) return;
    tavola_->ImpostaNumeri(numeri);
    AdattaZoom();
}

void FinestraPrincipale::CambiaZoom(double fattore) {
    fattoreZoom_ = fattore == 0 ? 1.0 : std::clamp(fattoreZoom_ * fattore, 0.25, 4.0);
    AdattaZoom();
}

void FinestraPrincipale::AdattaZoom() {
    // The board's widget is its zoomed size rounded up plus 2 pixels, which 3 pixels at zoom 1
    // cover. A board that may shrink far below zoom 1 keeps them out of the fit instead, or it
    // would end up just too large for the area it was fitted to.
    const QSizeF naturale = tavola_->DimensioneNaturale();
    const Griglia& g = tavola_->GrigliaMostrata();
    const double minimo = ZoomMinimoPer(g.Righe() - 1, g.Colonne() - 1);
    const double adatto = minimo < ZoomMinimo
                              ? ZoomAdatto(naturale.width(), naturale.height(), area_->width() - 3,
                                           area_->height() - 3, minimo)
                              : ZoomAdatto(naturale.width() + 3, naturale.height() + 3,
                                           area_->width(), area_->height(), minimo);
    const double zoom = std::clamp(adatto * fattoreZoom_, minimo, ZoomMassimo);
    // Below the zoom where a 9 point clue still reads, its digits keep a readable size as far
    // as the cell allows.
    tavola_->ImpostaCifreMinime(zoom < ZoomMinimo ? CifreLeggibili : 0);
    tavola_->ImpostaZoom(zoom);
    tavola_->setFixedSize(tavola_->sizeHint());
}

void FinestraPrincipale::MostraCursore() {
    tavola_->ImpostaCursore(form_.CursoreVisibile ? form_.CursoreRiga : -1, form_.CursoreColonna);
    if (!form_.CursoreVisibile) return;
    const QRectF q =
        RettangoloCella(form_.Gr, tavola_->PixelPerTwip(), form_.CursoreRiga, form_.CursoreColonna)
            .translated(tavola_->Origine());
    area_->ensureVisible(static_cast<int>(q.center().x()), static_cast<int>(q.center().y()),
                         static_cast<int>(q.width()), static_cast<int>(q.height()));
}

bool FinestraPrincipale::eventFilter(QObject* oggetto, QEvent* e) {
    if (oggetto == area_ && e->type() == QEvent::Resize) AdattaZoom();
    if (oggetto == tavola_ && e->type() == QEvent::ToolTip) {
        const auto* h = static_cast<QHelpEvent*>(e);
        int r, c;
        CellaAlPunto(form_.Gr, tavola_->PixelPerTwip(), h->pos() - tavola_->Origine(), r, c);
        const std::string t =
            r > 0 && c > 0 ? DescriviErrori(form_.Gr.CellaIn(r, c).Segni) : std::string();
        if (t.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(h->globalPos(), QString::fromStdString(t), tavola_);
        return true;
    }
    return QMainWindow::eventFilter(oggetto, e);
}

void FinestraPrincipale::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (form_.m.LarghezzaIniziale == 0)
        form_.m.LarghezzaIniziale = width() * 1440.0 / logicalDpiX();
    form_.Form_Activate();
    tavola_->setVisible(form_.Gr.Visibile); // hidden until a puzzle is laid out
    attivata_ = true;
}

QWidget* FinestraPrincipale::Widget(std::string_view nome) const {
    return findChild<QWidget*>(QString::fromUtf8(nome.data(), static_cast<qsizetype>(nome.size())));
}

QAction* FinestraPrincipale::Voce(std::string_view nome) const {
    return findChild<QAction*>(QString::fromUtf8(nome.data(), static_cast<qsizetype>(nome.size())));
}

void FinestraPrincipale::keyPressEvent(QKeyEvent* e) {
    static const QMap<int, TastoGioco> tasti = {
        {Qt::Key_Up, TastoGioco::Su},           {Qt::Key_Down, TastoGioco::Giu},
        {Qt::Key_Left, TastoGioco::Sinistra},   {Qt::Key_Right, TastoGioco::Destra},
        {Qt::Key_Space, TastoGioco::Avanti},    {Qt::Key_Return, TastoGioco::Avanti},
        {Qt::Key_Enter, TastoGioco::Avanti},    {Qt::Key_I, TastoGioco::Isola},
        {Qt::Key_1, TastoGioco::Isola},         {Qt::Key_M, TastoGioco::Muro},
        {Qt::Key_2, TastoGioco::Muro},          {Qt::Key_0, TastoGioco::Indeciso},
        {Qt::Key_Delete, TastoGioco::Indeciso}, {Qt::Key_Backspace, TastoGioco::Indeciso},
    };
    const bool semplice =
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    // Composing: digits type the cursor's number, Backspace and Delete clear it.
    const int cifra = e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9 ? e->key() - Qt::Key_0
                      : e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ? -1
                                                                                    : -2;
    if (semplice && cifra > -2 && form_.ComponiTasto(cifra)) {
        MostraCursore();
        e->accept();
        return;
    }
    if (semplice && tasti.contains(e->key()) && form_.Tavola_KeyDown(tasti.value(e->key()))) {
        MostraCursore();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape)
        form_.Form_KeyPress(27);
    else if (!e->text().isEmpty())
        form_.Form_KeyPress(e->text().at(0).unicode());
    QMainWindow::keyPressEvent(e);
}

void FinestraPrincipale::closeEvent(QCloseEvent* e) {
    if (form_.Chiusa() || !form_.Form_QueryUnload())
        e->accept();
    else
        e->ignore();
}

// ---- Piattaforma ----------------------------------------------------------------------------

double FinestraPrincipale::Orologio() {
    // Seconds since local midnight, to the millisecond. The search reads this at every attempt,
    // and the local time looks at the time zone's file on each call: midnight is found once (and
    // again a day later) and the system clock's milliseconds since then are counted.
    const qint64 ora = QDateTime::currentMSecsSinceEpoch();
    if (ora < mezzanotte_ || ora - mezzanotte_ >= 86'400'000)
        mezzanotte_ = QDateTime(QDate::currentDate(), QTime(0, 0)).toMSecsSinceEpoch();
    return static_cast<double>(ora - mezzanotte_) / 1000.0;
}

void FinestraPrincipale::Cedi() {
    // The search calls this at every attempt: handle events at most every 10 ms.
    if (ultimaCessione_.elapsed() < 10) return;
    QCoreApplication::processEvents();
    ultimaCessione_.restart();
}

void FinestraPrincipale::BarraProgresso(int minimo, int massimo) {
    progresso_->setRange(minimo, massimo);
}
void FinestraPrincipale::ValoreProgresso(int valore) {
    progresso_->setValue(valore);
}
int FinestraPrincipale::MassimoProgresso() const {
    return progresso_->maximum();
}

void FinestraPrincipale::CursoreOccupato(bool occupato) {
    if (occupato)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

void FinestraPrincipale::ImpostaTesto(Controllo controllo, const std::string& testo) {
    const QString t = QString::fromStdString(testo);
    if (auto* l = qobject_cast<QLabel*>(Widget(controllo.Nome))) {
        l->setText(t);
        l->setToolTip(t.size() > 60 ? t : QString()); // whole, should three lines not hold it
    } else if (auto* b = qobject_cast<QAbstractButton*>(Widget(controllo.Nome)))
        b->setText(t);
    else if (QAction* a = Voce(controllo.Nome))
        a->setText(t);
}

std::string FinestraPrincipale::Testo(Controllo controllo) const {
    if (auto* l = qobject_cast<QLabel*>(Widget(controllo.Nome))) return l->text().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(Widget(controllo.Nome)))
        return b->text().toStdString();
    if (QAction* a = Voce(controllo.Nome)) return a->text().toStdString();
    return {};
}

void FinestraPrincipale::ImpostaVisibile(Controllo controllo, bool visibile) {
    if (QWidget* w = Widget(controllo.Nome)) w->setVisible(visibile);
}

void FinestraPrincipale::ImpostaAbilitato(Controllo controllo, bool abilitato) {
    if (QWidget* w = Widget(controllo.Nome))
        w->setEnabled(abilitato);
    else if (QAction* a = Voce(controllo.Nome))
        a->setEnabled(abilitato);
}

void FinestraPrincipale::ImpostaMotivo(Controllo controllo, bool barra, const std::string& motivo) {
    const QString perche = QString::fromStdString(motivo);
    if (barra) {
        const QString k =
            QString::fromUtf8(controllo.Nome.data(), static_cast<qsizetype>(controllo.Nome.size()));
        if (QAction* a = azioniBarra_.value(k)) {
            const QString base = a->property("suggerimento").toString();
            a->setToolTip(perche.isEmpty() ? base : base + " — " + perche);
        }
    } else if (QWidget* w = Widget(controllo.Nome)) {
        w->setToolTip(perche);
    } else if (QAction* a = Voce(controllo.Nome)) {
        a->setToolTip(perche.isEmpty() ? a->text().remove(QLatin1Char('&')) : perche);
    }
}

bool FinestraPrincipale::Visibile(Controllo controllo) const {
    QWidget* w = Widget(controllo.Nome);
    return w && !w->isHidden();
}

void FinestraPrincipale::AbilitaPulsanteBarra(Controllo chiave, bool abilitato) {
    const QString k =
        QString::fromUtf8(chiave.Nome.data(), static_cast<qsizetype>(chiave.Nome.size()));
    if (QAction* a = azioniBarra_.value(k)) a->setEnabled(abilitato);
}

bool FinestraPrincipale::Animazione() const {
    return animazione_->isChecked();
}

void FinestraPrincipale::Ridisegna() {
    tavola_->update();
    QCoreApplication::processEvents();
}

void FinestraPrincipale::Impagina() {
    const Griglia& g = form_.Gr;
    tavola_->setVisible(g.Visibile);
    // The window is fitted again only when the board's size changed: otherwise the size the
    // player gave it stays (and the zoom with it).
    const bool nuova =
        form_.m.NumRighe != righeImpaginate_ || form_.m.NumColonne != colonneImpaginate_;
    if (nuova) {
        righeImpaginate_ = form_.m.NumRighe;
        colonneImpaginate_ = form_.m.NumColonne;
        fattoreZoom_ = 1.0;
    }
    AdattaZoom();
    tavola_->update();
    if (!nuova || isMaximized() || isFullScreen()) return;
    // The window fits the board at its natural size, growing and shrinking with it: its height
    // always, its width from 13 columns on; a narrower board keeps the width the window had
    // when it was loaded. It never grows past the screen: the board is zoomed down to fit, and
    // scrolls below the smallest readable size.
    area_->updateGeometry();
    if (QLayout* l = centralWidget()->layout()) l->activate();
    if (layout()) layout()->activate();
    const QSize adatta = sizeHint().expandedTo(minimumSizeHint());
    int larghezza = adatta.width();
    if (form_.m.NumColonne < 13 && form_.m.LarghezzaIniziale > 0)
        larghezza =
            std::max(static_cast<int>(form_.m.LarghezzaIniziale * logicalDpiX() / 1440.0 + 0.5),
                     minimumSizeHint().width());
    int altezza = adatta.height();
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect libero = s->availableGeometry();
        const QSize cornice = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
        larghezza = std::min(larghezza, libero.width() - cornice.width());
        altezza = std::min(altezza, libero.height() - cornice.height());
        resize(larghezza, altezza);
        // A board zoomed down to the screen's height needs less width: the window gives back
        // what the board leaves empty on its right.
        if (form_.m.NumColonne >= 13) {
            if (QLayout* l = centralWidget()->layout()) l->activate();
            AdattaZoom();
            const int barra = tavola_->height() > area_->height()
                                  ? area_->verticalScrollBar()->sizeHint().width()
                                  : 0;
            const int avanzo = area_->width() - tavola_->width() - barra;
            if (avanzo > 0) resize(larghezza - avanzo, altezza);
        }
        // A window grown past the screen's edge comes back inside it.
        if (isVisible()) {
            const QRect f = frameGeometry();
            move(std::clamp(f.x(), libero.x(), std::max(libero.x(), libero.right() - f.width())),
                 std::clamp(f.y(), libero.y(), std::max(libero.y(), libero.bottom() - f.height())));
        }
        return;
    }
    resize(larghezza, altezza);
}

void FinestraPrincipale::ParlaItaliano() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    static QTranslator traduzioni; // lives as long as the application
    if (traduzioni.isEmpty() &&
        traduzioni.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduzioni);
}

void FinestraPrincipale::Colloca() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect libero = s->availableGeometry();
    const QSize f = frameGeometry().size();
    move(libero.x() + std::max(0, (libero.width() - f.width()) / 2),
         libero.y() + std::max(0, (libero.height() - f.height()) / 4));
}

void FinestraPrincipale::ChiudiFinestra() {
    close();
}

void FinestraPrincipale::MenuPopup(Controllo menu, int riga, int colonna) {
    // Shown without a nested event loop: the chosen entry arrives once the click has returned.
    // From the keyboard the menu opens under the cell, where the player is looking.
    if (menu.Nome != controlli::MnuAzioniGr.Nome) return;
    menuGr_->popup(riga > 0
                       ? tavola_->mapToGlobal(tavola_->Cella(riga, colonna).bottomLeft().toPoint())
                       : QCursor::pos());
}

Risposta FinestraPrincipale::Messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona) {
    const QMessageBox::Icon icone[] = {pulsanti == Pulsanti::Ok ? QMessageBox::Information
                                                                : QMessageBox::Question,
                                       QMessageBox::Information, QMessageBox::Warning,
                                       QMessageBox::Critical, QMessageBox::Question};
    // The buttons are labelled here, so that they speak Italian whatever translations the
    // system has.
    QMessageBox box(icone[static_cast<int>(icona)], QStringLiteral("Isolmar"),
                    QString::fromStdString(testo), QMessageBox::NoButton, this);
    if (pulsanti == Pulsanti::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Risposta::Ok;
    }
    QPushButton* si = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* annulla = pulsanti == Pulsanti::SiNo
                               ? nullptr
                               : box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(si);
    box.setEscapeButton(annulla ? annulla : no);
    box.exec();
    if (box.clickedButton() == si) return Risposta::Si;
    if (box.clickedButton() == no) return Risposta::No;
    return Risposta::Annulla;
}

std::string FinestraPrincipale::InputBox(const std::string& domanda,
                                         const std::string& predefinito) {
    QInputDialog d(this);
    d.setWindowTitle(QStringLiteral("Isolmar"));
    d.setLabelText(QString::fromStdString(domanda));
    d.setTextValue(QString::fromStdString(predefinito));
    d.setOkButtonText(QStringLiteral("OK"));
    d.setCancelButtonText(QStringLiteral("Annulla"));
    return d.exec() == QDialog::Accepted ? d.textValue().toStdString() : std::string();
}

namespace {
// "Descrizione|*.a;*.b|Altra|*.c" as Qt filters "Descrizione (*.a *.b)", "Altra (*.c)".
QStringList FiltriQt(const std::string& filtro) {
    const QStringList parti = QString::fromStdString(filtro).split('|');
    QStringList filtri;
    for (int i = 0; i + 1 < parti.size(); i += 2)
        filtri << parti[i] + " (" + QString(parti[i + 1]).replace(';', ' ') + ")";
    if (filtri.isEmpty()) filtri << parti.value(0);
    return filtri;
}
} // namespace

std::string FinestraPrincipale::DialogoApri(const std::string& filtro) {
    return QFileDialog::getOpenFileName(this, QString(), QString(), FiltriQt(filtro).join(";;"))
        .toStdString();
}

std::string FinestraPrincipale::DialogoSalva(const std::string& filtro, const std::string& proposto,
                                             int* scelto) {
    const QStringList filtri = FiltriQt(filtro);
    // The filter of the proposed name's extension comes first selected.
    QString selezionato = filtri.value(0);
    const QString suffisso = QFileInfo(QString::fromStdString(proposto)).suffix();
    for (const QString& f : filtri)
        if (!suffisso.isEmpty() && f.contains("*." + suffisso)) selezionato = f;
    const QString percorso = QFileDialog::getSaveFileName(this, QStringLiteral("Salva con nome"),
                                                          QString::fromStdString(proposto),
                                                          filtri.join(";;"), &selezionato);
    if (scelto) *scelto = std::max<int>(0, static_cast<int>(filtri.indexOf(selezionato)));
    return percorso.toStdString();
}

bool FinestraPrincipale::ImpostaStampante() {
    if (!stampante_) {
        stampante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        PreparaStampante(*stampante_, QString::fromStdString(CartellaDocumenti()));
    }
    return ScegliStampante(*stampante_, this);
}

bool FinestraPrincipale::ChiediNumeri(const std::string& titolo, std::vector<CampoNumero>& campi) {
    QDialog d(this);
    d.setWindowTitle(QString::fromStdString(titolo));
    // Wide enough for the whole title beside the title bar's buttons, whatever the fields.
    d.setMinimumWidth(std::max(320, 2 * d.fontMetrics().horizontalAdvance(d.windowTitle()) + 160));
    auto* forma = new QFormLayout(&d);
    std::vector<std::function<int()>> valori;
    // The values of the last time the dialog was answered, also from an earlier start.
    QSettings impostazioni = Impostazioni();
    const auto chiave = [&](const CampoNumero& c) {
        return QStringLiteral("dialoghi/%1/%2")
            .arg(d.windowTitle(), QString::fromStdString(c.Etichetta));
    };
    for (const CampoNumero& c : campi) {
        const int v =
            std::clamp(impostazioni.value(chiave(c), c.Valore).toInt(), c.Minimo, c.Massimo);
        QWidget* campo;
        if (c.Voci.empty()) {
            auto* s = new QSpinBox(&d);
            s->setRange(c.Minimo, c.Massimo);
            s->setSpecialValueText(QString::fromStdString(c.Speciale));
            s->setValue(v);
            valori.push_back([s] { return s->value(); });
            campo = s;
        } else {
            auto* s = new QComboBox(&d);
            for (const std::string& voce : c.Voci)
                s->addItem(QString::fromStdString(voce));
            s->setCurrentIndex(v - c.Minimo);
            valori.push_back([s, minimo = c.Minimo] { return minimo + s->currentIndex(); });
            campo = s;
        }
        forma->addRow(QString::fromStdString(c.Etichetta), campo);
    }
    auto* pulsanti = new QDialogButtonBox(&d);
    pulsanti->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    connect(pulsanti, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    forma->addRow(pulsanti);
    if (d.exec() != QDialog::Accepted) return false;
    for (size_t i = 0; i < campi.size(); ++i) {
        campi[i].Valore = valori[i]();
        impostazioni.setValue(chiave(campi[i]), campi[i].Valore);
    }
    return true;
}

std::string FinestraPrincipale::TestoAppunti(size_t massimo) {
    // The toolkit hands the text over whole; only its first massimo + 1 characters (each at
    // least one byte) are converted.
    const QString t = QGuiApplication::clipboard()->text();
    std::string testo =
        t.left(static_cast<qsizetype>(std::min<size_t>(massimo + 1, t.size()))).toStdString();
    if (testo.size() > massimo + 1) testo.resize(massimo + 1);
    return testo;
}

void FinestraPrincipale::ImpostaAppunti(const std::string& testo) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(testo));
}

std::string FinestraPrincipale::CartellaProgramma() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string FinestraPrincipale::CartellaDocumenti() const {
    QString d = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (d.isEmpty() || !QFileInfo(d).isDir()) d = QDir::homePath();
    return d.toStdString();
}

bool FinestraPrincipale::EsisteFile(const std::string& percorso) const {
    return QFileInfo(QString::fromStdString(percorso)).isFile();
}

void FinestraPrincipale::TimerUnaVolta(int ms, std::function<void()> f) {
    QTimer::singleShot(ms, this, std::move(f));
}

int FinestraPrincipale::TimerPeriodico(int ms, std::function<void()> f) {
    auto* t = new QTimer(this);
    connect(t, &QTimer::timeout, this, std::move(f));
    t->start(ms);
    timer_.insert(prossimoTimer_, t);
    return prossimoTimer_++;
}

void FinestraPrincipale::FermaTimer(int id) {
    if (QTimer* t = timer_.take(id)) t->deleteLater();
}

void FinestraPrincipale::MostraModale(const std::string& finestra) {
    if (finestra == "Form3") { // the log window
        logAperto_ = true;
        AggiornaNumeri();
        FinestraLog d(form_, this, tavola_);
        d.Colloca(geometriaLog_);
        d.exec();
        geometriaLog_ = d.frameGeometry();
        logAperto_ = false;
        fineLog_->start(); // the numbers stay while the run goes on
    } else if (finestra == "Form3z") {
        MostraIstruzioni();
    } else if (finestra == "Form8") { // about box
        QDialog d(this);
        d.setWindowTitle(QStringLiteral("Informazioni su Isolmar"));
        auto* l = new QVBoxLayout(&d);
        l->addWidget(new QLabel(
            QStringLiteral(
                "<h3>Isolmar</h3><p>Nurikabe: genera, risolve, spiega e fa giocare schemi.</p>"
                "<p>Versione %1</p>")
                .arg(QCoreApplication::applicationVersion()),
            &d));
        auto* ok = new QPushButton(QStringLiteral("OK"), &d);
        connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
        l->addWidget(ok, 0, Qt::AlignRight);
        d.exec();
    }
}

void FinestraPrincipale::MostraIstruzioni() {
    // Not modal: the player goes on playing with the rules beside the board.
    if (!istruzioni_) {
        istruzioni_ = new QDialog(this);
        istruzioni_->setObjectName("Istruzioni");
        istruzioni_->setWindowTitle(QStringLiteral("Istruzioni"));
        istruzioni_->setModal(false);
        auto* l = new QVBoxLayout(istruzioni_);
        auto* testo = new QTextBrowser(istruzioni_);
        const QString aiuto = QString::fromStdString(PercorsoRisorsa(*this, "Isolmar.html"));
        testo->setSearchPaths({QFileInfo(aiuto).absolutePath()}); // its pictures
        QFile f(aiuto);
        if (f.open(QIODevice::ReadOnly))
            testo->setHtml(QString::fromUtf8(f.readAll()));
        else
            testo->setPlainText(QStringLiteral("Il file di aiuto Isolmar.html non si trova."));
        l->addWidget(testo);
        istruzioni_->resize(520, height());
    }
    if (!istruzioni_->isVisible())
        CollocaAccanto(*istruzioni_, *this, frameGeometry()); // beside, where there is room
    istruzioni_->show();
    istruzioni_->raise();
}

void FinestraPrincipale::AggiornaOrologio() {
    if (!orologio_) return;
    const QString t = QString::fromStdString(form_.TestoOrologio());
    if (orologio_->text() != t) orologio_->setText(t);
}

void FinestraPrincipale::changeEvent(QEvent* e) {
    // The clock stands still while the window is minimised.
    if (e->type() == QEvent::WindowStateChange) form_.PausaGioco(isMinimized());
    QMainWindow::changeEvent(e);
}

void FinestraPrincipale::StampaFinestra(const std::string& finestra) {
    if (finestra != "Form4" || !form_.F4 || !stampante_) return;
    std::string motivo;
    if (!StampaGriglia(*stampante_, form_.F4->gs, &motivo,
                       QString::fromStdString(form_.F4->Titolo))) {
        const QString file = stampante_->outputFileName();
        Messaggio("Impossibile stampare\n" + (file.isEmpty() ? "" : file.toStdString() + ": ") +
                      motivo,
                  Pulsanti::Ok, Icona::Errore);
    }
}

} // namespace isolmar
