#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <locale>
#include <random>
#include <string>

#include "core/NumeroTexto.h"
#include "core/Tablas.h"

namespace zener {
namespace {

TEST(CifraValida, AdmiteNingunaOUnaComaSalvoLaComaSola) {
  const struct {
    const char* texto;
    bool valida;
  } casos[] = {
      {"", true},         {"12", true},    {",5", true},   {"5,", true},
      {"1.234,50", true}, {"abc", true},   {",", false},   {",,", false},
      {"1,2,3", false},   {"1,2,", false}, {",,5", false},
  };
  for (const auto& c : casos) EXPECT_EQ(CifraValida(c.texto), c.valida) << c.texto;
}

TEST(LeerCifra, LeeLasFormasQueElSistemaProduceOAdmite) {
  const struct {
    const char* texto;
    double valor;
  } casos[] = {
      {"5", 5},
      {"007", 7},
      {",5", 0.5},
      {"5,", 5},
      {"12,345", 12.345},
      {"1.234", 1234},
      {"1.234,50", 1234.5},
      {"12.345", 12345},
      {"12.500", 12500},
      {"1.234.567,89", 1234567.89},
      {"1.24,50", 124.5},  // points in the integer part group, wherever they stand
      {"0", 0},
      {"0,0", 0},
      {",0", 0},
      {"000", 0},
      {" 12,5 ", 12.5},  // spaces around a pasted figure
      {"0,1", 0.1},
      {"2,675", 2.675},
  };
  for (const auto& c : casos) {
    const auto valor = LeerCifra(c.texto);
    ASSERT_TRUE(valor.has_value()) << c.texto;
    EXPECT_EQ(*valor, c.valor) << c.texto;
  }
}

TEST(LeerCifra, RechazaLoQueNoEsUnaCifra) {
  // From "12.5" on: without a comma, a point that does not group thousands.
  const char* casos[] = {
      "",     ",",    ".",      "abc",   "1,2,3",    "-5",   "+5",     "1 2",    "1e5", "12,5.0",
      "12,a", "0x10", "\t5",    "5V",    "١٢",       "1,5,", "ñ",      "inf",    "nan", " ",
      "12.5", "5.1",  "1.2345", "0.500", "1234.567", ".123", "1.234.", "1..234",
  };
  for (const char* texto : casos) EXPECT_FALSE(LeerCifra(texto).has_value()) << texto;
}

TEST(LeerCifra, LeeHastaElMayorDouble) {
  EXPECT_EQ(LeerCifra("17976931348623157" + std::string(292, '0')), 1.7976931348623157e308);
}

TEST(LeerCifra, RechazaValoresFueraDelRangoDeUnDouble) {
  EXPECT_FALSE(LeerCifra(std::string(400, '9')).has_value());
  EXPECT_FALSE(LeerCifra("1" + std::string(309, '0')).has_value());
}

// Its 15-digit form would overflow when read back: no text stands for it.
TEST(FormatearCifra, RechazaLoQueNoPodriaLeerseDeVuelta) {
  const std::string mayor = "17976931348623157" + std::string(292, '0');
  ASSERT_TRUE(LeerCifra(mayor).has_value());
  EXPECT_FALSE(FormatearCifra(mayor, kMascaraTension).has_value());
  EXPECT_FALSE(NormalizarCifra(mayor, kMascaraCorriente, "0").has_value());
  const std::string casi = "179769313486231" + std::string(294, '0');
  EXPECT_EQ(LeerCifra(*FormatearCifra(casi, kMascaraCorriente)), LeerCifra(casi));
}

TEST(LeerCifra, UnValorDiminutoEsCero) {
  EXPECT_EQ(LeerCifra("0," + std::string(400, '0') + "1"), 0.0);
}

TEST(LeerCifra, UnTextoEnormeSeRechazaSinColgarse) {
  EXPECT_FALSE(LeerCifra(std::string(100000, '7')).has_value());
  EXPECT_FALSE(LeerCifra(std::string(100000, ',')).has_value());
  EXPECT_EQ(LeerCifra("1," + std::string(100000, '0')), 1.0);
}

TEST(TextoGeneral, QuinceCifrasSignificativasConComaYSinExponente) {
  const struct {
    double valor;
    const char* texto;
  } casos[] = {
      {0, "0"},
      {5, "5"},
      {1234.5, "1234,5"},
      {0.0456, "0,0456"},
      {6.9 / 105 * 1000, "65,7142857142857"},
      {0.1 + 0.2, "0,3"},
      {95000, "95000"},
      {1e20, "100000000000000000000"},
      {1.5e-7, "0,00000015"},
      {-2.5, "-2,5"},
  };
  for (const auto& c : casos) EXPECT_EQ(TextoGeneral(c.valor), c.texto) << c.valor;
}

TEST(FormatearCifra, RedondeaYAgrupaSegunLaMascara) {
  const struct {
    const char* texto;
    std::string_view mascara;
    const char* esperado;
  } casos[] = {
      {"5", kMascaraTension, "5,00"},
      {",5", kMascaraTension, "0,50"},
      {"1234,5", kMascaraTension, "1.234,50"},
      {"1234567", kMascaraTension, "1.234.567,00"},
      {"0,004", kMascaraTension, "0,00"},
      {"0,005", kMascaraTension, "0,01"},
      {"2,675", kMascaraTension, "2,68"},  // not the binary 2.67499...
      {"0,125", kMascaraTension, "0,13"},  // ties go away from zero
      {"9,995", kMascaraTension, "10,00"},
      {"999,999", kMascaraTension, "1.000,00"},
      {"1234,5678", kMascaraTension, "1.234,57"},
      {"12,7", kMascaraCorriente, "13"},
      {"2,5", kMascaraCorriente, "3"},
      {"1234", kMascaraCorriente, "1.234"},
      {"1.234", kMascaraCorriente, "1.234"},
      {"5", kMascaraCorriente, "5"},
      {"123456", kMascaraCorriente, "123.456"},
      {"0,0456", kMascaraPotencia, "0,046"},
      {"1,5", kMascaraPotencia, "1,500"},
      {"0,0004", kMascaraPotencia, "0,000"},
      {"1.24,50", kMascaraTension, "124,50"},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(FormatearCifra(c.texto, c.mascara), c.esperado) << c.texto << " " << c.mascara;
  }
  EXPECT_FALSE(FormatearCifra("1,2,3", kMascaraTension).has_value());
}

TEST(NormalizarCifra, VacioOCeroDanElTextoInicialDelCampo) {
  for (const FilaCampo& fila : kCampos) {
    for (const char* cero : {"", "0", "000", "0,0", ",0", "0,", ",00"}) {
      EXPECT_EQ(NormalizarCifra(cero, fila.MascaraCampo, fila.TextoInicial), fila.TextoInicial)
          << cero;
    }
  }
  EXPECT_EQ(NormalizarCifra("0,004", kMascaraTension, "0,00"), "0,00");
  EXPECT_EQ(NormalizarCifra("12,346", kMascaraTension, "0,00"), "12,35");
  EXPECT_EQ(NormalizarCifra("abc", kMascaraTension, "0,00"), std::nullopt);
}

TEST(Tablas, LosTextosPorDefectoSonSuPropioFormato) {
  for (const FilaCampo& fila : kCampos) {
    EXPECT_EQ(FormatearCifra(fila.TextoInicial, fila.MascaraCampo), fila.TextoInicial);
    EXPECT_EQ(FormatearCifra(fila.textoReset, fila.MascaraCampo), fila.textoReset);
  }
  for (const FilaResultado& fila : kResultados) {
    EXPECT_EQ(FormatearCifra(fila.textoBorrado, fila.MascaraResultado), fila.textoBorrado);
  }
}

// Random values over many orders of magnitude.
std::vector<double> ValoresAleatorios() {
  std::mt19937_64 azar(20261207);
  std::uniform_real_distribution<double> mantisa(1.0, 10.0);
  std::uniform_int_distribution<int> exponente(-12, 20);
  std::vector<double> valores;
  for (int i = 0; i < 20000; ++i)
    valores.push_back(mantisa(azar) * std::pow(10.0, exponente(azar)));
  return valores;
}

double QuinceCifrasDe(double valor) {
  char buffer[40];
  const auto fin = std::to_chars(buffer, buffer + 40, valor, std::chars_format::scientific, 14).ptr;
  double redondeado = 0;
  std::from_chars(buffer, fin, redondeado);
  return redondeado;
}

TEST(PropiedadesNumeroTexto, TextoGeneralSeLeeComoElValorMostrado) {
  for (const double v : ValoresAleatorios()) {
    ASSERT_EQ(LeerCifra(TextoGeneral(v)), QuinceCifrasDe(v)) << v;
  }
}

TEST(PropiedadesNumeroTexto, FormatearSeLeeDeVueltaYEsEstable) {
  for (const double v : ValoresAleatorios()) {
    for (const std::string_view mascara : {kMascaraTension, kMascaraCorriente, kMascaraPotencia}) {
      const auto texto = FormatearCifra(TextoGeneral(v), mascara);
      ASSERT_TRUE(texto.has_value()) << v;
      const auto leido = LeerCifra(*texto);
      ASSERT_TRUE(leido.has_value()) << *texto;
      const int decimales = mascara == kMascaraTension ? 2 : mascara == kMascaraPotencia ? 3 : 0;
      const double mediaUnidad = 0.5 * std::pow(10.0, -decimales);
      ASSERT_LE(std::fabs(*leido - v), mediaUnidad + v * 1e-14) << v << " " << *texto;
      ASSERT_EQ(FormatearCifra(*texto, mascara), texto) << *texto;
    }
  }
}

TEST(PropiedadesNumeroTexto, NormalizarEsIdempotente) {
  std::mt19937 azar(7);
  const std::string alfabeto = "0123456789,.";
  for (int i = 0; i < 20000; ++i) {
    std::string texto;
    const int largo = static_cast<int>(azar() % 12);
    for (int j = 0; j < largo; ++j) texto.push_back(alfabeto[azar() % alfabeto.size()]);
    for (const FilaCampo& fila : kCampos) {
      const auto una = NormalizarCifra(texto, fila.MascaraCampo, fila.TextoInicial);
      if (!una) continue;
      ASSERT_EQ(NormalizarCifra(*una, fila.MascaraCampo, fila.TextoInicial), una) << texto;
    }
  }
}

// A machine set to comma decimals must not change a single figure.
// A comma-decimal locale; MinGW's C++ library knows only "C", its C library
// the Windows names.
#ifdef _WIN32
constexpr const char* kRegionalEspanol = "Spanish_Spain.1252";
#else
constexpr const char* kRegionalEspanol = "es_ES.UTF-8";
#endif

TEST(PropiedadesNumeroTexto, NoDependeDeLaConfiguracionRegional) {
  const char* regional = std::setlocale(LC_ALL, kRegionalEspanol);
  ASSERT_NE(regional, nullptr) << kRegionalEspanol << " is not installed";
#ifndef _WIN32
  std::locale::global(std::locale(kRegionalEspanol));
#endif
  EXPECT_EQ(LeerCifra("1.234,50"), 1234.5);
  EXPECT_EQ(TextoGeneral(1234.5), "1234,5");
  EXPECT_EQ(FormatearCifra("1234,5", kMascaraTension), "1.234,50");
  EXPECT_EQ(FormatearCifra("0,0456", kMascaraPotencia), "0,046");
  std::locale::global(std::locale::classic());
  std::setlocale(LC_ALL, "C");
}

TEST(LongitudEnCaracteres, CuentaCaracteresNoBytes) {
  EXPECT_EQ(LongitudEnCaracteres(""), 0);
  EXPECT_EQ(LongitudEnCaracteres("1.234,50"), 8);
  EXPECT_EQ(LongitudEnCaracteres("ñá5"), 3);
}

}  // namespace
}  // namespace zener
