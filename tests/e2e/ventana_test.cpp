// The real window under real input: what a user sees and gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Programa.h"
#include "core/Calculo.h"
#include "ui/win32/Identificadores.h"
#include "ui/win32/Texto.h"

namespace zener::prueba {
namespace {

using namespace zener::win32;

constexpr int kCampos[] = {kIdVeMin, kIdVeMax, kIdIcMin, kIdIcMax, kIdVnZener, kIdIzMin};

std::wstring W(std::string_view utf8) {
  return win32::Ancho(utf8);
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

// Each click of a double click on a button is a whole click: the button takes
// the focus, so the field commits first and the focus moves as after one.
TEST(Ventana, CadaClicDeUnDobleClicEnUnBotonEsUnClic) {
  {
    Programa programa;
    programa.DobleClic(kIdReset);
    programa.Teclear(L"3,3\r");
    EXPECT_FALSE(programa.HayCuadro());
    EXPECT_EQ(programa.Texto(kIdVeMin), L"3,30");
  }
  std::vector<std::wstring> resultados[2];
  for (int veces = 1; veces <= 2; ++veces) {
    Programa programa;
    programa.Teclear(L"12\r15\r20\r100\r5,1\r7");  // the last figure not confirmed
    programa.Clic(kIdCalcular, veces);
    EXPECT_FALSE(programa.HayCuadro());
    EXPECT_EQ(programa.Texto(kIdIzMin), L"7");
    EXPECT_EQ(programa.Foco(), kIdCalcular);
    for (const int id : {kIdRrLim, kIdPrLim, kIdPzSin, kIdPzCon}) {
      resultados[veces - 1].push_back(programa.Texto(id));
    }
  }
  EXPECT_EQ(resultados[0][0], L"64,49");
  EXPECT_EQ(resultados[1], resultados[0]);
}

// The first of the two designs whose last digit the x87 unit got wrong.
TEST(Ventana, CalculaEnDoblePrecision) {
  Programa programa;
  programa.Teclear(L"13,06\r13,16\r238\r644\r12,06\r6\r\r");
  EXPECT_EQ(programa.Texto(kIdPrLim), L"0,786");
}

}  // namespace
}  // namespace zener::prueba
