// The Qt log window "Log soluzione": it draws Form3's grid Gm with the shared painter (each row
// with the words that make its step one sentence), shows the buttons of the frame FrmMess and
// forwards every event to Form3. Rows that name a failure record show a pointing hand and a tool
// tip, so that the replay is found without a manual. While it is up the board frames the cell of
// the step shown.
#pragma once

#include "ui/Form1.h"

#include "Disegno.h"

#include <QDialog>

class QPushButton;
class QScrollArea;

namespace isolmar {

// Moves finestra beside principale (right, below, left, above), inside principale's screen and
// clear of evita (screen pixels) where there is room.
void CollocaAccanto(QWidget& finestra, const QWidget& principale, const QRect& evita);

class FinestraLog : public QDialog {
    Q_OBJECT
  public:
    // tavola: the main window's board, so that the window can keep clear of the cell it talks
    // about.
    FinestraLog(Form1& f, QWidget* principale, VistaGriglia* tavola);
    ~FinestraLog() override;
    VistaGriglia* Vista() const { return vista_; }
    // Places the window beside the main window, inside its screen, off the cell. With the frame
    // the previous step's window had (prima), it takes at least that size and the same place
    // when that keeps it off the cell, so that its buttons stay under the mouse.
    void Colloca(const QRect& prima = {});
    // The board cell of the conclusion shown, in screen pixels; empty when none.
    QRect CellaMostrata() const;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void Dopo(); // closes the window once Form3 has asked for it, else shows the step chosen
    // The board's frame on the step's cell, "Passo precedente" enabled past the first step, the
    // rows of the step shown scrolled into view.
    void Aggiorna();

    Form1& f_;
    QWidget* principale_;
    VistaGriglia* tavola_;
    VistaGriglia* vista_ = nullptr;
    QScrollArea* scorri_ = nullptr;
    QPushButton* precedente_ = nullptr;
    QRect prima_;
};

} // namespace isolmar
