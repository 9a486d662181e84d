#include "design/Materiales.h"

#include <tuple>

#include "design/Codificacion.h"
#include "design/Componentes.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

constexpr int kDecimalesOhmios = 2;

// The rating as the sheet states it and, where less, what it comes to at
// the design's hottest ambient (on the Zener's stated mounting).
std::string Potencia(double potenciaW, double hastaC, double admisibleW, double ambienteC,
                     std::string_view donde = "") {
  std::string texto = CifraCorta(potenciaW, 3) + " W hasta " + Grados(hastaC);
  if (admisibleW < potenciaW) {
    texto += "; " + CifraCorta(admisibleW, 3) + " W a " + Grados(ambienteC) + std::string(donde);
  }
  return texto;
}

LineaMateriales DeResistencia(const Diseno& d) {
  const ResistenciaComercial& r = *d.resistencia;
  return {"R1",
          Ohmios(d.cifras.De(Figura::RNominal), kDecimalesOhmios),
          "±" + Porcentaje(d.tolR),
          std::string(r.encapsulado.nombre),
          Potencia(r.potenciaW, kRodillaResistenciaC, r.potenciaW * d.cifras.De(Figura::FactorR),
                   d.opciones.tempMaxC),
          std::string(r.tipo)};
}

LineaMateriales DeZener(const Diseno& d) {
  const FilaZener& f = *d.zener->fila;
  const FamiliaZener& familia = *d.zener->familia;
  return {"D1",
          CifraCorta(f.vz, 2) + " V",
          CifraCorta(f.vzMin, 3) + " V a " + CifraCorta(f.vzMax, 3) + " V",
          std::string(familia.encapsulado.nombre),
          Potencia(familia.potenciaW, familia.rodillaC, d.cifras.De(Figura::PZAdmisible),
                   d.opciones.tempMaxC, " en su montaje"),
          std::string(f.numero)};
}

LineaMateriales DeTransistor(const Diseno& d) {
  const FilaTransistor& t = *d.transistor;
  const double ambienteC = d.opciones.tempMaxC;
  return {"Q1",
          "NPN",
          "hFE ≥ " + CifraCorta(d.cifras.De(Figura::HfeMin), 1),
          std::string(t.encapsulado.nombre),
          Potencia(t.potenciaW, t.rodillaC, std::max((t.tjMaxC - ambienteC) / t.rthJaKPorW, 0.0),
                   ambienteC, " sin disipador"),
          std::string(t.numero)};
}

// The heatsink the follower's transistor needs, by the most thermal
// resistance that will do.
LineaMateriales Disipador(const Diseno& d) {
  return {"DS1", "≤ " + Cifra(d.cifras.De(Figura::DisipadorRth), 2) + " K/W",
          "",    std::string(d.transistor->encapsulado.nombre),
          "",    "disipador con pasta térmica"};
}

constexpr char kSeparador = ';';

// A cell of the list: the names hold no separator, no quote and no line end,
// so none is quoted.
void Celda(std::string& csv, std::string_view texto, char fin) {
  csv += texto;
  csv += fin;
}

}  // namespace

std::vector<LineaMateriales> ListaDeMateriales(const Diseno& diseno) {
  if (!diseno.construible) return {};
  std::vector<LineaMateriales> lista{DeResistencia(diseno), DeZener(diseno)};
  if (diseno.transistorElegido) lista.push_back(DeTransistor(diseno));
  if (diseno.cifras.Tiene(Figura::DisipadorRth)) lista.push_back(Disipador(diseno));
  return lista;
}

bool SumaMateriales::Clave::operator<(const Clave& otra) const {
  return std::tie(clase, tipo, valor, pieza, encapsulado) <
         std::tie(otra.clase, otra.tipo, otra.valor, otra.pieza, otra.encapsulado);
}

void SumaMateriales::Anadir(const Diseno& diseno) {
  const std::vector<LineaMateriales> lista = ListaDeMateriales(diseno);
  if (lista.empty()) return;
  const LineaMateriales& r = lista[0];
  const LineaMateriales& z = lista[1];
  ++cuentas_[{Clase::Resistencia, r.numero, diseno.cifras.De(Figura::RNominal),
              r.numero + " " + r.valor + " " + r.tolerancia, r.encapsulado}];
  ++cuentas_[{Clase::Zener, std::string(diseno.zener->familia->nombre), diseno.zener->fila->vz,
              z.numero, z.encapsulado}];
  for (std::size_t i = 2; i < lista.size(); ++i) {
    ++cuentas_[{Clase::Otra, lista[i].numero, 0, lista[i].numero + " " + lista[i].valor,
                lista[i].encapsulado}];
  }
}

std::string SumaMateriales::Csv() const {
  std::string csv(kMarcaUtf8);
  csv += "Pieza;Encapsulado;Cantidad\n";
  for (const auto& [clave, cantidad] : cuentas_) {
    Celda(csv, clave.pieza, kSeparador);
    Celda(csv, clave.encapsulado, kSeparador);
    Celda(csv, std::to_string(cantidad), '\n');
  }
  return csv;
}

}  // namespace zener
