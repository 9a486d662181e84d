// Control ids and class names of the native window, shared with the tests
// that drive it from another process.
#pragma once

#include <cstddef>
#include <string_view>

#include "window/Disposicion.h"

namespace zener::win32 {

inline constexpr wchar_t kClaseVentana[] = L"ZenerForm1";
inline constexpr wchar_t kClaseMarco[] = L"ZenerMarco";

// A control's id is 100 plus its row of the design table. No control may
// take 1 or 2, the ids the dialog manager gives Enter and Esc.
inline constexpr int kIdBase = 100;

constexpr int IdDe(std::size_t fila) {
  return kIdBase + static_cast<int>(fila);
}

// The id of the piece of that name; at() refuses a name the table lacks, so
// such an id does not compile, and throws when looked up while running.
constexpr int IdPorNombre(std::string_view nombre) {
  const std::size_t fila = FilaPorNombre(nombre);
  static_cast<void>(kPiezas.at(fila));
  return IdDe(fila);
}

inline constexpr int kIdTitulo = IdPorNombre("lblTitulo");
inline constexpr int kIdVeMin = IdPorNombre("txtVeMin");
inline constexpr int kIdVeMax = IdPorNombre("txtVeMax");
inline constexpr int kIdIcMin = IdPorNombre("txtIcMin");
inline constexpr int kIdIcMax = IdPorNombre("txtIcMax");
inline constexpr int kIdVnZener = IdPorNombre("txtVnZener");
inline constexpr int kIdIzMin = IdPorNombre("txtIzMin");
inline constexpr int kIdCalcular = IdPorNombre("cmdCalcular");
inline constexpr int kIdReset = IdPorNombre("cmdReset");
inline constexpr int kIdValoresSinDesc = IdPorNombre("fraValoresSinDesc");
inline constexpr int kIdFrame1 = IdPorNombre("Frame1");
inline constexpr int kIdRrLim = IdPorNombre("lblRrLim");
inline constexpr int kIdPrLim = IdPorNombre("lblPrLim");
inline constexpr int kIdPzSin = IdPorNombre("lblPzSin");
inline constexpr int kIdPzCon = IdPorNombre("lblPzCon");
inline constexpr int kIdSchema = IdPorNombre("imgSchema");
inline constexpr int kIdLogo = IdPorNombre("imgLogo");

// Where the test build of the program records its shell calls, in %TEMP%.
inline constexpr wchar_t kRegistroShell[] = L"zener_shell.txt";

// Messages only the test build answers. Calma: 1 once the program has
// nothing left to do (no input, message, paint or event waiting), 0 before. Ppp: lay the window out
// at wParam dots per inch, as a move to a screen of that scale does.
inline constexpr wchar_t kMensajeCalma[] = L"ZenerPrueba.Calma";
inline constexpr wchar_t kMensajePpp[] = L"ZenerPrueba.Ppp";

}  // namespace zener::win32
