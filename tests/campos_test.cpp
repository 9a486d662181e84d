#include "form/Campos.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "VentanaFalsa.h"
#include "core/Calculo.h"
#include "core/Tablas.h"
#include "form/Controles.h"

namespace zener {
namespace {

// Every code from below the 8-bit set to beyond it, against the list of the
// codes each filter lets through.
TEST(Filtros, SoloPasanLasTeclasDeCadaTipoDeCampo) {
  std::set<int> digitos;
  for (int c = '0'; c <= '9'; ++c) digitos.insert(c);
  std::set<int> pasanTension = digitos;
  pasanTension.insert({8, 13, 44});
  std::set<int> pasanCorriente = digitos;
  pasanCorriente.insert({8, 13});
  for (int codigo = -300; codigo <= 600; ++codigo) {
    const auto k = static_cast<std::int16_t>(codigo);
    std::int16_t v1 = k;
    std::int16_t v3 = k;
    Validar1(v1);
    Validar3(v3);
    if (codigo < 0 || codigo > 255) {
      EXPECT_EQ(v1, k);  // outside the 8-bit set the filters leave the code alone
      EXPECT_EQ(v3, k);
    } else if (codigo == 46) {
      EXPECT_EQ(v1, 44);
      EXPECT_EQ(v3, 0);
    } else {
      EXPECT_EQ(v1, pasanTension.count(codigo) ? k : 0) << codigo;
      EXPECT_EQ(v3, pasanCorriente.count(codigo) ? k : 0) << codigo;
    }
  }
}

TEST(EnterEnUnCampo, NormalizaYAvanzaPorLaCadena) {
  const struct {
    Control campo;
    const char* tecleado;
    const char* queda;
    Control siguiente;
  } casos[] = {
      {Control::txtVeMin, "", "0,00", Control::txtVeMax},
      {Control::txtVeMin, "12", "12,00", Control::txtVeMax},
      {Control::txtVeMax, ",5", "0,50", Control::txtIcMin},
      {Control::txtVnZener, "5,", "5,00", Control::txtIzMin},
      {Control::txtVeMin, "1234,5", "1.234,50", Control::txtVeMax},
      {Control::txtVeMin, "12,346", "12,35", Control::txtVeMax},
      {Control::txtVeMin, "12.5", "12,50", Control::txtVeMax},  // the point typed as a comma
      {Control::txtVeMax, "0", "0,00", Control::txtIcMin},
      {Control::txtVeMax, "0,0", "0,00", Control::txtIcMin},
      {Control::txtVeMax, ",00", "0,00", Control::txtIcMin},
      {Control::txtIcMin, "000", "0", Control::txtIcMax},
      {Control::txtIcMin, "007", "7", Control::txtIcMax},
      {Control::txtIcMin, "1a2-3", "123", Control::txtIcMax},  // filtered keys never arrive
      {Control::txtIcMax, "1500", "1.500", Control::txtVnZener},
      {Control::txtIzMin, "", "0", Control::cmdCalcular},
      {Control::txtIzMin, "25", "25", Control::cmdCalcular},
  };
  for (const auto& c : casos) {
    Banco banco;
    banco.Escribir(c.campo, "\b");
    banco.Teclear(c.tecleado);
    banco.Enter();
    EXPECT_EQ(banco.Texto(c.campo), c.queda) << c.tecleado;
    EXPECT_EQ(banco.ventana.foco, c.siguiente) << c.tecleado;
    EXPECT_TRUE(banco.ventana.cuadros.empty());
  }
}

TEST(EnterEnUnCampo, DesdeUnResetRecorreTodaLaCadenaSinCambiarTextos) {
  Banco banco;
  for (int i = 0; i < 6; ++i) banco.Enter();
  EXPECT_EQ(banco.ventana.foco, Control::cmdCalcular);
  const char* textos[] = {"0,00", "0,00", "0", "0", "0,00", "5"};
  for (std::size_t i = 0; i < kCampos.size(); ++i)
    EXPECT_EQ(banco.Texto(CampoDe(kCampos[i].magnitud)), textos[i]);
  EXPECT_EQ(banco.Datos().IzMin, 5);
  EXPECT_TRUE(banco.ventana.cuadros.empty());
}

// Invalid figures: the message, the default text selected, the focus kept.
TEST(EnterEnUnCampo, UnaCifraInvalidaSeRechaza) {
  const struct {
    Control campo;
    const char* texto;
    bool pegado;
    const char* inicial;
  } casos[] = {
      {Control::txtVeMin, "1,2,3", false, "0,00"},
      {Control::txtVeMin, ",", false, "0,00"},
      {Control::txtVeMax, "abc", true, "0,00"},
      {Control::txtIcMin, "1,2,3", true, "0"},
      {Control::txtVnZener, "12,5.1", true, "0,00"},
      {Control::txtIcMax, "1,2,3", true, "0"},  // plain fields still refuse what cannot be read
      {Control::txtIzMin, "-4", true, "0"},
      // Without a comma, points must group thousands: an English decimal is
      // refused in every field, never read ten or a thousand times too large.
      {Control::txtVeMin, "12.5", true, "0,00"},
      {Control::txtVeMax, "5.1", true, "0,00"},
      {Control::txtIcMin, "1.2345", true, "0"},
      {Control::txtIcMax, "12.5", true, "0"},
      {Control::txtVnZener, "5.1", true, "0,00"},
      {Control::txtIzMin, "0.500", true, "0"},
  };
  for (const auto& c : casos) {
    Banco banco;
    const Control otro = c.campo == Control::txtIzMin ? Control::txtVeMin : Control::txtIzMin;
    banco.Escribir(c.campo, "7");
    banco.Enfocar(otro);
    banco.Enfocar(c.campo);
    const DatosCircuito antes = banco.Datos();
    if (c.pegado) {
      banco.Pegar(c.texto);
    } else {
      banco.Teclear(c.texto);
    }
    banco.Enter();
    ASSERT_EQ(banco.ventana.cuadros.size(), 1u) << c.texto;
    EXPECT_EQ(banco.ventana.cuadros[0].prompt, kPromptCifraInvalida);
    EXPECT_EQ(banco.ventana.cuadros[0].estilo, 48);
    EXPECT_EQ(banco.ventana.cuadros[0].titulo, "Error");
    EXPECT_EQ(banco.Texto(c.campo), c.inicial);
    EXPECT_EQ(banco.ventana.seleccion[c.campo],
              (Seleccion{0, static_cast<int>(std::string(c.inicial).size())}));
    EXPECT_EQ(banco.ventana.foco, c.campo);
    EXPECT_EQ(banco.Datos().*FilaDe(MagnitudDe(c.campo)).valor,
              antes.*FilaDe(MagnitudDe(c.campo)).valor);
  }
}

TEST(EnterEnUnCampo, UnaComaPegadaEnUnCampoSimpleNoSeComprueba) {
  Banco banco;
  banco.Enfocar(Control::txtIcMax);
  banco.Pegar("1,7");
  banco.Enter();
  EXPECT_EQ(banco.Texto(Control::txtIcMax), "2");
  EXPECT_EQ(banco.Datos().IcMax, 2);
  EXPECT_TRUE(banco.ventana.cuadros.empty());
}

TEST(PerdidaDeFoco, GuardaElValorQueMuestraElCampo) {
  const struct {
    Control campo;
    const char* pegado;
    const char* queda;
    double guardado;
  } casos[] = {
      {Control::txtVeMin, "12,346", "12,35", 12.35},
      {Control::txtVeMin, ",5", "0,50", 0.5},
      {Control::txtVeMin, "0,004", "0,00", 0},
      {Control::txtVnZener, "5,", "5,00", 5},
      {Control::txtIcMin, "1,7", "2", 2},
      {Control::txtIcMax, "1,7", "2", 2},
      {Control::txtIcMax, "1234", "1.234", 1234},
      {Control::txtIcMax, "1.234", "1.234", 1234},
      {Control::txtIzMin, "", "0", 0},  // TextoInicial, not the reset text
      {Control::txtVeMax, "1.234,50", "1.234,50", 1234.5},
      {Control::txtVeMax, " 15 ", "15,00", 15},
  };
  for (const auto& c : casos) {
    Banco banco;
    banco.Enfocar(c.campo);
    banco.Pegar(c.pegado);
    banco.Enfocar(Control::txtVeMin == c.campo ? Control::txtIzMin : Control::txtVeMin);
    EXPECT_EQ(banco.Texto(c.campo), c.queda) << c.pegado;
    EXPECT_EQ(banco.Datos().*FilaDe(MagnitudDe(c.campo)).valor, c.guardado) << c.pegado;
    EXPECT_TRUE(banco.ventana.cuadros.empty());
  }
}

TEST(PerdidaDeFoco, UnaCifraInvalidaDevuelveElFocoSinTocarElValor) {
  for (const char* pegado : {"1,2,3x", "12.5"})
    for (const FilaCampo& fila : kCampos) {
      SCOPED_TRACE(pegado);
      Banco banco;
      const Control campo = CampoDe(fila.magnitud);
      const Control siguiente = SiguienteDe(campo);
      banco.Escribir(campo, "8");
      banco.Enfocar(siguiente == Control::cmdCalcular ? Control::txtVeMin : siguiente);
      banco.Enfocar(campo);
      banco.Pegar(pegado);
      const Control otro = campo == Control::txtVeMax ? Control::txtIcMin : Control::txtVeMax;
      banco.Enfocar(otro);
      ASSERT_EQ(banco.ventana.cuadros.size(), 1u);
      EXPECT_EQ(banco.ventana.cuadros[0].prompt, kPromptCifraInvalida);
      EXPECT_EQ(banco.Texto(campo), fila.TextoInicial);
      EXPECT_EQ(banco.ventana.foco, campo);
      EXPECT_EQ(banco.ventana.seleccion[campo],
                (Seleccion{0, static_cast<int>(fila.TextoInicial.size())}));
      EXPECT_EQ(banco.Datos().*fila.valor, 8);
      // Leaving again commits the default text now standing there.
      banco.Enfocar(otro);
      EXPECT_EQ(banco.Datos().*fila.valor, 0);
      EXPECT_EQ(banco.ventana.cuadros.size(), 1u);
    }
}

TEST(PerdidaDeFoco, TabularSinTeclearGuardaLoQueYaSeMostraba) {
  Banco banco;
  for (const FilaCampo& fila : kCampos) banco.Enfocar(SiguienteDe(CampoDe(fila.magnitud)));
  EXPECT_EQ(banco.Datos().IzMin, 5);
  EXPECT_EQ(banco.Datos().VeMin, 0);
  EXPECT_TRUE(banco.ventana.cuadros.empty());
}

TEST(EntradaDeFoco, BorraLosResultadosYSeleccionaTodo) {
  Banco banco;
  banco.Escribir(Control::txtVeMin, "12");
  banco.Escribir(Control::txtVeMax, "15");
  banco.Escribir(Control::txtIcMin, "20");
  banco.Escribir(Control::txtIcMax, "100");
  banco.Escribir(Control::txtVnZener, "5,1");
  banco.Escribir(Control::txtIzMin, "5");
  banco.Pulsar(Control::cmdCalcular);
  ASSERT_EQ(banco.Texto(Control::lblRrLim), "65,71");
  banco.Enfocar(Control::txtVeMax);
  EXPECT_EQ(banco.Texto(Control::lblRrLim), "0,00");
  EXPECT_EQ(banco.Texto(Control::lblPzCon), "0,000");
  EXPECT_EQ(banco.Datos().RrLim, 0);
  EXPECT_EQ(banco.ventana.seleccion[Control::txtVeMax], (Seleccion{0, 5}));
  banco.Enfocar(Control::txtVeMin);
  banco.Pegar("");
  banco.Enfocar(Control::txtIcMax);
  banco.Enfocar(Control::txtVeMin);
  EXPECT_EQ(banco.ventana.seleccion[Control::txtVeMin], (Seleccion{0, 4}));
}

}  // namespace
}  // namespace zener
