#include "ui/win32/Shell.h"

#include <windows.h>

#include <shellapi.h>

namespace zener::win32 {

// The shell is loaded on the first click of a picture, not at start: the
// program starts faster without it.
void LlamarShell(void* propietario, const char* operacion, const char* archivo,
                 const char* parametros, const char* directorio, int mostrar) {
  static const auto abrir = [] {
    const FARPROC proc = GetProcAddress(LoadLibraryW(L"shell32.dll"), "ShellExecuteA");
    return reinterpret_cast<decltype(&ShellExecuteA)>(reinterpret_cast<void (*)()>(proc));
  }();
  if (abrir != nullptr) {
    abrir(static_cast<HWND>(propietario), operacion, archivo, parametros, directorio, mostrar);
  }
}

}  // namespace zener::win32
