#include "form/Controlador.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "VentanaFalsa.h"
#include "core/Calculo.h"
#include "form/Campos.h"

namespace zener {
namespace {

void TeclearEjemploA(Banco& banco) {
  for (const char* cifra : {"12", "15", "20", "100", "5.1", "5"}) {
    banco.Teclear(cifra);
    banco.Enter();
  }
}

// A page's box stays open while the logic waits: until it is closed the
// field shows what was refused, the click that opened it and any key or
// click meanwhile do nothing, and what the handler still had to do comes
// after.
TEST(Controlador, UnCuadroQueEsperaDetieneLaVentanaHastaQueSeCierra) {
  Banco banco(true);
  TeclearEjemploA(banco);
  banco.Pulsar(Control::cmdCalcular);
  ASSERT_EQ(banco.Texto(Control::lblRrLim), "65,71");
  banco.Escribir(Control::txtVnZener, "5,,1");
  EXPECT_EQ(banco.Pulsar(Control::cmdCalcular), std::nullopt);
  ASSERT_EQ(banco.ventana.cuadros.size(), 1u);
  EXPECT_EQ(banco.ventana.cuadros[0].prompt, kPromptCifraInvalida);
  EXPECT_TRUE(banco.controlador.CuadroAbierto());
  EXPECT_EQ(banco.Texto(Control::txtVnZener), "5,,1");
  EXPECT_EQ(banco.Texto(Control::lblRrLim), "0,00");
  EXPECT_EQ(banco.controlador.Tecla(Control::txtVnZener, '7'), 0);
  EXPECT_EQ(banco.Pulsar(Control::cmdReset), std::nullopt);
  banco.Enfocar(Control::txtIcMin);  // held: no focus entry yet
  EXPECT_EQ(banco.ventana.seleccion[Control::txtIcMin], Seleccion{});
  EXPECT_FALSE(banco.controlador.EntregaPendiente());

  banco.ventana.foco = Control::cmdCalcular;  // where closing the box puts it back
  banco.CerrarCuadro();
  EXPECT_FALSE(banco.controlador.CuadroAbierto());
  EXPECT_EQ(banco.ventana.cuadros.size(), 1u);
  EXPECT_EQ(banco.Texto(Control::txtVnZener), "0,00");
  EXPECT_EQ(banco.Texto(Control::txtVeMin), "12,00");  // no reset ran
  EXPECT_EQ(banco.ventana.foco, Control::txtVnZener);
  EXPECT_EQ(banco.ventana.seleccion[Control::txtVnZener], (Seleccion{0, 4}));
  EXPECT_EQ(banco.Datos().VnZener, 5.1);  // the refused figure stored nothing
  EXPECT_EQ(banco.Pulsar(Control::cmdCalcular), Veredicto::Regla4);
}

// The focus leaves the window with a figure typed and not confirmed, and a
// click on the window brings the user back: the figure is committed (or
// refused) before the click does anything, as on Windows.
TEST(Controlador, ElClicQueVuelveALaVentanaConfirmaAntesLaCifra) {
  const struct {
    Control campo;
    const char* tecleado;
    Control clic;
    std::optional<Veredicto> veredicto;
    std::size_t cuadros;
    const char* rrLim;
    Control foco;
  } casos[] = {
      {Control::txtIzMin, "50", Control::cmdCalcular, Veredicto::Cumple, 0, "46,00",
       Control::cmdCalcular},
      {Control::txtIzMin, "150", Control::cmdCalcular, Veredicto::Regla7, 1, "0,00",
       Control::txtIzMin},
      {Control::txtVeMin, "1,2,3", Control::txtVeMax, std::nullopt, 1, "0,00", Control::txtVeMin},
      {Control::txtIzMin, "50", Control::imgLogo, std::nullopt, 0, "0,00", Control::txtIzMin},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.tecleado);
    Banco banco;
    TeclearEjemploA(banco);
    banco.Escribir(c.campo, c.tecleado);
    banco.Salir();
    EXPECT_EQ(banco.Volver(c.clic), c.veredicto);
    EXPECT_EQ(banco.ventana.cuadros.size(), c.cuadros);
    EXPECT_EQ(banco.Texto(Control::lblRrLim), c.rrLim);
    EXPECT_EQ(banco.ventana.foco, c.foco);
  }
}

// Only a character of the window's 8-bit set reaches a field's handler: a
// wider one is dropped, never cut down to its low byte.
TEST(Controlador, SoloLlegaAlManejadorUnCaracterDeOchoBits) {
  Banco banco;
  for (const std::int32_t codigo : {-1, 256 + '1', 0x20AC, 0x10000 + '5'}) {
    EXPECT_EQ(banco.controlador.Tecla(Control::txtVeMin, codigo), 0) << codigo;
  }
  EXPECT_EQ(banco.controlador.Tecla(Control::cmdCalcular, '5'), 0);
  EXPECT_EQ(banco.controlador.Tecla(Control::txtVeMin, '.'), ',');
  EXPECT_TRUE(banco.ventana.cuadros.empty());
}

TEST(Controlador, UnManejadorQueLanzaNoLaDejaOcupada) {
  Banco banco;
  banco.ventana.etiquetaQueFalla = true;
  EXPECT_THROW(banco.controlador.Clic(Control::cmdCalcular), std::runtime_error);
  EXPECT_EQ(banco.controlador.Clic(Control::cmdCalcular), Veredicto::Regla1);
  EXPECT_EQ(banco.ventana.cuadros.size(), 1u);
}

// A real message box runs its own message loop, which hands the window's
// posted messages on; what arrives meanwhile waits until the box is closed
// and the handler that opened it has ended.
TEST(Controlador, UnEventoLlegadoConElCuadroAbiertoEsperaAQueSeCierre) {
  Banco banco;
  std::vector<Control> seleccionadosEnElCuadro;
  banco.ventana.dentroDelCuadro = [&] {
    banco.Enfocar(Control::txtVeMax);
    seleccionadosEnElCuadro = banco.ventana.seleccionados;
  };
  banco.controlador.Clic(Control::cmdCalcular);  // rule 1 fails
  EXPECT_EQ(seleccionadosEnElCuadro, std::vector<Control>{Control::txtVeMin});
  EXPECT_EQ(banco.ventana.seleccionados,
            (std::vector<Control>{Control::txtVeMin, Control::txtVeMax, Control::txtVeMin}));
}

}  // namespace
}  // namespace zener
