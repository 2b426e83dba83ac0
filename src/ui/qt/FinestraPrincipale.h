// The main window of the Qt program. For now it holds the model with its shapes built and shows
// an empty board; the commands come with the window's full logic.
#pragma once

#include "model/Modello.h"

#include <QMainWindow>
#include <memory>

namespace isolmar {

class FinestraPrincipale : public QMainWindow {
    Q_OBJECT
public:
    explicit FinestraPrincipale(QWidget* genitore = nullptr);
    const Modello& modello() const { return *modello_; }

private:
    std::unique_ptr<Modello> modello_;
};

} // namespace isolmar
