#include "design/Lotes.h"

#include <algorithm>

#include "core/NumeroTexto.h"
#include "core/Tablas.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr char kSeparador = ';';
constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kCabeceraSalida =
    "Linea;Cumple;Regla;R_exacta_ohm;R_ohm;Iz_min_peor_mA;P_R_peor_W;P_R_W;Pz_peor_W;Pz_W;"
    "Zener;Mensaje\n";
// Empty cells of a row that has no design, after Linea;Cumple;Regla.
constexpr std::string_view kSinDiseno = ";;;;;;;;";

std::string_view SinEspacios(std::string_view texto) {
  const auto primero = texto.find_first_not_of(" \t\r");
  if (primero == std::string_view::npos) return {};
  return texto.substr(primero, texto.find_last_not_of(" \t\r") - primero + 1);
}

// Quoted, so that a message may hold the separator; on one line, without the
// spaces that centred a message box's lines.
std::string Entrecomillado(std::string_view texto) {
  std::string s = "\"";
  for (char c : texto) {
    if (c == '\r') c = ' ';
    if (c == ' ' && s.back() == ' ') continue;
    if (c == '"') s += '"';
    s += c;
  }
  return s + "\"";
}

std::string MensajeDe(const Diseno& d) {
  if (!d.cumple) return d.mensaje;
  std::string avisos;
  for (const std::string& aviso : d.avisos) avisos += (avisos.empty() ? "" : " ") + aviso;
  return avisos;
}

std::string Opcional(const std::optional<double>& valor, int decimales) {
  return valor ? CifraHoja(*valor, decimales) : "";
}

void EscribirFila(std::string& salida, std::size_t linea, const Diseno& d) {
  salida += std::to_string(linea);
  salida += d.cumple ? ";si;" : ";no;";
  salida += std::to_string(NumeroDeRegla(d.veredicto));
  salida += kSeparador;
  if (d.veredicto == Veredicto::Cumple) salida += CifraHoja(d.datos.RrLim, 2);
  if (d.elegida) {
    const PeorCaso& e = *d.elegida;
    salida += ";" + CifraHoja(e.rOhm, 2) + ";" + CifraHoja(e.izMinMa, 3) + ";" +
              CifraHoja(e.prW, 4) + ";" + Opcional(d.potenciaResistenciaW, 3) + ";" +
              CifraHoja(e.pzW, 4) + ";" + Opcional(d.potenciaZenerW, 1) + ";" +
              std::string(d.zener ? d.zener->numero : "") + ";";
  } else {
    salida += kSinDiseno;
  }
  salida += Entrecomillado(MensajeDe(d)) + "\n";
}

void EscribirError(std::string& salida, std::size_t linea, const std::string& motivo) {
  salida += std::to_string(linea) + ";error;;" + std::string(kSinDiseno) +
            Entrecomillado("línea " + std::to_string(linea) + ": " + motivo) + "\n";
}

// The six values of a row, or why not.
std::optional<DatosCircuito> LeerFila(std::string_view fila, std::string& motivo) {
  DatosCircuito valores;
  std::size_t campo = 0;
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fin = std::min(fila.find(kSeparador, inicio), fila.size());
    if (campo < kCampos.size()) {
      const std::string_view texto = fila.substr(inicio, fin - inicio);
      const Lectura lectura = LeerValor(texto);
      if (!lectura.valor) {
        motivo = std::string(kNombresValores[campo]) + " «" + std::string(SinEspacios(texto)) +
                 "» " + std::string(lectura.motivo);
        return std::nullopt;
      }
      valores.*kCampos[campo].valor = *lectura.valor;
    }
    ++campo;
    if (fin == fila.size()) break;
    inicio = fin + 1;
  }
  if (campo != kCampos.size()) {
    motivo = "tiene " + std::to_string(campo) + " campos y ha de tener " +
             std::to_string(kCampos.size());
    return std::nullopt;
  }
  return valores;
}

}  // namespace

Lectura LeerValor(std::string_view texto) {
  texto = SinEspacios(texto);
  if (texto.empty()) return {std::nullopt, "está vacío"};
  if (texto.front() == '-') return {std::nullopt, "es negativo"};
  const auto valor = LeerCifra(texto);
  if (!valor) return {std::nullopt, "no es una cifra (coma decimal, p. ej. 5,1)"};
  return {valor, {}};
}

ResultadoLotes ProcesarLotes(std::string_view contenido, const OpcionesDiseno& opciones) {
  ResultadoLotes r;
  if (contenido.size() > kMayorArchivoLotes) {
    r.error = "el archivo pasa de " + std::to_string(kMayorArchivoLotes >> 20) + " MiB";
    return r;
  }
  if (contenido.substr(0, kMarcaUtf8.size()) == kMarcaUtf8)
    contenido.remove_prefix(kMarcaUtf8.size());
  r.salida = kCabeceraSalida;
  std::size_t linea = 0;
  bool cabecera = true;
  while (!contenido.empty()) {
    const std::size_t fin = std::min(contenido.find('\n'), contenido.size());
    std::string_view fila = contenido.substr(0, fin);
    contenido.remove_prefix(std::min(fin + 1, contenido.size()));
    ++linea;
    if (!fila.empty() && fila.back() == '\r') fila.remove_suffix(1);
    if (SinEspacios(fila).empty()) continue;
    if (cabecera) {
      if (SinEspacios(fila) != kCabeceraLotes) {
        r.error = "la línea " + std::to_string(linea) + " ha de ser la cabecera " +
                  std::string(kCabeceraLotes);
        return r;
      }
      cabecera = false;
      continue;
    }
    ++r.filas;
    std::string motivo;
    const auto valores = LeerFila(fila, motivo);
    if (!valores) {
      ++r.erroneas;
      EscribirError(r.salida, linea, motivo);
      continue;
    }
    const Diseno d = Disenar(*valores, opciones);
    ++(d.cumple ? r.cumplen : r.incumplen);
    EscribirFila(r.salida, linea, d);
  }
  if (cabecera) r.error = "falta la cabecera " + std::string(kCabeceraLotes);
  return r;
}

}  // namespace zener
