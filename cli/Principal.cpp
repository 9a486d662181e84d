#include "cli/Principal.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include "cli/Razones.h"
#include "cli/Salida.h"
#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Lectura.h"
#include "design/Lotes.h"
#include "design/Muestreo.h"
#include "design/Opciones.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

constexpr std::string_view kUso =
    R"(Uso: zener-diseno VeMin VeMax IcMin IcMax VnZener IzMin [opciones]
       zener-diseno VeMin VeMax VnZener IzMin --carga-ohm OHMIOS [opciones]
       zener-diseno --lotes ARCHIVO.csv [opciones]

Diseña el regulador con diodo zener y resistencia en serie: elige la
resistencia normalizada que mantiene la corriente mínima del zener en el peor
caso de su tolerancia y de todo lo que la hoja de datos del diodo permite a su
tensión (su intervalo en Izt, su impedancia en Izt y en Izk, su deriva hasta la
temperatura de la unión), su potencia y el diodo; da la tensión de salida y la
temperatura de la unión, y dice si el diseño se puede construir.

Cifras como en la ventana: coma decimal y punto de millares (12 15 5 20 5,1 5).
Tensiones en V, corrientes en mA. VeMin y VeMax son los extremos del valor
medio de la entrada; el rizado (--rizado) va encima de ellos. Tras «--» todo
son cifras, aunque empiecen por «-».

Los ohmios, también como se marcan las resistencias: 4.700, 4,7k, 4k7, 2M2,
470R, 0R47; k o K es kilo, M mega, G giga y R la coma. La m minúscula no vale
(unos la leen mili y otros mega): escriba M.

Opciones:
)";

constexpr std::string_view kSalidas =
    R"(
Salida: 0 si el diseño se puede construir; 1 si no (una regla, ningún valor
de la serie, ninguna potencia de resistencia o ningún diodo basta); 2 si la
entrada no es válida (en lotes: si alguna fila no lo es); 3 si no se pudo
escribir la salida.
)";

// The help's columns: the option and its value, then what it does.
constexpr std::size_t kSangriaAyuda = 37;
constexpr std::size_t kAnchoAyuda = 79;

// Each form of the single design's report, the first the default.
struct FormatoInforme {
  std::string_view nombre;
  std::string (*escribir)(const Diseno&);
};
const FormatoInforme kFormatos[] = {
    {"texto", InformeTexto},
    {"json", [](const Diseno& d) { return InformeJson(d) + "\n"; }},
    {"html", InformeHtml},
    {"spice", InformeSpice},
};

// What ends the options: every argument after it is a figure.
constexpr std::string_view kFinDeOpciones = "--";

struct Orden {
  std::vector<std::string> cifras;
  OpcionesDiseno opciones;
  const FormatoInforme* formato = &kFormatos[0];
  bool formatoDado = false;
  std::optional<std::string> lotes;
  std::optional<std::string> destino;
  std::optional<std::string> materiales;
  OpcionesMuestreo muestreo;
  bool semillaDada = false;
  std::optional<std::string> muestras;
  bool ayuda = false;
  bool version = false;
};

using Tratamiento = std::function<std::optional<Fallo>(Orden&, const std::string&)>;

// One option of the tool: its names, the value it takes (none for a flag),
// what the help says of it, and what it does with its value.
struct OpcionHerramienta {
  std::vector<std::string> nombres;
  std::string valor;
  std::string descripcion;
  Tratamiento tratar;
};

Fallo FalloDeEntrada(std::string mensaje) {
  return Fallo{std::move(mensaje), kSalidaErrorEntrada};
}

// A whole number within limits, written as a figure is (100.000).
std::optional<std::uint64_t> Entero(const std::string& texto, double minimo, double maximo) {
  const Lectura l = LeerValor(texto);
  if (!l.valor || *l.valor != std::floor(*l.valor) || *l.valor < minimo || *l.valor > maximo) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(*l.valor);
}

// A user's argument as messages quote it.
std::string Citado(std::string_view argumento) {
  return "«" + Eco(argumento) + "»";
}

template <typename Fila, typename Nombre>
std::string Unidos(const Fila& filas, std::string_view separador, Nombre nombre) {
  std::string texto;
  for (const auto& fila : filas) {
    texto += (texto.empty() ? "" : std::string(separador)) + std::string(nombre(fila));
  }
  return texto;
}

std::string NombresDeFormatos(std::string_view separador) {
  return Unidos(kFormatos, separador, [](const FormatoInforme& f) { return f.nombre; });
}

// "(2)", "(25 °C)", or what applies without it: "(la de la serie)".
std::string DefectoDe(const OpcionNumerica& opcion) {
  const auto defecto = opcion.leer(OpcionesDiseno{});
  if (!defecto) return "(" + std::string(opcion.sinValor) + ")";
  return "(" + CifraCorta(*defecto, 2) + (opcion.unidad.empty() ? "" : " ") +
         std::string(opcion.unidad) + ")";
}

OpcionHerramienta OpcionDeDiseno(const OpcionNumerica& opcion) {
  return {{std::string(opcion.opcion)},
          std::string(opcion.valor),
          std::string(opcion.nombre) + " " + DefectoDe(opcion) + "; ha de " + LimitesDe(opcion),
          [&opcion](Orden& o, const std::string& v) -> std::optional<Fallo> {
            const std::string dada = std::string(opcion.opcion) + " " + Citado(v);
            if (auto motivo = LeerOpcion(o.opciones, opcion, v)) {
              return FalloDeEntrada(dada + " " + *motivo);
            }
            if (!DentroDeLimites(opcion, *opcion.leer(o.opciones))) {
              return FalloDeEntrada(dada + " no vale: " + std::string(opcion.nombre) + " ha de " +
                                    LimitesDe(opcion));
            }
            return std::nullopt;
          }};
}

// The choices that say more than their names: "; E6 (20 %), E12 (10 %)…"
// for the series; nothing for the rest, whose names say it all.
std::string Detalle(const OpcionDeLista& lista) {
  std::string detalle;
  for (const Eleccion& e : lista.elecciones()) {
    if (e.texto.rfind(e.nombre + " (", 0) != 0 || !e.montaje.empty()) return {};
    detalle += (detalle.empty() ? "; " : ", ") + e.texto;
  }
  return detalle;
}

// An option that takes a name, or a flag that sets its last one.
OpcionHerramienta OpcionConNombre(const OpcionDeLista& lista) {
  const std::string defecto = lista.leer(OpcionesDiseno{});
  return {{std::string(lista.opcion)},
          lista.bandera ? std::string() : NombresDe(lista, "|"),
          std::string(lista.ayuda) + Detalle(lista) + (lista.bandera ? "" : " (" + defecto + ")"),
          [&lista](Orden& o, const std::string& v) -> std::optional<Fallo> {
            const std::string nombre = lista.bandera ? lista.elecciones().back().nombre : v;
            if (lista.poner(o.opciones, nombre)) return std::nullopt;
            return FalloDeEntrada(std::string(lista.desconocida) + " " + Citado(v) + " (" +
                                  NombresDe(lista, ", ") + ")");
          }};
}

// Every option, in the order of the help.
const std::vector<OpcionHerramienta>& Opciones() {
  static const std::vector<OpcionHerramienta> opciones = [] {
    std::vector<OpcionHerramienta> o;
    for (const OpcionDeLista& lista : kOpcionesDeLista) o.push_back(OpcionConNombre(lista));
    for (const OpcionNumerica& numerica : kOpcionesNumericas) o.push_back(OpcionDeDiseno(numerica));
    o.push_back({{"--formato"},
                 NombresDeFormatos("|"),
                 "la forma del informe (" + std::string(kFormatos[0].nombre) +
                     "); spice: un circuito para ngspice con los peores casos y los "
                     "modelos extremos del diodo",
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   for (const FormatoInforme& formato : kFormatos) {
                     if (formato.nombre != v) continue;
                     o.formato = &formato;
                     o.formatoDado = true;
                     return std::nullopt;
                   }
                   return FalloDeEntrada("formato desconocido " + Citado(v) + " (" +
                                         NombresDeFormatos(", ") + ")");
                 }});
    o.push_back({{"--montecarlo"},
                 "N",
                 "además del peor caso, N unidades sacadas de lo que permiten las hojas de sus "
                 "piezas, cada una resuelta en todas las esquinas: rendimiento con su intervalo, "
                 "la promesa que más falla, media, σ, Cpk e histogramas; de 1 a " +
                     Cifra(static_cast<double>(kMaximoUnidades), 0),
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   const auto n = Entero(v, 1, static_cast<double>(kMaximoUnidades));
                   if (!n) {
                     return FalloDeEntrada("--montecarlo " + Citado(v) +
                                           " no vale: ha de ser un entero de 1 a " +
                                           Cifra(static_cast<double>(kMaximoUnidades), 0));
                   }
                   o.muestreo.unidades = *n;
                   return std::nullopt;
                 }});
    o.push_back({{"--semilla"},
                 "S",
                 "con --montecarlo, la semilla de los sorteos, un entero de 0 a " +
                     Cifra(kMayorSemilla, 0) +
                     " (sin ella, una al azar); el informe la da, y la misma da el mismo informe",
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   const auto n = Entero(v, 0, kMayorSemilla);
                   if (!n) {
                     return FalloDeEntrada("--semilla " + Citado(v) +
                                           " no vale: ha de ser un entero de 0 a " +
                                           Cifra(kMayorSemilla, 0));
                   }
                   o.muestreo.semilla = *n;
                   o.semillaDada = true;
                   return std::nullopt;
                 }});
    for (const auto& [nombre, campo, que] :
         {std::tuple{"--vout-min", &OpcionesMuestreo::voutMinV, "mínima"},
          std::tuple{"--vout-max", &OpcionesMuestreo::voutMaxV, "máxima"}}) {
      o.push_back({{nombre},
                   "VOLTIOS",
                   std::string("con --montecarlo, la salida ") + que +
                       " que cada unidad ha de dar, una promesa más",
                   [nombre = std::string(nombre), campo = campo](
                       Orden& o, const std::string& v) -> std::optional<Fallo> {
                     const Lectura l = LeerValor(v);
                     if (!l.valor) return FalloDeEntrada(nombre + " " + Citado(v) + " " + l.motivo);
                     o.muestreo.*campo = *l.valor;
                     return std::nullopt;
                   }});
    }
    o.push_back({{"--muestras"},
                 "ARCHIVO.csv",
                 "con --montecarlo, escribe además cada unidad: lo sorteado, R, cada figura y "
                 "si cumple; como -o, entero o nada",
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   o.muestras = v;
                   return std::nullopt;
                 }});
    o.push_back({{"--lotes"},
                 "ARCHIVO.csv",
                 "un diseño por fila tras la cabecera " + std::string(kCabeceraLotes) +
                     ", separados por punto y coma o tabulador, en UTF-8 o UTF-16 como los "
                     "guarda una hoja de cálculo; las filas vacías se omiten",
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   o.lotes = v;
                   return std::nullopt;
                 }});
    o.push_back({{"--lista-materiales"},
                 "ARCHIVO.csv",
                 "con --lotes, escribe además la lista de materiales de las filas construibles: "
                 "pieza, encapsulado y cantidad; como -o, entero o nada",
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   o.materiales = v;
                   return std::nullopt;
                 }});
    o.push_back({{"-o"},
                 "ARCHIVO",
                 "escribe en el archivo, entero o nada, como una redirección: nunca sobre una "
                 "entrada ni sobre un archivo que no se puede escribir; conserva sus permisos, "
                 "sigue un enlace simbólico y reemplaza el archivo, de modo que otro enlace duro "
                 "conserva el contenido anterior",
                 [](Orden& o, const std::string& v) -> std::optional<Fallo> {
                   o.destino = v;
                   return std::nullopt;
                 }});
    o.push_back({{"--version"},
                 "",
                 "la versión del programa",
                 [](Orden& o, const std::string&) -> std::optional<Fallo> {
                   o.version = true;
                   return std::nullopt;
                 }});
    o.push_back({{"-h", "--help"},
                 "",
                 "esta ayuda",
                 [](Orden& o, const std::string&) -> std::optional<Fallo> {
                   o.ayuda = true;
                   return std::nullopt;
                 }});
    return o;
  }();
  return opciones;
}

const OpcionHerramienta* BuscarOpcion(const std::string& nombre) {
  for (const OpcionHerramienta& opcion : Opciones()) {
    for (const std::string& n : opcion.nombres) {
      if (n == nombre) return &opcion;
    }
  }
  return nullptr;
}

// Whether the text starts with a unit of the options, or a multiple of the
// ohm (MΩ): a figure keeps it on its line.
bool EmpiezaPorUnidad(std::string_view texto) {
  if (texto.size() > 1 && std::isalpha(static_cast<unsigned char>(texto[0])) &&
      texto.substr(1, kUnidadOhmio.size()) == kUnidadOhmio) {
    return true;
  }
  for (const OpcionNumerica& opcion : kOpcionesNumericas) {
    if (!opcion.unidad.empty() && texto.substr(0, opcion.unidad.size()) == opcion.unidad) {
      return true;
    }
  }
  return false;
}

std::size_t FinDePalabra(std::string_view texto, std::size_t inicio) {
  std::size_t fin = texto.find(' ', inicio);
  while (fin != std::string_view::npos && EmpiezaPorUnidad(texto.substr(fin + 1))) {
    fin = texto.find(' ', fin + 1);
  }
  return std::min(fin, texto.size());
}

// Words from the given column to the help's width.
void AnadirParrafo(std::string& ayuda, std::string_view texto, std::size_t columna) {
  std::size_t ancho = columna;
  std::size_t inicio = 0;
  while (inicio < texto.size()) {
    const std::size_t fin = FinDePalabra(texto, inicio);
    const std::string_view palabra = texto.substr(inicio, fin - inicio);
    // Accents take two bytes and one column.
    std::size_t columnas = 0;
    for (const char c : palabra) columnas += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (ancho > columna && ancho + 1 + columnas > kAnchoAyuda) {
      ayuda += "\n" + std::string(columna, ' ');
      ancho = columna;
    } else if (ancho > columna) {
      ayuda += ' ';
      ++ancho;
    }
    ayuda += palabra;
    ancho += columnas;
    inicio = fin + 1;
  }
  ayuda += '\n';
}

std::string Ayuda() {
  std::string ayuda(kUso);
  for (const OpcionHerramienta& opcion : Opciones()) {
    std::string cabeza =
        "  " + Unidos(opcion.nombres, ", ", [](const std::string& n) { return n; });
    if (!opcion.valor.empty()) cabeza += " " + opcion.valor;
    ayuda += cabeza;
    if (cabeza.size() + 1 > kSangriaAyuda) {
      ayuda += "\n" + std::string(kSangriaAyuda, ' ');
    } else {
      ayuda += std::string(kSangriaAyuda - cabeza.size(), ' ');
    }
    AnadirParrafo(ayuda, opcion.descripcion, kSangriaAyuda);
  }
  return ayuda + std::string(kSalidas);
}

// A figure may start with a minus sign; an option starts with a letter.
bool EsOpcion(const std::string& argumento) {
  return argumento.size() > 1 && argumento[0] == '-' &&
         !std::isdigit(static_cast<unsigned char>(argumento[1])) && argumento[1] != ',';
}

std::string NombresDeOpcion(const OpcionHerramienta& opcion) {
  return Unidos(opcion.nombres, " o ", [](const std::string& n) { return n; });
}

// Each option once: a second value would silently replace the first.
std::optional<Fallo> Analizar(int argc, const char* const* argv, Orden& orden) {
  std::set<const OpcionHerramienta*> dadas;
  bool soloCifras = false;
  for (int i = 1; i < argc; ++i) {
    std::string argumento = argv[i];
    if (soloCifras || !EsOpcion(argumento)) {
      orden.cifras.push_back(argumento);
      continue;
    }
    if (argumento == kFinDeOpciones) {
      soloCifras = true;
      continue;
    }
    std::optional<std::string> valor;
    if (const auto igual = argumento.find('='); igual != std::string::npos) {
      valor = argumento.substr(igual + 1);
      argumento.resize(igual);
    }
    const OpcionHerramienta* opcion = BuscarOpcion(argumento);
    if (!opcion) return FalloDeEntrada("opción desconocida: " + Citado(argumento));
    if (!dadas.insert(opcion).second) {
      return FalloDeEntrada("la opción " + NombresDeOpcion(*opcion) +
                            " se ha dado más de una vez: va una sola");
    }
    if (opcion->valor.empty() && valor) return FalloDeEntrada(argumento + " no lleva valor");
    if (!opcion->valor.empty() && !valor) {
      if (i + 1 >= argc) return FalloDeEntrada("falta el valor de " + argumento);
      valor = argv[++i];
    }
    if (auto fallo = opcion->tratar(orden, valor.value_or(""))) return fallo;
  }
  return std::nullopt;
}

// The design values the figures stand for: all six, or without the load
// currents when the load is a resistance.
std::vector<Magnitud> MagnitudesDadas(const Orden& orden) {
  if (orden.lotes) return {};
  if (orden.opciones.cargaOhm) {
    return {Magnitud::VeMin, Magnitud::VeMax, Magnitud::VnZener, Magnitud::IzMin};
  }
  return {Magnitud::VeMin, Magnitud::VeMax,   Magnitud::IcMin,
          Magnitud::IcMax, Magnitud::VnZener, Magnitud::IzMin};
}

std::string NombresDe(const std::vector<Magnitud>& magnitudes) {
  std::string nombres;
  for (const Magnitud m : magnitudes) {
    nombres +=
        (nombres.empty() ? "" : " ") + std::string(kNombresValores[static_cast<std::size_t>(m)]);
  }
  return nombres;
}

// Where the figures go instead, or how many there are with a load
// resistance.
std::string PorQueSobra(const Orden& orden, const std::vector<Magnitud>& dadas) {
  if (orden.lotes) return " (con --lotes las cifras van en el archivo)";
  if (!orden.opciones.cargaOhm) return "";
  return ": con --carga-ohm las cifras son " + std::to_string(dadas.size()) + " (" +
         NombresDe(dadas) + ")";
}

std::optional<Fallo> LeerCifras(const Orden& orden, DatosCircuito& valores, Decimales& decimales) {
  const std::vector<Magnitud> dadas = MagnitudesDadas(orden);
  if (orden.cifras.size() > dadas.size()) {
    return FalloDeEntrada("sobra el argumento " + Citado(orden.cifras[dadas.size()]) +
                          PorQueSobra(orden, dadas));
  }
  if (orden.cifras.size() < dadas.size()) {
    return FalloDeEntrada("faltan cifras: se esperan " + std::to_string(dadas.size()) + " (" +
                          NombresDe(dadas) + ") y hay " + std::to_string(orden.cifras.size()));
  }
  for (std::size_t i = 0; i < dadas.size(); ++i) {
    const auto campo = static_cast<std::size_t>(dadas[i]);
    const Lectura lectura = LeerValor(orden.cifras[i]);
    if (!lectura.valor) {
      return FalloDeEntrada("el argumento " + std::to_string(i + 1) + " (" +
                            std::string(kNombresValores[campo]) + ") " + Citado(orden.cifras[i]) +
                            " " + lectura.motivo);
    }
    valores.*kCampos[campo].valor = *lectura.valor;
    decimales[campo] = lectura.decimales;
  }
  return std::nullopt;
}

int Informar(const Fallo& fallo, std::ostream& errores) {
  errores << "zener-diseno: " << fallo.mensaje;
  if (fallo.codigo == kSalidaErrorEntrada) errores << "\nPruebe «zener-diseno --help».";
  errores << "\n";
  return fallo.codigo;
}

// The file goes through in pieces of this size; the result rows go out when
// this much has gathered.
constexpr std::size_t kTrozo = 1 << 16;

std::optional<Fallo> FalloDeLectura(const std::string& ruta, int error) {
  return FalloDeEntrada("no se puede leer " + RutaCitada(ruta) + ": " + Razon(error));
}

std::optional<Fallo> RechazoDeLotes(const Orden& orden) {
  if (orden.formatoDado) return FalloDeEntrada("--lotes escribe siempre CSV: no admite --formato");
  if (orden.opciones.cargaOhm) {
    return FalloDeEntrada("--carga-ohm no se admite con --lotes: la carga va en IcMin e IcMax");
  }
  std::error_code ec;
  if (std::filesystem::is_directory(*orden.lotes, ec)) {
    return FalloDeEntrada(RutaCitada(*orden.lotes) + " no es un archivo");
  }
  return std::nullopt;
}

void Resumir(const CuentaLotes& c, std::ostream& errores) {
  errores << c.filas << " filas: " << c.construibles << " construibles, " << c.noConstruibles
          << " no construibles, " << c.erroneas << " erróneas";
  if (c.vacias > 0) errores << "; " << c.vacias << " vacías omitidas";
  errores << "\n";
}

// Before a row is read: no output over the input or over the other output.
std::optional<Fallo> SalidasAparte(const Orden& orden) {
  std::vector<ArchivoNombrado> salidas;
  if (orden.destino) salidas.push_back({"-o", *orden.destino});
  if (orden.materiales) salidas.push_back({"--lista-materiales", *orden.materiales});
  return ArchivosDistintos({{"--lotes", *orden.lotes}}, salidas);
}

// The batch's parts list, once its results are on the disk.
std::optional<Fallo> EscribirMateriales(const Orden& orden, const SumaMateriales& materiales,
                                        std::ostream& consola) {
  if (!orden.materiales) return std::nullopt;
  Salida lista(consola, orden.materiales);
  if (auto fallo = lista.Abrir()) return fallo;
  lista.Escribir(materiales.Csv());
  return lista.Cerrar();
}

int DisenarLotes(const Orden& orden, std::ostream& consola, std::ostream& errores) {
  if (auto fallo = RechazoDeLotes(orden)) return Informar(*fallo, errores);
  const std::string& ruta = *orden.lotes;
  errno = 0;
  std::ifstream archivo(ruta, std::ios::binary);
  if (!archivo) return Informar(*FalloDeLectura(ruta, errno), errores);
  if (auto fallo = SalidasAparte(orden)) return Informar(*fallo, errores);
  Salida salida(consola, orden.destino);
  if (auto fallo = salida.Abrir()) return Informar(*fallo, errores);
  SumaMateriales materiales;
  Lotes lotes(orden.opciones, orden.materiales ? &materiales : nullptr);
  std::string trozo(kTrozo, '\0');
  std::string bloque;
  while (!lotes.Error() && !salida.Fallida() &&
         (archivo.read(trozo.data(), kTrozo) || archivo.gcount() > 0)) {
    lotes.Leer(std::string_view(trozo.data(), static_cast<std::size_t>(archivo.gcount())), bloque);
    if (bloque.size() >= kTrozo) {
      salida.Escribir(bloque);
      bloque.clear();
    }
  }
  if (archivo.bad()) return Informar(*FalloDeLectura(ruta, errno), errores);
  if (!salida.Fallida()) lotes.Terminar(bloque);
  if (lotes.Error())
    return Informar(FalloDeEntrada(RutaCitada(ruta) + ": " + *lotes.Error()), errores);
  salida.Escribir(bloque);
  if (auto fallo = salida.Cerrar()) return Informar(*fallo, errores);
  if (auto fallo = EscribirMateriales(orden, materiales, consola)) return Informar(*fallo, errores);
  const CuentaLotes& c = lotes.Cuenta();
  Resumir(c, errores);
  if (c.erroneas > 0) return kSalidaErrorEntrada;
  return c.noConstruibles > 0 ? kSalidaNoConstruible : kSalidaConstruible;
}

std::optional<Fallo> RechazoDeMuestreo(const Orden& orden) {
  const OpcionesMuestreo& m = orden.muestreo;
  if (m.unidades == 0) {
    if (orden.semillaDada || orden.muestras || m.voutMinV || m.voutMaxV) {
      return FalloDeEntrada("--semilla, --muestras, --vout-min y --vout-max van con --montecarlo");
    }
    return std::nullopt;
  }
  if (orden.lotes) return FalloDeEntrada("--montecarlo es para un diseño: no va con --lotes");
  if (orden.formato->escribir == InformeSpice) {
    return FalloDeEntrada(
        "--montecarlo no va con --formato spice: el circuito es el del peor caso");
  }
  if (m.voutMinV && m.voutMaxV && *m.voutMinV > *m.voutMaxV) {
    return FalloDeEntrada("--vout-min no puede pasar de --vout-max");
  }
  if (!orden.muestras) return std::nullopt;
  std::vector<ArchivoNombrado> salidas{{"--muestras", *orden.muestras}};
  if (orden.destino) salidas.push_back({"-o", *orden.destino});
  return ArchivosDistintos({}, salidas);
}

// A seed no one chose: the platform's entropy, to the bits a page's number
// holds.
std::uint64_t SemillaAlAzar() {
  std::random_device azar;
  const std::uint64_t alta = azar(), baja = azar();
  return ((alta << 32) | baja) & static_cast<std::uint64_t>(kMayorSemilla);
}

// The run beside the worst case, its units into their file as they are
// drawn.
std::optional<Fallo> Sortear(const Orden& orden, Diseno& diseno, std::ostream& consola) {
  OpcionesMuestreo opciones = orden.muestreo;
  if (!orden.semillaDada) opciones.semilla = SemillaAlAzar();
  if (!orden.muestras) {
    diseno.muestreo = Muestrear(diseno, opciones);
    return std::nullopt;
  }
  Salida archivo(consola, orden.muestras);
  if (auto fallo = archivo.Abrir()) return fallo;
  std::string bloque = CabeceraDeUnidades(diseno);
  std::uint64_t numero = 0;
  diseno.muestreo = Muestrear(diseno, opciones, [&](const Unidad& u) {
    bloque += FilaDeUnidad(diseno, ++numero, u);
    if (bloque.size() < kTrozo) return;
    archivo.Escribir(bloque);
    bloque.clear();
  });
  archivo.Escribir(bloque);
  return archivo.Cerrar();
}

// The help or the version: text that goes to standard output alone.
int Mostrar(std::string_view texto, std::ostream& consola, std::ostream& errores) {
  Salida salida(consola, std::nullopt);
  salida.Escribir(texto);
  if (auto fallo = salida.Cerrar()) return Informar(*fallo, errores);
  return kSalidaConstruible;
}

}  // namespace

int Principal(int argc, const char* const* argv, std::ostream& salida, std::ostream& errores) {
  Orden orden;
  if (auto fallo = Analizar(argc, argv, orden)) return Informar(*fallo, errores);
  if (orden.ayuda) return Mostrar(Ayuda(), salida, errores);
  if (orden.version) return Mostrar("zener-diseno " ZENER_VERSION "\n", salida, errores);
  if (auto error = ErrorDeOpciones(orden.opciones)) {
    return Informar(FalloDeEntrada(*error), errores);
  }
  DatosCircuito valores;
  Decimales decimales = DecimalesDeVentana();
  if (auto fallo = LeerCifras(orden, valores, decimales)) return Informar(*fallo, errores);
  if (auto fallo = RechazoDeMuestreo(orden)) return Informar(*fallo, errores);
  if (orden.lotes) return DisenarLotes(orden, salida, errores);
  if (orden.materiales) {
    return Informar(FalloDeEntrada("--lista-materiales va con --lotes: el informe de un diseño "
                                   "ya termina con su lista"),
                    errores);
  }

  Diseno diseno = Disenar(valores, orden.opciones, decimales);
  if (orden.muestreo.unidades > 0) {
    if (auto fallo = Sortear(orden, diseno, salida)) return Informar(*fallo, errores);
  }
  const std::string informe = orden.formato->escribir(diseno);
  // Only the deck can be empty: without a resistor there is no circuit.
  if (informe.empty()) {
    return Informar(
        Fallo{"sin resistencia elegida no hay circuito que simular: " +
                  (diseno.motivos.empty() ? std::string() : TextoDe(diseno.motivos.front())),
              kSalidaNoConstruible},
        errores);
  }
  Salida destino(salida, orden.destino);
  if (auto fallo = destino.Abrir()) return Informar(*fallo, errores);
  destino.Escribir(informe);
  if (auto fallo = destino.Cerrar()) return Informar(*fallo, errores);
  return diseno.construible ? kSalidaConstruible : kSalidaNoConstruible;
}

}  // namespace zener
