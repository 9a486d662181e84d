#include "ui/win32/Imagenes.h"

#include <objidl.h>
#include <shlwapi.h>
// gdiplus.h needs min and max, which windows.h leaves out under NOMINMAX.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace zener::win32 {

Gdiplus::Gdiplus() {
  ::Gdiplus::GdiplusStartupInput entrada;
  ::Gdiplus::GdiplusStartup(&token_, &entrada, nullptr);
}

Gdiplus::~Gdiplus() {
  ::Gdiplus::GdiplusShutdown(token_);
}

HBITMAP CargarImagen(const wchar_t* recurso, COLORREF fondo) {
  HRSRC info = FindResourceW(nullptr, recurso, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (info == nullptr) return nullptr;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
  IStream* flujo = SHCreateMemStream(bytes, SizeofResource(nullptr, info));
  if (flujo == nullptr) return nullptr;
  HBITMAP mapa = nullptr;
  ::Gdiplus::GpBitmap* imagen = nullptr;
  // The stream must outlive the image decoded from it.
  if (::Gdiplus::DllExports::GdipCreateBitmapFromStream(flujo, &imagen) == ::Gdiplus::Ok) {
    const ::Gdiplus::ARGB argb =
        0xFF000000u | (GetRValue(fondo) << 16) | (GetGValue(fondo) << 8) | GetBValue(fondo);
    ::Gdiplus::DllExports::GdipCreateHBITMAPFromBitmap(imagen, &mapa, argb);
    ::Gdiplus::DllExports::GdipDisposeImage(imagen);
  }
  flujo->Release();
  return mapa;
}

}  // namespace zener::win32
