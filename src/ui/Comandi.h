// Comandi: every command of the main window in one table. A toolbar key, a command button and a
// menu entry (the Qt window's menus included) all reach their handler through the same dispatch,
// Form1::tlb1_ButtonClick or Form1::Clic, and so through the same busy guard.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace isolmar {

class Form1;

// Where a command comes from: a toolbar key, or a control (button or menu entry) by name. The
// two name spaces are apart: a toolbar key given as a control does nothing, and the other way.
enum class Origine : uint8_t { Barra, Controllo };

// What the dispatch does with a command while no puzzle is loaded.
enum class SenzaSchema : uint8_t {
    Esegue, // it works without one (it opens or makes one, or quits)
    Ignora, // it needs one: the dispatch drops it silently
    Lascia, // it needs one, but it runs anyway and handles the case itself (a message, or nothing)
};

struct VoceComando {
    Origine Da;
    std::string_view Nome;
    void (*Gestore)(Form1&);
    // Asks whether to save the current puzzle first; a cancel stops the command.
    bool ChiediSalvare;
    SenzaSchema Schema;
    bool RichiedeSchema() const { return Schema != SenzaSchema::Esegue; }
};

// The row of a command, or null when no command has that name there.
const VoceComando* TrovaComando(Origine da, std::string_view nome);

} // namespace isolmar
