#include "design/Opciones.h"

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
