// The logic of the window form1: owns the working record and hands each
// event to its handler.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Calculo.h"
#include "core/DatosCircuito.h"
#include "window/Ventana.h"

namespace zener {

// The shell's open call, with the platform's arguments in its order: owner
// window, operation, file, parameters, directory, show command.
using LlamadaShell = void (*)(void* propietario, const char* operacion, const char* archivo,
                              const char* parametros, const char* directorio, int mostrar);

class Form1 final {
 public:
  Form1(Ventana& ventana, LlamadaShell shell, std::string_view direccionWeb);

  void Load();
  // The verdict of the rules when the click was on the calculate button.
  std::optional<Veredicto> Click(Control origen);
  // keyascii is the typed character; the field inserts what the handler
  // leaves there, and nothing for 0.
  void KeyPress(Control campo, std::int16_t& keyascii);
  void GotFocus(Control campo);
  void LostFocus(Control campo);
  // A figure for a field from outside the window; false when refused.
  bool Poner(Control campo, std::string_view texto);

  const DatosCircuito& Datos() const { return datos_; }

 private:
  void cmdReset_Click();
  void AbrirSitioWeb();

  Ventana& ventana_;
  LlamadaShell shell_;
  std::string direccionWeb_;
  DatosCircuito datos_;
};

}  // namespace zener
