#include <windows.h>

#include <commctrl.h>

#include "ui/win32/Imagenes.h"
#include "ui/win32/Shell.h"
#include "ui/win32/VentanaWin32.h"

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int mostrar) {
  const INITCOMMONCONTROLSEX controles{sizeof controles, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controles);
  zener::win32::Gdiplus gdiplus;
  zener::win32::VentanaWin32 ventana(instancia, &zener::win32::LlamarShell, ZENER_DIRECCION_WEB);
  return ventana.Ejecutar(mostrar);
}
