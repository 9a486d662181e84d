// The window at the screen's scale, whatever it is: every control in its
// place, in its font (a step smaller only where a caption would not fit), no
// text cut off, the pictures filling their boxes; a change of scale on the
// way; and the names a screen reader gives the fields.
#include <gtest/gtest.h>

#include <oleacc.h>
// gdiplus.h needs min and max, which windows.h leaves out under NOMINMAX.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdlib>
#include <string>

#include "Programa.h"
#include "ui/win32/Disposicion.h"
#include "ui/win32/Identificadores.h"
#include "ui/win32/Texto.h"

namespace zener::prueba {
namespace {

using namespace zener::win32;

int Px(int twips, int ppp = Ppp()) {
  return Pixeles(twips, ppp);
}

int Escalado(int pixelesBase) {
  return MulDiv(pixelesBase, Ppp(), kPppBase);
}

RECT RectanguloEnPantalla(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return r;
}

// Where a control's text is drawn, clear of borders, edges and focus marks;
// for a frame, the caption above its line.
RECT RegionDelTexto(Clase clase, int ancho, int alto, int altoLetra) {
  const int borde = Escalado(2);
  switch (clase) {
    case Clase::Campo:
      return {borde + 1, borde + 1, ancho - borde - 1, alto - borde - 1};
    case Clase::Resultado:
      return {borde, borde, ancho - borde, alto - borde};
    case Clase::Boton:
      return {Escalado(6), Escalado(6), ancho - Escalado(6), alto - Escalado(6)};
    case Clase::Marco:
      return {3, 0, ancho - 3, altoLetra / 2 - 1};
    default:
      return {0, 0, ancho, alto};
  }
}

// The font the window should use for a control: its own, or the step down
// that lets a caption fit.
struct LetraElegida {
  explicit LetraElegida(const Pieza& pieza) : letra(LetraDe(pieza.fuente)) {
    altura = AlturaNominal(letra, Ppp());
    if (const int ancho = AnchoParaElTexto(pieza, Ppp()); ancho > 0) {
      HDC pantalla = GetDC(nullptr);
      altura = AlturaQueCabe(pantalla, Ancho(pieza.texto), letra, Ppp(), ancho);
      ReleaseDC(nullptr, pantalla);
    }
    fuente = CrearFuente(letra, altura);
  }
  ~LetraElegida() { DeleteObject(fuente); }
  LetraElegida(const LetraElegida&) = delete;
  LetraElegida& operator=(const LetraElegida&) = delete;

  const Letra& letra;
  int altura;
  HFONT fuente;
};

int AltoDeLetra(HFONT fuente) {
  HDC pantalla = GetDC(nullptr);
  HGDIOBJ anterior = SelectObject(pantalla, fuente);
  TEXTMETRICW medidas;
  GetTextMetricsW(pantalla, &medidas);
  SelectObject(pantalla, anterior);
  ReleaseDC(nullptr, pantalla);
  return medidas.tmHeight;
}

// The size of the ink the text leaves in the expected font with room to
// spare on the right, so that a text cut off on the screen comes out shorter.
SIZE TintaEsperada(const std::wstring& texto, HFONT fuente, int ancho, int alto, Clase clase) {
  const int holgura = ancho;
  HDC pantalla = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(pantalla);
  HBITMAP mapa = CreateCompatibleBitmap(pantalla, ancho + holgura, alto);
  HGDIOBJ mapaAnterior = SelectObject(dc, mapa);
  HGDIOBJ fuenteAnterior = SelectObject(dc, fuente);
  RECT todo{0, 0, ancho + holgura, alto};
  FillRect(dc, &todo, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  RECT region = RegionDelTexto(clase, ancho, alto, AltoDeLetra(fuente));
  TextOutW(dc, clase == Clase::Marco ? MargenTituloMarco(Ppp()) : region.left, region.top,
           texto.c_str(), static_cast<int>(texto.size()));
  region.right += holgura;
  RECT tinta;
  {
    Captura captura(dc, todo);
    tinta = captura.Tinta(region, RGB(255, 255, 255));
  }
  SelectObject(dc, fuenteAnterior);
  SelectObject(dc, mapaAnterior);
  DeleteObject(mapa);
  DeleteDC(dc);
  ReleaseDC(nullptr, pantalla);
  return {tinta.right - tinta.left, tinta.bottom - tinta.top};
}

// A point of the control's own background, clear of its text and border.
POINT PuntoDeFondo(Clase clase, int ancho, int alto) {
  switch (clase) {
    case Clase::Campo:
      return {Escalado(5), alto / 2};
    case Clase::Boton:
    case Clase::Marco:
      return {ancho - Escalado(8), alto - Escalado(8)};
    default:
      return {2, alto - 2};
  }
}

void ExpectEnSuSitio(const Programa& programa, int ppp) {
  RECT cliente;
  GetClientRect(programa.Ventana(), &cliente);
  EXPECT_EQ(cliente.right, Px(kAnchoCliente, ppp));
  EXPECT_EQ(cliente.bottom, Px(kAltoCliente, ppp));
  for (std::size_t fila = 0; fila < kPiezas.size(); ++fila) {
    const Pieza& pieza = kPiezas[fila];
    SCOPED_TRACE(std::string(pieza.nombre));
    const RECT r = programa.RectanguloEnContenedor(IdDe(fila));
    EXPECT_EQ(r.left, Px(pieza.izquierda, ppp));
    EXPECT_EQ(r.top, Px(pieza.arriba, ppp));
    EXPECT_EQ(r.right - r.left, Px(pieza.ancho, ppp));
    EXPECT_EQ(r.bottom - r.top, Px(pieza.alto, ppp));
  }
}

TEST(Escala, CadaControlEnSuSitioConSuTextoLetraYColores) {
  Programa programa;
  ExpectEnSuSitio(programa, Ppp());
  wchar_t titulo[64];
  GetWindowTextW(programa.Ventana(), titulo, 64);
  EXPECT_STREQ(titulo, L"Calculador de circuitos Zener");
  programa.Tab(true);  // no caret or selection in the way of the fields' text
  ASSERT_EQ(programa.Foco(), kIdReset);

  for (std::size_t fila = 0; fila < kPiezas.size(); ++fila) {
    const Pieza& pieza = kPiezas[fila];
    if (pieza.clase == Clase::Imagen) continue;
    SCOPED_TRACE(std::string(pieza.nombre));
    HWND control = programa.Control(IdDe(fila));
    ASSERT_NE(control, nullptr);
    HWND contenedor = pieza.marco.empty() ? programa.Ventana()
                                          : programa.Control(IdDe(FilaPorNombre(pieza.marco)));
    EXPECT_EQ(GetParent(control), contenedor);
    const std::wstring texto = programa.Texto(IdDe(fila));
    if (pieza.clase != Clase::Campo && pieza.clase != Clase::Resultado) {
      EXPECT_EQ(texto, Ancho(pieza.texto));
    }
    const RECT r = RectanguloEnPantalla(control);
    const int ancho = r.right - r.left;
    const int alto = r.bottom - r.top;
    const Captura captura(nullptr, r);
    const COLORREF fondo = ColorDe(pieza.fondo, COLOR_WINDOW);
    const POINT punto = PuntoDeFondo(pieza.clase, ancho, alto);
    EXPECT_EQ(captura.Color(punto.x, punto.y), fondo);
    const COLORREF tinta = pieza.clase == Clase::Marco ? GetSysColor(COLOR_WINDOWTEXT)
                                                       : ColorDe(pieza.tinta, COLOR_BTNTEXT);
    EXPECT_TRUE(captura.Contiene(tinta));
    // The font, told by the ink its text leaves; a text cut off at the box's
    // edge leaves less ink than it should.
    const LetraElegida letra(pieza);
    if (letra.altura != AlturaNominal(letra.letra, Ppp())) {
      std::printf("%.*s: %d px instead of %d at %d dpi\n", static_cast<int>(pieza.nombre.size()),
                  pieza.nombre.data(), letra.altura, AlturaNominal(letra.letra, Ppp()), Ppp());
    }
    const RECT enPantalla =
        captura.Tinta(RegionDelTexto(pieza.clase, ancho, alto, AltoDeLetra(letra.fuente)), fondo);
    const SIZE esperada = TintaEsperada(texto, letra.fuente, ancho, alto, pieza.clase);
    EXPECT_NEAR(enPantalla.right - enPantalla.left, esperada.cx, 1) << "ink width";
    EXPECT_NEAR(enPantalla.bottom - enPantalla.top, esperada.cy, 1) << "ink height";
  }
  if (const char* ruta = std::getenv("ZENER_CAPTURA")) {
    EXPECT_TRUE(programa.GuardarCaptura(Ancho(ruta)));
  }
}

// Each picture fills its box to both corners: the ground there is the
// picture's own, not the window's.
TEST(Escala, LasImagenesLlenanSusCajas) {
  Programa programa;
  // The drawing's ground is 8 from the window's in blue; the logo's, a JPEG,
  // is far from it, but its corners carry the compression's noise.
  const struct {
    int id;
    COLORREF fondo;
    int tolerancia;
  } imagenes[] = {{kIdSchema, RGB(255, 255, 120), 3}, {kIdLogo, RGB(255, 221, 0), 12}};
  for (const auto& imagen : imagenes) {
    SCOPED_TRACE(imagen.id);
    const Pieza& pieza = PiezaDe(imagen.id);
    const RECT r = RectanguloEnPantalla(programa.Control(imagen.id));
    ASSERT_EQ(r.right - r.left, Px(pieza.ancho));
    ASSERT_EQ(r.bottom - r.top, Px(pieza.alto));
    for (const POINT punto : {POINT{r.left, r.top}, POINT{r.right - 1, r.bottom - 1}}) {
      const COLORREF c = ColorEn(punto);
      EXPECT_NEAR(GetRValue(c), GetRValue(imagen.fondo), imagen.tolerancia);
      EXPECT_NEAR(GetGValue(c), GetGValue(imagen.fondo), imagen.tolerancia);
      EXPECT_NEAR(GetBValue(c), GetBValue(imagen.fondo), imagen.tolerancia);
    }
  }
}

// At 96 dots per inch each picture is its GIF or JPEG as GDI+ decodes it: the
// drawing pixel for pixel, the logo within one level of a channel, as two
// JPEG decoders may round its colours apart.
TEST(Escala, ABaseEscalaLasImagenesSonSusArchivosTalCual) {
  if (Ppp() != kPppBase) GTEST_SKIP() << "only at 96 dpi";
  ULONG_PTR gdiplus = 0;
  const Gdiplus::GdiplusStartupInput entrada;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplus, &entrada, nullptr), Gdiplus::Ok);
  Programa programa;
  const struct {
    int id;
    const wchar_t* archivo;
    int diferenciaAdmitida;
  } imagenes[] = {{kIdSchema, L"esquema.gif", 0}, {kIdLogo, L"logo.jpg", 1}};
  for (const auto& [id, archivo, diferenciaAdmitida] : imagenes) {
    SCOPED_TRACE(id);
    Gdiplus::GpBitmap* imagen = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromFile(
                  (std::wstring(ZENER_RECURSOS) + archivo).c_str(), &imagen),
              Gdiplus::Ok);
    const RECT r = RectanguloEnPantalla(programa.Control(id));
    const Captura captura(nullptr, r);
    int diferencia = 0;
    for (int y = 0; y < r.bottom - r.top; ++y) {
      for (int x = 0; x < r.right - r.left; ++x) {
        Gdiplus::ARGB argb = 0;
        Gdiplus::DllExports::GdipBitmapGetPixel(imagen, x, y, &argb);
        const COLORREF visto = captura.Color(x, y);
        for (const int desplazamiento : {0, 8, 16}) {
          const int esperado = static_cast<int>((argb >> (16 - desplazamiento)) & 0xFF);
          const int real = static_cast<int>((visto >> desplazamiento) & 0xFF);
          diferencia = std::max(diferencia, std::abs(real - esperado));
        }
      }
    }
    EXPECT_LE(diferencia, diferenciaAdmitida);
    Gdiplus::DllExports::GdipDisposeImage(imagen);
  }
  Gdiplus::GdiplusShutdown(gdiplus);
}

TEST(Escala, UnCambioDeEscalaVuelveAColocarLaVentana) {
  Programa programa;
  const int otra = Ppp() == 144 ? 96 : 144;
  programa.CambiarPpp(otra);
  ExpectEnSuSitio(programa, otra);
  programa.CambiarPpp(Ppp());
  ExpectEnSuSitio(programa, Ppp());
  programa.Teclear(L"12\r15\r20\r100\r5,1\r5\r\r");  // still works as before
  EXPECT_EQ(programa.Texto(kIdRrLim), L"65,71");
}

// As a screen reader asks: the accessible object of each field and result
// box, and its name. The interface's id comes from the header: in the 64-bit
// MinGW-w64 import library of oleacc the name IID_IAccessible is bound to an
// import thunk, whose code bytes would be passed as the id.
TEST(Escala, LosLectoresDePantallaNombranCadaCampoPorSuRotulo) {
  Programa programa;
  CoInitialize(nullptr);
  for (std::size_t fila = 0; fila < kPiezas.size(); ++fila) {
    const Pieza& pieza = kPiezas[fila];
    if (pieza.rotulo.empty()) continue;
    SCOPED_TRACE(std::string(pieza.nombre));
    IAccessible* accesible = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(programa.Control(IdDe(fila)), OBJID_CLIENT,
                                   __uuidof(IAccessible), reinterpret_cast<void**>(&accesible)),
        S_OK);
    VARIANT propio{};
    propio.vt = VT_I4;
    propio.lVal = CHILDID_SELF;
    BSTR nombre = nullptr;
    EXPECT_EQ(accesible->get_accName(propio, &nombre), S_OK);
    const std::string_view rotulo = kPiezas[FilaPorNombre(pieza.rotulo)].texto;
    EXPECT_EQ(std::wstring(nombre ? nombre : L""), Ancho(SinPuntosGuia(rotulo)));
    SysFreeString(nombre);
    accesible->Release();
  }
  CoUninitialize();
}

}  // namespace
}  // namespace zener::prueba
