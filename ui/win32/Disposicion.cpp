#include "ui/win32/Disposicion.h"

#include "ui/win32/Texto.h"

namespace zener::win32 {

namespace {

constexpr int kCentesimasPorPulgada = 7200;
constexpr int kColumnaPerdida = 1;

int AnchoDelTexto(HDC dc, std::wstring_view texto, const Letra& letra, int altura) {
  HFONT fuente = CrearFuente(letra, altura);
  HGDIOBJ anterior = SelectObject(dc, fuente);
  SIZE medida{};
  GetTextExtentPoint32W(dc, texto.data(), static_cast<int>(texto.size()), &medida);
  SelectObject(dc, anterior);
  DeleteObject(fuente);
  return medida.cx;
}

}  // namespace

int AlturaNominal(const Letra& letra, int ppp) {
  return MulDiv(letra.centesimasDePunto, ppp, kCentesimasPorPulgada);
}

HFONT CrearFuente(const Letra& letra, int altura) {
  return CreateFontW(-altura, 0, 0, 0, letra.peso, letra.cursiva, letra.subrayada, FALSE,
                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, Ancho(kFamiliaLetra).c_str());
}

int AnchoParaElTexto(const Pieza& pieza, int ppp) {
  const int ancho = Pixeles(pieza.ancho, ppp);
  switch (pieza.clase) {
    case Clase::Etiqueta:
      return ancho;
    case Clase::Marco:
      return ancho - 2 * MargenTituloMarco(ppp);
    case Clase::Boton:
      return ancho - 2 * MulDiv(kMargenTextoBoton, ppp, kPppBase);
    default:
      return 0;
  }
}

int AlturaQueCabe(HDC dc, std::wstring_view texto, const Letra& letra, int ppp, int ancho) {
  int altura = AlturaNominal(letra, ppp);
  while (altura > 1 && AnchoDelTexto(dc, texto, letra, altura) > ancho + kColumnaPerdida) {
    --altura;
  }
  return altura;
}

}  // namespace zener::win32
