#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Principal.h"

namespace zener {
namespace {

const std::string kDirPruebas = ZENER_DIR_PRUEBAS;
const std::string kDirTemporal = ZENER_DIR_TEMPORAL;

struct Ejecucion {
  int codigo;
  std::string salida, errores;
};

Ejecucion Ejecutar(std::vector<std::string> argumentos) {
  argumentos.insert(argumentos.begin(), "zener-diseno");
  std::vector<const char*> argv;
  for (const std::string& a : argumentos) argv.push_back(a.c_str());
  std::ostringstream salida, errores;
  const int codigo = Principal(static_cast<int>(argv.size()), argv.data(), salida, errores);
  return {codigo, salida.str(), errores.str()};
}

std::string Leer(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  std::ostringstream texto;
  texto << archivo.rdbuf();
  return texto.str();
}

// Whole outputs checked once by hand against the worked example and the
// window's messages; any change to a report shows here.
TEST(Herramienta, SalidasDeReferencia) {
  const std::string lotes = kDirPruebas + "/esperado/lotes.csv";
  const struct {
    std::vector<std::string> argumentos;
    std::string esperado;
    int codigo;
  } casos[] = {
      {{"12", "15", "5", "20", "5,1", "5"}, "ejemplo.txt", kSalidaCumple},
      {{"12", "15", "5", "20", "5,1", "5", "--formato", "json"}, "ejemplo.json", kSalidaCumple},
      {{"12,5", "1.000", "0", "0", "5,6", "1", "--serie=E96", "--tol-r", "0,5", "--familia", "1N47",
        "--formato", "json"},
       "e96.json",
       kSalidaCumple},
      {{"5,5", "15", "5", "20", "5,1", "5", "--formato", "json"}, "regla5.json", kSalidaIncumple},
      {{"--lotes", lotes}, "lotes_salida.csv", kSalidaErrorEntrada},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.esperado);
    const Ejecucion e = Ejecutar(c.argumentos);
    EXPECT_EQ(e.codigo, c.codigo);
    EXPECT_EQ(e.salida, Leer(kDirPruebas + "/esperado/" + c.esperado));
  }
}

// Each bad input: exit 2, nothing on standard output, and a message naming
// the argument, option or line at fault.
TEST(Herramienta, EntradasErroneas) {
  const std::string inexistente = kDirTemporal + "/no-existe.csv";
  const std::string sinCabecera = kDirTemporal + "/sin-cabecera.csv";
  std::ofstream(sinCabecera) << "12;15;5;20;5,1;5\n";
  const std::vector<std::string> ejemplo = {"12", "15", "5", "20", "5,1", "5"};
  auto con = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = ejemplo;
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  const struct {
    std::vector<std::string> argumentos;
    std::string mensaje;
  } casos[] = {
      {{"12", "15", "5", "2O", "5,1", "5"},
       "el argumento 4 (IcMax) «2O» no es una cifra (coma decimal, p. ej. 5,1)"},
      {{"12", "15", "-5", "20", "5,1", "5"}, "el argumento 3 (IcMin) «-5» es negativo"},
      {{"12", "", "5", "20", "5,1", "5"}, "el argumento 2 (VeMax) «» está vacío"},
      {{"12", "15", "5", "20", "5,1.0", "5"}, "el argumento 5 (VnZener) «5,1.0» no es una cifra"},
      {{"12", "15", "5", "20", "5,1"}, "faltan cifras: se esperan 6"},
      {con({"7"}), "sobra el argumento «7»"},
      {con({"--serie", "E7"}), "serie desconocida «E7»"},
      {con({"--tol-r", "x"}), "--tol-r «x» no es una cifra"},
      {con({"--tol-vz", "60"}), "la tolerancia del zener ha de estar entre 0 y 50 %"},
      {con({"--margen"}), "falta el valor de --margen"},
      {con({"--familia", "1N40"}), "familia desconocida «1N40»"},
      {con({"--formato", "pdf"}), "formato desconocido «pdf»"},
      {con({"--rapido"}), "opción desconocida: --rapido"},
      {{"--lotes", inexistente}, "no se puede leer «" + inexistente + "»"},
      {{"--lotes", sinCabecera},
       "la línea 1 ha de ser la cabecera VeMin;VeMax;IcMin;IcMax;VnZener;IzMin"},
      {{"--lotes", kDirTemporal}, "pasa de 64 MiB o no es un archivo"},
      {con({"-o", kDirTemporal + "/no/hay/carpeta.txt"}), "no se puede escribir"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.mensaje);
    const Ejecucion e = Ejecutar(c.argumentos);
    EXPECT_EQ(e.codigo, kSalidaErrorEntrada);
    EXPECT_EQ(e.salida, "");
    EXPECT_NE(e.errores.find(c.mensaje), std::string::npos) << e.errores;
  }
}

// The page stands alone: no script, no file or address it loads, and the
// plot inside it.
TEST(Herramienta, PaginaAutonoma) {
  const std::string ruta = kDirTemporal + "/informe.html";
  const Ejecucion e =
      Ejecutar({"12", "15", "5", "20", "5,1", "5", "--formato", "html", "-o", ruta});
  EXPECT_EQ(e.codigo, kSalidaCumple);
  const std::string pagina = Leer(ruta);
  for (const char* ajeno : {"<script", "src=", "href=", "url(", "@import"}) {
    EXPECT_EQ(pagina.find(ajeno), std::string::npos) << ajeno;
  }
  for (const char* propio : {"<svg", "@page{size:A4", "BZX79C5V1", "276,00 Ω"}) {
    EXPECT_NE(pagina.find(propio), std::string::npos) << propio;
  }
}

}  // namespace
}  // namespace zener
