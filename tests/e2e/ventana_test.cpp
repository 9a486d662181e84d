// The real window under real input: what a user sees and gets.
#include <gtest/gtest.h>

#include <string>

#include "Programa.h"
#include "core/Calculo.h"
#include "ui/win32/Disposicion.h"
#include "ui/win32/Identificadores.h"
#include "ui/win32/Texto.h"

namespace zener::prueba {
namespace {

using namespace zener::win32;

constexpr int kCampos[] = {kIdVeMin, kIdVeMax, kIdIcMin, kIdIcMax, kIdVnZener, kIdIzMin};

std::wstring W(std::string_view utf8) {
  return win32::Ancho(utf8);
}

// Twips to pixels at 96 dots per inch, to the nearest pixel.
int Px(int twips) {
  return (twips * 2 + 15) / 30;
}

COLORREF ColorSistema(COLORREF color, int delSistema) {
  return color == kColorDelSistema ? GetSysColor(delSistema) : color;
}

RECT RectanguloEnPantalla(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  return r;
}

HFONT CrearLetra(const Letra& letra) {
  return CreateFontW(-letra.centesimasDePunto * 96 / 7200, 0, 0, 0, letra.peso, letra.cursiva,
                     letra.subrayada, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

// Where a control's text is drawn, clear of borders, edges and focus marks;
// for a frame, the caption above its line.
RECT RegionDelTexto(Clase clase, int ancho, int alto, int altoLetra) {
  switch (clase) {
    case Clase::Campo:
      return {3, 3, ancho - 3, alto - 3};
    case Clase::Resultado:
      return {2, 2, ancho - 2, alto - 2};
    case Clase::Boton:
      return {6, 6, ancho - 6, alto - 6};
    case Clase::Marco:
      return {3, 0, ancho - 3, altoLetra / 2 - 1};
    default:
      return {0, 0, ancho, alto};
  }
}

// The size of the ink the text leaves when drawn in the expected font.
SIZE TintaEsperada(const std::wstring& texto, const Letra& letra, int ancho, int alto,
                   Clase clase) {
  HDC pantalla = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(pantalla);
  HBITMAP mapa = CreateCompatibleBitmap(pantalla, ancho, alto);
  HGDIOBJ mapaAnterior = SelectObject(dc, mapa);
  HFONT fuente = CrearLetra(letra);
  HGDIOBJ fuenteAnterior = SelectObject(dc, fuente);
  RECT todo{0, 0, ancho, alto};
  FillRect(dc, &todo, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TEXTMETRICW medidas;
  GetTextMetricsW(dc, &medidas);
  const RECT region = RegionDelTexto(clase, ancho, alto, medidas.tmHeight);
  TextOutW(dc, clase == Clase::Marco ? 8 : region.left, region.top, texto.c_str(),
           static_cast<int>(texto.size()));
  RECT tinta;
  {
    Captura captura(dc, todo);
    tinta = captura.Tinta(region, RGB(255, 255, 255));
  }
  SelectObject(dc, fuenteAnterior);
  SelectObject(dc, mapaAnterior);
  DeleteObject(fuente);
  DeleteObject(mapa);
  DeleteDC(dc);
  ReleaseDC(nullptr, pantalla);
  return {tinta.right - tinta.left, tinta.bottom - tinta.top};
}

int AltoDeLetra(const Letra& letra) {
  HDC pantalla = GetDC(nullptr);
  HFONT fuente = CrearLetra(letra);
  HGDIOBJ anterior = SelectObject(pantalla, fuente);
  TEXTMETRICW medidas;
  GetTextMetricsW(pantalla, &medidas);
  SelectObject(pantalla, anterior);
  DeleteObject(fuente);
  ReleaseDC(nullptr, pantalla);
  return medidas.tmHeight;
}

// A point of the control's own background, clear of its text and border.
POINT PuntoDeFondo(Clase clase, int ancho, int alto) {
  switch (clase) {
    case Clase::Campo:
      return {5, alto / 2};
    case Clase::Boton:
    case Clase::Marco:
      return {ancho - 8, alto - 8};
    default:
      return {2, alto - 2};
  }
}

TEST(Ventana, CadaControlTieneSuSitioTextoLetraYColores) {
  Programa programa;
  RECT cliente;
  GetClientRect(programa.Ventana(), &cliente);
  EXPECT_EQ(cliente.right, 689);
  EXPECT_EQ(cliente.bottom, 533);
  wchar_t titulo[64];
  GetWindowTextW(programa.Ventana(), titulo, 64);
  EXPECT_STREQ(titulo, L"Calculador de circuitos Zener");
  programa.Tab(true);  // no caret or selection in the way of the fields' text
  ASSERT_EQ(programa.Foco(), kIdReset);

  for (const Pieza& pieza : kPiezas) {
    SCOPED_TRACE(pieza.id);
    HWND control = programa.Control(pieza.id);
    ASSERT_NE(control, nullptr);
    HWND contenedor = pieza.marco ? programa.Control(*pieza.marco) : programa.Ventana();
    EXPECT_EQ(GetParent(control), contenedor);
    const RECT r = programa.RectanguloEnContenedor(pieza.id);
    const int ancho = r.right - r.left;
    const int alto = r.bottom - r.top;
    EXPECT_EQ(r.left, Px(pieza.izquierda));
    EXPECT_EQ(r.top, Px(pieza.arriba));
    EXPECT_EQ(ancho, Px(pieza.ancho));
    EXPECT_EQ(alto, Px(pieza.alto));
    if (pieza.clase == Clase::Imagen) continue;

    const std::wstring texto = programa.Texto(pieza.id);
    if (pieza.clase != Clase::Campo && pieza.clase != Clase::Resultado) {
      EXPECT_EQ(texto, pieza.texto);
    }
    const Captura captura(nullptr, RectanguloEnPantalla(control));
    const COLORREF fondo = ColorSistema(pieza.fondo, COLOR_WINDOW);
    const POINT punto = PuntoDeFondo(pieza.clase, ancho, alto);
    EXPECT_EQ(captura.Color(punto.x, punto.y), fondo);
    const COLORREF tinta = pieza.clase == Clase::Marco ? GetSysColor(COLOR_WINDOWTEXT)
                                                       : ColorSistema(pieza.tinta, COLOR_BTNTEXT);
    EXPECT_TRUE(captura.Contiene(tinta));
    // The font, told by the ink its text leaves on the screen.
    const Letra& letra = LetraDe(pieza.fuente);
    const RECT enPantalla =
        captura.Tinta(RegionDelTexto(pieza.clase, ancho, alto, AltoDeLetra(letra)), fondo);
    const SIZE esperada = TintaEsperada(texto, letra, ancho, alto, pieza.clase);
    EXPECT_NEAR(enPantalla.right - enPantalla.left, esperada.cx, 1) << "ink width";
    EXPECT_NEAR(enPantalla.bottom - enPantalla.top, esperada.cy, 1) << "ink height";
  }
  // Spot checks against the design in pixels at 96 dots per inch.
  const RECT calcular = programa.RectanguloEnContenedor(kIdCalcular);
  EXPECT_EQ(calcular.left, 384);
  EXPECT_EQ(calcular.top, 321);
  EXPECT_EQ(programa.Texto(kIdCalcular), L" CALCULAR ");
  EXPECT_EQ(programa.Texto(kIdValoresSinDesc), L"SIN desconexión de la carga ");
  EXPECT_EQ(programa.Texto(kIdPrLimTxt), L"Potencia de R (W) ................");
}

TEST(Ventana, LasImagenesSeVenASuTamano) {
  Programa programa;
  const struct {
    int id;
    int ancho, alto;
    COLORREF fondo;
  } imagenes[] = {{kIdSchema, 341, 228, RGB(255, 255, 120)}, {kIdLogo, 300, 46, RGB(255, 221, 0)}};
  for (const auto& imagen : imagenes) {
    const RECT r = programa.RectanguloEnContenedor(imagen.id);
    EXPECT_EQ(r.right - r.left, imagen.ancho);
    EXPECT_EQ(r.bottom - r.top, imagen.alto);
    RECT pantalla;
    GetWindowRect(programa.Control(imagen.id), &pantalla);
    const COLORREF c = ColorEn({pantalla.left + 6, (pantalla.top + pantalla.bottom) / 2});
    EXPECT_NEAR(GetRValue(c), GetRValue(imagen.fondo), 8);
    EXPECT_NEAR(GetGValue(c), GetGValue(imagen.fondo), 8);
    EXPECT_NEAR(GetBValue(c), GetBValue(imagen.fondo), 8);
  }
}

TEST(Ventana, ArrancaConLosValoresPorDefectoYLaPrimeraCifraSeleccionada) {
  Programa programa;
  const wchar_t* textos[] = {L"0,00", L"0,00", L"0", L"0", L"0,00", L"5"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(programa.Texto(kCampos[i]), textos[i]);
  EXPECT_EQ(programa.Texto(kIdRrLim), L"0,00");
  for (const int id : {kIdPrLim, kIdPzSin, kIdPzCon}) EXPECT_EQ(programa.Texto(id), L"0,000");
  EXPECT_EQ(programa.Foco(), kIdVeMin);
  EXPECT_EQ(programa.Seleccion(kIdVeMin), std::make_pair(0, 4));
}

TEST(Ventana, TabRecorreLosControlesEnOrdenYShiftTabAlReves) {
  Programa programa;
  const int orden[] = {kIdVeMax, kIdIcMin,    kIdIcMax, kIdVnZener,
                       kIdIzMin, kIdCalcular, kIdReset, kIdVeMin};
  for (const int id : orden) {
    programa.Tab();
    EXPECT_EQ(programa.Foco(), id);
  }
  for (int i = 6; i >= 0; --i) {
    programa.Tab(true);
    EXPECT_EQ(programa.Foco(), orden[i]);
  }
  programa.Clic(kIdTitulo);
  programa.Clic(kIdValoresSinDesc);
  programa.Clic(kIdPzSin);
  EXPECT_EQ(programa.Foco(), kIdVeMax);  // labels and frames never take the focus
}

// Clicking a field selects its text; the first field has it selected already.
void Escribir(const Programa& programa, int id, std::wstring_view cifra) {
  if (programa.Foco() != id) programa.Clic(id);
  programa.Teclear(cifra);
}

TEST(Ventana, CalculaElEjemploAConRatonYTeclado) {
  Programa programa;
  Escribir(programa, kIdVeMin, L"12");
  Escribir(programa, kIdVeMax, L"15");
  Escribir(programa, kIdIcMin, L"20");
  Escribir(programa, kIdIcMax, L"100");
  Escribir(programa, kIdVnZener, L"5,1");
  Escribir(programa, kIdIzMin, L"5");
  programa.Clic(kIdCalcular);
  EXPECT_FALSE(programa.HayCuadro());
  EXPECT_EQ(programa.Texto(kIdRrLim), L"65,71");
  EXPECT_EQ(programa.Texto(kIdPrLim), L"1,491");
  EXPECT_EQ(programa.Texto(kIdPzSin), L"0,666");
  EXPECT_EQ(programa.Texto(kIdPzCon), L"0,768");
  EXPECT_EQ(programa.Texto(kIdVeMin), L"12,00");
  EXPECT_EQ(programa.Texto(kIdVnZener), L"5,10");
  EXPECT_EQ(programa.Foco(), kIdCalcular);
}

TEST(Ventana, UnaReglaIncumplidaSeAvisaYElFocoVaAlCampo) {
  Programa programa;
  Escribir(programa, kIdVeMin, L"12");
  Escribir(programa, kIdVeMax, L"10");
  programa.Clic(kIdCalcular);
  const Cuadro cuadro = programa.EsperarCuadro();
  ASSERT_NE(cuadro.hwnd, nullptr);
  EXPECT_EQ(cuadro.titulo, W(kReglas[1].titulo));
  EXPECT_EQ(cuadro.texto, W(kReglas[1].prompt));
  EXPECT_TRUE(cuadro.informacion);
  EXPECT_EQ(GetWindow(cuadro.hwnd, GW_OWNER), programa.Ventana());
  EXPECT_EQ(GetForegroundWindow(), cuadro.hwnd);      // it takes the keys: Enter closes it
  EXPECT_FALSE(IsWindowEnabled(programa.Ventana()));  // modal
  programa.CerrarCuadro(cuadro);
  EXPECT_TRUE(Esperar([&] { return programa.Foco() == kIdVeMax; }));
  EXPECT_EQ(programa.Seleccion(kIdVeMax), std::make_pair(0, 5));
  EXPECT_EQ(programa.Texto(kIdVeMax), L"10,00");
  EXPECT_FALSE(programa.HayCuadro());
}

TEST(Ventana, EnterYEspacioEnCalcularPulsanElBoton) {
  Programa programa;
  for (const WORD tecla : {static_cast<WORD>(VK_RETURN), static_cast<WORD>(VK_SPACE)}) {
    while (programa.Foco() != kIdCalcular) programa.Tab();
    programa.Tecla(tecla);
    const Cuadro cuadro = programa.EsperarCuadro();
    ASSERT_NE(cuadro.hwnd, nullptr);
    EXPECT_EQ(cuadro.texto, W(kReglas[0].prompt));
    programa.CerrarCuadro(cuadro);
    EXPECT_TRUE(Esperar([&] { return programa.Foco() == kIdVeMin; }));
  }
}

TEST(Ventana, ResetRestauraTodo) {
  Programa programa;
  Escribir(programa, kIdVeMin, L"12");
  Escribir(programa, kIdVeMax, L"15");
  Escribir(programa, kIdVnZener, L"5,1");
  Escribir(programa, kIdIzMin, L"9");
  programa.Clic(kIdCalcular);
  ASSERT_EQ(programa.Texto(kIdRrLim), L"766,67");
  programa.Clic(kIdReset);
  const wchar_t* textos[] = {L"0,00", L"0,00", L"0", L"0", L"0,00", L"5"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(programa.Texto(kCampos[i]), textos[i]);
  EXPECT_EQ(programa.Texto(kIdRrLim), L"0,00");
  EXPECT_EQ(programa.Foco(), kIdVeMin);
  EXPECT_EQ(programa.Seleccion(kIdVeMin), std::make_pair(0, 4));
  programa.Clic(kIdCalcular);  // every value is the default again: rule 1
  const Cuadro cuadro = programa.EsperarCuadro();
  EXPECT_EQ(cuadro.texto, W(kReglas[0].prompt));
}

TEST(Ventana, LasImagenesAbrenLaWebSinTocarNadaMas) {
  Programa programa;
  Escribir(programa, kIdVeMin, L"12");
  programa.Clic(kIdSchema);
  programa.Clic(kIdLogo);
  programa.Clic(kIdLogo);
  const std::string esperada = std::to_string(reinterpret_cast<UINT_PTR>(programa.Ventana())) +
                               "|Open|" ZENER_DIRECCION_WEB "|(null)|(null)|1";
  const auto llamadas = programa.LlamadasShell();
  ASSERT_EQ(llamadas.size(), 3u);
  for (const std::string& llamada : llamadas) EXPECT_EQ(llamada, esperada);
  EXPECT_EQ(programa.Foco(), kIdVeMin);
  EXPECT_EQ(programa.Texto(kIdVeMin), L"12");  // not even committed: the focus never moved
}

}  // namespace
}  // namespace zener::prueba
