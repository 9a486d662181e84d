// What a build of the program adds to its window's message handling: the
// program adds nothing; the test build lets its driver wait until the program
// is idle, and change the window's scale as a move to another screen would.
#pragma once

#include <windows.h>

namespace zener::win32 {

// True when it answered the message, with the answer in `resultado`.
bool AtenderMensajeExtra(HWND ventana, UINT mensaje, WPARAM w, LPARAM l, bool eventosPendientes,
                         LRESULT& resultado);

}  // namespace zener::win32
