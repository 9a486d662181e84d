// Many designs at once, from and to what a Spanish spreadsheet writes: rows of
// figures with comma decimals, separated by semicolons or tabs, in UTF-8 or
// UTF-16, with any line ends. The file goes through in pieces, so that its
// size does not matter.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/Codificacion.h"
#include "design/Diseno.h"
#include "design/Lectura.h"
#include "design/Materiales.h"

namespace zener {

inline constexpr std::string_view kCabeceraLotes = "VeMin;VeMax;IcMin;IcMax;VnZener;IzMin";
// Optional columns after the six, in any order: each row's mounting,
// circuit and whether its load stays connected (si, no), or empty for the
// command's.
inline constexpr std::string_view kColumnaMontaje = "Montaje";
inline constexpr std::string_view kColumnaCircuito = "Circuito";
inline constexpr std::string_view kColumnaCargaFija = "CargaFija";
// A row longer than this ends the reading at once, without being kept: no
// spreadsheet writes one, and an endless input ends too.
inline constexpr std::size_t kMayorLinea = 1024;  // bytes, as UTF-8

struct ColumnaOptativa;

struct CuentaLotes {
  int filas = 0;
  int construibles = 0;
  int noConstruibles = 0;  // a rule, the series or the parts failed
  int erroneas = 0;        // unreadable rows
  int vacias = 0;          // rows whose every cell is empty, skipped
};

class Lotes {
 public:
  // With `materiales`, every buildable row's parts are added to it.
  explicit Lotes(const OpcionesDiseno& opciones, SumaMateriales* materiales = nullptr)
      : opciones_(opciones), materiales_(materiales) {}

  // The next piece of the file, as it is on the disk; the result rows it
  // completes go to `salida`, after the byte-order mark and the header once
  // the file's header is read.
  void Leer(std::string_view trozo, std::string& salida);
  // The end of the file: its last row, if no line end closed it.
  void Terminar(std::string& salida);

  // Why the file as a whole cannot be read; nothing more is read after it.
  const std::optional<std::string>& Error() const { return error_; }
  const CuentaLotes& Cuenta() const { return cuenta_; }

 private:
  void Partir(std::string_view texto, std::string& salida);
  void Acumular(std::string_view parte);
  void Larga(std::size_t linea);
  void Linea(std::string_view fila, std::string& salida);
  void Cabecera(std::string_view fila, std::string& salida);
  void Fila(std::string_view fila, std::string& salida);

  OpcionesDiseno opciones_;
  SumaMateriales* materiales_;
  std::vector<const ColumnaOptativa*> optativas_;  // as the header has them
  Decodificador decodificador_;
  std::string utf8_;          // a piece converted to UTF-8, when it was not
  std::string pendiente_;     // the start of a row that a piece cut
  bool trasRetorno_ = false;  // the last piece ended in CR: an LF next is the same line end
  char separador_ = ';';
  std::size_t linea_ = 0;
  bool cabecera_ = true;
  std::optional<std::string> error_;
  CuentaLotes cuenta_;
};

// A whole file in memory, through Lotes.
struct ResultadoLotes {
  std::optional<std::string> error;
  std::string salida;
  CuentaLotes cuenta;
};
ResultadoLotes ProcesarLotes(std::string_view contenido, const OpcionesDiseno& opciones);

}  // namespace zener
