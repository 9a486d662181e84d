#include "design/Lotes.h"

#include <algorithm>

#include "core/Tablas.h"
#include "design/Circuitos.h"
#include "design/Codificacion.h"
#include "design/Componentes.h"
#include "design/Opciones.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

// The optional columns after the six values, in any order, each once: the
// row's own mounting or circuit, an empty cell taking the command's.
struct ColumnaOptativa {
  std::string_view nombre;
  std::string_view clave;  // the option it sets, of the options that take a name
};

namespace {

constexpr char kSeparador = ';';
constexpr char kTabulador = '\t';
constexpr char kComilla = '"';
constexpr std::string_view kFinesDeLinea = "\r\n";
constexpr std::string_view kCabeceraDiseno = "Linea;Construible;Regla";
constexpr std::string_view kCabeceraPiezas = "Resistencia;Zener;Transistor;Mensaje";

// The result's header: the design's verdict, every figure that has a column,
// the parts and the words.
const std::string& CabeceraSalida() {
  static const std::string cabecera = [] {
    std::string c(kCabeceraDiseno);
    for (const DescripcionFigura& f : kFiguras) {
      if (!f.columna.empty()) c += kSeparador + std::string(f.columna);
    }
    return c + kSeparador + std::string(kCabeceraPiezas) + '\n';
  }();
  return cabecera;
}

// The separators of a row that has no design, after Linea;Construible.
const std::string& SinDiseno() {
  static const std::string vacias(
      static_cast<std::size_t>(
          std::count(CabeceraSalida().begin(), CabeceraSalida().end(), kSeparador)) -
          1,
      kSeparador);
  return vacias;
}

bool IgualSinMayusculas(std::string_view a, std::string_view b) {
  auto minuscula = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return minuscula(x) == minuscula(y);
         });
}

// Quoted, so that a message may hold the separator, its quotes doubled;
// several texts joined by a space.
void AnadirEntrecomillado(std::string& salida, const std::vector<std::string>& textos) {
  salida += '"';
  const char* separador = "";
  for (const std::string& texto : textos) {
    salida += separador;
    separador = " ";
    // In runs: each quote is written with the run it ends, then again.
    std::string_view resto = texto;
    for (std::size_t comilla; (comilla = resto.find('"')) != std::string_view::npos;) {
      salida.append(resto.substr(0, comilla + 1));
      salida += '"';
      resto.remove_prefix(comilla + 1);
    }
    salida.append(resto);
  }
  salida += '"';
}

// Every figure of the figures' table that has a column, as the JSON report
// gives it: what has no meaning stays empty. Then the parts and the words.
void EscribirFila(std::string& salida, std::size_t linea, const Diseno& d) {
  salida += std::to_string(linea);
  salida += d.construible ? ";si;" : ";no;";
  salida += std::to_string(NumeroDeRegla(d.veredicto));
  for (const DescripcionFigura& f : kFiguras) {
    if (f.columna.empty()) continue;
    salida += kSeparador;
    if (const auto valor = d.cifras[f.figura]) AnadirCifraHoja(salida, *valor, f.decimalesHoja);
  }
  salida += kSeparador;
  if (d.resistencia) salida += d.resistencia->tipo;
  salida += kSeparador;
  if (const Zener* z = d.ZenerElegido()) salida += z->fila->numero;
  salida += kSeparador;
  if (d.transistorElegido) salida += d.transistor->numero;
  salida += kSeparador;
  // One line: the warnings of what is built, or why it is not.
  AnadirEntrecomillado(
      salida, d.construible ? TextosDe(d.avisos) : std::vector<std::string>{LineaDeVeredicto(d)});
  salida += '\n';
}

void EscribirError(std::string& salida, std::size_t linea, const std::string& motivo) {
  salida += std::to_string(linea) + ";error" + SinDiseno();
  AnadirEntrecomillado(salida, {"línea " + std::to_string(linea) + ": " + motivo});
  salida += '\n';
}

const ColumnaOptativa kOptativas[] = {{kColumnaMontaje, "montaje"},
                                      {kColumnaCircuito, "circuito"},
                                      {kColumnaCargaFija, "carga_fija"}};

struct ValoresDeFila {
  DatosCircuito valores;
  Decimales decimales{};
  std::vector<std::string> optativas;  // the optional columns' cells, in the header's order
};

// The cell that starts at `inicio`, and where the next one starts: past the
// row's end after the last. A cell wholly in double quotes, as a spreadsheet
// writes one, is read without them, "" as one quote, and may hold the
// separator; its text is kept in `espacio`. None for quotes left open or
// followed by more text.
std::optional<std::string_view> SiguienteCelda(std::string_view fila, char separador,
                                               std::size_t& inicio, std::string& espacio) {
  const std::size_t fin = std::min(fila.find(separador, inicio), fila.size());
  const std::string_view celda = fila.substr(inicio, fin - inicio);
  const std::string_view recortada = SinEspacios(celda);
  if (recortada.empty() || recortada.front() != kComilla) {
    inicio = fin + 1;
    return celda;
  }
  espacio.clear();
  std::size_t i = inicio + static_cast<std::size_t>(recortada.data() - celda.data()) + 1;
  for (std::size_t comilla; (comilla = fila.find(kComilla, i)) != std::string_view::npos;) {
    espacio.append(fila.substr(i, comilla - i));
    i = comilla + 1;
    if (i == fila.size() || fila[i] != kComilla) {
      const std::size_t tras = std::min(fila.find(separador, i), fila.size());
      if (!SinEspacios(fila.substr(i, tras - i)).empty()) return std::nullopt;
      inicio = tras + 1;
      return std::string_view(espacio);
    }
    espacio += kComilla;
    ++i;
  }
  return std::nullopt;
}

std::string ComillasAbiertas(std::size_t campo) {
  return "la celda " + std::to_string(campo + 1) + " abre unas comillas que no cierran al final";
}

// The six values of a row, and the optional columns' cells, or why not. A
// spreadsheet may end every row with a separator: one empty field after the
// last is no field.
std::optional<ValoresDeFila> LeerFila(std::string_view fila, char separador, std::size_t campos,
                                      std::string& motivo) {
  ValoresDeFila leidos;
  std::size_t campo = 0;
  std::string espacio;
  for (std::size_t inicio = 0; inicio <= fila.size();) {
    const auto celda = SiguienteCelda(fila, separador, inicio, espacio);
    if (!celda) {
      motivo = ComillasAbiertas(campo);
      return std::nullopt;
    }
    const std::string_view texto = *celda;
    const bool vacioFinal = campo == campos && inicio > fila.size() && SinEspacios(texto).empty();
    if (campo >= kCampos.size() && campo < campos) {
      leidos.optativas.emplace_back(SinEspacios(texto));
    }
    if (campo < kCampos.size()) {
      const Lectura lectura = LeerValor(texto);
      if (!lectura.valor) {
        motivo = std::string(kNombresValores[campo]) + " «" + Eco(SinEspacios(texto)) + "» " +
                 lectura.motivo;
        return std::nullopt;
      }
      leidos.valores.*kCampos[campo].valor = *lectura.valor;
      leidos.decimales[campo] = lectura.decimales;
    }
    if (!vacioFinal) ++campo;
  }
  if (campo != campos) {
    motivo = "tiene " + std::to_string(campo) + " campos y ha de tener " + std::to_string(campos);
    return std::nullopt;
  }
  return leidos;
}

// "Montaje, Circuito o CargaFija".
std::string NombresDeOptativas() {
  std::string nombres;
  for (std::size_t i = 0; i < std::size(kOptativas); ++i) {
    if (i > 0) nombres += i + 1 == std::size(kOptativas) ? " o " : ", ";
    nombres += kOptativas[i].nombre;
  }
  return nombres;
}

const ColumnaOptativa* Optativa(std::string_view nombre) {
  for (const ColumnaOptativa& c : kOptativas) {
    if (IgualSinMayusculas(nombre, c.nombre)) return &c;
  }
  return nullptr;
}

// The optional columns the header names after the six values, whatever
// their spaces, letter case and quotes, with a trailing separator or not;
// none when it is no header.
std::optional<std::vector<const ColumnaOptativa*>> ColumnasDeCabecera(std::string_view fila,
                                                                      char separador) {
  std::size_t campo = 0;
  std::vector<const ColumnaOptativa*> optativas;
  std::string espacio;
  for (std::size_t inicio = 0; inicio <= fila.size(); ++campo) {
    const auto celda = SiguienteCelda(fila, separador, inicio, espacio);
    if (!celda) return std::nullopt;
    const std::string_view nombre = SinEspacios(*celda);
    if (campo < kNombresValores.size()) {
      if (!IgualSinMayusculas(nombre, kNombresValores[campo])) return std::nullopt;
      continue;
    }
    const bool ultima = inicio > fila.size();
    if (nombre.empty() && ultima) break;
    const ColumnaOptativa* c = Optativa(nombre);
    if (!c || std::find(optativas.begin(), optativas.end(), c) != optativas.end()) {
      return std::nullopt;
    }
    optativas.push_back(c);
  }
  if (campo < kNombresValores.size()) return std::nullopt;
  return optativas;
}

// The command's options with the row's own, or why they cannot be used: a
// family of another mounting is the row's error, as it is the command
// line's.
std::optional<OpcionesDiseno> OpcionesDeFila(OpcionesDiseno opciones,
                                             const std::vector<const ColumnaOptativa*>& columnas,
                                             const ValoresDeFila& leidos, std::string& motivo) {
  for (std::size_t i = 0; i < columnas.size(); ++i) {
    const std::string& texto = leidos.optativas[i];
    if (texto.empty()) continue;
    const OpcionDeLista& opcion = *OpcionDeListaDeClave(columnas[i]->clave);
    if (!opcion.poner(opciones, texto)) {
      motivo = std::string(columnas[i]->nombre) + " «" + Eco(texto) + "» ha de ser " +
               NombresDe(opcion, ", ");
      return std::nullopt;
    }
  }
  if (auto error = ErrorDeOpciones(opciones)) {
    motivo = std::move(*error);
    return std::nullopt;
  }
  return opciones;
}

}  // namespace

void Lotes::Acumular(std::string_view parte) {
  if (pendiente_.size() + parte.size() > kMayorLinea) {
    Larga(linea_ + 1);
    return;
  }
  pendiente_ += parte;
}

void Lotes::Larga(std::size_t linea) {
  pendiente_.clear();
  error_ =
      "la línea " + std::to_string(linea) + " pasa de " + std::to_string(kMayorLinea) + " bytes";
}

void Lotes::Leer(std::string_view trozo, std::string& salida) {
  Partir(decodificador_.Decodificar(trozo, utf8_), salida);
}

// CR, LF and CRLF all end a line; a piece may fall between CR and LF.
void Lotes::Partir(std::string_view texto, std::string& salida) {
  while (!texto.empty() && !error_) {
    if (trasRetorno_ && texto.front() == '\n') texto.remove_prefix(1);
    trasRetorno_ = false;
    const std::size_t fin = texto.find_first_of(kFinesDeLinea);
    if (fin == std::string_view::npos) {
      Acumular(texto);
      return;
    }
    const std::string_view parte = texto.substr(0, fin);
    trasRetorno_ = texto[fin] == '\r';
    texto.remove_prefix(fin + 1);
    if (pendiente_.empty()) {
      Linea(parte, salida);  // the usual case: the whole row in this piece, not copied
      continue;
    }
    Acumular(parte);
    if (error_) return;
    Linea(pendiente_, salida);
    pendiente_.clear();
  }
}

void Lotes::Terminar(std::string& salida) {
  Partir(decodificador_.Terminar(utf8_), salida);
  if (!error_ && !pendiente_.empty()) Linea(pendiente_, salida);
  pendiente_.clear();
  if (cabecera_ && !error_) error_ = "falta la cabecera " + std::string(kCabeceraLotes);
}

void Lotes::Linea(std::string_view fila, std::string& salida) {
  ++linea_;
  if (fila.size() > kMayorLinea) {
    Larga(linea_);
    return;
  }
  // Every cell empty, whichever the separator: no design, and no error.
  if (fila.find_first_not_of(" \t;") == std::string_view::npos) {
    if (!cabecera_) ++cuenta_.vacias;
    return;
  }
  if (cabecera_) {
    Cabecera(fila, salida);
    return;
  }
  ++cuenta_.filas;
  Fila(fila, salida);
}

// The header tells the separator: a spreadsheet's "Unicode text" uses tabs.
void Lotes::Cabecera(std::string_view fila, std::string& salida) {
  const bool conTabulador = fila.find(kSeparador) == std::string_view::npos &&
                            fila.find(kTabulador) != std::string_view::npos;
  separador_ = conTabulador ? kTabulador : kSeparador;
  auto columnas = ColumnasDeCabecera(fila, separador_);
  if (!columnas) {
    error_ = "la línea " + std::to_string(linea_) + " ha de ser la cabecera " +
             std::string(kCabeceraLotes) + ", y tras ella, si acaso, " + NombresDeOptativas() +
             ", una vez cada una";
    return;
  }
  optativas_ = std::move(*columnas);
  cabecera_ = false;
  salida += kMarcaUtf8;
  salida += CabeceraSalida();
}

void Lotes::Fila(std::string_view fila, std::string& salida) {
  std::string motivo;
  const auto leidos = LeerFila(fila, separador_, kCampos.size() + optativas_.size(), motivo);
  const auto opciones =
      leidos ? OpcionesDeFila(opciones_, optativas_, *leidos, motivo) : std::nullopt;
  if (!opciones) {
    ++cuenta_.erroneas;
    EscribirError(salida, linea_, motivo);
    return;
  }
  const Diseno d = Disenar(leidos->valores, *opciones, leidos->decimales, Alcance::Lote);
  ++(d.construible ? cuenta_.construibles : cuenta_.noConstruibles);
  if (materiales_) materiales_->Anadir(d);
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
