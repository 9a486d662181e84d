// What to order for a design: its parts list, and the list of many designs
// added up, part by part.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "design/Diseno.h"

namespace zener {

struct LineaMateriales {
  std::string referencia;   // "R1", "D1"
  std::string valor;        // "150 Ω", "5,1 V"
  std::string tolerancia;   // "±5 %", or the datasheet's range of Vz
  std::string encapsulado;  // "0805", "SOT-23"
  std::string potencia;     // the rating and the temperature it holds to
  std::string numero;       // what the maker calls it

  // In the order of the headers below.
  std::array<std::string_view, 6> Campos() const {
    return {referencia, valor, tolerancia, encapsulado, potencia, numero};
  }
};

// In the order a parts list gives them; empty unless the design is buildable.
std::vector<LineaMateriales> ListaDeMateriales(const Diseno& diseno);

inline constexpr std::array<std::string_view, 6> kCabeceraMateriales = {
    "Referencia", "Valor", "Tolerancia", "Encapsulado", "Potencia", "Número"};
// Their keys in the JSON report.
inline constexpr std::array<std::string_view, 6> kClavesMateriales = {
    "referencia", "valor", "tolerancia", "encapsulado", "potencia", "numero"};

// The parts of many designs, each counted once per design that uses it.
class SumaMateriales {
 public:
  void Anadir(const Diseno& diseno);
  // A CSV a Spanish spreadsheet opens: Pieza;Encapsulado;Cantidad, the
  // resistors first, then the Zeners, each by type and value.
  std::string Csv() const;

 private:
  // In the list's order: resistors, Zeners, then the rest.
  enum class Clase { Resistencia, Zener, Otra };
  struct Clave {
    Clase clase;
    std::string tipo;  // the maker's type or family
    double valor;      // ohms or volts, so that 12 Ω comes before 100 Ω
    std::string pieza;
    std::string encapsulado;
    bool operator<(const Clave& otra) const;
  };
  std::map<Clave, std::size_t> cuentas_;
};

}  // namespace zener
