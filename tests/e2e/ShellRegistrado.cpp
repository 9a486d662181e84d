// The test build's shell call: records its arguments instead of opening a
// browser, one line a call, in %TEMP%.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ui/win32/Identificadores.h"
#include "ui/win32/Shell.h"

namespace zener::win32 {

void LlamarShell(void* propietario, const char* operacion, const char* archivo,
                 const char* parametros, const char* directorio, int mostrar) {
  wchar_t temporal[MAX_PATH];
  GetTempPathW(MAX_PATH, temporal);
  const std::wstring ruta = std::wstring(temporal) + kRegistroShell;
  if (FILE* registro = _wfopen(ruta.c_str(), L"a")) {
    std::fprintf(registro, "%lu|%s|%s|%s|%s|%d\n",
                 static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(propietario)), operacion,
                 archivo, parametros ? parametros : "(null)", directorio ? directorio : "(null)",
                 mostrar);
    std::fclose(registro);
  }
}

}  // namespace zener::win32
