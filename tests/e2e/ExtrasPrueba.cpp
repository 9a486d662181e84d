// The test build's extra messages: Calma, so that the driver waits on the
// program instead of sleeping, and Ppp, a change of scale as a move to
// another screen brings.
#include <windows.h>

#include "ui/win32/Extras.h"
#include "ui/win32/Identificadores.h"

namespace zener::win32 {

namespace {

// Idle: no input, posted message or paint waiting, and no event due. Input
// the driver sends is in the program's queue by the time SendInput returns.
bool EnCalma(bool eventosPendientes) {
  const DWORD esperando = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_PAINT));
  return esperando == 0 && !eventosPendientes;
}

void CambiarPpp(HWND ventana, int ppp) {
  RECT sugerido;
  GetWindowRect(ventana, &sugerido);
  SendMessageW(ventana, WM_DPICHANGED, MAKEWPARAM(ppp, ppp), reinterpret_cast<LPARAM>(&sugerido));
}

}  // namespace

bool AtenderMensajeExtra(HWND ventana, UINT mensaje, WPARAM w, LPARAM, bool eventosPendientes,
                         LRESULT& resultado) {
  static const UINT calma = RegisterWindowMessageW(kMensajeCalma);
  static const UINT ppp = RegisterWindowMessageW(kMensajePpp);
  if (mensaje == calma) {
    resultado = EnCalma(eventosPendientes) ? 1 : 0;
    return true;
  }
  if (mensaje == ppp) {
    CambiarPpp(ventana, static_cast<int>(w));
    resultado = 1;
    return true;
  }
  return false;
}

}  // namespace zener::win32
