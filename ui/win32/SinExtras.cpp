#include "ui/win32/Extras.h"

namespace zener::win32 {

bool AtenderMensajeExtra(HWND, UINT, WPARAM, LPARAM, bool, LRESULT&) {
  return false;
}

}  // namespace zener::win32
