#include "cli/Principal.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Lectura.h"
#include "design/Lotes.h"

namespace zener {

namespace {

constexpr const char* kAyuda =
    R"(Uso: zener-diseno VeMin VeMax IcMin IcMax VnZener IzMin [opciones]
       zener-diseno VeMin VeMax VnZener IzMin --carga-ohm OHMIOS [opciones]
       zener-diseno --lotes ARCHIVO.csv [opciones]

Diseña el regulador con diodo zener y resistencia en serie: elige la
resistencia normalizada que mantiene la corriente mínima del zener en el peor
caso de su tolerancia y del intervalo de Vz del diodo según su hoja de datos,
su potencia y el diodo, y dice si el diseño se puede construir.

Cifras como en la ventana: coma decimal y punto de millares (12 15 5 20 5,1 5).
Tensiones en V, corrientes en mA.

Opciones:
  --serie E6|E12|E24|E48|E96|E192   serie de resistencias (E24)
  --tol-r PORCENTAJE                 tolerancia de la resistencia (según la
                                     serie: 20, 10, 5, 2, 1, 0,5)
  --tol-vz PORCENTAJE                la mayor tolerancia de zener que se
                                     acepta (sin ella, la de la hoja de datos
                                     del diodo)
  --margen FACTOR                    margen de potencia (2)
  --familia auto|BZX79|1N47|1N53     familia del zener (auto: la menor que basta)
  --zz OHMIOS                        impedancia del zener (la de su hoja de datos)
  --r OHMIOS                         comprueba esta resistencia en vez de elegirla
  --carga-ohm OHMIOS                 la carga como resistencia: sin IcMin ni IcMax
  --rizado MILIVOLTIOS               rizado de entrada, pico a pico
  --temp-min GRADOS                  temperatura ambiente mínima (25)
  --temp-max GRADOS                  temperatura ambiente máxima (25)
  --formato texto|json|html|spice    forma del informe (texto); spice: un
                                     circuito para ngspice con los peores
                                     casos y los modelos extremos del diodo
  --lotes ARCHIVO.csv                un diseño por fila, separadas por punto y
                                     coma, tras la cabecera
                                     VeMin;VeMax;IcMin;IcMax;VnZener;IzMin
  -o ARCHIVO                         escribe en el archivo, entero o nada, no
                                     en la pantalla
  -h, --help                         esta ayuda

Salida: 0 si el diseño se puede construir; 1 si no (una regla, ningún valor
de la serie, ninguna potencia de resistencia o ningún diodo basta); 2 si la
entrada no es válida (en lotes: si alguna fila no lo es); 3 si no se pudo
escribir la salida.
)";

enum class Formato { Texto, Json, Html, Spice };

struct Orden {
  std::vector<std::string> cifras;
  OpcionesDiseno opciones;
  Formato formato = Formato::Texto;
  std::optional<std::string> lotes;
  std::optional<std::string> destino;
  bool ayuda = false;
};

// An error of the command line or of the output: the message and the exit
// code.
struct Fallo {
  std::string mensaje;
  int codigo = kSalidaErrorEntrada;
};

using Tratamiento = std::function<void(Orden&, const std::string&, std::optional<Fallo>&)>;

Tratamiento Numerica(const OpcionNumerica& opcion) {
  return [&opcion](Orden& o, const std::string& v, std::optional<Fallo>& f) {
    if (auto motivo = LeerOpcion(o.opciones, opcion, v)) {
      f = Fallo{std::string(opcion.opcion) + " «" + v + "» " + *motivo};
    }
  };
}

// The options that take a value, and what each does with it.
const std::map<std::string, Tratamiento>& Opciones() {
  static const std::map<std::string, Tratamiento> opciones = [] {
    std::map<std::string, Tratamiento> m = {
        {"--serie",
         [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
           if (const auto serie = SerieDeNombre(v)) {
             o.opciones.serie = *serie;
           } else {
             f = Fallo{"serie desconocida «" + v + "» (E6, E12, E24, E48, E96 o E192)"};
           }
         }},
        {"--familia",
         [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
           if (const auto familia = FamiliaDeNombre(v)) {
             o.opciones.familia = *familia;
           } else {
             f = Fallo{"familia desconocida «" + v + "» (auto, BZX79, 1N47 o 1N53)"};
           }
         }},
        {"--formato",
         [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
           static const std::map<std::string, Formato> formatos = {
               {"texto", Formato::Texto},
               {"json", Formato::Json},
               {"html", Formato::Html},
               {"spice", Formato::Spice}};
           const auto it = formatos.find(v);
           if (it == formatos.end()) {
             f = Fallo{"formato desconocido «" + v + "» (texto, json, html o spice)"};
           } else {
             o.formato = it->second;
           }
         }},
        {"--lotes", [](Orden& o, const std::string& v, std::optional<Fallo>&) { o.lotes = v; }},
        {"-o", [](Orden& o, const std::string& v, std::optional<Fallo>&) { o.destino = v; }},
    };
    for (const OpcionNumerica& opcion : kOpcionesNumericas) {
      m.emplace(std::string(opcion.opcion), Numerica(opcion));
    }
    return m;
  }();
  return opciones;
}

// A figure may start with a minus sign; an option starts with a letter.
bool EsOpcion(const std::string& argumento) {
  return argumento.size() > 1 && argumento[0] == '-' &&
         !std::isdigit(static_cast<unsigned char>(argumento[1])) && argumento[1] != ',';
}

std::optional<Fallo> Analizar(int argc, const char* const* argv, Orden& orden) {
  std::optional<Fallo> fallo;
  for (int i = 1; i < argc && !fallo; ++i) {
    std::string argumento = argv[i];
    if (argumento == "-h" || argumento == "--help") {
      orden.ayuda = true;
      continue;
    }
    if (!EsOpcion(argumento)) {
      orden.cifras.push_back(argumento);
      continue;
    }
    std::optional<std::string> valor;
    if (const auto igual = argumento.find('='); igual != std::string::npos) {
      valor = argumento.substr(igual + 1);
      argumento.resize(igual);
    }
    const auto it = Opciones().find(argumento);
    if (it == Opciones().end()) return Fallo{"opción desconocida: " + argumento};
    if (!valor) {
      if (i + 1 >= argc) return Fallo{"falta el valor de " + argumento};
      valor = argv[++i];
    }
    it->second(orden, *valor, fallo);
  }
  return fallo;
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

std::optional<Fallo> LeerCifras(const Orden& orden, DatosCircuito& valores, Decimales& decimales) {
  const std::vector<Magnitud> dadas = MagnitudesDadas(orden);
  if (orden.cifras.size() > dadas.size()) {
    return Fallo{"sobra el argumento «" + orden.cifras[dadas.size()] + "»" +
                 (orden.lotes ? " (con --lotes las cifras van en el archivo)" : "")};
  }
  if (orden.cifras.size() < dadas.size()) {
    return Fallo{"faltan cifras: se esperan " + std::to_string(dadas.size()) + " (" +
                 NombresDe(dadas) + ") y hay " + std::to_string(orden.cifras.size())};
  }
  for (std::size_t i = 0; i < dadas.size(); ++i) {
    const auto campo = static_cast<std::size_t>(dadas[i]);
    const Lectura lectura = LeerValor(orden.cifras[i]);
    if (!lectura.valor) {
      return Fallo{"el argumento " + std::to_string(i + 1) + " (" +
                   std::string(kNombresValores[campo]) + ") «" + orden.cifras[i] + "» " +
                   lectura.motivo};
    }
    valores.*kCampos[campo].valor = *lectura.valor;
    decimales[campo] = lectura.decimales;
  }
  return std::nullopt;
}

std::string Razon(int error) {
  return error != 0 ? std::generic_category().message(error) : "error de escritura";
}

// Where the report goes: the given stream, or a file that holds the whole
// report or, after a failure, is left as it was. A regular file is written
// under a temporary name beside it and renamed; anything else (a device, a
// pipe) is written in place.
class Salida {
 public:
  Salida(std::ostream& consola, const std::optional<std::string>& ruta)
      : consola_(consola), ruta_(ruta) {}
  ~Salida() { Descartar(); }

  std::optional<Fallo> Abrir() {
    if (!ruta_) return std::nullopt;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status estado = fs::status(*ruta_, ec);
    const bool enSuSitio = fs::exists(estado) && !fs::is_regular_file(estado);
    if (!enSuSitio) temporal_ = Temporal(*ruta_);
    errno = 0;
    archivo_.open(enSuSitio ? *ruta_ : temporal_, std::ios::binary | std::ios::trunc);
    if (!archivo_) {
      const int error = errno;
      temporal_.clear();
      return FalloDeEscritura(error);
    }
    return std::nullopt;
  }

  void Escribir(std::string_view texto) {
    if (error_) return;
    std::ostream& destino = ruta_ ? archivo_ : consola_;
    errno = 0;
    destino.write(texto.data(), static_cast<std::streamsize>(texto.size()));
    if (!destino) error_ = errno ? errno : EIO;
  }

  // Everything written, or why not.
  std::optional<Fallo> Cerrar() {
    if (!ruta_) {
      errno = 0;
      if (!error_ && !consola_.flush()) error_ = errno ? errno : EIO;
      if (error_) return FalloDeEscritura(*error_);
      return std::nullopt;
    }
    errno = 0;
    archivo_.close();
    if (!error_ && archivo_.fail()) error_ = errno ? errno : EIO;
    if (error_) return FalloDeEscritura(*error_);
    if (temporal_.empty()) return std::nullopt;
    std::error_code ec;
    std::filesystem::rename(temporal_, *ruta_, ec);
    if (ec)
      return Fallo{"no se puede escribir «" + *ruta_ + "»: " + ec.message(), kSalidaErrorEscritura};
    temporal_.clear();
    return std::nullopt;
  }

  // Leaves no half-written file.
  void Descartar() {
    if (archivo_.is_open()) archivo_.close();
    if (temporal_.empty()) return;
    std::error_code ec;
    std::filesystem::remove(temporal_, ec);
    temporal_.clear();
  }

 private:
  static std::string Temporal(const std::string& ruta) {
    std::random_device azar;
    return ruta + ".parcial-" + std::to_string(azar());
  }

  Fallo FalloDeEscritura(int error) const {
    return Fallo{"no se puede escribir «" + ruta_.value_or("la salida") + "»: " + Razon(error),
                 kSalidaErrorEscritura};
  }

  std::ostream& consola_;
  std::optional<std::string> ruta_;
  std::string temporal_;
  std::ofstream archivo_;
  std::optional<int> error_;
};

int Informar(const Fallo& fallo, std::ostream& errores) {
  errores << "zener-diseno: " << fallo.mensaje;
  if (fallo.codigo == kSalidaErrorEntrada) errores << "\nPruebe «zener-diseno --help».";
  errores << "\n";
  return fallo.codigo;
}

// The file goes through in pieces of this size; the result rows go out when
// this much has gathered.
constexpr std::size_t kTrozo = 1 << 16;

int DisenarLotes(const Orden& orden, std::ostream& consola, std::ostream& errores) {
  if (orden.formato != Formato::Texto) {
    return Informar({"--lotes escribe siempre CSV: no admite --formato"}, errores);
  }
  if (orden.opciones.cargaOhm) {
    return Informar({"--carga-ohm no se admite con --lotes: la carga va en IcMin e IcMax"},
                    errores);
  }
  const std::string& ruta = *orden.lotes;
  std::error_code ec;
  if (std::filesystem::is_directory(ruta, ec)) {
    return Informar({"«" + ruta + "» no es un archivo"}, errores);
  }
  std::ifstream archivo(ruta, std::ios::binary);
  if (!archivo) return Informar({"no se puede leer «" + ruta + "»"}, errores);
  Salida salida(consola, orden.destino);
  if (auto fallo = salida.Abrir()) return Informar(*fallo, errores);
  Lotes lotes(orden.opciones);
  std::string trozo(kTrozo, '\0');
  std::string bloque;
  while (!lotes.Error() && (archivo.read(trozo.data(), kTrozo) || archivo.gcount() > 0)) {
    lotes.Leer(std::string_view(trozo.data(), static_cast<std::size_t>(archivo.gcount())), bloque);
    if (bloque.size() >= kTrozo) {
      salida.Escribir(bloque);
      bloque.clear();
    }
  }
  if (archivo.bad()) return Informar({"no se puede leer «" + ruta + "»"}, errores);
  lotes.Terminar(bloque);
  if (lotes.Error()) return Informar({ruta + ": " + *lotes.Error()}, errores);
  salida.Escribir(bloque);
  if (auto fallo = salida.Cerrar()) return Informar(*fallo, errores);
  const CuentaLotes& c = lotes.Cuenta();
  errores << c.filas << " filas: " << c.construibles << " construibles, " << c.noConstruibles
          << " no construibles, " << c.erroneas << " erróneas\n";
  if (c.erroneas > 0) return kSalidaErrorEntrada;
  return c.noConstruibles > 0 ? kSalidaNoConstruible : kSalidaConstruible;
}

std::string Informe(const Diseno& diseno, Formato formato) {
  switch (formato) {
    case Formato::Json:
      return InformeJson(diseno) + "\n";
    case Formato::Html:
      return InformeHtml(diseno);
    case Formato::Spice:
      return InformeSpice(diseno);
    case Formato::Texto:
      break;
  }
  return InformeTexto(diseno);
}

}  // namespace

int Principal(int argc, const char* const* argv, std::ostream& salida, std::ostream& errores) {
  Orden orden;
  if (auto fallo = Analizar(argc, argv, orden)) return Informar(*fallo, errores);
  if (orden.ayuda) {
    Salida ayuda(salida, std::nullopt);
    ayuda.Escribir(kAyuda);
    if (auto fallo = ayuda.Cerrar()) return Informar(*fallo, errores);
    return kSalidaConstruible;
  }
  if (auto error = ErrorDeOpciones(orden.opciones)) return Informar({*error}, errores);
  DatosCircuito valores;
  Decimales decimales = DecimalesDeVentana();
  if (auto fallo = LeerCifras(orden, valores, decimales)) return Informar(*fallo, errores);
  if (orden.lotes) return DisenarLotes(orden, salida, errores);

  const Diseno diseno = Disenar(valores, orden.opciones, decimales);
  Salida destino(salida, orden.destino);
  if (auto fallo = destino.Abrir()) return Informar(*fallo, errores);
  destino.Escribir(Informe(diseno, orden.formato));
  if (auto fallo = destino.Cerrar()) return Informar(*fallo, errores);
  return diseno.construible ? kSalidaConstruible : kSalidaNoConstruible;
}

}  // namespace zener
