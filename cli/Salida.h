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

// A path as messages quote it: cleaned and, when very long, cut.
std::string RutaCitada(std::string_view ruta);

// A file the command line names, with the option that names it.
struct ArchivoNombrado {
  std::string_view opcion;
  std::string ruta;
};
// Refuses an output that is an input or another output, however either is
// spelt: the same file where it exists, the same file to be created where it
// does not. Devices and pipes may be shared.
std::optional<Fallo> ArchivosDistintos(const std::vector<ArchivoNombrado>& entradas,
                                       const std::vector<ArchivoNombrado>& salidas);

// A regular file is written under a temporary name beside it (beside the end
// of a chain of symbolic links, which a redirect follows), with its mode and
// owner, synced and renamed over it: another hard link keeps the old
// contents. Anything else (a device, a pipe) is written in place.
class Salida {
 public:
  Salida(std::ostream& consola, std::optional<std::string> ruta)
      : consola_(consola), ruta_(std::move(ruta)) {}
  ~Salida() { Descartar(); }
  Salida(const Salida&) = delete;
  Salida& operator=(const Salida&) = delete;

  // Refuses a file the user may not write, and a chain of links with no end.
  std::optional<Fallo> Abrir();
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
  std::string destino_;  // the file itself, past every symbolic link
  std::string temporal_;
  int fd_ = -1;
  std::optional<int> error_;
};

}  // namespace zener
