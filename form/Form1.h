// The logic of the window form1: owns the working record and hands each event
// to its handler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/DatosCircuito.h"
#include "window/Ventana.h"

namespace zener {

// The shell's open call, with the platform's arguments in its order: owner
// window, operation, file, parameters, directory, show command.
using LlamadaShell = void (*)(void* propietario, const char* operacion, const char* archivo,
                              const char* parametros, const char* directorio, int mostrar);

class Form1 final : public EventosVentana {
 public:
  Form1(Ventana& ventana, LlamadaShell shell, std::string_view direccionWeb);

  void Load() override;
  void Click(Control origen) override;
  void KeyPress(Control campo, std::int16_t& keyascii) override;
  void GotFocus(Control campo) override;
  void LostFocus(Control campo) override;

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
