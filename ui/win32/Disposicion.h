// The window's design on Win32: control ids, colours, pixels and fonts at a
// given scale (dots per inch).
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>

#include "ui/win32/Identificadores.h"
#include "window/Disposicion.h"

namespace zener::win32 {

constexpr std::size_t FilaDe(int id) {
  return static_cast<std::size_t>(id - kIdBase);
}
constexpr const Pieza& PiezaDe(int id) {
  return kPiezas[FilaDe(id)];
}

inline COLORREF ColorDe(const std::optional<Rgb>& color, int colorDelSistema) {
  return color ? RGB(color->r, color->g, color->b) : GetSysColor(colorDelSistema);
}

inline int Pixeles(int twips, int ppp) {
  return MulDiv(twips, ppp, kTwipsPorPulgada);
}

// The em height in pixels of a font at a scale.
int AlturaNominal(const Letra& letra, int ppp);
HFONT CrearFuente(const Letra& letra, int altura);

// The room a caption has to be drawn in, in pixels; 0 for controls whose
// text the user or the calculation writes, which keep their font.
int AnchoParaElTexto(const Pieza& pieza, int ppp);

// Frames draw their caption this far in from the left edge.
inline int MargenTituloMarco(int ppp) {
  return MulDiv(kMargenTituloMarco, ppp, kPppBase);
}

// The font's own height, or the largest smaller one at which the text fits
// its room: the text may lose one anti-aliased column, never a character.
int AlturaQueCabe(HDC dc, std::wstring_view texto, const Letra& letra, int ppp, int ancho);

}  // namespace zener::win32
