// The pictures built into the program, at the size of their boxes.
#pragma once

#include <windows.h>

#include <string>

namespace zener::win32 {

// The picture filling a box of the given size. At its own size it is the
// decoded bitmap built in (BITMAP resource `recurso`); at any other, the
// twice-as-large drawing of it (RCDATA `recurso` + "2X", a GIF or JPEG) scaled
// down smoothly by GDI+, which is loaded only then. Null if neither can be
// had.
HBITMAP CargarImagen(const std::wstring& recurso, int ancho, int alto, COLORREF fondo);

}  // namespace zener::win32
