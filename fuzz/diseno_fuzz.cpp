// Any text as a batch file, whole and in pieces, and as one row of figures:
// no crash, one result row per non-blank row after the header, the same
// output however the file is cut, and every design gives reports whose JSON
// keeps its brackets balanced; a buildable design keeps IzMin at the top of
// its band.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Lotes.h"

namespace {

void Exigir(bool condicion) {
  if (!condicion) std::abort();
}

constexpr std::string_view kCabecera = "VeMin;VeMax;IcMin;IcMax;VnZener;IzMin\n";

// The rows with a cell that is not empty, lines ending in CR, LF or CRLF as
// a spreadsheet may write them.
std::size_t FilasNoVacias(std::string_view texto) {
  std::size_t filas = 0;
  while (!texto.empty()) {
    const std::size_t fin = std::min(texto.find_first_of("\r\n"), texto.size());
    if (texto.substr(0, fin).find_first_not_of(" \t;") != std::string_view::npos) ++filas;
    const bool crlf = texto.substr(fin, 2) == "\r\n";
    texto.remove_prefix(std::min(fin + (crlf ? 2 : 1), texto.size()));
  }
  return filas;
}

bool Equilibrado(std::string_view json) {
  int profundidad = 0;
  bool enCadena = false;
  for (std::size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (enCadena) {
      if (c == '\\') ++i;
      if (c == '"') enCadena = false;
      continue;
    }
    if (c == '"') enCadena = true;
    if (c == '{' || c == '[') ++profundidad;
    if (c == '}' || c == ']') --profundidad;
    if (profundidad < 0) return false;
  }
  return profundidad == 0 && !enCadena;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
  using namespace zener;
  const std::string_view texto(reinterpret_cast<const char*>(datos), tamano);
  std::string lotes(kCabecera);
  lotes.append(texto);
  const ResultadoLotes r = ProcesarLotes(lotes, {});
  // A line past the length limit ends the reading; nothing else may.
  if (r.error) {
    Exigir(r.error->find(" pasa de ") != std::string::npos && r.salida.empty());
    return 0;
  }
  const CuentaLotes& c = r.cuenta;
  Exigir(static_cast<std::size_t>(c.filas) == FilasNoVacias(lotes) - 1);
  Exigir(c.filas == c.construibles + c.noConstruibles + c.erroneas);
  Lotes enTrozos({});
  std::string salida;
  const std::size_t trozo = 1 + tamano % 13;
  for (std::size_t i = 0; i < lotes.size(); i += trozo) {
    enTrozos.Leer(std::string_view(lotes).substr(i, trozo), salida);
  }
  enTrozos.Terminar(salida);
  Exigir(salida == r.salida);

  // The first row alone, as the tool reads its six figures.
  DatosCircuito valores;
  std::string_view fila = texto.substr(0, texto.find('\n'));
  for (const FilaCampo& campo : kCampos) {
    const std::size_t fin = std::min(fila.find(';'), fila.size());
    const Lectura lectura = LeerValor(fila.substr(0, fin));
    if (!lectura.valor) return 0;
    valores.*campo.valor = *lectura.valor;
    fila.remove_prefix(std::min(fin + 1, fila.size()));
  }
  const Diseno d = Disenar(valores, {});
  if (d.construible) {
    const Cifras& c = d.cifras;
    Exigir(d.ZenerElegido() && c.Tiene(Figura::IzMin) && c.De(Figura::IzMin) >= valores.IzMin);
    Exigir(c.De(Figura::VzAlta) >= d.zener->fila->vzMax);
  }
  Exigir(Equilibrado(InformeJson(d)));
  InformeTexto(d);
  InformeHtml(d);
  return 0;
}
