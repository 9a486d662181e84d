#include "cli/Principal.h"

#include <cctype>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Lotes.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;

constexpr const char* kAyuda =
    R"(Uso: zener-diseno VeMin VeMax IcMin IcMax VnZener IzMin [opciones]
       zener-diseno --lotes ARCHIVO.csv [opciones]

Diseña el regulador con diodo zener y resistencia en serie: elige la
resistencia normalizada que mantiene la corriente mínima del zener en el peor
caso de las tolerancias, su potencia y el diodo.

Cifras como en la ventana: coma decimal y punto de millares (12 15 5 20 5,1 5).
Tensiones en V, corrientes en mA.

Opciones:
  --serie E6|E12|E24|E48|E96|E192   serie de resistencias (E24)
  --tol-r PORCENTAJE                 tolerancia de la resistencia (según la
                                     serie: 20, 10, 5, 2, 1, 0,5)
  --tol-vz PORCENTAJE                tolerancia del zener (5)
  --margen FACTOR                    margen de potencia (2)
  --familia auto|BZX79|1N47|1N53     familia del zener (auto: la menor que basta)
  --zz OHMIOS                        impedancia del zener (la Zzt del diodo)
  --formato texto|json|html          forma del informe (texto)
  --lotes ARCHIVO.csv                un diseño por fila, separadas por punto y
                                     coma, tras la cabecera
                                     VeMin;VeMax;IcMin;IcMax;VnZener;IzMin
  -o ARCHIVO                         escribe en el archivo, no en la pantalla
  -h, --help                         esta ayuda

Salida: 0 si el diseño cumple, 1 si incumple una regla o ningún valor de la
serie basta, 2 si la entrada no es válida (en lotes: si alguna fila lo es).
)";

enum class Formato { Texto, Json, Html };

struct Orden {
  std::vector<std::string> cifras;
  OpcionesDiseno opciones;
  Formato formato = Formato::Texto;
  std::optional<std::string> lotes;
  std::optional<std::string> destino;
  bool ayuda = false;
};

// An error of the command line: the message and nothing else.
struct Fallo {
  std::string mensaje;
};

std::optional<double> Cifra(const std::string& nombre, const std::string& texto,
                            std::optional<Fallo>& fallo) {
  const Lectura lectura = LeerValor(texto);
  if (!lectura.valor) {
    fallo = Fallo{nombre + " «" + texto + "» " + std::string(lectura.motivo)};
  }
  return lectura.valor;
}

using Tratamiento = std::function<void(Orden&, const std::string&, std::optional<Fallo>&)>;

// The options that take a value, and what each does with it.
const std::map<std::string, Tratamiento>& Opciones() {
  static const std::map<std::string, Tratamiento> opciones = {
      {"--serie",
       [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
         if (const auto serie = SerieDeNombre(v)) {
           o.opciones.serie = *serie;
         } else {
           f = Fallo{"serie desconocida «" + v + "» (E6, E12, E24, E48, E96 o E192)"};
         }
       }},
      {"--tol-r",
       [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
         if (const auto t = Cifra("--tol-r", v, f)) o.opciones.tolR = *t / kPorCiento;
       }},
      {"--tol-vz",
       [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
         if (const auto t = Cifra("--tol-vz", v, f)) o.opciones.tolVz = *t / kPorCiento;
       }},
      {"--margen",
       [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
         if (const auto m = Cifra("--margen", v, f)) o.opciones.margen = *m;
       }},
      {"--zz",
       [](Orden& o, const std::string& v, std::optional<Fallo>& f) {
         if (const auto z = Cifra("--zz", v, f)) o.opciones.zz = *z;
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
             {"texto", Formato::Texto}, {"json", Formato::Json}, {"html", Formato::Html}};
         const auto it = formatos.find(v);
         if (it == formatos.end()) {
           f = Fallo{"formato desconocido «" + v + "» (texto, json o html)"};
         } else {
           o.formato = it->second;
         }
       }},
      {"--lotes", [](Orden& o, const std::string& v, std::optional<Fallo>&) { o.lotes = v; }},
      {"-o", [](Orden& o, const std::string& v, std::optional<Fallo>&) { o.destino = v; }},
  };
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

std::optional<Fallo> LeerCifras(const Orden& orden, DatosCircuito& valores) {
  const std::size_t esperadas = orden.lotes ? 0 : kCampos.size();
  if (orden.cifras.size() > esperadas) {
    return Fallo{"sobra el argumento «" + orden.cifras[esperadas] + "»" +
                 (orden.lotes ? " (con --lotes las cifras van en el archivo)" : "")};
  }
  if (orden.cifras.size() < esperadas) {
    return Fallo{"faltan cifras: se esperan 6 (VeMin VeMax IcMin IcMax VnZener IzMin) y hay " +
                 std::to_string(orden.cifras.size())};
  }
  for (std::size_t i = 0; i < orden.cifras.size(); ++i) {
    const Lectura lectura = LeerValor(orden.cifras[i]);
    if (!lectura.valor) {
      return Fallo{"el argumento " + std::to_string(i + 1) + " (" +
                   std::string(kNombresValores[i]) + ") «" + orden.cifras[i] + "» " +
                   std::string(lectura.motivo)};
    }
    valores.*kCampos[i].valor = *lectura.valor;
  }
  return std::nullopt;
}

std::optional<std::string> LeerArchivo(const std::string& ruta, std::optional<Fallo>& fallo) {
  std::ifstream archivo(ruta, std::ios::binary | std::ios::ate);
  if (!archivo) {
    fallo = Fallo{"no se puede leer «" + ruta + "»"};
    return std::nullopt;
  }
  const std::streamoff tamano = archivo.tellg();
  if (tamano < 0 || static_cast<unsigned long long>(tamano) > kMayorArchivoLotes) {
    fallo = Fallo{"«" + ruta + "» pasa de " + std::to_string(kMayorArchivoLotes >> 20) +
                  " MiB o no es un archivo"};
    return std::nullopt;
  }
  std::string contenido(static_cast<std::size_t>(tamano), '\0');
  archivo.seekg(0);
  if (!archivo.read(contenido.data(), tamano)) {
    fallo = Fallo{"no se puede leer «" + ruta + "»"};
    return std::nullopt;
  }
  return contenido;
}

std::optional<Fallo> Escribir(const Orden& orden, const std::string& texto, std::ostream& salida) {
  if (!orden.destino) {
    salida << texto;
    return std::nullopt;
  }
  std::ofstream archivo(*orden.destino, std::ios::binary);
  if (!(archivo << texto)) return Fallo{"no se puede escribir «" + *orden.destino + "»"};
  return std::nullopt;
}

int Informar(const Fallo& fallo, std::ostream& errores) {
  errores << "zener-diseno: " << fallo.mensaje << "\nPruebe «zener-diseno --help».\n";
  return kSalidaErrorEntrada;
}

int Lotes(const Orden& orden, std::ostream& salida, std::ostream& errores) {
  if (orden.formato != Formato::Texto) {
    return Informar({"--lotes escribe siempre CSV: no admite --formato"}, errores);
  }
  std::optional<Fallo> fallo;
  const auto contenido = LeerArchivo(*orden.lotes, fallo);
  if (!contenido) return Informar(*fallo, errores);
  const ResultadoLotes r = ProcesarLotes(*contenido, orden.opciones);
  if (r.error) return Informar({*orden.lotes + ": " + *r.error}, errores);
  if (auto f = Escribir(orden, r.salida, salida)) return Informar(*f, errores);
  errores << r.filas << " filas: " << r.cumplen << " cumplen, " << r.incumplen << " incumplen, "
          << r.erroneas << " erróneas\n";
  if (r.erroneas > 0) return kSalidaErrorEntrada;
  return r.incumplen > 0 ? kSalidaIncumple : kSalidaCumple;
}

}  // namespace

int Principal(int argc, const char* const* argv, std::ostream& salida, std::ostream& errores) {
  Orden orden;
  if (auto fallo = Analizar(argc, argv, orden)) return Informar(*fallo, errores);
  if (orden.ayuda) {
    salida << kAyuda;
    return kSalidaCumple;
  }
  if (auto error = ErrorDeOpciones(orden.opciones)) return Informar({*error}, errores);
  DatosCircuito valores;
  if (auto fallo = LeerCifras(orden, valores)) return Informar(*fallo, errores);
  if (orden.lotes) return Lotes(orden, salida, errores);

  const Diseno diseno = Disenar(valores, orden.opciones);
  std::string informe;
  switch (orden.formato) {
    case Formato::Texto:
      informe = InformeTexto(diseno);
      break;
    case Formato::Json:
      informe = InformeJson(diseno) + "\n";
      break;
    case Formato::Html:
      informe = InformeHtml(diseno);
      break;
  }
  if (auto fallo = Escribir(orden, informe, salida)) return Informar(*fallo, errores);
  return diseno.cumple ? kSalidaCumple : kSalidaIncumple;
}

}  // namespace zener
