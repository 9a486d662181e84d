// Control ids and class names of the native window, shared with the tests
// that drive it from another process.
#pragma once

namespace zener::win32 {

inline constexpr wchar_t kClaseVentana[] = L"ZenerForm1";
inline constexpr wchar_t kClaseMarco[] = L"ZenerMarco";

// 100 plus the tab index; the pictures, which have none, after them. No
// control may take 1 or 2, the ids the dialog manager gives Enter and Esc.
enum Id : int {
  kIdTitulo = 100,
  kIdVeMin,
  kIdVeMax,
  kIdIcMin,
  kIdIcMax,
  kIdVnZener,
  kIdIzMin,
  kIdCalcular,
  kIdReset,
  kIdValoresSinDesc,
  kIdPzSinTxt,
  kIdPzSin,
  kIdPrLim,
  kIdPrLimTxt,
  kIdRrLimTxt,
  kIdRrLim,
  kIdVeMinTxt,
  kIdVeMaxTxt,
  kIdIcMinTxt,
  kIdIcMaxTxt,
  kIdVnZenerTxt,
  kIdIzMinTxt,
  kIdFrame1,
  kIdPzCon,
  kIdPzConTxt,
  kIdLabel1,
  kIdLabel2,
  kIdSchema,
  kIdLogo,
};

// Where the test build of the program records its shell calls, in %TEMP%.
inline constexpr wchar_t kRegistroShell[] = L"zener_shell.txt";

// Messages only the test build answers. Calma: 1 once the program has
// nothing left to do (no input, message, paint or event waiting), 0 before. Ppp: lay the window out
// at wParam dots per inch, as a move to a screen of that scale does.
inline constexpr wchar_t kMensajeCalma[] = L"ZenerPrueba.Calma";
inline constexpr wchar_t kMensajePpp[] = L"ZenerPrueba.Ppp";

}  // namespace zener::win32
