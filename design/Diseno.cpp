#include "design/Diseno.h"

#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Derivacion.h"
#include "design/Opciones.h"
#include "design/Transistores.h"

#include <type_traits>

namespace zener {

Decimales DecimalesDeVentana() {
  Decimales decimales{};
  for (std::size_t i = 0; i < kCampos.size(); ++i) {
    const std::string_view mascara = kCampos[i].MascaraCampo;
    const auto punto = mascara.find('.');
    decimales[i] =
        punto == std::string_view::npos ? 0 : static_cast<int>(mascara.size() - punto - 1);
  }
  return decimales;
}

double MediaRizadoV(const OpcionesDiseno& opciones) {
  return opciones.rizadoMv.value_or(0) / kMiliPorUnidad / 2;
}

double RBaja(const Diseno& diseno) {
  return diseno.cifras.De(Figura::RNominal) * (1 - diseno.tolR);
}

double RAlta(const Diseno& diseno) {
  return diseno.cifras.De(Figura::RNominal) * (1 + diseno.tolR);
}

const DescripcionCircuito& CircuitoDe(const Diseno& diseno) {
  for (const DescripcionCircuito* c : kCircuitos) {
    if (c->circuito == diseno.opciones.circuito) return *c;
  }
  return kDerivacion;
}

std::optional<Circuito> CircuitoDeNombre(std::string_view nombre) {
  for (const DescripcionCircuito* c : kCircuitos) {
    if (c->nombre == nombre) return c->circuito;
  }
  return std::nullopt;
}

std::string NombresDeCircuitos(std::string_view separador) {
  std::string nombres;
  for (const DescripcionCircuito* c : kCircuitos) {
    nombres += (nombres.empty() ? "" : std::string(separador)) + std::string(c->nombre);
  }
  return nombres;
}

const Esquina* EsquinaDe(const DescripcionCircuito& circuito, Figura figura) {
  for (std::size_t i = 0; i < circuito.cuantasEsquinas; ++i) {
    if (circuito.esquinas[i].figura == figura) return &circuito.esquinas[i].esquina;
  }
  return nullptr;
}

namespace {

// Whether a kind of reason is about one part.
template <typename T, typename = void>
struct ConFila : std::false_type {};
template <typename T>
struct ConFila<T, std::void_t<decltype(std::declval<T>().fila)>> : std::true_type {};

// The part a reason is about, if any: a Zener's or a transistor's row.
const void* PiezaDe(const Motivo& motivo) {
  return std::visit(
      [](const auto& m) -> const void* {
        if constexpr (ConFila<std::decay_t<decltype(m)>>::value) {
          return m.fila;
        } else {
          return nullptr;
        }
      },
      motivo);
}

template <typename... Tipos>
std::optional<Motivo> PrimeroDe(const std::vector<Motivo>& motivos) {
  for (const Motivo& m : motivos) {
    if ((std::holds_alternative<Tipos>(m) || ...)) return m;
  }
  return std::nullopt;
}

std::optional<Motivo> DeLaPieza(const std::vector<Motivo>& motivos, const void* fila) {
  for (const Motivo& m : motivos) {
    if (PiezaDe(m) == fila) return m;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Motivo> Bloqueo(const Diseno& d) {
  if (d.construible) return std::nullopt;
  if (d.veredicto != Veredicto::Cumple) {
    return d.motivos.empty() ? std::nullopt : std::optional<Motivo>(d.motivos.front());
  }
  if (auto m = PrimeroDe<motivo::SinFila, motivo::SinTolerancia, motivo::SinValorDeSerie,
                         motivo::RDadaNoBasta>(d.motivos)) {
    return m;
  }
  if (d.zener && !d.zenerElegido) {
    if (auto m = DeLaPieza(d.descartes, d.zener->fila)) return m;
  }
  if (auto m = PrimeroDe<motivo::SinResistencia, motivo::ResistenciaInsuficiente>(d.motivos)) {
    return m;
  }
  if (d.transistor && !d.transistorElegido) {
    if (auto m = DeLaPieza(d.descartes, d.transistor)) return m;
  }
  if (!d.motivos.empty()) return d.motivos.front();
  if (!d.descartes.empty()) return d.descartes.back();
  return std::nullopt;
}

namespace {

// The options and the rules, then the circuit: its parts, figures and reasons.
void Resolver(Diseno& diseno) {
  const OpcionesDiseno& opciones = diseno.opciones;
  DatosCircuito& d = diseno.datos;
  if (auto error = ErrorDeOpciones(opciones)) {
    diseno.veredicto = Veredicto::FueraDeRango;
    diseno.mensaje = "Opciones no válidas: " + *error + ".";
    diseno.motivos.push_back(motivo::OpcionesNoValidas{*error});
    return;
  }
  if (opciones.cargaOhm) d.IcMin = d.IcMax = d.VnZener / *opciones.cargaOhm * kMiliPorUnidad;
  diseno.veredicto = Calcular(d);
  if (diseno.veredicto != Veredicto::Cumple) {
    const auto regla = ReglaDe(diseno.veredicto);
    diseno.mensaje = std::string(regla ? regla->mensaje : kMensajeFueraDeRango);
    if (regla) {
      diseno.motivos.push_back(motivo::Regla{regla->mensaje});
    } else {
      diseno.motivos.push_back(motivo::FueraDeRango{});
    }
    return;
  }
  diseno.cifras.Poner(Figura::RExacta, d.RrLim);
  CircuitoDe(diseno).resolver(diseno);
}

// The mountings of a design's parts.
struct Montajes {
  bool tht = false, smd = false;
};

Montajes MontajesDe(const Diseno& d) {
  Montajes m;
  auto anotar = [&](Montaje montaje) { (montaje == Montaje::Tht ? m.tht : m.smd) = true; };
  anotar(d.resistencia->encapsulado.montaje);
  anotar(d.zener->familia->encapsulado.montaje);
  if (d.transistorElegido) anotar(d.transistor->encapsulado.montaje);
  return m;
}

// The design solved again with its parts of one mounting, if that builds;
// it keeps the mounting it was asked with. Whether it builds is known
// before the figures only the design shown needs are worked.
std::optional<Diseno> DeUnMontaje(const Diseno& base, Montaje montaje) {
  auto resuelto = [&](Alcance alcance) {
    Diseno d;
    d.datos = base.datos;
    d.decimales = base.decimales;
    d.opciones = base.opciones;
    d.opciones.montaje = montaje;
    d.alcance = alcance;
    d.tolR = base.tolR;
    d.cifras.Poner(Figura::FactorR, base.cifras[Figura::FactorR]);
    Resolver(d);
    d.opciones.montaje = base.opciones.montaje;
    return d;
  };
  if (!resuelto(Alcance::Construible).construible) return std::nullopt;
  return resuelto(base.alcance);
}

// On any mounting, the parts of one where one will do: surface-mount if
// that builds, for its parts take less board than through-hole ones of the
// same role (a chip, an SOT, SOD, SMA or SMB package against an axial or TO
// one), else through-hole; mixed only where neither alone builds, and said.
// What cannot be built on any mounting cannot on one.
void UnMontaje(Diseno& diseno) {
  if (diseno.opciones.montaje != Montaje::Cualquiera || !diseno.construible) return;
  const Montajes m = MontajesDe(diseno);
  if (!m.tht) return;
  if (auto smd = DeUnMontaje(diseno, Montaje::Smd)) {
    diseno = std::move(*smd);
    return;
  }
  if (!m.smd) return;
  if (auto tht = DeUnMontaje(diseno, Montaje::Tht)) {
    diseno = std::move(*tht);
    return;
  }
  diseno.avisos.push_back(motivo::MontajesMezclados{});
}

}  // namespace

Diseno Disenar(const DatosCircuito& valores, const OpcionesDiseno& opciones,
               const Decimales& decimales, Alcance alcance) {
  Diseno diseno;
  DatosCircuito& d = diseno.datos;
  // Only the six design values: whatever else the caller's record holds is
  // no input of the design.
  for (const FilaCampo& fila : kCampos) d.*fila.valor = valores.*fila.valor;
  diseno.decimales = decimales;
  diseno.opciones = opciones;
  diseno.alcance = alcance;
  diseno.tolR = opciones.tolR.value_or(TablaDe(opciones.serie).tolR);
  diseno.cifras.Poner(Figura::FactorR, FactorResistencia(opciones.tempMaxC));
  {
    const TanteosGuardados tanteos;
    Resolver(diseno);
    UnMontaje(diseno);
  }
  diseno.bloqueo = Bloqueo(diseno);
  if (alcance == Alcance::Completo) diseno.alternativas = Alternativas(diseno);
  return diseno;
}

}  // namespace zener
