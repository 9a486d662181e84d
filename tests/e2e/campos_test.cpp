// The entry fields of the real window, typed into and pasted into as a user does.
#include <gtest/gtest.h>

#include <string>

#include "Programa.h"
#include "core/Calculo.h"
#include "form/Campos.h"
#include "ui/win32/Identificadores.h"
#include "ui/win32/Texto.h"

namespace zener::prueba {
namespace {

using namespace zener::win32;

void ExpectResultados(const Programa& programa, const wchar_t* rr, const wchar_t* pr,
                      const wchar_t* pzSin, const wchar_t* pzCon) {
  EXPECT_EQ(programa.Texto(kIdRrLim), rr);
  EXPECT_EQ(programa.Texto(kIdPrLim), pr);
  EXPECT_EQ(programa.Texto(kIdPzSin), pzSin);
  EXPECT_EQ(programa.Texto(kIdPzCon), pzCon);
}

// The message for a figure that is not valid, closed with OK.
void ExpectCifraRechazada(const Programa& programa) {
  const Cuadro cuadro = programa.EsperarCuadro();
  ASSERT_NE(cuadro.hwnd, nullptr);
  EXPECT_EQ(cuadro.texto, Ancho(kPromptCifraInvalida));
  EXPECT_EQ(cuadro.titulo, L"Error");
  EXPECT_TRUE(cuadro.exclamacion);
  programa.CerrarCuadro(cuadro);
}

TEST(CamposEnLaVentana, SoloConElTecladoSeCalculaElEjemploA) {
  Programa programa;
  programa.Teclear(L"12\r15\r20\r100\r5.1\r5\r");
  EXPECT_EQ(programa.Foco(), kIdCalcular);
  EXPECT_EQ(programa.Texto(kIdVeMin), L"12,00");
  EXPECT_EQ(programa.Texto(kIdIcMax), L"100");
  EXPECT_EQ(programa.Texto(kIdVnZener), L"5,10");
  programa.Tecla(VK_RETURN);
  EXPECT_FALSE(programa.HayCuadro());
  ExpectResultados(programa, L"65,71", L"1,491", L"0,666", L"0,768");
  // Going back into any field clears the results.
  programa.Tab(true);
  EXPECT_EQ(programa.Foco(), kIdIzMin);
  ExpectResultados(programa, L"0,00", L"0,000", L"0,000", L"0,000");
  EXPECT_EQ(programa.Seleccion(kIdIzMin), std::make_pair(0, 1));
}

TEST(CamposEnLaVentana, CadaCampoSoloAdmiteSusTeclas) {
  Programa programa;
  programa.Teclear(L"1a.5 -+x/2");
  EXPECT_EQ(programa.Texto(kIdVeMin), L"1,52");  // the point typed as a comma
  programa.Teclear(L"\r");
  programa.Teclear(L"9\r");
  EXPECT_EQ(programa.Foco(), kIdIcMin);
  programa.Teclear(L"4.,a -7é€");  // beyond the 8-bit set too
  EXPECT_EQ(programa.Texto(kIdIcMin), L"47");
  programa.Teclear(L"\b");
  EXPECT_EQ(programa.Texto(kIdIcMin), L"4");
  PonerPortapapeles(L"99");
  programa.Tecla('V', false, true);  // Ctrl+V is a control character: dropped
  EXPECT_EQ(programa.Texto(kIdIcMin), L"4");
  EXPECT_FALSE(programa.HayCuadro());
}

TEST(CamposEnLaVentana, EnterSobreUnaCifraInvalidaLaRechazaYSeQuedaEnElCampo) {
  Programa programa;
  programa.Teclear(L"1,2,3\r");
  ExpectCifraRechazada(programa);
  EXPECT_TRUE(Esperar([&] { return programa.Foco() == kIdVeMin; }));
  EXPECT_EQ(programa.Texto(kIdVeMin), L"0,00");
  EXPECT_EQ(programa.Seleccion(kIdVeMin), std::make_pair(0, 4));
  EXPECT_FALSE(programa.HayCuadro());
  programa.Teclear(L"7\r");  // typing replaces the selected default text
  EXPECT_EQ(programa.Texto(kIdVeMin), L"7,00");
  EXPECT_EQ(programa.Foco(), kIdVeMax);
}

// A paste passes no key filter; the commit on leaving the field catches it.
TEST(CamposEnLaVentana, UnTextoPegadoInvalidoSeRechazaAlSalirDelCampo) {
  const struct {
    int campo;
    const wchar_t* pegado;
    const wchar_t* inicial;
  } casos[] = {
      {kIdVeMax, L"abc", L"0,00"},  // guarded field
      {kIdIcMax, L"1,2,3", L"0"},   // plain field
      {kIdIzMin, L"-12", L"0"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.campo);
    Programa programa;
    programa.Clic(c.campo);
    PonerPortapapeles(c.pegado);
    programa.Tecla(VK_INSERT, true);
    ASSERT_EQ(programa.Texto(c.campo), c.pegado);
    programa.Clic(kIdVnZener == c.campo ? kIdVeMin : kIdVnZener);
    ExpectCifraRechazada(programa);
    EXPECT_TRUE(Esperar([&] { return programa.Foco() == c.campo; }));
    EXPECT_EQ(programa.Texto(c.campo), c.inicial);
    EXPECT_EQ(programa.Seleccion(c.campo),
              std::make_pair(0, static_cast<int>(std::wstring(c.inicial).size())));
    programa.Calma();
    EXPECT_FALSE(programa.HayCuadro());  // one message, no loop of them
    EXPECT_TRUE(programa.Vivo());
  }
}

TEST(CamposEnLaVentana, UnaComaPegadaEnUnCampoSimpleSeRedondea) {
  Programa programa;
  programa.Clic(kIdIcMax);
  PonerPortapapeles(L"1,7");
  programa.Tecla(VK_INSERT, true);
  programa.Teclear(L"\r");
  EXPECT_EQ(programa.Texto(kIdIcMax), L"2");
  EXPECT_EQ(programa.Foco(), kIdVnZener);
  EXPECT_FALSE(programa.HayCuadro());
}

TEST(CamposEnLaVentana, PulsarCalcularGuardaAntesLaCifraQueSeEstaEscribiendo) {
  Programa programa;
  programa.Teclear(L"12\r15\r\r\r5,1");
  EXPECT_EQ(programa.Foco(), kIdVnZener);
  programa.Clic(kIdCalcular);
  EXPECT_FALSE(programa.HayCuadro());
  EXPECT_EQ(programa.Texto(kIdVnZener), L"5,10");
  EXPECT_EQ(programa.Texto(kIdRrLim), L"1.380,00");
}

// A click on a button whose focus-loss commit refuses the field's figure:
// the message, the field's default text and the focus back, and the click
// does not run; the next click does.
TEST(CamposEnLaVentana, UnClicQueRechazaLaCifraNoPulsaElBoton) {
  for (const int boton : {kIdCalcular, kIdReset}) {
    SCOPED_TRACE(boton);
    Programa programa;
    programa.Teclear(L"12\r15\r20\r100\r5,1\r");
    programa.Clic(kIdVeMax);
    ASSERT_TRUE(PonerPortapapeles(L"1,2,3"));
    programa.Tecla(VK_INSERT, true);
    programa.Clic(boton);
    ExpectCifraRechazada(programa);
    EXPECT_TRUE(Esperar([&] { return programa.Foco() == kIdVeMax; }));
    EXPECT_EQ(programa.Texto(kIdVeMax), L"0,00");
    EXPECT_EQ(programa.Texto(kIdVeMin), L"12,00");  // no reset ran
    EXPECT_EQ(programa.Texto(kIdRrLim), L"0,00");   // no calculation ran
    EXPECT_FALSE(programa.HayCuadro());
    programa.Clic(boton);
    if (boton == kIdReset) {
      EXPECT_EQ(programa.Texto(kIdVeMin), L"0,00");
    } else {
      EXPECT_EQ(programa.EsperarCuadro().texto, Ancho(kReglas[1].prompt));  // VeMax < VeMin
    }
  }
}

}  // namespace
}  // namespace zener::prueba
