#include <windows.h>

#include "ui/win32/Shell.h"
#include "ui/win32/VentanaWin32.h"

namespace {

constexpr int kSalidaConError = 1;

// Said before giving up, so that a failed start never leaves an invisible
// process behind or vanishes without a word.
int FalloAlArrancar(const wchar_t* que) {
  MessageBoxW(nullptr, que, L"Calculador de circuitos Zener", MB_ICONERROR | MB_OK);
  return kSalidaConError;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int mostrar) {
  zener::win32::VentanaWin32 ventana(instancia, &zener::win32::LlamarShell, ZENER_DIRECCION_WEB);
  if (!ventana.Crear(mostrar)) return FalloAlArrancar(L"No se pudo crear la ventana.");
  return ventana.Ejecutar();
}
