#include "form/ColaEventos.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "VentanaFalsa.h"
#include "core/Tablas.h"

namespace zener {
namespace {

// Records the events it gets, throwing once on a chosen one.
struct Registro final : EventosVentana {
  void Load() override { vistos.push_back({Evento::Tipo::Load, Control::txtVeMin}); }
  void Click(Control c) override {
    vistos.push_back({Evento::Tipo::Click, c});
    if (c == lanzaEn) throw std::runtime_error("handler failed");
  }
  void KeyPress(Control, std::int16_t&) override {}
  void GotFocus(Control c) override { vistos.push_back({Evento::Tipo::GotFocus, c}); }
  void LostFocus(Control c) override { vistos.push_back({Evento::Tipo::LostFocus, c}); }

  std::vector<Evento> vistos;
  std::optional<Control> lanzaEn;
};

TEST(ColaEventos, UnManejadorQueLanzaNoLaDejaOcupada) {
  Registro registro;
  registro.lanzaEn = Control::cmdReset;
  ColaEventos cola(registro);
  cola.Encolar({Evento::Tipo::Click, Control::cmdReset});
  EXPECT_THROW(cola.Entregar(), std::runtime_error);
  cola.Encolar({Evento::Tipo::Click, Control::cmdCalcular});
  cola.Entregar();
  ASSERT_EQ(registro.vistos.size(), 2u);
  EXPECT_EQ(registro.vistos[1].control, Control::cmdCalcular);
}

// A real message box runs its own message loop, which hands the window's
// posted messages on; the queue must keep what arrives meanwhile until the
// handler that opened the box has ended.
class VentanaQueBombea final : public Ventana {
 public:
  VentanaQueBombea() : form_(*this, nullptr, ""), cola(form_) {}
  std::string LeerTexto(Control c) const override { return falsa.LeerTexto(c); }
  void EscribirTexto(Control c, std::string_view t) override { falsa.EscribirTexto(c, t); }
  void FijarSeleccion(Control c, int i, int l) override { falsa.FijarSeleccion(c, i, l); }
  void EscribirEtiqueta(Control c, std::string_view t) override { falsa.EscribirEtiqueta(c, t); }
  void DarFoco(Control destino) override { falsa.DarFoco(destino); }
  void* Manejador() const override { return nullptr; }
  std::int16_t MostrarCuadro(std::string_view, std::int16_t, std::string_view) override {
    cola.Encolar({Evento::Tipo::GotFocus, Control::txtVeMax});
    cola.Entregar();
    seleccionEnElCuadro = falsa.seleccion[Control::txtVeMax];
    ++cuadros;
    return 1;
  }

  VentanaFalsa falsa;
  int cuadros = 0;
  Seleccion seleccionEnElCuadro;

 private:
  Form1 form_;

 public:
  ColaEventos cola;
};

TEST(ColaEventos, UnEventoLlegadoConElCuadroAbiertoEsperaAQueSeCierre) {
  VentanaQueBombea ventana;
  ventana.cola.Encolar({Evento::Tipo::Load, Control::txtVeMin});
  ventana.cola.Encolar({Evento::Tipo::Click, Control::cmdCalcular});  // rule 1 fails
  ventana.cola.Entregar();
  EXPECT_EQ(ventana.cuadros, 1);
  // Inside the box the field's focus entry had not run; afterwards it had,
  // and selected the whole text.
  EXPECT_EQ(ventana.seleccionEnElCuadro, (Seleccion{0, 0}));
  EXPECT_EQ(ventana.falsa.seleccion[Control::txtVeMax], (Seleccion{0, 4}));
}

}  // namespace
}  // namespace zener
