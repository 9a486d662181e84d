// The report as JSON: every figure of the figures' table under its key, in
// the table's order (null where the design has none), each part's fields,
// and the words of the reasons. The keys are the same whatever the design.
#include <string>
#include <vector>

#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Json.h"
#include "design/Materiales.h"
#include "design/Secciones.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

constexpr double kPorCiento = 100;

// A part's field: its key and its value, already as JSON.
template <typename Pieza>
struct Campo {
  std::string_view clave;
  std::string (*valor)(const Pieza&);
};

std::string Texto(std::string_view texto) {
  return CadenaJson(texto);
}

const Campo<ResistenciaComercial> kCamposResistencia[] = {
    {"resistencia_tipo", [](const ResistenciaComercial& r) { return Texto(r.tipo); }},
    {"resistencia_encapsulado",
     [](const ResistenciaComercial& r) { return Texto(r.encapsulado.nombre); }},
    {"resistencia_fuente",
     [](const ResistenciaComercial& r) { return Texto(FuenteDeResistencia(r)); }},
};

const Campo<Zener> kCamposZener[] = {
    {"zener", [](const Zener& z) { return Texto(z.fila->numero); }},
    {"zener_familia", [](const Zener& z) { return Texto(z.familia->nombre); }},
    {"zener_encapsulado", [](const Zener& z) { return Texto(z.familia->encapsulado.nombre); }},
    {"zener_vz_min_v", [](const Zener& z) { return NumeroJson(z.fila->vzMin); }},
    {"zener_vz_max_v", [](const Zener& z) { return NumeroJson(z.fila->vzMax); }},
    {"zener_izt_ma", [](const Zener& z) { return NumeroJson(z.fila->iztMa); }},
    {"zener_zzt_ohm", [](const Zener& z) { return NumeroJson(z.fila->zztOhm); }},
    {"zener_izk_ma", [](const Zener& z) { return NumeroJson(z.fila->izkMa); }},
    {"zener_zzk_ohm", [](const Zener& z) { return NumeroJson(z.fila->zzkOhm); }},
    {"zener_rodilla_c", [](const Zener& z) { return NumeroJson(z.familia->rodillaC); }},
    {"zener_condicion", [](const Zener& z) { return Texto(z.familia->condicion); }},
    {"zener_rth_k_w", [](const Zener& z) { return NumeroJson(z.familia->rthKPorW); }},
    {"zener_montaje", [](const Zener& z) { return Texto(z.familia->montaje); }},
    {"zener_fuente_termica", [](const Zener& z) { return Texto(z.familia->fuenteTermica); }},
};

std::string Opcional(const std::optional<double>& valor) {
  return valor ? NumeroJson(*valor) : "null";
}

const Campo<FilaTransistor> kCamposTransistor[] = {
    {"transistor", [](const FilaTransistor& t) { return Texto(t.numero); }},
    {"transistor_encapsulado", [](const FilaTransistor& t) { return Texto(t.encapsulado.nombre); }},
    {"transistor_montaje", [](const FilaTransistor& t) { return Texto(t.montaje); }},
    {"transistor_fuente", [](const FilaTransistor& t) { return Texto(t.fuente); }},
    {"transistor_ic_max_a", [](const FilaTransistor& t) { return NumeroJson(t.icMaxA); }},
    {"transistor_rth_ja_k_w", [](const FilaTransistor& t) { return NumeroJson(t.rthJaKPorW); }},
    {"transistor_rth_jc_k_w", [](const FilaTransistor& t) { return Opcional(t.rthJcKPorW); }},
    {"transistor_rth_cs_k_w", [](const FilaTransistor& t) { return Opcional(t.rthCsKPorW); }},
};

// Every field of a part, null where there is none.
template <typename T, std::size_t N>
void Pieza(ObjetoJson& o, const Campo<T> (&campos)[N], const T* pieza) {
  for (const Campo<T>& c : campos) o.Campo(c.clave, pieza ? c.valor(*pieza) : "null");
}

// The figures of a group, under their keys.
void Figuras(ObjetoJson& o, const Cifras& cifras, std::initializer_list<Grupo> grupos) {
  for (const DescripcionFigura& f : kFiguras) {
    for (const Grupo g : grupos) {
      if (f.grupo == g) o.Numero(f.clave, cifras[f.figura]);
    }
  }
}

std::string VecinaJson(const Diseno& d, const Cifras& c) {
  ObjetoJson o;
  o.Numero("r_ohm", c[Figura::RNominal]);
  for (const DescripcionFigura& f : kFiguras) {
    if (f.grupo == Grupo::PorResistencia && f.figura != Figura::RNominal) {
      o.Numero(f.clave, c[f.figura]);
    }
  }
  return o.Booleano("cumple", d.Cumple(c)).Cerrar();
}

std::string RegulacionJson(const Diseno& d) {
  if (!d.origenZz) return "null";
  ObjetoJson o;
  Figuras(o, d.cifras, {Grupo::Regulacion});
  return o.Cadena("zz_origen", *d.origenZz == OrigenZz::Dada ? "dada" : "envolvente").Cerrar();
}

std::string MaterialJson(const LineaMateriales& l) {
  ObjetoJson o;
  const auto campos = l.Campos();
  for (std::size_t i = 0; i < campos.size(); ++i) o.Cadena(kClavesMateriales[i], campos[i]);
  return o.Cerrar();
}

std::string EntradasJson(const Diseno& d) {
  static constexpr std::string_view kClaves[] = {"ve_min_v",  "ve_max_v", "ic_min_ma",
                                                 "ic_max_ma", "vz_v",     "iz_min_ma"};
  ObjetoJson o;
  for (std::size_t i = 0; i < kCampos.size(); ++i) o.Numero(kClaves[i], d.datos.*kCampos[i].valor);
  return o.Cerrar();
}

std::string OpcionesJson(const Diseno& d) {
  ObjetoJson o;
  for (const OpcionDeLista& lista : kOpcionesDeLista) o.Cadena(lista.clave, lista.leer(d.opciones));
  for (const OpcionNumerica& opcion : kOpcionesNumericas) {
    o.Numero(opcion.clave, opcion.leer(d.opciones));
  }
  return o.Cerrar();
}

std::string AlternativaJson(const Alternativa& a) {
  ObjetoJson o;
  o.Cadena("cambio", a.cambio);
  if (a.valor) {
    o.Numero("valor", *a.valor);
  } else {
    o.Cadena("valor", a.nombre);
  }
  return o.Cadena("zener", a.zener->numero)
      .Numero("r_ohm", a.rOhm)
      .Campo("transistor", a.transistor ? Texto(a.transistor->numero) : "null")
      .Cadena("texto", TextoDe(a))
      .Cerrar();
}

std::string Cadenas(const std::vector<Motivo>& motivos) {
  return ListaJson(motivos, [](const Motivo& m) { return CadenaJson(TextoDe(m)); });
}

}  // namespace

std::string InformeJson(const Diseno& d) {
  ObjetoJson o;
  o.Booleano("construible", d.construible)
      .Cadena("veredicto", LineaDeVeredicto(d))
      .Campo("motivos", Cadenas(d.motivos))
      .Numero("regla", static_cast<double>(NumeroDeRegla(d.veredicto)))
      .Cadena("mensaje", d.mensaje)
      .Campo("entradas", EntradasJson(d))
      .Campo("opciones", OpcionesJson(d))
      .Numero("tol_r_usada", d.tolR * kPorCiento);
  Figuras(o, d.cifras, {Grupo::Diseno, Grupo::PorResistencia});
  Pieza(o, kCamposResistencia, d.resistencia);
  Pieza(o, kCamposZener, d.ZenerElegido());
  Pieza(o, kCamposTransistor, d.transistorElegido ? d.transistor : nullptr);
  o.Campo("vecinas", ListaJson(d.vecinas, [&](const Cifras& c) { return VecinaJson(d, c); }))
      .Campo("regulacion", RegulacionJson(d))
      .Cadena("sin_regulacion", d.sinRegulacion ? TextoDe(*d.sinRegulacion) : "")
      .Campo("avisos", Cadenas(d.avisos))
      .Campo("descartes", Cadenas(d.descartes))
      .Campo("alternativas", ListaJson(d.alternativas, AlternativaJson))
      .Campo("montecarlo", MuestreoJson(d))
      .Campo("lista_materiales", ListaJson(ListaDeMateriales(d), MaterialJson));
  return o.Cerrar();
}

}  // namespace zener
