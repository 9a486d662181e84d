#include "design/Lotes.h"

#include <algorithm>

#include "core/Tablas.h"
#include "design/Componentes.h"
#include "design/Texto.h"

namespace zener {

namespace {

constexpr char kSeparador = ';';
constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kCabeceraSalida =
    "Linea;Construible;Regla;R_exacta_ohm;R_ohm;R_min_ohm;R_max_ohm;Vz_min_V;Vz_max_V;"
    "Iz_min_peor_mA;Iz_max_peor_mA;P_R_peor_W;P_R_W;Pz_sin_carga_peor_W;Pz_ic_min_peor_W;Pz_W;"
    "Vout_min_V;Vout_max_V;Vout_nominal_V;Tj_max_C;Zener;Mensaje\n";
// Empty cells of a row that has no design, after Linea;Construible;Regla.
constexpr std::string_view kSinDiseno = ";;;;;;;;;;;;;;;;;;";
// An echoed field is cut to this many characters.
constexpr std::size_t kMayorEco = 32;

bool IgualSinMayusculas(std::string_view a, std::string_view b) {
  auto minuscula = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return minuscula(x) == minuscula(y);
         });
}

// A user's field as a message quotes it: no control characters, and cut
// short, at a character's start, when long.
std::string Eco(std::string_view texto) {
  texto = SinEspacios(texto);
  std::string eco;
  std::size_t caracteres = 0;
  for (const char c : texto) {
    const bool inicio = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (inicio && ++caracteres > kMayorEco) return eco + "…";
    const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    eco += control ? '?' : c;
  }
  return eco;
}

// Quoted, so that a message may hold the separator; on one line, without the
// spaces that centred a message box's lines; several texts joined by a space.
void AnadirEntrecomillado(std::string& salida, const std::vector<std::string>& textos) {
  salida += '"';
  bool espacio = true;  // none at the start
  for (const std::string& texto : textos) {
    if (!espacio) salida += ' ';
    espacio = true;
    for (char c : texto) {
      if (c == '\r') c = ' ';
      if (c == ' ' && espacio) continue;
      espacio = c == ' ';
      if (c == '"') salida += '"';
      salida += c;
    }
  }
  if (salida.back() == ' ') salida.pop_back();
  salida += '"';
}

struct Celda {
  std::optional<double> valor;
  int decimales;
};

void EscribirFila(std::string& salida, std::size_t linea, const Diseno& d) {
  salida += std::to_string(linea);
  salida += d.construible ? ";si;" : ";no;";
  salida += std::to_string(NumeroDeRegla(d.veredicto));
  salida += kSeparador;
  if (d.veredicto == Veredicto::Cumple) AnadirCifraHoja(salida, d.datos.RrLim, 2);
  if (d.elegida) {
    const PeorCaso& e = *d.elegida;
    const Celda celdas[] = {
        {e.rOhm, 2},
        {d.intervaloR->rMinOhm, 2},
        {d.intervaloR->rMaxOhm, 2},
        {d.vz->bajo, 3},
        {d.vz->alto, 3},
        {e.izMinMa, 3},
        {e.izMaxMa, 3},
        {e.prW, 4},
        {d.potenciaResistenciaW, 3},
        {e.pzSinCargaW, 4},
        {e.pzConIcMinW, 4},
        {d.zener ? std::optional<double>(d.zener->familia->potenciaW) : std::nullopt, 1},
        {e.voutMinV, 3},
        {e.voutMaxV, 3},
        {d.voutNominalV, 3},
        {d.zener ? d.tjMaxC : std::nullopt, 1},
    };
    for (const Celda& celda : celdas) {
      salida += kSeparador;
      if (celda.valor) AnadirCifraHoja(salida, *celda.valor, celda.decimales);
    }
    salida += kSeparador;
    if (d.zener) salida += d.zener->fila->numero;
    salida += kSeparador;
  } else {
    salida += kSinDiseno;
  }
  AnadirEntrecomillado(salida, d.construible ? d.avisos : d.motivos);
  salida += '\n';
}

void EscribirError(std::string& salida, std::size_t linea, const std::string& motivo) {
  salida += std::to_string(linea) + ";error;;" + std::string(kSinDiseno);
  AnadirEntrecomillado(salida, {"línea " + std::to_string(linea) + ": " + motivo});
  salida += '\n';
}

struct ValoresDeFila {
  DatosCircuito valores;
  Decimales decimales{};
};

// The six values of a row, or why not. A spreadsheet may end every row with
// a separator: one empty field after the six is no field.
std::optional<ValoresDeFila> LeerFila(std::string_view fila, std::string& motivo) {
  ValoresDeFila leidos;
  std::size_t campo = 0;
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fin = std::min(fila.find(kSeparador, inicio), fila.size());
    const std::string_view texto = fila.substr(inicio, fin - inicio);
    const bool vacioFinal =
        campo == kCampos.size() && fin == fila.size() && SinEspacios(texto).empty();
    if (campo < kCampos.size()) {
      const Lectura lectura = LeerValor(texto);
      if (!lectura.valor) {
        motivo = std::string(kNombresValores[campo]) + " «" + Eco(texto) + "» " + lectura.motivo;
        return std::nullopt;
      }
      leidos.valores.*kCampos[campo].valor = *lectura.valor;
      leidos.decimales[campo] = lectura.decimales;
    }
    if (!vacioFinal) ++campo;
    if (fin == fila.size()) break;
    inicio = fin + 1;
  }
  if (campo != kCampos.size()) {
    motivo = "tiene " + std::to_string(campo) + " campos y ha de tener " +
             std::to_string(kCampos.size());
    return std::nullopt;
  }
  return leidos;
}

// The header's fields, whatever their spaces and letter case, and with a
// trailing separator or not.
bool EsCabecera(std::string_view fila) {
  std::size_t campo = 0;
  std::size_t inicio = 0;
  while (true) {
    const std::size_t fin = std::min(fila.find(kSeparador, inicio), fila.size());
    const std::string_view nombre = SinEspacios(fila.substr(inicio, fin - inicio));
    if (campo < kNombresValores.size()) {
      if (!IgualSinMayusculas(nombre, kNombresValores[campo])) return false;
    } else if (!nombre.empty()) {
      return false;
    }
    ++campo;
    if (fin == fila.size()) break;
    inicio = fin + 1;
  }
  return campo >= kNombresValores.size();
}

}  // namespace

void Lotes::Acumular(std::string_view parte) {
  if (desbordada_) return;
  if (pendiente_.size() + parte.size() > kMayorLinea) {
    desbordada_ = true;
    pendiente_.clear();
    return;
  }
  pendiente_ += parte;
}

void Lotes::Leer(std::string_view trozo, std::string& salida) {
  while (!trozo.empty() && !error_) {
    const std::size_t fin = trozo.find('\n');
    if (fin == std::string_view::npos) {
      Acumular(trozo);
      return;
    }
    const std::string_view parte = trozo.substr(0, fin);
    trozo.remove_prefix(fin + 1);
    if (pendiente_.empty() && !desbordada_) {
      Linea(parte, salida);  // the usual case: the whole row in this piece, not copied
      continue;
    }
    Acumular(parte);
    Linea(desbordada_ ? std::string_view() : std::string_view(pendiente_), salida);
    pendiente_.clear();
    desbordada_ = false;
  }
}

void Lotes::Terminar(std::string& salida) {
  if (!error_ && (!pendiente_.empty() || desbordada_)) {
    Linea(desbordada_ ? std::string_view() : std::string_view(pendiente_), salida);
  }
  pendiente_.clear();
  desbordada_ = false;
  if (cabecera_ && !error_) error_ = "falta la cabecera " + std::string(kCabeceraLotes);
}

void Lotes::Linea(std::string_view fila, std::string& salida) {
  ++linea_;
  if (linea_ == 1 && fila.substr(0, kMarcaUtf8.size()) == kMarcaUtf8) {
    fila.remove_prefix(kMarcaUtf8.size());
  }
  const bool larga = fila.size() > kMayorLinea || (fila.empty() && desbordada_);
  if (!larga && SinEspacios(fila).empty()) return;
  if (cabecera_) {
    Cabecera(larga ? std::string_view() : fila, salida);
    return;
  }
  ++cuenta_.filas;
  if (larga) {
    ++cuenta_.erroneas;
    EscribirError(salida, linea_, "pasa de " + std::to_string(kMayorLinea) + " caracteres");
    return;
  }
  Fila(fila, salida);
}

void Lotes::Cabecera(std::string_view fila, std::string& salida) {
  if (!EsCabecera(fila)) {
    error_ = "la línea " + std::to_string(linea_) + " ha de ser la cabecera " +
             std::string(kCabeceraLotes);
    return;
  }
  cabecera_ = false;
  salida += kMarcaUtf8;
  salida += kCabeceraSalida;
}

void Lotes::Fila(std::string_view fila, std::string& salida) {
  if (!fila.empty() && fila.back() == '\r') fila.remove_suffix(1);
  std::string motivo;
  const auto leidos = LeerFila(fila, motivo);
  if (!leidos) {
    ++cuenta_.erroneas;
    EscribirError(salida, linea_, motivo);
    return;
  }
  const Diseno d = Disenar(leidos->valores, opciones_, leidos->decimales);
  ++(d.construible ? cuenta_.construibles : cuenta_.noConstruibles);
  EscribirFila(salida, linea_, d);
}

ResultadoLotes ProcesarLotes(std::string_view contenido, const OpcionesDiseno& opciones) {
  Lotes lotes(opciones);
  ResultadoLotes r;
  lotes.Leer(contenido, r.salida);
  lotes.Terminar(r.salida);
  r.error = lotes.Error();
  r.cuenta = lotes.Cuenta();
  if (r.error) r.salida.clear();
  return r;
}

}  // namespace zener
