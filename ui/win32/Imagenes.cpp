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

namespace {

namespace gp = ::Gdiplus::DllExports;

constexpr wchar_t kSufijoDoble[] = L"2X";

// A decoded picture and the stream it was decoded from, which must outlive it.
class Decodificada {
 public:
  explicit Decodificada(const std::wstring& recurso) {
    HRSRC info = FindResourceW(nullptr, recurso.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (info == nullptr) return;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
    flujo_ = SHCreateMemStream(bytes, SizeofResource(nullptr, info));
    if (flujo_ != nullptr && gp::GdipCreateBitmapFromStream(flujo_, &imagen_) != ::Gdiplus::Ok) {
      imagen_ = nullptr;
    }
  }
  ~Decodificada() {
    if (imagen_ != nullptr) gp::GdipDisposeImage(imagen_);
    if (flujo_ != nullptr) flujo_->Release();
  }
  Decodificada(const Decodificada&) = delete;
  Decodificada& operator=(const Decodificada&) = delete;

  ::Gdiplus::GpBitmap* Imagen() const { return imagen_; }
  SIZE Tamano() const {
    UINT ancho = 0, alto = 0;
    if (imagen_ != nullptr) {
      gp::GdipGetImageWidth(imagen_, &ancho);
      gp::GdipGetImageHeight(imagen_, &alto);
    }
    return {static_cast<LONG>(ancho), static_cast<LONG>(alto)};
  }

 private:
  IStream* flujo_ = nullptr;
  ::Gdiplus::GpBitmap* imagen_ = nullptr;
};

::Gdiplus::ARGB Argb(COLORREF color) {
  return 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

HBITMAP TalCual(const Decodificada& imagen, COLORREF fondo) {
  HBITMAP mapa = nullptr;
  gp::GdipCreateHBITMAPFromBitmap(imagen.Imagen(), &mapa, Argb(fondo));
  return mapa;
}

// Drawn into a bitmap of the box's size with the best filter GDI+ has; the
// picture's edges mirrored beyond it, so that the filter does not blend the
// outermost pixels with the ground.
HBITMAP Escalada(const Decodificada& imagen, int ancho, int alto, COLORREF fondo) {
  const SIZE origen = imagen.Tamano();
  HDC pantalla = GetDC(nullptr);
  HBITMAP mapa = CreateCompatibleBitmap(pantalla, ancho, alto);
  HDC dc = CreateCompatibleDC(pantalla);
  ReleaseDC(nullptr, pantalla);
  HGDIOBJ anterior = SelectObject(dc, mapa);
  ::Gdiplus::GpGraphics* lienzo = nullptr;
  if (gp::GdipCreateFromHDC(dc, &lienzo) == ::Gdiplus::Ok) {
    gp::GdipGraphicsClear(lienzo, Argb(fondo));
    gp::GdipSetInterpolationMode(lienzo, ::Gdiplus::InterpolationModeHighQualityBicubic);
    gp::GdipSetPixelOffsetMode(lienzo, ::Gdiplus::PixelOffsetModeHighQuality);
    ::Gdiplus::GpImageAttributes* atributos = nullptr;
    gp::GdipCreateImageAttributes(&atributos);
    gp::GdipSetImageAttributesWrapMode(atributos, ::Gdiplus::WrapModeTileFlipXY, 0, FALSE);
    gp::GdipDrawImageRectRectI(lienzo, imagen.Imagen(), 0, 0, ancho, alto, 0, 0, origen.cx,
                               origen.cy, ::Gdiplus::UnitPixel, atributos, nullptr, nullptr);
    gp::GdipDisposeImageAttributes(atributos);
    gp::GdipDeleteGraphics(lienzo);
  }
  SelectObject(dc, anterior);
  DeleteDC(dc);
  return mapa;
}

}  // namespace

Gdiplus::Gdiplus() {
  ::Gdiplus::GdiplusStartupInput entrada;
  if (::Gdiplus::GdiplusStartup(&token_, &entrada, nullptr) != ::Gdiplus::Ok) token_ = 0;
}

Gdiplus::~Gdiplus() {
  if (Iniciado()) ::Gdiplus::GdiplusShutdown(token_);
}

HBITMAP CargarImagen(const std::wstring& recurso, int ancho, int alto, COLORREF fondo) {
  {
    const Decodificada propia(recurso);
    if (propia.Imagen() == nullptr) return nullptr;
    const SIZE tamano = propia.Tamano();
    if (tamano.cx == ancho && tamano.cy == alto) return TalCual(propia, fondo);
  }
  const Decodificada doble(recurso + kSufijoDoble);
  return doble.Imagen() ? Escalada(doble, ancho, alto, fondo) : nullptr;
}

}  // namespace zener::win32
