// Decodes the pictures built into the program (GIF, progressive JPEG).
#pragma once

#include <windows.h>

namespace zener::win32 {

// Keeps GDI+ running while it lives.
class Gdiplus {
 public:
  Gdiplus();
  ~Gdiplus();
  Gdiplus(const Gdiplus&) = delete;
  Gdiplus& operator=(const Gdiplus&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// A bitmap of the RCDATA resource, at its own size; null if it cannot be read.
HBITMAP CargarImagen(const wchar_t* recurso, COLORREF fondo);

}  // namespace zener::win32
