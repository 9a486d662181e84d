#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "LeerJson.h"
#include "cli/Principal.h"
#include "design/Lotes.h"
#include "design/Opciones.h"
#include "design/Texto.h"

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
const std::map<std::string, double> kVzMaxima = {{"\"BZX79C13\"", 14.1},
                                                 {"\"1N4743A\"", 13.65},
                                                 {"\"1N5350B\"", 13.65},
                                                 {"\"MMSZ5243B\"", 13.65},
                                                 {"\"SMBJ5350B\"", 13.65}};

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
  const std::string deSma =
      Archivo("fallo30.csv", kCabeceraLotesPrueba + ";Montaje\n12;15;5;20;5,1;5;smd\n");
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
      {"5: 2,2 V fuera de las filas, no «no normalizado»",
       {"9", "12", "0", "10", "2,2", "5"},
       [](const Ejecucion& e) {
         EXPECT_FALSE(Tiene(e.salida, "no es un valor normalizado"));
         EXPECT_TRUE(Tiene(e.salida, "tablas verificadas")) << e.salida;
       }},
      {"5: 68 V tampoco, sobre la última fila de su familia",
       {"72", "80", "0", "10", "68", "5", "--familia", "1N47"},
       [](const Ejecucion& e) {
         EXPECT_FALSE(Tiene(e.salida, "no es un valor normalizado"));
         EXPECT_TRUE(Tiene(e.salida, "tablas verificadas")) << e.salida;
       }},
      {"5: las condiciones de la potencia",
       {"12", "15", "5", "20", "5,1", "5", "--montaje", "tht"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "0,5 W hasta 25 °C de ambiente")) << e.salida;
       }},
      // No part within 4 %: the band 11,52 to 12,48 V alone, 51 Ω (48,45 at
      // its low end); Vz·(21,7 − Vz) peaks at 10,85 V, below the band.
      {"6: el máximo verdadero de la potencia del zener",
       {"18,4", "21,7", "0", "74", "12", "30", "--tol-vz", "4", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(e.codigo, kSalidaNoConstruible);
         EXPECT_EQ(Valor(e.salida, "zener"), "null");
         EXPECT_NEAR(Numero(e.salida, "pz_sin_carga_peor_w"), 11.52 * 10.18 / 48.45, 1e-9);
       }},
      {"6: el caso de la carga desconectada, y el de IcMin, nombrados",
       {"12", "15", "5", "20", "5,1", "5"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "P Z sin carga, con 15 V, R·(1 − 0,05), carga desconectada"));
         EXPECT_TRUE(
             Tiene(e.salida, "P Z con la carga mínima, con 15 V, R·(1 − 0,05), IcMin = 5 mA"));
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
      {"30: sin resistencia que sirva, ni R máx ni Tj",
       {"24,5", "25", "0", "10", "24", "5", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(Valor(e.salida, "r_max_ohm"), "null");
         EXPECT_EQ(Valor(e.salida, "tj_max_c"), "null");
       }},
      {"30: la potencia de la pieza como la escribe su hoja",
       {"--lotes", deSma},
       [](const Ejecucion& e) { EXPECT_TRUE(Tiene(e.salida, ";1,25;4,")) << e.salida; }},
      {"la familia con el nombre que le da el informe",
       {"12", "15", "5", "20", "5,1", "5", "--familia", "BZX79-C", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(Valor(Valor(e.salida, "opciones"), "familia"), "\"BZX79-C\"") << e.errores;
       }},
      {"y la automática",
       {"12", "15", "5", "20", "5,1", "5", "--familia", "automática", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(Valor(Valor(e.salida, "opciones"), "familia"), "\"automática\"") << e.errores;
       }},
      {"29: el rendimiento de una fabricación, el mismo con la misma semilla",
       {"12", "15", "5", "20", "5,1", "5", "--montecarlo", "100.000", "--semilla", "1"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida,
                           "Rendimiento: 100,00 % (intervalo del 95 %, de Wilson: "
                           "99,996 % a 100,000 %)"))
             << e.salida;
         EXPECT_TRUE(Tiene(e.salida, "100.000 unidades, semilla 1"));
         EXPECT_EQ(Ejecutar({"12", "15", "5", "20", "5,1", "5", "--montecarlo", "100.000",
                             "--semilla", "1"})
                       .salida,
                   e.salida);
       }},
      {"29: cada unidad en su archivo, y la semilla que se eligió dicha",
       {"12", "15", "20", "100", "5,1", "5", "--montecarlo", "500", "--muestras",
        kDirTemporal + "/unidades.csv", "--formato", "json"},
       [](const Ejecucion& e) {
         EXPECT_EQ(e.codigo, kSalidaNoConstruible);
         const std::string filas = Leer(kDirTemporal + "/unidades.csv");
         EXPECT_EQ(filas.rfind("\xEF\xBB\xBFUnidad;Vz_25C_V;", 0), 0u);
         EXPECT_EQ(std::count(filas.begin(), filas.end(), '\n'), 501);
         const std::string semilla = Valor(Valor(e.salida, "montecarlo"), "semilla");
         const std::string otra =
             Ejecutar({"12", "15", "20", "100", "5,1", "5", "--montecarlo", "500", "--semilla",
                       semilla, "--muestras", kDirTemporal + "/otra.csv"})
                 .salida;
         EXPECT_EQ(Leer(kDirTemporal + "/otra.csv"), filas);
         EXPECT_TRUE(Tiene(otra, "Monte Carlo: 0,00 % de 500 unidades")) << otra;
       }},
      {"28: el veredicto del seguidor nombra el transistor que más se acerca, con sus mayúsculas",
       {"11", "13", "100", "100", "5,6", "2", "--circuito", "seguidor", "--montaje", "smd"},
       [](const Ejecucion& e) {
         EXPECT_TRUE(Tiene(e.salida, "No construible: BCP56-16 no basta: 2 × 0,886 W")) << e.salida;
       }},
      {"7: una Iz máx lejana no aplasta las curvas",
       {"9", "9", "0", "10", "3,3", "20", "--familia", "1N53", "--formato", "html"},
       [](const Ejecucion& e) { EXPECT_TRUE(Tiene(e.salida, "fuera de escala")); }},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.falla);
    c.comprobar(Ejecutar(c.argumentos));
  }
}

// A stream whose every write fails with this error: ENOSPC as on a full
// disk, EBADF as on a closed standard output.
template <int kError>
class Fallida : public std::streambuf {
 protected:
  int_type overflow(int_type) override {
    errno = kError;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char*, std::streamsize) override {
    errno = kError;
    return 0;
  }
};
using Llena = Fallida<ENOSPC>;
using Cerrada = Fallida<EBADF>;

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

// Whether the text is UTF-8, as iconv, not the tool, judges.
bool EsUtf8(const std::string& texto) {
  const iconv_t conversion = iconv_open("UTF-8", "UTF-8");
  std::string copia = texto;
  std::string destino(texto.size() + 1, '\0');
  char* entrada = copia.data();
  char* salida = destino.data();
  std::size_t quedan = copia.size(), caben = destino.size();
  const bool valido =
      iconv(conversion, &entrada, &quedan, &salida, &caben) != static_cast<std::size_t>(-1);
  iconv_close(conversion);
  return valido;
}

// Each bad input: exit 2, nothing on standard output, and a short UTF-8
// message naming the argument, option or line at fault, whatever bytes it
// was given; a batch's rows say theirs in its output.
TEST(Herramienta, EntradasErroneas) {
  const std::string inexistente = kDirTemporal + "/no-existe.csv";
  const std::string sinCabecera = Archivo("sin-cabecera.csv", "12;15;5;20;5,1;5\n");
  const std::string conPunto =
      Archivo("con-punto.csv", kCabeceraLotesPrueba + "\n9;12.5;5;20;5,1;5\n");
  const std::string montajeMalo =
      Archivo("montaje-malo.csv", kCabeceraLotesPrueba + ";Montaje\n12;15;5;20;5,1;5;smt\n");
  const std::string montajeDeOtraFamilia =
      Archivo("montaje-familia.csv", kCabeceraLotesPrueba + ";Montaje\n12;15;5;20;5,1;5;smd\n");
  const std::string comillasAbiertas =
      Archivo("comillas-abiertas.csv", kCabeceraLotesPrueba + "\n12;\"15;5;20;5,1;5\n");
  const std::string largo = "E\x01\xFF" + std::string(100000, '9');
  const std::vector<std::string> ejemplo = {"12", "15", "5", "20", "5,1", "5"};
  auto con = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = ejemplo;
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  constexpr std::size_t kMensajeCorto = 1000;
  const struct {
    std::vector<std::string> argumentos;
    std::string mensaje;
    bool conSalida = false;  // a batch writes the rows it could read
    std::string enSalida = "";
  } casos[] = {
      {{"12", "15", "5", "2O", "5,1", "5"},
       "el argumento 4 (IcMax) «2O» no es una cifra (coma decimal, p. ej. 5,1)"},
      {{"12", "15", "-5", "20", "5,1", "5"}, "el argumento 3 (IcMin) «-5» es negativo"},
      {{"12", "15", "-", "20", "5,1", "5"}, "el argumento 3 (IcMin) «-» no es una cifra"},
      {{"12", "15", "--", "-5", "20", "5,1", "5"}, "el argumento 3 (IcMin) «-5» es negativo"},
      {con({"--", "--tol-r"}), "sobra el argumento «--tol-r»"},
      {{"12", "", "5", "20", "5,1", "5"}, "el argumento 2 (VeMax) «» está vacío"},
      {{"12", "15", "5", "20", "5,1.0", "5"}, "el argumento 5 (VnZener) «5,1.0» no es una cifra"},
      {{"9", "12.5", "5", "20", "5,1", "5"},
       "el argumento 2 (VeMax) «12.5» no es una cifra: escriba la coma decimal: 12,5"},
      {{"12", "15", "5", "20", "5,1"}, "faltan cifras: se esperan 6"},
      {con({"7"}), "sobra el argumento «7»"},
      {con({"--carga-ohm", "270"}),
       "sobra el argumento «5,1»: con --carga-ohm las cifras son 4 (VeMin VeMax VnZener IzMin)"},
      {con({"--serie", "E7"}), "serie desconocida «E7»"},
      {con({"--tol-r", "x"}), "--tol-r «x» no es una cifra"},
      {con({"--tol-r", "50,0001"}),
       "--tol-r «50,0001» no vale: la tolerancia de la resistencia ha de estar entre 0 y 50 %"},
      {con({"--r", "0,004"}),
       "--r «0,004» no vale: la resistencia a comprobar ha de estar entre 0,01 Ω y 10 MΩ"},
      {con({"--zz", "4m7"}), "--zz «4m7» lleva una m, que unos leen mili y otros mega"},
      {con({"--tol-r", "5", "--tol-r", "6"}), "la opción --tol-r se ha dado más de una vez"},
      {{"-h", "--help"}, "la opción -h o --help se ha dado más de una vez"},
      {con({"--serie", largo}), "serie desconocida «E?\xEF\xBF\xBD" + std::string(29, '9') + "…»"},
      {con({"--\x1B[2J"}), "opción desconocida: «--?[2J»"},
      {con({"--temp-min", "30", "--temp-max", "20"}),
       "la temperatura ambiente mínima no puede pasar de la máxima"},
      {con({"--margen"}), "falta el valor de --margen"},
      {con({"--familia", "1N40"}), "familia desconocida «1N40»"},
      {con({"--montaje", "smt"}), "montaje desconocido «smt»"},
      {con({"--familia", "1N47", "--montaje", "smd"}), "la familia 1N47xxA no es de montaje smd"},
      {con({"--formato", "pdf"}), "formato desconocido «pdf»"},
      {con({"--rapido"}), "opción desconocida: «--rapido»"},
      {{"--lotes", inexistente}, "no se puede leer «" + inexistente + "»"},
      {{"--lotes", sinCabecera},
       "la línea 1 ha de ser la cabecera VeMin;VeMax;IcMin;IcMax;VnZener;IzMin"},
      {{"--lotes", kDirTemporal}, "no es un archivo"},
      {{"--lotes", sinCabecera, "--carga-ohm", "100"}, "--carga-ohm no se admite con --lotes"},
      {{"--lotes", sinCabecera, "--formato", "json"},
       "--lotes escribe siempre CSV: no admite --formato"},
      {{"--lotes", conPunto},
       "0 construibles, 0 no construibles, 1 erróneas",
       true,
       "escriba la coma decimal: 12,5"},
      {{"--lotes", montajeMalo},
       "1 erróneas",
       true,
       "Montaje «smt» ha de ser cualquiera, tht, smd"},
      {{"--lotes", montajeDeOtraFamilia, "--familia", "1N47"},
       "1 erróneas",
       true,
       "línea 2: la familia 1N47xxA no es de montaje smd"},
      {{"--lotes", comillasAbiertas},
       "1 erróneas",
       true,
       "la celda 2 abre unas comillas que no cierran"},
      {con({"--lista-materiales", kDirTemporal + "/lista.csv"}),
       "--lista-materiales va con --lotes"},
      {{"--lotes", montajeMalo, "-o", kDirTemporal + "/l.csv", "--lista-materiales",
        kDirTemporal + "/l.csv"},
       "no pueden ser el mismo archivo"},
      {{"--lotes", montajeMalo, "--lista-materiales", montajeMalo}, "es el archivo de entrada"},
      {con({"--montecarlo", "0"}), "--montecarlo «0» no vale: ha de ser un entero de 1 a"},
      {con({"--montecarlo", "1,5"}), "--montecarlo «1,5» no vale"},
      {con({"--montecarlo", "10", "--semilla", "-1"}), "--semilla «-1» no vale"},
      {con({"--semilla", "3"}),
       "--semilla, --muestras, --vout-min y --vout-max van con --montecarlo"},
      {{"--lotes", montajeMalo, "--montecarlo", "10"}, "--montecarlo es para un diseño"},
      {con({"--montecarlo", "10", "--formato", "spice"}), "--montecarlo no va con --formato spice"},
      {con({"--montecarlo", "10", "--vout-min", "5", "--vout-max", "4,9"}),
       "--vout-min no puede pasar de --vout-max"},
      {con({"--montecarlo", "10", "--muestras", kDirTemporal + "/m.csv", "-o",
            kDirTemporal + "/m.csv"}),
       "no pueden ser el mismo archivo"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.mensaje);
    const Ejecucion e = Ejecutar(c.argumentos);
    EXPECT_EQ(e.codigo, kSalidaErrorEntrada);
    EXPECT_EQ(e.salida.empty(), !c.conSalida);
    EXPECT_TRUE(Tiene(e.errores, c.mensaje)) << e.errores;
    EXPECT_TRUE(Tiene(e.salida, c.enSalida)) << e.salida;
    EXPECT_LT(e.errores.size(), kMensajeCorto);
    EXPECT_TRUE(EsUtf8(e.errores));
  }
}

namespace fs = std::filesystem;

// A fresh folder that an ordinary user may also write in.
std::string CarpetaNueva(const std::string& nombre) {
  const std::string carpeta = kDirTemporal + "/" + nombre;
  fs::remove_all(carpeta);
  fs::create_directories(carpeta);
  fs::permissions(carpeta, fs::perms::all);
  return carpeta;
}

std::vector<std::string> Nombres(const std::string& carpeta) {
  std::vector<std::string> nombres;
  for (const auto& e : fs::directory_iterator(carpeta)) nombres.push_back(e.path().filename());
  std::sort(nombres.begin(), nombres.end());
  return nombres;
}

constexpr uid_t kNadie = 65534;  // Debian's "nobody"
constexpr int kSinCambioDeUsuario = 77;

// The tool run in a child process, as an ordinary user where the tests run
// as root, so that permissions count; the raw wait status.
int EnHijo(const std::function<int()>& cuerpo, bool usuarioCorriente = false) {
  const pid_t hijo = fork();
  if (hijo == 0) {
    if (usuarioCorriente && geteuid() == 0 && (setgid(kNadie) != 0 || setuid(kNadie) != 0)) {
      _exit(kSinCambioDeUsuario);
    }
    _exit(cuerpo());
  }
  int estado = 0;
  waitpid(hijo, &estado, 0);
  return estado;
}

std::string ArchivoDeFilas(const std::string& nombre, int filas, const std::string& fila) {
  std::string contenido = kCabeceraLotesPrueba + "\n";
  for (int i = 0; i < filas; ++i) contenido += fila + "\n";
  return Archivo(nombre, contenido);
}

// -o as a redirect: never over an input, never over a file the user may not
// write, the file's mode and owner kept, a link's target replaced, at the end
// of a chain of links even where it is missing; another hard link keeps the
// old contents, as the help says. No output is another input or output under
// another name, refused before anything is written. Run as an ordinary user.
TEST(Herramienta, SalidaComoUnaRedireccion) {
  const std::string carpeta = CarpetaNueva("redireccion");
  const std::string entrada = kCabeceraLotesPrueba + "\n12;15;5;20;5,1;5\n";
  const std::string antiguo = "antiguo\n";
  const std::vector<std::string> ejemplo = {"12", "15", "5", "20", "5,1", "5"};
  const std::string informe = Ejecutar(ejemplo).salida;
  auto en = [&](const std::string& nombre) { return carpeta + "/" + nombre; };
  auto escribir = [](const std::string& ruta, const std::string& texto, fs::perms modo) {
    std::ofstream(ruta, std::ios::binary) << texto;
    fs::permissions(ruta, modo);
    if (geteuid() == 0) {
      EXPECT_EQ(chown(ruta.c_str(), kNadie, kNadie), 0);
    }
  };
  const fs::perms privado = fs::perms::owner_read | fs::perms::owner_write;
  const fs::perms soloLectura =
      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const std::string kNombreMayor(255, 'n');  // the most a name may take
  const struct {
    const char* caso;
    std::function<void()> preparar;  // d.csv is the batch, x the other file
    std::vector<std::string> argumentos;
    int codigo;
    std::function<void()> comprobar;
    std::string nuevo = "";  // the file the run creates
  } casos[] = {
      {"la entrada misma",
       [] {},
       {"--lotes", en("d.csv"), "-o", en("d.csv")},
       kSalidaErrorEntrada,
       [&] { EXPECT_EQ(Leer(en("d.csv")), entrada); }},
      {"un enlace duro a la entrada",
       [&] { fs::create_hard_link(en("d.csv"), en("duro")); },
       {"--lotes", en("d.csv"), "-o", en("duro")},
       kSalidaErrorEntrada,
       [&] { EXPECT_EQ(Leer(en("d.csv")), entrada); }},
      {"un enlace simbólico a la entrada",
       [&] { fs::create_symlink("d.csv", en("sim")); },
       {"--lotes", en("d.csv"), "-o", en("sim")},
       kSalidaErrorEntrada,
       [&] { EXPECT_EQ(Leer(en("d.csv")), entrada); }},
      {"un archivo de solo lectura",
       [&] { escribir(en("x"), antiguo, soloLectura); },
       {"12", "15", "5", "20", "5,1", "5", "-o", en("x")},
       kSalidaErrorEscritura,
       [&] { EXPECT_EQ(Leer(en("x")), antiguo); }},
      {"un archivo privado sigue privado",
       [&] { escribir(en("x"), antiguo, privado); },
       {"12", "15", "5", "20", "5,1", "5", "-o", en("x")},
       kSalidaConstruible,
       [&] {
         EXPECT_EQ(Leer(en("x")), informe);
         EXPECT_EQ(fs::status(en("x")).permissions(), privado);
       }},
      {"un enlace simbólico: se reemplaza su destino",
       [&] {
         escribir(en("x"), antiguo, privado);
         fs::create_symlink("x", en("enlace"));
       },
       {"12", "15", "5", "20", "5,1", "5", "-o", en("enlace")},
       kSalidaConstruible,
       [&] {
         EXPECT_TRUE(fs::is_symlink(en("enlace")));
         EXPECT_EQ(Leer(en("x")), informe);
         EXPECT_EQ(fs::status(en("x")).permissions(), privado);
       }},
      {"otro enlace duro conserva lo anterior",
       [&] {
         escribir(en("x"), antiguo, privado);
         fs::create_hard_link(en("x"), en("otro"));
       },
       {"12", "15", "5", "20", "5,1", "5", "-o", en("x")},
       kSalidaConstruible,
       [&] {
         EXPECT_EQ(Leer(en("x")), informe);
         EXPECT_EQ(Leer(en("otro")), antiguo);
       }},
      {"una cabecera rechazada no deja archivo temporal",
       [&] { std::ofstream(en("d.csv"), std::ios::binary) << "12;15;5;20;5,1;5\n"; },
       {"--lotes", en("d.csv"), "-o", en("y")},
       kSalidaErrorEntrada,
       [&] { EXPECT_FALSE(fs::exists(en("y"))); }},
      {"una cadena de enlaces hasta un archivo que falta: se crea el último",
       [&] {
         fs::create_symlink("cb", en("ca"));
         fs::create_symlink("falta", en("cb"));
       },
       {"12", "15", "5", "20", "5,1", "5", "-o", en("ca")},
       kSalidaConstruible,
       [&] {
         EXPECT_TRUE(fs::is_symlink(en("cb")));
         EXPECT_EQ(Leer(en("falta")), informe);
       },
       "falta"},
      {"un bucle de enlaces",
       [&] {
         fs::create_symlink("lb", en("la"));
         fs::create_symlink("la", en("lb"));
       },
       {"12", "15", "5", "20", "5,1", "5", "-o", en("la")},
       kSalidaErrorEscritura,
       [&] { EXPECT_TRUE(fs::is_symlink(en("la")) && fs::is_symlink(en("lb"))); }},
      {"un nombre tan largo como puede ser",
       [] {},
       {"12", "15", "5", "20", "5,1", "5", "-o", en(kNombreMayor)},
       kSalidaConstruible,
       [&] { EXPECT_EQ(Leer(en(kNombreMayor)), informe); },
       kNombreMayor},
      {"la lista de materiales sobre -o, con otra grafía",
       [&] { escribir(en("x"), antiguo, privado); },
       {"--lotes", en("d.csv"), "-o", en("x"), "--lista-materiales", carpeta + "/./x"},
       kSalidaErrorEntrada,
       [&] { EXPECT_EQ(Leer(en("x")), antiguo); }},
      {"la lista de materiales en un enlace duro a la entrada",
       [&] {
         escribir(en("x"), antiguo, privado);
         fs::create_hard_link(en("d.csv"), en("duro"));
       },
       {"--lotes", en("d.csv"), "-o", en("x"), "--lista-materiales", en("duro")},
       kSalidaErrorEntrada,
       [&] {
         EXPECT_EQ(Leer(en("x")), antiguo);
         EXPECT_EQ(Leer(en("d.csv")), entrada);
       }},
      {"la lista de materiales por un enlace al -o que aún no existe",
       [&] { fs::create_symlink("nuevo", en("sim")); },
       {"--lotes", en("d.csv"), "-o", en("nuevo"), "--lista-materiales", en("sim")},
       kSalidaErrorEntrada,
       [] {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    for (const std::string& nombre : Nombres(carpeta)) fs::remove(en(nombre));
    escribir(en("d.csv"), entrada, fs::perms::owner_read | fs::perms::owner_write);
    c.preparar();
    const std::vector<std::string> antes = Nombres(carpeta);
    const int estado = EnHijo([&] { return Ejecutar(c.argumentos).codigo; }, true);
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == kSinCambioDeUsuario) {
      GTEST_SKIP() << "no se puede pasar a un usuario corriente (uid " << kNadie << ")";
    }
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), c.codigo);
    std::vector<std::string> despues = antes;
    if (!c.nuevo.empty()) despues.push_back(c.nuevo);
    std::sort(despues.begin(), despues.end());
    EXPECT_EQ(Nombres(carpeta), despues) << "un archivo de más o de menos";
    c.comprobar();
  }
}

// A signal during a long batch leaves the old file whole and no temporary
// file, and ends the tool as the signal would have; one the caller ignores,
// as nohup does, neither ends it nor loses its work.
TEST(Herramienta, SenalDuranteUnLote) {
  constexpr int kFilas = 10000;
  const std::string carpeta = CarpetaNueva("senales");
  const std::string lotes = ArchivoDeFilas("senales.csv", kFilas, "12;15;5;20;5,1;5");
  const std::string ruta = carpeta + "/res.csv";
  const struct {
    int senal;
    bool ignorada;
  } casos[] = {{SIGINT, false}, {SIGTERM, false}, {SIGHUP, false}, {SIGHUP, true}, {SIGINT, true}};
  for (const auto& c : casos) {
    SCOPED_TRACE(std::to_string(c.senal) + (c.ignorada ? ", ignorada" : ""));
    std::ofstream(ruta, std::ios::binary) << "antiguo";
    const pid_t hijo = fork();
    if (hijo == 0) {
      if (c.ignorada) signal(c.senal, SIG_IGN);
      _exit(Ejecutar({"--lotes", lotes, "-o", ruta}).codigo);
    }
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Nombres(carpeta).size() < 2 && std::chrono::steady_clock::now() < limite) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(Nombres(carpeta).size(), 2u) << "no apareció el archivo temporal";
    kill(hijo, c.senal);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    EXPECT_EQ(Nombres(carpeta), std::vector<std::string>{"res.csv"});
    if (c.ignorada) {
      EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == kSalidaConstruible) << estado;
      EXPECT_TRUE(Tiene(Leer(ruta), "\n" + std::to_string(kFilas + 1) + ";si;"));
    } else {
      EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == c.senal) << estado;
      EXPECT_EQ(Leer(ruta), "antiguo");
    }
  }
}

// A batch's rows without the line numbers, which empty rows move.
std::string SinNumerosDeLinea(const std::string& salida) {
  return std::regex_replace(std::regex_replace(salida, std::regex("\n[0-9]+;"), "\n"),
                            std::regex("línea [0-9]+: "), "");
}

// UTF-8 text in UTF-16, as iconv, not the tool, writes it, after its mark.
std::string Utf16(const std::string& texto, bool le) {
  const iconv_t conversion = iconv_open(le ? "UTF-16LE" : "UTF-16BE", "UTF-8");
  std::string copia = texto;
  std::string destino(texto.size() * 4, '\0');
  char* entrada = copia.data();
  char* salida = destino.data();
  std::size_t quedan = copia.size(), caben = destino.size();
  EXPECT_NE(iconv(conversion, &entrada, &quedan, &salida, &caben), static_cast<std::size_t>(-1));
  iconv_close(conversion);
  destino.resize(destino.size() - caben);
  return (le ? "\xFF\xFE" : "\xFE\xFF") + destino;
}

// The same batch as a spreadsheet may save it gives the same rows: UTF-8
// with a mark, UTF-16 either way with tabs, CR line ends, empty rows, cells
// in quotes. A cell's ñ, € and a character past 16 bits come back whole in
// its message, whatever the file's form.
TEST(Herramienta, LotesComoLosGuardaUnaHoja) {
  const std::string raro = "5\xF0\x9F\x98\x80\xE2\x82\xAC\xC3\xB1";  // 5😀€ñ
  const std::string filas =
      "12;15;5;20;5,1;5\n24;30;10;100;12;10\n9;12.5;5;20;5,1;5\n12;" + raro + ";5;20;5,1;5\n";
  const std::string plano = kCabeceraLotesPrueba + "\n" + filas;
  const Ejecucion referencia = Ejecutar({"--lotes", Archivo("hoja-plano.csv", plano)});
  ASSERT_TRUE(Tiene(referencia.salida, "VeMax «" + raro + "» no es una cifra"));
  auto cambiar = [](std::string texto, char de, const std::string& a) {
    std::string r;
    for (const char c : texto) r += c == de ? a : std::string(1, c);
    return r;
  };
  const std::string conTabuladores = cambiar(plano, ';', "\t");
  const std::string conVacias = kCabeceraLotesPrueba + "\n;;;;;\n" + filas.substr(0, 17) +
                                "\n \t \n" + filas.substr(17) + ";;;;;;\n";
  // Every cell quoted, the header's too, and one holding a quote.
  std::string conComillas = "\"";
  for (const char c : plano)
    conComillas += c == ';' ? "\";\"" : c == '\n' ? "\"\n\"" : std::string{c};
  conComillas.pop_back();  // the quote opened after the last line end
  conComillas += "12;\"1\"\"5\";5;20;5,1;5\n";
  const std::string conComillasEnUtf8 = plano + "12;1\"5;5;20;5,1;5\n";
  const struct {
    const char* forma;
    std::string contenido;
    int vacias;
    std::string comoUtf8 = "";  // what the plain file holds, when not the same
  } casos[] = {
      {"UTF-8 con marca", "\xEF\xBB\xBF" + plano, 0},
      {"UTF-16 LE, tabuladores, CRLF", Utf16(cambiar(conTabuladores, '\n', "\r\n"), true), 0},
      {"UTF-16 BE", Utf16(plano, false), 0},
      {"solo CR", cambiar(plano, '\n', "\r"), 0},
      {"filas vacías", conVacias, 4},
      {"entre comillas", conComillas, 0, conComillasEnUtf8},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.forma);
    const Ejecucion esperada = c.comoUtf8.empty()
                                   ? referencia
                                   : Ejecutar({"--lotes", Archivo("hoja-plano.csv", c.comoUtf8)});
    const Ejecucion e = Ejecutar({"--lotes", Archivo("hoja.csv", c.contenido)});
    EXPECT_EQ(e.codigo, esperada.codigo) << e.errores;
    EXPECT_EQ(SinNumerosDeLinea(e.salida), SinNumerosDeLinea(esperada.salida));
    EXPECT_EQ(Tiene(e.errores, std::to_string(c.vacias) + " vacías omitidas"), c.vacias > 0)
        << e.errores;
  }
}

// The fields of a CSV row before its last one, a message that may hold
// the separator.
std::vector<std::string> Campos(const std::string& fila, std::size_t cuantos) {
  std::vector<std::string> campos;
  std::size_t inicio = 0;
  while (campos.size() + 1 < cuantos) {
    const std::size_t fin = fila.find(';', inicio);
    campos.push_back(fila.substr(inicio, fin - inicio));
    inicio = fin + 1;
  }
  campos.push_back(fila.substr(inicio));
  return campos;
}

std::vector<std::string> Filas(const std::string& csv) {
  std::vector<std::string> filas;
  std::istringstream lector(csv);
  for (std::string fila; std::getline(lector, fila);) filas.push_back(fila);
  return filas;
}

// A thousand designs, each row's mounting its own or the command's: every
// buildable row has parts of its mounting, and the parts list counts each
// row's resistor and Zener once, so that each kind adds up to the buildable
// rows and each part to the rows that name it.
TEST(Herramienta, ListaDeMaterialesDeUnLote) {
  constexpr int kDisenos = 1000;
  const char* const kMontajes[] = {"", "smd", "tht", "cualquiera"};
  const char* const kTensiones[] = {"3,3", "5,1", "6,2", "9,1", "12", "15", "24"};
  std::mt19937 azar(22);
  std::uniform_real_distribution<double> uno(0, 1);
  std::string lote = kCabeceraLotesPrueba + ";Montaje\n";
  for (int n = 0; n < kDisenos; ++n) {
    const std::string vz = kTensiones[n % std::size(kTensiones)];
    const double v = std::stod(std::regex_replace(vz, std::regex(","), "."));
    const double veMin = v + 1 + uno(azar) * 2 * v;
    const double veMax = veMin + uno(azar) * v;
    const double icMax = 1 + uno(azar) * 60;
    lote += CifraHoja(veMin, 2) + ";" + CifraHoja(veMax, 2) + ";0;" + CifraHoja(icMax, 1) + ";" +
            vz + ";" + CifraHoja(1 + uno(azar) * 9, 1) + ";" + kMontajes[n % 4] + "\n";
  }
  const std::string salida = kDirTemporal + "/lote-materiales-salida.csv";
  const std::string lista = kDirTemporal + "/lote-materiales-lista.csv";
  const Ejecucion e = Ejecutar({"--lotes", Archivo("lote-materiales.csv", lote), "-o", salida,
                                "--lista-materiales", lista, "--montaje", "tht"});
  ASSERT_NE(e.codigo, kSalidaErrorEntrada) << e.errores;

  std::map<std::string, int> zenersEnLista;
  std::map<std::string, int> resistenciasEnLista;   // by type
  std::map<std::string, std::string> encapsulados;  // of each Zener
  const std::vector<std::string> enLista = Filas(Leer(lista));
  EXPECT_EQ(enLista.at(0), "\xEF\xBB\xBFPieza;Encapsulado;Cantidad");
  for (std::size_t i = 1; i < enLista.size(); ++i) {
    const std::vector<std::string> f = Campos(enLista[i], 3);
    const std::string tipo = f[0].substr(0, f[0].find(' '));
    const bool esResistencia = f[0].find(' ') != std::string::npos;
    (esResistencia ? resistenciasEnLista : zenersEnLista)[tipo] += std::stoi(f[2]);
    if (esResistencia) {
      EXPECT_EQ(tipo.rfind("CRCW", 0) == 0, f[1] != "axial") << enLista[i];
    } else {
      encapsulados[tipo] = f[1];
    }
  }

  const std::vector<std::string> filas = Filas(Leer(salida));
  const std::vector<std::string> cabecera =
      Campos(filas.at(0), std::count(filas.at(0).begin(), filas.at(0).end(), ';') + 1);
  const auto columna = [&](const char* nombre) {
    return std::find(cabecera.begin(), cabecera.end(), nombre) - cabecera.begin();
  };
  const std::set<std::string> kDeInsercion = {"DO-35", "DO-41", "axial, Surmetic 40"};
  std::map<std::string, int> zeners;
  std::map<std::string, int> resistencias;
  std::map<std::string, int> porMontaje;
  int construibles = 0;
  for (std::size_t i = 1; i < filas.size(); ++i) {
    const std::vector<std::string> f = Campos(filas[i], cabecera.size());
    if (f[1] != "si") continue;
    ++construibles;
    const std::string zener = f[columna("Zener")];
    const std::string resistencia = f[columna("Resistencia")];
    ++zeners[zener];
    ++resistencias[resistencia];
    // The row's own mounting, or the command's tht where its cell is empty.
    const std::string montaje = kMontajes[(std::stoul(f[0]) - 2) % 4];
    ++porMontaje[montaje];
    const bool smd = resistencia.rfind("CRCW", 0) == 0 && !kDeInsercion.count(encapsulados[zener]);
    const bool tht = resistencia.rfind("MF", 0) == 0 && kDeInsercion.count(encapsulados[zener]);
    if (montaje == "smd") {
      EXPECT_TRUE(smd) << filas[i];
    } else if (montaje != "cualquiera") {
      EXPECT_TRUE(tht) << filas[i];
    }
  }
  EXPECT_EQ(porMontaje.size(), 4u) << "every mounting has buildable rows";
  EXPECT_EQ(zenersEnLista, zeners);
  EXPECT_EQ(resistenciasEnLista, resistencias);
  EXPECT_TRUE(Tiene(e.errores, std::to_string(construibles) + " construibles")) << e.errores;
}

// What a cell echoes is valid UTF-8, its quotes doubled, whatever bytes it
// held.
TEST(Herramienta, EcoEnUtf8) {
  const struct {
    std::string celda, eco;
  } casos[] = {
      {"1\xE9", "«1\xEF\xBF\xBD»"},                                // Latin-1
      {"\xC0\xAF", "«\xEF\xBF\xBD\xEF\xBF\xBD»"},                  // overlong
      {"\xED\xA0\x80", "«\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD»"},  // a surrogate
      {"5\xE2\x82", "«5\xEF\xBF\xBD\xEF\xBF\xBD»"},                // cut short
      {"5\"1\"", "«5\"\"1\"\"»"},
      {"\"5;1\"", "«5;1»"},  // quoted, the separator is the cell's
      {" \"5\"\"1\" ", "«5\"\"1»"},
      {"\xC3\xB1", "«ñ»"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.eco);
    const Ejecucion e = Ejecutar({"--lotes", Archivo("eco.csv", kCabeceraLotesPrueba + "\n12;" +
                                                                    c.celda + ";5;20;5,1;5\n")});
    EXPECT_TRUE(EsUtf8(e.salida));
    EXPECT_TRUE(Tiene(e.salida, "VeMax " + c.eco + " no es una cifra")) << e.salida;
  }
}

// The first failure ends the run: an output that fails ends a long batch
// long before it would have been done, and a line past the limit ends the
// reading, even of an endless input. A row of exactly the limit across a
// read boundary is still read.
TEST(Herramienta, FinAlPrimerFallo) {
  // A failing output is found once a 64 KiB read of the input has been
  // designed: padded rows keep that to some 500 of them, a small part of a
  // batch short enough to run well inside the tests' limit under the
  // sanitizers on a busy machine.
  constexpr int kFilas = 30000;
  constexpr std::size_t kRelleno = 100;
  const std::string lotes =
      ArchivoDeFilas("largo.csv", kFilas, "12;15;5;20;5,1;5" + std::string(kRelleno, ' '));
  auto segundos = [](const std::function<void()>& f) {
    const auto inicio = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  };
  double entero = 0;
  const double bien = segundos([&] {
    entero = Ejecutar({"--lotes", lotes, "-o", "/dev/null"}).codigo;
  });
  EXPECT_EQ(entero, kSalidaConstruible);
  Cerrada cerrada;
  std::ostream salidaCerrada(&cerrada);
  const struct {
    const char* caso;
    std::vector<std::string> argumentos;
    std::ostream* destino;
  } casos[] = {
      {"la salida cerrada", {"--lotes", lotes}, &salidaCerrada},
      {"-o /dev/full", {"--lotes", lotes, "-o", "/dev/full"}, nullptr},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    int codigo = 0;
    const double mal = segundos([&] { codigo = Ejecutar(c.argumentos, c.destino).codigo; });
    EXPECT_EQ(codigo, kSalidaErrorEscritura);
    EXPECT_LT(mal, bien / 10) << mal << " s frente a " << bien << " s";
  }
  const int estado = EnHijo([] {
    alarm(10);
    return Ejecutar({"--lotes", "/dev/zero"}).codigo;
  });
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == kSalidaErrorEntrada) << estado;

  // The first data row starts where the header and the padding rows end; the
  // long row then straddles the tool's 64 KiB reads.
  const std::size_t kLectura = 1 << 16;
  for (const std::size_t largo : {kMayorLinea, kMayorLinea + 1}) {
    SCOPED_TRACE(largo);
    std::string contenido = kCabeceraLotesPrueba + "\n";
    while (contenido.size() + 17 < kLectura - largo / 2) contenido += "12;15;5;20;5,1;5\n";
    const std::string fila = "12;15;5;20;5,1;5";
    contenido += fila + std::string(largo - fila.size(), ' ') + "\n12;15;5;20;5,1;5\n";
    const Ejecucion e = Ejecutar({"--lotes", Archivo("frontera.csv", contenido)});
    EXPECT_EQ(e.codigo, largo == kMayorLinea ? kSalidaConstruible : kSalidaErrorEntrada)
        << e.errores;
    EXPECT_EQ(Tiene(e.errores, "pasa de 1024 bytes"), largo > kMayorLinea) << e.errores;
  }
}

// The system's reasons in Spanish, whatever the machine's locale.
TEST(Herramienta, RazonesEnCastellano) {
  const std::vector<std::string> ejemplo = {"12", "15", "5", "20", "5,1", "5"};
  auto con = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = ejemplo;
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
  };
  const struct {
    std::vector<std::string> argumentos;
    std::string razon;
  } casos[] = {
      {con({"-o", kDirTemporal + "/no/hay/carpeta.txt"}), "no existe el archivo o la carpeta"},
      {{"--lotes", kDirTemporal + "/no-hay.csv"}, "no existe el archivo o la carpeta"},
      {con({"-o", "/dev/full"}), "no queda espacio en el dispositivo"},
      {con({"-o", kDirTemporal}), "es una carpeta"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.razon);
    const Ejecucion e = Ejecutar(c.argumentos);
    EXPECT_TRUE(Tiene(e.errores, ": " + c.razon + "\n")) << e.errores;
  }
}

// The help is made from the option table: every option with its default or
// what applies without it, and its limits; --version says what the Windows
// program's version resource says.
TEST(Herramienta, AyudaDeLaTablaDeOpciones) {
  const std::string ayuda =
      std::regex_replace(Ejecutar({"--help"}).salida, std::regex("\\s+"), " ");
  const OpcionesDiseno porDefecto;
  for (const OpcionNumerica& o : kOpcionesNumericas) {
    SCOPED_TRACE(o.opcion);
    const auto defecto = o.leer(porDefecto);
    const std::string unidad = o.unidad.empty() ? "" : " " + std::string(o.unidad);
    const std::string entre =
        "(" + (defecto ? CifraCorta(*defecto, 2) + unidad : std::string(o.sinValor)) + ")";
    EXPECT_TRUE(Tiene(ayuda, std::string(o.opcion) + " " + std::string(o.valor) + " " +
                                 std::string(o.nombre) + " " + entre + "; ha de " + LimitesDe(o)))
        << ayuda;
  }
  for (const std::string parte :
       {"--serie E6|E12|E24|E48|E96|E192 la serie de resistencias; E6 (20 %), E12 (10 %), E24 (5 "
        "%), E48 (2 %), E96 (1 %), E192 (0,5 %) (E24)",
        "--formato texto|json|html",
        "--familia automática|BZX84-C|MMSZ52xxB|BZX79-C|1N47xxA|BZG05C|SMBJ53xxB|1N53xxB",
        "--circuito derivacion|seguidor", "--carga-fija la carga nunca baja de IcMin",
        "--lotes ARCHIVO.csv", "-o ARCHIVO", "--version", "-h, --help"}) {
    EXPECT_TRUE(Tiene(ayuda, parte)) << parte;
  }
  std::smatch version;
  const std::string recurso = Leer(ZENER_RECURSO_WINDOWS);
  ASSERT_TRUE(std::regex_search(recurso, version, std::regex("\"ProductVersion\", \"([0-9.]+)\"")));
  EXPECT_EQ(Ejecutar({"--version"}).salida, "zener-diseno " + version[1].str() + "\n");
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
  for (const char* propio : {"<svg", "@page{size:A4", "BZG05C5V1", "276,00 Ω"}) {
    EXPECT_NE(pagina.find(propio), std::string::npos) << propio;
  }
}

}  // namespace
}  // namespace zener
