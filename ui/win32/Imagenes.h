// Decodes the pictures built into the program (GIF, progressive JPEG).
#pragma once

#include <windows.h>

#include <string>

namespace zener::win32 {

// Keeps GDI+ running while it lives.
class Gdiplus {
 public:
  Gdiplus();
  ~Gdiplus();
  Gdiplus(const Gdiplus&) = delete;
  Gdiplus& operator=(const Gdiplus&) = delete;

  bool Iniciado() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// The picture of the RCDATA resource filling a box of the given size: itself
// where it has that size, otherwise the twice-as-large drawing of it (the
// resource of the same name ending in "2X"), scaled down smoothly. Null if it
// cannot be read.
HBITMAP CargarImagen(const std::wstring& recurso, int ancho, int alto, COLORREF fondo);

}  // namespace zener::win32
