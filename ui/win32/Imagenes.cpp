#include "ui/win32/Imagenes.h"

#include <objidl.h>
// gdiplus.h needs min and max, which windows.h leaves out under NOMINMAX.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace zener::win32 {

namespace {

namespace gp = ::Gdiplus;

constexpr wchar_t kSufijoDoble[] = L"2X";

template <typename Funcion>
Funcion Buscar(HMODULE dll, const char* nombre) {
  const FARPROC proc = dll ? GetProcAddress(dll, nombre) : nullptr;
  return reinterpret_cast<Funcion>(reinterpret_cast<void (*)()>(proc));
}

// GDI+ and the memory stream it reads from, loaded on first use: at the
// base scale the program needs neither, and starts faster without them.
class Gdiplus {
 public:
  static const Gdiplus& Instancia() {
    static const Gdiplus gdiplus;
    return gdiplus;
  }
  ~Gdiplus() {
    if (token_ != 0) Shutdown(token_);
  }
  Gdiplus(const Gdiplus&) = delete;
  Gdiplus& operator=(const Gdiplus&) = delete;

  bool Iniciado() const { return token_ != 0; }

  decltype(&gp::DllExports::GdipCreateBitmapFromStream) CreateBitmapFromStream;
  decltype(&gp::DllExports::GdipDisposeImage) DisposeImage;
  decltype(&gp::DllExports::GdipGetImageWidth) GetImageWidth;
  decltype(&gp::DllExports::GdipGetImageHeight) GetImageHeight;
  decltype(&gp::DllExports::GdipCreateFromHDC) CreateFromHDC;
  decltype(&gp::DllExports::GdipDeleteGraphics) DeleteGraphics;
  decltype(&gp::DllExports::GdipGraphicsClear) GraphicsClear;
  decltype(&gp::DllExports::GdipSetInterpolationMode) SetInterpolationMode;
  decltype(&gp::DllExports::GdipSetPixelOffsetMode) SetPixelOffsetMode;
  decltype(&gp::DllExports::GdipCreateImageAttributes) CreateImageAttributes;
  decltype(&gp::DllExports::GdipSetImageAttributesWrapMode) SetImageAttributesWrapMode;
  decltype(&gp::DllExports::GdipDisposeImageAttributes) DisposeImageAttributes;
  decltype(&gp::DllExports::GdipDrawImageRectRectI) DrawImageRectRectI;
  IStream*(WINAPI* CreateMemStream)(const BYTE*, UINT);

 private:
  Gdiplus() {
    HMODULE dll = LoadLibraryW(L"gdiplus.dll");
    HMODULE shlwapi = LoadLibraryW(L"shlwapi.dll");
    CreateBitmapFromStream =
        Buscar<decltype(CreateBitmapFromStream)>(dll, "GdipCreateBitmapFromStream");
    DisposeImage = Buscar<decltype(DisposeImage)>(dll, "GdipDisposeImage");
    GetImageWidth = Buscar<decltype(GetImageWidth)>(dll, "GdipGetImageWidth");
    GetImageHeight = Buscar<decltype(GetImageHeight)>(dll, "GdipGetImageHeight");
    CreateFromHDC = Buscar<decltype(CreateFromHDC)>(dll, "GdipCreateFromHDC");
    DeleteGraphics = Buscar<decltype(DeleteGraphics)>(dll, "GdipDeleteGraphics");
    GraphicsClear = Buscar<decltype(GraphicsClear)>(dll, "GdipGraphicsClear");
    SetInterpolationMode = Buscar<decltype(SetInterpolationMode)>(dll, "GdipSetInterpolationMode");
    SetPixelOffsetMode = Buscar<decltype(SetPixelOffsetMode)>(dll, "GdipSetPixelOffsetMode");
    CreateImageAttributes =
        Buscar<decltype(CreateImageAttributes)>(dll, "GdipCreateImageAttributes");
    SetImageAttributesWrapMode =
        Buscar<decltype(SetImageAttributesWrapMode)>(dll, "GdipSetImageAttributesWrapMode");
    DisposeImageAttributes =
        Buscar<decltype(DisposeImageAttributes)>(dll, "GdipDisposeImageAttributes");
    DrawImageRectRectI = Buscar<decltype(DrawImageRectRectI)>(dll, "GdipDrawImageRectRectI");
    CreateMemStream = Buscar<decltype(CreateMemStream)>(shlwapi, "SHCreateMemStream");
    Shutdown = Buscar<decltype(Shutdown)>(dll, "GdiplusShutdown");
    const auto startup = Buscar<decltype(&gp::GdiplusStartup)>(dll, "GdiplusStartup");
    const bool completo = CreateBitmapFromStream && DisposeImage && GetImageWidth &&
                          GetImageHeight && CreateFromHDC && DeleteGraphics && GraphicsClear &&
                          SetInterpolationMode && SetPixelOffsetMode && CreateImageAttributes &&
                          SetImageAttributesWrapMode && DisposeImageAttributes &&
                          DrawImageRectRectI && CreateMemStream && Shutdown && startup;
    const gp::GdiplusStartupInput entrada;
    if (!completo || startup(&token_, &entrada, nullptr) != gp::Ok) token_ = 0;
  }

  decltype(&gp::GdiplusShutdown) Shutdown = nullptr;
  ULONG_PTR token_ = 0;
};

// A decoded picture and the stream it was decoded from, which must outlive it.
class Decodificada {
 public:
  Decodificada(const Gdiplus& gdiplus, const std::wstring& recurso) : gdiplus_(gdiplus) {
    HRSRC info = FindResourceW(nullptr, recurso.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (info == nullptr) return;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
    flujo_ = gdiplus_.CreateMemStream(bytes, SizeofResource(nullptr, info));
    if (flujo_ != nullptr && gdiplus_.CreateBitmapFromStream(flujo_, &imagen_) != gp::Ok) {
      imagen_ = nullptr;
    }
  }
  ~Decodificada() {
    if (imagen_ != nullptr) gdiplus_.DisposeImage(imagen_);
    if (flujo_ != nullptr) flujo_->Release();
  }
  Decodificada(const Decodificada&) = delete;
  Decodificada& operator=(const Decodificada&) = delete;

  gp::GpBitmap* Imagen() const { return imagen_; }
  SIZE Tamano() const {
    UINT ancho = 0, alto = 0;
    gdiplus_.GetImageWidth(imagen_, &ancho);
    gdiplus_.GetImageHeight(imagen_, &alto);
    return {static_cast<LONG>(ancho), static_cast<LONG>(alto)};
  }

 private:
  const Gdiplus& gdiplus_;
  IStream* flujo_ = nullptr;
  gp::GpBitmap* imagen_ = nullptr;
};

gp::ARGB Argb(COLORREF color) {
  return 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

// A bitmap of the box's size to draw into.
class Lienzo {
 public:
  Lienzo(int ancho, int alto) {
    HDC pantalla = GetDC(nullptr);
    mapa_ = CreateCompatibleBitmap(pantalla, ancho, alto);
    dc_ = CreateCompatibleDC(pantalla);
    ReleaseDC(nullptr, pantalla);
    anterior_ = SelectObject(dc_, mapa_);
  }
  ~Lienzo() {
    SelectObject(dc_, anterior_);
    DeleteDC(dc_);
  }
  Lienzo(const Lienzo&) = delete;
  Lienzo& operator=(const Lienzo&) = delete;

  HDC Dc() const { return dc_; }
  HBITMAP Mapa() const { return mapa_; }

 private:
  HBITMAP mapa_;
  HDC dc_;
  HGDIOBJ anterior_;
};

// The twice-as-large drawing with the best filter GDI+ has, its edges
// mirrored beyond it so that the filter does not blend the outermost pixels
// with the ground.
HBITMAP Reducida(const std::wstring& recurso, int ancho, int alto, COLORREF fondo) {
  const Gdiplus& gdiplus = Gdiplus::Instancia();
  if (!gdiplus.Iniciado()) return nullptr;
  const Decodificada imagen(gdiplus, recurso + kSufijoDoble);
  if (imagen.Imagen() == nullptr) return nullptr;
  const SIZE origen = imagen.Tamano();
  const Lienzo lienzo(ancho, alto);
  gp::GpGraphics* grafico = nullptr;
  if (gdiplus.CreateFromHDC(lienzo.Dc(), &grafico) != gp::Ok) return nullptr;
  gdiplus.GraphicsClear(grafico, Argb(fondo));
  gdiplus.SetInterpolationMode(grafico, gp::InterpolationModeHighQualityBicubic);
  gdiplus.SetPixelOffsetMode(grafico, gp::PixelOffsetModeHighQuality);
  gp::GpImageAttributes* atributos = nullptr;
  gdiplus.CreateImageAttributes(&atributos);
  gdiplus.SetImageAttributesWrapMode(atributos, gp::WrapModeTileFlipXY, 0, FALSE);
  gdiplus.DrawImageRectRectI(grafico, imagen.Imagen(), 0, 0, ancho, alto, 0, 0, origen.cx,
                             origen.cy, gp::UnitPixel, atributos, nullptr, nullptr);
  gdiplus.DisposeImageAttributes(atributos);
  gdiplus.DeleteGraphics(grafico);
  return lienzo.Mapa();
}

// Without GDI+, the built-in bitmap stretched by GDI: softer, but there.
HBITMAP Estirada(HBITMAP propia, SIZE tamano, int ancho, int alto) {
  const Lienzo lienzo(ancho, alto);
  HDC origen = CreateCompatibleDC(lienzo.Dc());
  HGDIOBJ anterior = SelectObject(origen, propia);
  SetStretchBltMode(lienzo.Dc(), HALFTONE);
  StretchBlt(lienzo.Dc(), 0, 0, ancho, alto, origen, 0, 0, tamano.cx, tamano.cy, SRCCOPY);
  SelectObject(origen, anterior);
  DeleteDC(origen);
  return lienzo.Mapa();
}

}  // namespace

HBITMAP CargarImagen(const std::wstring& recurso, int ancho, int alto, COLORREF fondo) {
  HBITMAP propia = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), recurso.c_str(), IMAGE_BITMAP, 0, 0, 0));
  if (propia == nullptr) return nullptr;
  BITMAP datos{};
  GetObjectW(propia, sizeof datos, &datos);
  const SIZE tamano{datos.bmWidth, datos.bmHeight};
  if (tamano.cx == ancho && tamano.cy == alto) return propia;
  HBITMAP escalada = Reducida(recurso, ancho, alto, fondo);
  if (escalada == nullptr) escalada = Estirada(propia, tamano, ancho, alto);
  DeleteObject(propia);
  return escalada;
}

}  // namespace zener::win32
