#include "form/Controlador.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "VentanaFalsa.h"
#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "core/Tablas.h"
#include "form/Campos.h"
#include "form/Controles.h"

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

// A link's figures go in as a focus loss commits them; what the commit
// refuses changes nothing and says nothing. What a field then shows for its
// value gives the same value back on another window, as a shared link does.
TEST(Controlador, UnaCifraDeFueraSeConfirmaComoAlSalirDelCampo) {
  const struct {
    Control campo;
    std::string texto;
    bool puesta;
    const char* queda;
  } casos[] = {
      {Control::txtVeMin, "12", true, "12,00"},
      {Control::txtVeMin, "12,346", true, "12,35"},
      {Control::txtVeMax, "", true, "0,00"},
      {Control::txtIcMin, "1,7", true, "2"},
      {Control::txtIcMax, "1234", true, "1.234"},
      {Control::txtIcMax, "1.234.567", true, "1.234.567"},
      {Control::txtIzMin, "0", true, "0"},
      {Control::txtVnZener, "5,,1", false, "5,10"},
      {Control::txtVnZener, "5.1", false, "5,10"},
      {Control::txtIcMax, "1,2,3", false, "100"},
      {Control::txtIzMin, "<b>7</b>", false, "5"},
      {Control::txtVeMin, "1e3", false, "12,00"},
      {Control::txtVeMax, "-15", false, "15,00"},
      {Control::txtVeMax, std::string(400, '9'), false, "15,00"},
      {Control::lblRrLim, "1", false, "65,71"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.texto);
    Banco banco;
    TeclearEjemploA(banco);
    banco.Pulsar(Control::cmdCalcular);
    const DatosCircuito antes = banco.Datos();
    EXPECT_EQ(banco.controlador.Poner(c.campo, c.texto), c.puesta);
    EXPECT_EQ(banco.Texto(c.campo), c.queda);
    EXPECT_TRUE(banco.ventana.cuadros.empty());
    EXPECT_EQ(banco.Texto(Control::lblRrLim), c.puesta ? "0,00" : "65,71");
    EXPECT_EQ(banco.controlador.MuestraResultados(), !c.puesta);
    if (!EsCampo(c.campo)) continue;
    EXPECT_EQ(banco.ventana.seleccion[c.campo].longitud, LongitudEnCaracteres(c.queda));
    EXPECT_EQ(banco.controlador.TextoConfirmado(c.campo), c.queda);
    const double DatosCircuito::*miembro = FilaDe(MagnitudDe(c.campo)).valor;
    const double valor = banco.Datos().*miembro;
    EXPECT_EQ(valor, c.puesta ? *LeerCifra(c.queda) : antes.*miembro);

    Banco otro;
    EXPECT_TRUE(otro.controlador.Poner(c.campo, banco.controlador.TextoConfirmado(c.campo)));
    EXPECT_EQ(otro.Datos().*miembro, valor);
  }
}

// Whether the window shows the results of its values, through what clears
// them and what does not.
TEST(Controlador, SabeSiLaVentanaMuestraResultados) {
  Banco banco(true);
  const struct {
    const char* paso;
    std::function<void()> hacer;
    bool muestra;
  } pasos[] = {
      {"al abrir", [] {}, false},
      {"el ejemplo A tecleado", [&] { TeclearEjemploA(banco); }, false},
      {"CALCULAR", [&] { banco.Pulsar(Control::cmdCalcular); }, true},
      {"el logo", [&] { banco.Pulsar(Control::imgLogo); }, true},
      {"CALCULAR otra vez", [&] { banco.Pulsar(Control::cmdCalcular); }, true},
      {"entrar en un campo", [&] { banco.Enfocar(Control::txtVeMax); }, false},
      {"CALCULAR de nuevo", [&] { banco.Pulsar(Control::cmdCalcular); }, true},
      {"RESET", [&] { banco.Pulsar(Control::cmdReset); }, false},
      {"CALCULAR que falla", [&] { banco.Pulsar(Control::cmdCalcular); }, false},
      {"una cifra con el cuadro abierto",
       [&] { EXPECT_FALSE(banco.controlador.Poner(Control::txtVeMin, "12")); }, false},
      {"el cuadro cerrado", [&] { banco.CerrarCuadro(); }, false},
  };
  for (const auto& p : pasos) {
    p.hacer();
    EXPECT_EQ(banco.controlador.MuestraResultados(), p.muestra) << p.paso;
  }
  EXPECT_EQ(banco.Texto(Control::txtVeMin), "0,00");
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
