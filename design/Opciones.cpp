#include "design/Opciones.h"

#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Json.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

template <std::optional<double> OpcionesDiseno::*campo, int escala>
std::optional<double> LeerOpcional(const OpcionesDiseno& o) {
  return o.*campo ? std::optional<double>(*(o.*campo) * escala) : std::nullopt;
}
template <std::optional<double> OpcionesDiseno::*campo, int escala>
void PonerOpcional(OpcionesDiseno& o, double valor) {
  o.*campo = valor / escala;
}
template <double OpcionesDiseno::*campo>
std::optional<double> Leer(const OpcionesDiseno& o) {
  return o.*campo;
}
template <double OpcionesDiseno::*campo>
void Poner(OpcionesDiseno& o, double valor) {
  o.*campo = valor;
}

constexpr int kComoPorcentaje = 100;
constexpr int kTalCual = 1;
constexpr double kMenorResistenciaOhm = 0.01;
constexpr int kDecimalesLimites = 2;

// A limit as the help writes it: ohms in their multiple, the rest plain.
std::string Limite(const OpcionNumerica& opcion, double valor) {
  return opcion.unidad == kUnidadOhmio ? Ohmios(valor, kDecimalesLimites)
                                       : CifraCorta(valor, kDecimalesLimites);
}

}  // namespace

const std::array<OpcionNumerica, 9> kOpcionesNumericas = {{
    {"tol_r", "--tol-r", "la tolerancia de la resistencia", "PORCENTAJE",
     "sin ella, la de la serie", "%", 0, 50, true,
     LeerOpcional<&OpcionesDiseno::tolR, kComoPorcentaje>,
     PonerOpcional<&OpcionesDiseno::tolR, kComoPorcentaje>},
    {"tol_vz", "--tol-vz", "la tolerancia del zener", "PORCENTAJE",
     "sin ella, la de la hoja de datos del diodo", "%", 0, 50, true,
     LeerOpcional<&OpcionesDiseno::tolVz, kComoPorcentaje>,
     PonerOpcional<&OpcionesDiseno::tolVz, kComoPorcentaje>},
    {"margen", "--margen", "el margen de potencia", "FACTOR", "", "", 1, 100, true,
     Leer<&OpcionesDiseno::margen>, Poner<&OpcionesDiseno::margen>},
    {"zz_ohm", "--zz", "la impedancia del zener", "OHMIOS", "sin ella, la de su hoja de datos",
     kUnidadOhmio, 0, 1e6, false, LeerOpcional<&OpcionesDiseno::zz, kTalCual>,
     PonerOpcional<&OpcionesDiseno::zz, kTalCual>},
    // The reports give R to the hundredth of an ohm: less would show as 0.
    {"r_ohm", "--r", "la resistencia a comprobar", "OHMIOS", "sin ella, la elige el diseño",
     kUnidadOhmio, kMenorResistenciaOhm, 1e7, true, LeerOpcional<&OpcionesDiseno::rOhm, kTalCual>,
     PonerOpcional<&OpcionesDiseno::rOhm, kTalCual>},
    {"carga_ohm", "--carga-ohm", "la resistencia de carga", "OHMIOS",
     "sin ella, la carga va en IcMin e IcMax", kUnidadOhmio, 0, 1e9, false,
     LeerOpcional<&OpcionesDiseno::cargaOhm, kTalCual>,
     PonerOpcional<&OpcionesDiseno::cargaOhm, kTalCual>},
    {"rizado_mv", "--rizado", "el rizado de entrada", "MILIVOLTIOS", "sin él, ninguno", "mV", 0,
     1e6, true, LeerOpcional<&OpcionesDiseno::rizadoMv, kTalCual>,
     PonerOpcional<&OpcionesDiseno::rizadoMv, kTalCual>},
    {"temp_min_c", "--temp-min", "la temperatura ambiente mínima", "GRADOS", "", "°C", -55, 125,
     true, Leer<&OpcionesDiseno::tempMinC>, Poner<&OpcionesDiseno::tempMinC>},
    {"temp_max_c", "--temp-max", "la temperatura ambiente máxima", "GRADOS", "", "°C", -55, 125,
     true, Leer<&OpcionesDiseno::tempMaxC>, Poner<&OpcionesDiseno::tempMaxC>},
}};

std::string LimitesDe(const OpcionNumerica& opcion) {
  // Ohms carry their unit on each limit, for it may be another multiple.
  const bool ohmios = opcion.unidad == kUnidadOhmio;
  const std::string unidad =
      opcion.unidad.empty() || ohmios ? "" : " " + std::string(opcion.unidad);
  const std::string minimo = Limite(opcion, opcion.minimo);
  const std::string maximo = Limite(opcion, opcion.maximo) + unidad;
  return opcion.minimoIncluido ? "estar entre " + minimo + " y " + maximo
                               : "ser mayor que " + minimo + " y no pasar de " + maximo;
}

bool DentroDeLimites(const OpcionNumerica& opcion, double valor) {
  const bool sobreMinimo = opcion.minimoIncluido ? valor >= opcion.minimo : valor > opcion.minimo;
  return sobreMinimo && valor <= opcion.maximo;
}

bool ConTemperatura(const OpcionesDiseno& o) {
  return o.tempMinC != kTemperaturaDeMedidaC || o.tempMaxC != kTemperaturaDeMedidaC;
}

std::optional<std::string> ErrorDeOpciones(const OpcionesDiseno& o) {
  for (const OpcionNumerica& opcion : kOpcionesNumericas) {
    const auto valor = opcion.leer(o);
    if (!valor || DentroDeLimites(opcion, *valor)) continue;
    return std::string(opcion.nombre) + " ha de " + LimitesDe(opcion);
  }
  if (o.familia != Familia::Automatica && !SePrueba(FamiliaDe(o.familia), o)) {
    return "la familia " + std::string(FamiliaDe(o.familia).nombre) + " no es de montaje " +
           std::string(NombreDeMontaje(o.montaje));
  }
  if (o.circuito == Circuito::Seguidor && o.cargaOhm) {
    return std::string(
        "la carga como resistencia no se admite con el seguidor: va en IcMin e IcMax");
  }
  if (o.transistor && !EsDelMontaje(o.montaje, o.transistor->encapsulado.montaje)) {
    return "el transistor " + std::string(o.transistor->numero) + " no es de montaje " +
           std::string(NombreDeMontaje(o.montaje));
  }
  if (o.transistor && o.circuito != Circuito::Seguidor) {
    return std::string("el transistor va con el circuito seguidor");
  }
  if (o.tempMinC > o.tempMaxC) {
    return std::string("la temperatura ambiente mínima no puede pasar de la máxima");
  }
  return std::nullopt;
}

namespace {

std::vector<Eleccion> Series() {
  std::vector<Eleccion> e;
  for (const TablaSerie& t : kSeries) {
    e.push_back(
        {std::string(t.nombre), std::string(t.nombre) + " (" + Porcentaje(t.tolR) + ")", {}});
  }
  return e;
}

std::vector<Eleccion> Familias() {
  std::vector<Eleccion> e{{std::string(kNombreAutomatica), "Automática", {}}};
  for (const FamiliaZener& f : kFamilias) {
    e.push_back({std::string(f.nombre),
                 std::string(f.nombre) + " (" + CifraCorta(f.potenciaW, 2) + " W, " +
                     std::string(f.encapsulado.nombre) + ")",
                 NombreDeMontaje(f.encapsulado.montaje)});
  }
  return e;
}

std::vector<Eleccion> Montajes() {
  return {{"cualquiera", "Cualquiera", {}},
          {"tht", "De inserción (THT)", {}},
          {"smd", "Superficial (SMD)", {}}};
}

std::vector<Eleccion> Circuitos() {
  return {{"derivacion", "Zener en derivación", {}},
          {"seguidor", "Zener y seguidor de emisor", {}}};
}

std::vector<Eleccion> Transistores() {
  std::vector<Eleccion> e{{"auto", "Automático", {}}};
  for (const FilaTransistor& t : kTransistores) {
    e.push_back({std::string(t.numero),
                 std::string(t.numero) + " (" + std::string(t.encapsulado.nombre) + ")",
                 NombreDeMontaje(t.encapsulado.montaje)});
  }
  return e;
}

std::vector<Eleccion> SiNo() {
  return {{"no", "No", {}}, {"si", "Sí", {}}};
}

}  // namespace

const std::array<OpcionDeLista, 6> kOpcionesDeLista = {{
    {"serie", "--serie", "la serie de resistencias", "serie desconocida",
     "la serie de resistencias", Series,
     [](OpcionesDiseno& o, std::string_view n) {
       const auto s = SerieDeNombre(n);
       if (s) o.serie = *s;
       return s.has_value();
     },
     [](const OpcionesDiseno& o) { return std::string(TablaDe(o.serie).nombre); }, false},
    {"familia", "--familia", "la familia del zener", "familia desconocida",
     "la familia del zener (automática: la de menor potencia que basta)", Familias,
     [](OpcionesDiseno& o, std::string_view n) {
       const auto f = FamiliaDeNombre(n);
       if (f) o.familia = *f;
       return f.has_value();
     },
     [](const OpcionesDiseno& o) {
       return std::string(o.familia == Familia::Automatica ? kNombreAutomatica
                                                           : FamiliaDe(o.familia).nombre);
     },
     false},
    {"montaje", "--montaje", "el montaje", "montaje desconocido",
     "qué piezas se prueban: tht, las de inserción; smd, las de montaje superficial; "
     "cualquiera, todas",
     Montajes,
     [](OpcionesDiseno& o, std::string_view n) {
       const auto m = MontajeDeNombre(n);
       if (m) o.montaje = *m;
       return m.has_value();
     },
     [](const OpcionesDiseno& o) { return std::string(NombreDeMontaje(o.montaje)); }, false},
    {"circuito", "--circuito", "el circuito", "circuito desconocido",
     "derivacion: el zener y su resistencia en serie; seguidor: el zener polariza un "
     "transistor NPN seguidor de emisor que lleva la carga",
     Circuitos,
     [](OpcionesDiseno& o, std::string_view n) {
       const auto c = CircuitoDeNombre(n);
       if (c) o.circuito = *c;
       return c.has_value();
     },
     [](const OpcionesDiseno& o) {
       return std::string(o.circuito == Circuito::Seguidor ? "seguidor" : "derivacion");
     },
     false},
    {"transistor", "--transistor", "el transistor", "transistor desconocido",
     "con el seguidor, el transistor; automático: el menor del montaje que basta sin "
     "disipador, o el que menos disipador pide",
     Transistores,
     [](OpcionesDiseno& o, std::string_view n) {
       if (n == "auto") {
         o.transistor = nullptr;
         return true;
       }
       o.transistor = TransistorDeNombre(n);
       return o.transistor != nullptr;
     },
     [](const OpcionesDiseno& o) {
       return o.transistor ? std::string(o.transistor->numero) : std::string("auto");
     },
     false},
    {"carga_fija", "--carga-fija", "la carga fija", "valor desconocido",
     "la carga nunca baja de IcMin ni se desconecta: la corriente, la potencia y la unión del "
     "zener se calculan con ella",
     SiNo,
     [](OpcionesDiseno& o, std::string_view n) {
       if (n != "si" && n != "no") return false;
       o.cargaFija = n == "si";
       return true;
     },
     [](const OpcionesDiseno& o) { return std::string(o.cargaFija ? "si" : "no"); }, true},
}};

const OpcionDeLista* OpcionDeListaDeClave(std::string_view clave) {
  for (const OpcionDeLista& o : kOpcionesDeLista) {
    if (o.clave == clave) return &o;
  }
  return nullptr;
}

std::string NombresDe(const OpcionDeLista& opcion, std::string_view separador) {
  std::string nombres;
  for (const Eleccion& e : opcion.elecciones()) {
    nombres += (nombres.empty() ? "" : std::string(separador)) + e.nombre;
  }
  return nombres;
}

std::string OpcionesDeListaJson() {
  const OpcionesDiseno porDefecto;
  return ListaJson(kOpcionesDeLista, [&](const OpcionDeLista& o) {
    return ObjetoJson()
        .Cadena("clave", o.clave)
        .Cadena("opcion", o.opcion)
        .Cadena("nombre", o.nombre)
        .Campo("elecciones", ListaJson(o.elecciones(),
                                       [](const Eleccion& e) {
                                         ObjetoJson j;
                                         j.Cadena("nombre", e.nombre).Cadena("texto", e.texto);
                                         if (e.montaje.empty()) {
                                           j.Campo("montaje", "null");
                                         } else {
                                           j.Cadena("montaje", e.montaje);
                                         }
                                         return j.Cerrar();
                                       }))
        .Cadena("defecto", o.leer(porDefecto))
        .Booleano("bandera", o.bandera)
        .Cerrar();
  });
}

std::string OpcionesNumericasJson() {
  const OpcionesDiseno porDefecto;
  return ListaJson(kOpcionesNumericas, [&](const OpcionNumerica& o) {
    return ObjetoJson()
        .Cadena("clave", o.clave)
        .Cadena("opcion", o.opcion)
        .Cadena("nombre", o.nombre)
        .Cadena("unidad", o.unidad)
        .Numero("minimo", o.minimo)
        .Numero("maximo", o.maximo)
        .Booleano("minimo_incluido", o.minimoIncluido)
        .Numero("defecto", o.leer(porDefecto))
        .Cerrar();
  });
}

}  // namespace zener
