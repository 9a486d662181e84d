// The report as plain text: its sections, the tables' columns aligned.
#include <algorithm>
#include <string>
#include <vector>

#include "core/NumeroTexto.h"
#include "design/Circuitos.h"
#include "design/Diseno.h"
#include "design/Secciones.h"

namespace zener {

namespace {

std::string Relleno(const std::string& texto, std::size_t ancho) {
  const auto largo = static_cast<std::size_t>(LongitudEnCaracteres(texto));
  return texto + std::string(largo < ancho ? ancho - largo : 1, ' ');
}

std::string TablaTexto(const Tabla& tabla) {
  constexpr std::size_t kSeparacion = 2;
  std::vector<std::vector<std::string>> filas{tabla.cabecera};
  for (const Tabla::Fila& fila : tabla.filas) filas.push_back(fila.celdas);
  std::vector<std::size_t> anchos(tabla.cabecera.size());
  for (const auto& fila : filas) {
    for (std::size_t i = 0; i < fila.size(); ++i) {
      anchos[i] = std::max(anchos[i], static_cast<std::size_t>(LongitudEnCaracteres(fila[i])));
    }
  }
  std::string t;
  for (const auto& fila : filas) {
    std::string linea = "  ";
    for (std::size_t i = 0; i < fila.size(); ++i)
      linea += Relleno(fila[i], anchos[i] + kSeparacion);
    linea.erase(linea.find_last_not_of(' ') + 1);
    t += linea + "\n";
  }
  return t;
}

std::string SeccionTexto(const Seccion& s) {
  std::string t = "\n" + s.titulo + "\n";
  for (const std::string& linea : s.lineas) t += "  " + linea + "\n";
  if (s.tabla) t += (s.lineas.empty() ? "" : "\n") + TablaTexto(*s.tabla);
  return t;
}

// The run's nominal output, bin by bin, under its section.
std::string HistogramaDeSalida(const Diseno& d) {
  if (!d.muestreo || d.muestreo->sinMuestreo) return {};
  const auto& r = d.muestreo->medidas[static_cast<std::size_t>(Medida::VoutNominal)];
  if (!r) return {};
  return "\n  Vout nominal, unidades por intervalo:\n" +
         HistogramaTexto(*r, DescripcionDe(Medida::VoutNominal));
}

}  // namespace

std::string InformeTexto(const Diseno& d) {
  std::string t = "Diseño del " + std::string(CircuitoDe(d).titulo) + "\n";
  for (const Seccion& s : Secciones(d)) {
    t += SeccionTexto(s);
    if (s.titulo == kTituloMuestreo) t += HistogramaDeSalida(d);
  }
  return t + SeccionTexto(Materiales(d));
}

}  // namespace zener
