// Where the tool's output goes: the given stream, or the file of `-o`,
// written as a shell redirect would and whole or not at all.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zener {

// An error of the command line or of the output: the message and the exit
// code.
struct Fallo {
  std::string mensaje;
  int codigo;
};

// A regular file is written under a temporary name beside it (beside its
// target, through a symbolic link), with its mode and owner, synced and
// renamed over it: another hard link keeps the old contents. Anything else (a
// device, a pipe) is written in place.
class Salida {
 public:
  Salida(std::ostream& consola, std::optional<std::string> ruta)
      : consola_(consola), ruta_(std::move(ruta)) {}
  ~Salida() { Descartar(); }
  Salida(const Salida&) = delete;
  Salida& operator=(const Salida&) = delete;

  // Refuses a file that is one of `entradas`, whatever the links to it, and
  // one the user may not write.
  std::optional<Fallo> Abrir(const std::vector<std::string>& entradas = {});
  void Escribir(std::string_view texto);
  // The first write that failed ends the run: nothing more is written.
  bool Fallida() const { return error_.has_value(); }
  // Everything written and on the disk, or why not.
  std::optional<Fallo> Cerrar();

 private:
  void Descartar();
  Fallo FalloDeEscritura(int error) const;

  std::ostream& consola_;
  std::optional<std::string> ruta_;
  std::string destino_;  // the file itself, past any symbolic link
  std::string temporal_;
  int fd_ = -1;
  std::optional<int> error_;
};

}  // namespace zener
