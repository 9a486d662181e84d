// The shell call the window's pictures make; the test build links a recorder.
#pragma once

namespace zener::win32 {

void LlamarShell(void* propietario, const char* operacion, const char* archivo,
                 const char* parametros, const char* directorio, int mostrar);

}  // namespace zener::win32
