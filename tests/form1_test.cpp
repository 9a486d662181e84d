#include "form/Form1.h"

#include <gtest/gtest.h>

#include "VentanaFalsa.h"
#include "core/Calculo.h"
#include "core/Tablas.h"
#include "form/Controles.h"
#include "form/Procedimientos.h"

namespace zener {
namespace {

TEST(Form1, ArrancaConLosValoresPorDefectoYElFocoEnLaPrimeraCifra) {
  Banco banco;
  const char* textos[] = {"0,00", "0,00", "0", "0", "0,00", "5"};
  for (std::size_t i = 0; i < kCampos.size(); ++i)
    EXPECT_EQ(banco.Texto(CampoDe(kCampos[i].magnitud)), textos[i]);
  EXPECT_EQ(banco.Texto(Control::lblRrLim), "0,00");
  EXPECT_EQ(banco.Texto(Control::lblPzSin), "0,000");
  EXPECT_EQ(banco.ventana.foco, Control::txtVeMin);
  EXPECT_EQ(banco.ventana.seleccion[Control::txtVeMin], (Seleccion{0, 4}));
  EXPECT_EQ(banco.Datos().IzMin, 5);
  EXPECT_EQ(banco.ventana.textosAlMostrarse.at(Control::txtIzMin), "5");  // loaded, then shown
}

TEST(Form1, SoloConElTecladoSeCalculaElEjemploA) {
  Banco banco;
  for (const char* cifra : {"12", "15", "20", "100", "5.1", "5"}) {
    banco.Teclear(cifra);
    banco.Enter();
  }
  ASSERT_EQ(banco.ventana.foco, Control::cmdCalcular);
  banco.Pulsar(Control::cmdCalcular);
  EXPECT_EQ(banco.Texto(Control::lblRrLim), "65,71");
  EXPECT_EQ(banco.Texto(Control::lblPrLim), "1,491");
  EXPECT_EQ(banco.Texto(Control::lblPzSin), "0,666");
  EXPECT_EQ(banco.Texto(Control::lblPzCon), "0,768");
  EXPECT_EQ(banco.Texto(Control::txtVnZener), "5,10");
  EXPECT_EQ(banco.ventana.foco, Control::cmdCalcular);
}

// The click takes the focus first, so the field commits before the rules run.
TEST(Form1, PulsarCalcularGuardaAntesLaCifraDelCampo) {
  Banco banco;
  banco.Escribir(Control::txtVeMin, "12");
  banco.Escribir(Control::txtVeMax, "15");
  banco.Escribir(Control::txtVnZener, "5,1");
  banco.Pulsar(Control::cmdCalcular);
  EXPECT_EQ(banco.Datos().VnZener, 5.1);
  EXPECT_TRUE(banco.ventana.cuadros.empty());
  EXPECT_EQ(banco.Texto(Control::lblRrLim), "1.380,00");
}

TEST(Form1, UnaReglaIncumplidaLlevaElFocoAlCampoYSeleccionaSuTexto) {
  Banco banco;
  banco.Pulsar(Control::cmdCalcular);
  ASSERT_EQ(banco.ventana.cuadros.size(), 1u);
  EXPECT_EQ(banco.ventana.cuadros[0].prompt, TextoDelCuadro(Veredicto::Regla1));
  EXPECT_EQ(banco.ventana.foco, Control::txtVeMin);
  EXPECT_EQ(banco.ventana.seleccion[Control::txtVeMin], (Seleccion{0, 4}));
}

TEST(Form1, ResetRestauraTodoYVuelveALaPrimeraCifra) {
  Banco banco;
  banco.Escribir(Control::txtVeMin, "12");
  banco.Escribir(Control::txtVeMax, "15");
  banco.Escribir(Control::txtVnZener, "5,1");
  banco.Escribir(Control::txtIzMin, "7");
  banco.Pulsar(Control::cmdCalcular);
  banco.Enfocar(Control::txtIcMin);
  banco.Teclear("44");
  banco.Pulsar(Control::cmdReset);
  EXPECT_EQ(banco.Datos().IcMin, 0);  // committed on the way out, then reset
  EXPECT_EQ(banco.Datos().VeMin, 0);
  EXPECT_EQ(banco.Datos().IzMin, 5);
  EXPECT_EQ(banco.Texto(Control::txtIzMin), "5");
  EXPECT_EQ(banco.Texto(Control::txtIcMin), "0");
  EXPECT_EQ(banco.Texto(Control::lblRrLim), "0,00");
  EXPECT_EQ(banco.ventana.foco, Control::txtVeMin);
  EXPECT_EQ(banco.ventana.seleccion[Control::txtVeMin], (Seleccion{0, 4}));
}

TEST(Form1, LasImagenesAbrenLaWebConLaVentanaComoPropietaria) {
  Banco banco;
  banco.Escribir(Control::txtVeMin, "12");
  const auto antes = banco.ventana.textos;
  for (const Control imagen : {Control::imgSchema, Control::imgLogo, Control::imgLogo}) {
    banco.Pulsar(imagen);
  }
  ASSERT_EQ(Banco::llamadasShell.size(), 3u);
  for (const LlamadaRegistrada& llamada : Banco::llamadasShell) {
    EXPECT_EQ(llamada.propietario, &banco.ventana);
    EXPECT_EQ(llamada.operacion, "Open");
    EXPECT_EQ(llamada.archivo, "http://prueba.invalid/");
    EXPECT_EQ(llamada.parametros, nullptr);
    EXPECT_EQ(llamada.directorio, nullptr);
    EXPECT_EQ(llamada.mostrar, 1);
  }
  EXPECT_EQ(banco.ventana.textos, antes);
  EXPECT_EQ(banco.ventana.foco, Control::txtVeMin);
}

}  // namespace
}  // namespace zener
