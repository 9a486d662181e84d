#include "ui/win32/Shell.h"

#include <windows.h>

#include <shellapi.h>

namespace zener::win32 {

void LlamarShell(void* propietario, const char* operacion, const char* archivo,
                 const char* parametros, const char* directorio, int mostrar) {
  ShellExecuteA(static_cast<HWND>(propietario), operacion, archivo, parametros, directorio,
                mostrar);
}

}  // namespace zener::win32
