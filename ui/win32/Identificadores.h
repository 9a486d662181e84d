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

}  // namespace zener::win32
