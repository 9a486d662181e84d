#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "LeerJson.h"
#include "cli/Principal.h"

namespace zener {
namespace {

const std::string kDirPruebas = ZENER_DIR_PRUEBAS;
const std::string kCabeceraLotesPrueba = "VeMin;VeMax;IcMin;IcMax;VnZener;IzMin";
const std::string kDirTemporal = ZENER_DIR_TEMPORAL;

struct Ejecucion {
  int codigo;
  std::string salida, errores;
};

Ejecucion Ejecutar(std::vector<std::string> argumentos, std::ostream* destino = nullptr) {
  argumentos.insert(argumentos.begin(), "zener-diseno");
  std::vector<const char*> argv;
  for (const std::string& a : argumentos) argv.push_back(a.c_str());
  std::ostringstream salida, errores;
  const int codigo =
      Principal(static_cast<int>(argv.size()), argv.data(), destino ? *destino : salida, errores);
  return {codigo, salida.str(), errores.str()};
}

std::string Leer(const std::string& ruta) {
  std::ifstream archivo(ruta, std::ios::binary);
  std::ostringstream texto;
  texto << archivo.rdbuf();
  return texto.str();
}

std::string Archivo(const std::string& nombre, const std::string& contenido) {
  const std::string ruta = kDirTemporal + "/" + nombre;
  std::ofstream(ruta, std::ios::binary) << contenido;
  return ruta;
}

bool Tiene(const std::string& texto, const std::string& parte) {
  return texto.find(parte) != std::string::npos;
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
      {{"12", "15", "5", "20", "5,1", "5"}, "ejemplo.txt", kSalidaConstruible},
      {{"12", "15", "5", "20", "5,1", "5", "--formato", "json"},
       "ejemplo.json",
       kSalidaConstruible},
      {{"12,5", "1.000", "0", "0", "5,6", "1", "--serie=E96", "--tol-r", "0,5", "--familia", "1N47",
        "--formato", "json"},
       "e96.json",
       kSalidaNoConstruible},
      {{"5,5", "15", "5", "20", "5,1", "5", "--formato", "json"},
       "regla5.json",
       kSalidaNoConstruible},
      {{"--lotes", lotes}, "lotes_salida.csv", kSalidaErrorEntrada},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.esperado);
    const Ejecucion e = Ejecutar(c.argumentos);
    EXPECT_EQ(e.codigo, c.codigo);
    EXPECT_EQ(e.salida, Leer(kDirPruebas + "/esperado/" + c.esperado));
  }
}

// The part's datasheet top of Vz, from the sheets, for the check below.
const std::map<std::string, double> kVzMaxima = {
    {"\"BZX79C13\"", 14.1}, {"\"1N4743A\"", 13.65}, {"\"1N5350B\"", 13.65}};

// NaN when absent or not a number, so that a missing key fails the check
// rather than the whole table.
double Numero(const std::string& json, const std::string& clave) {
  const std::string texto = Valor(json, clave);
  char* fin = nullptr;
  const double valor = std::strtod(texto.c_str(), &fin);
  return texto.empty() || *fin != '\0' ? std::nan("") : valor;
}

// Each fault the design tool was reported for, as a user meets it.
TEST(Herramienta, FallosDenunciados) {
  const std::string bajoPedido =
      Archivo("fallo3.csv", kCabeceraLotesPrueba + "\n24;30;10;100;12;10\n");
  const std::string tolerante =
      Archivo("fallo7.csv", " vemin ; VEMAX;IcMin;icmax;VnZener;IzMin;\n12;15;5;20;5,1;5\n");
  const std::string enorme =
      Archivo("fallo7b.csv", kCabeceraLotesPrueba + "\n12;15;5;20;" + std::string(2 << 20, 'x') +
                                 std::string(1, '\0') + ";5\n");
  using Comprobar = std::function<void(const Ejecucion&)>;
  const struct {
    const char* falla;
    std::vector<std::string> argumentos;
    Comprobar comprobar;
  } casos[] = {
      {"1: Iz mín en el límite de la hoja de datos del diodo propuesto",
       {"15", "17", "0", "2", "13", "2", "--formato", "json"},
       [](const Ejecucion& e) {
         const std::string zener = Valor(e.salida, "zener");
         ASSERT_TRUE(kVzMaxima.count(zener)) << zener;
         const double r = Numero(e.salida, "r_normalizada_ohm");
         EXPECT_GE((15 - kVzMaxima.at(zener)) / (r * 1.05) * 1000 - 2, 2) << zener << " " << r;
       }},
      {"1: lo mismo en E192",
       {"15", "17", "0", "2", "13", "2", "--serie", "E192", "--formato", "json"},
       [](const Ejecucion& e) {
         const std::string zener = Valor(e.salida, "zener");
         ASSERT_TRUE(kVzMaxima.count(zener)) << zener;
         const double r = Numero(e.salida, "r_normalizada_ohm");
         EXPECT_GE((15 - kVzMaxima.at(zener)) / (r * 1.005) * 1000 - 2, 2) << zener << " " << r;
       }},
      {"1: ningún diodo del 5 % cuando se pide el 1 %",
       {"15", "17", "0", "2", "13", "2", "--tol-vz", "1", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(Valor(e.salida, "zener"), "null");
         EXPECT_EQ(e.codigo, kSalidaNoConstruible);
       }},
      {"3: sin piezas no es construible",
       {"24", "30", "10", "100", "12", "10", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(e.codigo, kSalidaNoConstruible);
         EXPECT_EQ(Valor(e.salida, "construible"), "false");
       }},
      {"3: ni en lotes",
       {"--lotes", bajoPedido},
       [](const Ejecucion& e) {
         EXPECT_EQ(e.codigo, kSalidaNoConstruible);
         EXPECT_TRUE(Tiene(e.salida, "\n2;no;")) << e.salida;
       }},
      {"4: las entradas con sus decimales",
       {"12", "15", "5", "20,4", "5,1", "5"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "(12 − 5,1) V / (5 + 20,4) mA = 271,65 Ω")) << e.salida;
       }},
      {"4: IzMin 0,6 junto a la regla 6",
       {"12", "15", "5", "20", "5,1", "0,6"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "Corriente mínima del zener: 0,6 mA")) << e.salida;
       }},
      {"5: Izm comprobada",
       {"5", "19,7", "0", "20", "3,3", "5", "--margen", "1", "--serie", "E96", "--formato", "json"},
       [](const Ejecucion& e) { EXPECT_NE(Valor(e.salida, "zener"), "\"1N4728A\""); }},
      {"5: Zzt no vale a una vigésima de Izt",
       {"9", "20", "0", "50", "5,1", "10", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_FALSE(Tiene(Valor(e.salida, "regulacion"), "\"zz_ohm\":1.5,")) << e.salida;
       }},
      {"5: 2,7 V fuera de las filas, no «no normalizado»",
       {"9", "12", "0", "10", "2,7", "5"},
       [](const Ejecucion& e) {
         EXPECT_FALSE(Tiene(e.salida, "no es un valor normalizado"));
         EXPECT_TRUE(Tiene(e.salida, "tablas verificadas")) << e.salida;
       }},
      {"5: 36 V tampoco",
       {"40", "45", "0", "10", "36", "5"},
       [](const Ejecucion& e) {
         EXPECT_FALSE(Tiene(e.salida, "no es un valor normalizado"));
         EXPECT_TRUE(Tiene(e.salida, "tablas verificadas")) << e.salida;
       }},
      {"5: las condiciones de la potencia",
       {"12", "15", "5", "20", "5,1", "5"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "0,5 W hasta 25 °C de ambiente")) << e.salida;
       }},
      {"6: el máximo verdadero de la potencia del zener",
       {"18,4", "21,7", "0", "74", "12", "30", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(e.codigo, kSalidaConstruible);
         EXPECT_NE(Valor(e.salida, "zener"), "null");
         EXPECT_NEAR(Numero(e.salida, "pz_sin_carga_peor_w"), 11.4 * 10.3 / 48.45, 1e-9);
       }},
      {"6: el caso de la carga desconectada, y el de IcMin, nombrados",
       {"12", "15", "5", "20", "5,1", "5"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "P Z, carga desconectada ="));
         EXPECT_TRUE(Tiene(e.salida, "P Z, carga a IcMin ="));
       }},
      {"7: marca de orden de bytes en lotes",
       {"--lotes", tolerante},
       [](const Ejecucion& e) {
         EXPECT_EQ(e.codigo, kSalidaConstruible) << e.errores;
         EXPECT_EQ(e.salida.rfind("\xEF\xBB\xBFLinea;", 0), 0u);
       }},
      {"7: un campo de 2 MB y un NUL, recortados",
       {"--lotes", enorme},
       [](const Ejecucion& e) {
         EXPECT_LT(e.salida.size(), 1000u);
         EXPECT_EQ(e.salida.find('\0'), std::string::npos);
       }},
      {"7: 10 MΩ sin exponente",
       {"20.000", "20.000", "0", "0", "5,1", "1", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(Valor(e.salida, "r_normalizada_ohm"), "10000000");
         EXPECT_FALSE(Tiene(e.salida, "e+"));
       }},
      {"7: 1,998 mA no se muestra como 2,00",
       {"15", "17", "0", "2", "13", "2", "--serie", "E192"},
       [](const Ejecucion& e) { EXPECT_TRUE(Tiene(e.salida, "1,998")) << e.salida; }},
      {"7: sin series más finas que E192",
       {"24", "30", "10", "150", "12", "10", "--serie", "E192"},
       [](const Ejecucion& e) { EXPECT_FALSE(Tiene(e.salida, "más fina")); }},
      {"7: la recta de VeMax en el peor caso",
       {"12", "15", "5", "20", "5,1", "5", "--formato", "html"},
       [](const Ejecucion& e) { EXPECT_TRUE(Tiene(e.salida, "VeMax, peor caso")); }},
      {"7: una Iz máx lejana no aplasta las curvas",
       {"12", "12", "0", "150", "5,1", "5", "--formato", "html"},
       [](const Ejecucion& e) { EXPECT_TRUE(Tiene(e.salida, "fuera de escala")); }},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.falla);
    c.comprobar(Ejecutar(c.argumentos));
  }
}

// A stream whose every write fails, as on a full disk.
class Llena : public std::streambuf {
 protected:
  int_type overflow(int_type) override {
    errno = ENOSPC;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    errno = ENOSPC;
    return 0;
  }
};

// A report that could not be written is exit 3 with the system's reason, in
// every form; a file is whole or absent.
TEST(Herramienta, EscrituraFallida) {
  const std::string lotes = kDirPruebas + "/esperado/lotes.csv";
  const std::vector<std::string> ejemplo = {"12", "15", "5", "20", "5,1", "5"};
  auto con = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = ejemplo;
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  const std::string sinCarpeta = kDirTemporal + "/no/hay/carpeta.txt";
  const struct {
    std::vector<std::string> argumentos;
    bool alDiscoLleno;  // the report goes to a stream that fails, else to the file named
    std::string mensaje;
  } casos[] = {
      {ejemplo, true, "no se puede escribir «la salida»: no queda espacio en el dispositivo"},
      {con({"--formato", "json"}), true, "no queda espacio en el dispositivo"},
      {con({"--formato", "html"}), true, "no queda espacio en el dispositivo"},
      {{"--lotes", lotes}, true, "no queda espacio en el dispositivo"},
      {{"--help"}, true, "no queda espacio en el dispositivo"},
      {con({"-o", "/dev/full"}), false, "no se puede escribir «/dev/full»: no queda espacio"},
      {{"--lotes", lotes, "-o", "/dev/full"}, false, "no queda espacio en el dispositivo"},
      {con({"-o", sinCarpeta}), false, "no se puede escribir «" + sinCarpeta + "»"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.mensaje);
    Llena llena;
    std::ostream alDiscoLleno(&llena);
    const Ejecucion e = Ejecutar(c.argumentos, c.alDiscoLleno ? &alDiscoLleno : nullptr);
    EXPECT_EQ(e.codigo, kSalidaErrorEscritura);
    EXPECT_TRUE(Tiene(e.errores, c.mensaje)) << e.errores;
  }
  // A good write replaces the file whole and leaves nothing beside it.
  const std::string carpeta = kDirTemporal + "/escritura";
  std::filesystem::remove_all(carpeta);
  std::filesystem::create_directory(carpeta);
  const std::string ruta = Archivo("escritura/informe.txt", "antiguo");
  EXPECT_EQ(Ejecutar(con({"-o", ruta})).codigo, kSalidaConstruible);
  EXPECT_EQ(Leer(ruta), Ejecutar(ejemplo).salida);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta), {}), 1);
}

// Each bad input: exit 2, nothing on standard output, and a message naming
// the argument, option or line at fault.
TEST(Herramienta, EntradasErroneas) {
  const std::string inexistente = kDirTemporal + "/no-existe.csv";
  const std::string sinCabecera = Archivo("sin-cabecera.csv", "12;15;5;20;5,1;5\n");
  const std::string conPunto =
      Archivo("con-punto.csv", kCabeceraLotesPrueba + "\n9;12.5;5;20;5,1;5\n");
  const std::vector<std::string> ejemplo = {"12", "15", "5", "20", "5,1", "5"};
  auto con = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = ejemplo;
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  const struct {
    std::vector<std::string> argumentos;
    std::string mensaje;
    bool conSalida = false;  // a batch writes the rows it could read
  } casos[] = {
      {{"12", "15", "5", "2O", "5,1", "5"},
       "el argumento 4 (IcMax) «2O» no es una cifra (coma decimal, p. ej. 5,1)"},
      {{"12", "15", "-5", "20", "5,1", "5"}, "el argumento 3 (IcMin) «-5» es negativo"},
      {{"12", "", "5", "20", "5,1", "5"}, "el argumento 2 (VeMax) «» está vacío"},
      {{"12", "15", "5", "20", "5,1.0", "5"}, "el argumento 5 (VnZener) «5,1.0» no es una cifra"},
      {{"9", "12.5", "5", "20", "5,1", "5"},
       "el argumento 2 (VeMax) «12.5» no es una cifra: escriba la coma decimal: 12,5"},
      {{"12", "15", "5", "20", "5,1"}, "faltan cifras: se esperan 6"},
      {con({"7"}), "sobra el argumento «7»"},
      {con({"--carga-ohm", "270"}), "sobra el argumento «5,1»"},
      {con({"--serie", "E7"}), "serie desconocida «E7»"},
      {con({"--tol-r", "x"}), "--tol-r «x» no es una cifra"},
      {con({"--tol-vz", "60"}), "la tolerancia del zener ha de estar entre 0 y 50 %"},
      {con({"--r", "0"}), "la resistencia a comprobar ha de ser mayor que 0"},
      {con({"--temp-min", "30", "--temp-max", "20"}),
       "la temperatura ambiente mínima no puede pasar de la máxima"},
      {con({"--margen"}), "falta el valor de --margen"},
      {con({"--familia", "1N40"}), "familia desconocida «1N40»"},
      {con({"--formato", "pdf"}), "formato desconocido «pdf»"},
      {con({"--rapido"}), "opción desconocida: --rapido"},
      {{"--lotes", inexistente}, "no se puede leer «" + inexistente + "»"},
      {{"--lotes", sinCabecera},
       "la línea 1 ha de ser la cabecera VeMin;VeMax;IcMin;IcMax;VnZener;IzMin"},
      {{"--lotes", kDirTemporal}, "no es un archivo"},
      {{"--lotes", sinCabecera, "--carga-ohm", "100"}, "--carga-ohm no se admite con --lotes"},
      {{"--lotes", conPunto}, "0 construibles, 0 no construibles, 1 erróneas", true},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.mensaje);
    const Ejecucion e = Ejecutar(c.argumentos);
    EXPECT_EQ(e.codigo, kSalidaErrorEntrada);
    EXPECT_EQ(e.salida.empty(), !c.conSalida);
    EXPECT_TRUE(Tiene(e.errores, c.mensaje)) << e.errores;
  }
  EXPECT_TRUE(Tiene(Ejecutar({"--lotes", conPunto}).salida, "escriba la coma decimal: 12,5"));
}

// The page stands alone: no script, no file or address it loads, and the
// plot inside it.
TEST(Herramienta, PaginaAutonoma) {
  const std::string ruta = kDirTemporal + "/informe.html";
  const Ejecucion e =
      Ejecutar({"12", "15", "5", "20", "5,1", "5", "--formato", "html", "-o", ruta});
  EXPECT_EQ(e.codigo, kSalidaConstruible);
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
