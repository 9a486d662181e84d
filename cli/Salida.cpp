#include "cli/Salida.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "cli/Principal.h"
#include "cli/Razones.h"
#include "cli/Sistema.h"
#include "design/Texto.h"

namespace zener {

namespace {

namespace fs = std::filesystem;

// Where a quoted path is cut: far past any usual one.
constexpr std::size_t kMayorRutaCitada = 255;
// The links a chain may hold before it counts as a loop, as Linux counts.
constexpr int kMayorCadenaDeEnlaces = 40;

// The file a path names at the end of its chain of symbolic links, which
// need not exist yet: a redirect creates it. 0, or ELOOP for a chain that
// does not end.
int Destino(const std::string& ruta, std::string& destino) {
  fs::path actual = ruta;
  for (int enlaces = 0;; ++enlaces) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(actual, ec))) break;
    if (enlaces == kMayorCadenaDeEnlaces) {
      return static_cast<int>(std::errc::too_many_symbolic_link_levels);
    }
    const fs::path objetivo = fs::read_symlink(actual, ec);
    if (ec) return ec.value();
    actual = objetivo.is_absolute() ? objetivo : actual.parent_path() / objetivo;
  }
  destino = actual.string();
  return 0;
}

// The path a write would create: past its links, absolute, its folders'
// own links resolved.
fs::path PorCrear(const std::string& ruta) {
  std::string destino = ruta;
  Destino(ruta, destino);
  std::error_code ec;
  const fs::path absoluta = fs::weakly_canonical(fs::absolute(destino, ec), ec);
  return ec ? fs::absolute(destino, ec).lexically_normal() : absoluta;
}

bool MismoArchivo(const std::string& a, const std::string& b) {
  std::error_code ec;
  const bool existeA = fs::exists(a, ec);
  const bool existeB = fs::exists(b, ec);
  if (existeA != existeB) return false;
  if (!existeA) return PorCrear(a) == PorCrear(b);
  return fs::equivalent(a, b, ec) && fs::is_regular_file(a, ec);
}

}  // namespace

std::string RutaCitada(std::string_view ruta) {
  return "«" + Eco(ruta, kMayorRutaCitada) + "»";
}

std::optional<Fallo> ArchivosDistintos(const std::vector<ArchivoNombrado>& entradas,
                                       const std::vector<ArchivoNombrado>& salidas) {
  for (std::size_t i = 0; i < salidas.size(); ++i) {
    const ArchivoNombrado& salida = salidas[i];
    for (const ArchivoNombrado& entrada : entradas) {
      if (!MismoArchivo(salida.ruta, entrada.ruta)) continue;
      return Fallo{std::string(salida.opcion) + " " + RutaCitada(salida.ruta) +
                       " es el archivo de entrada " + RutaCitada(entrada.ruta) + " de " +
                       std::string(entrada.opcion) + ": no se escribe sobre él",
                   kSalidaErrorEntrada};
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (!MismoArchivo(salida.ruta, salidas[j].ruta)) continue;
      return Fallo{std::string(salidas[j].opcion) + " " + RutaCitada(salidas[j].ruta) + " y " +
                       std::string(salida.opcion) + " " + RutaCitada(salida.ruta) +
                       " no pueden ser el mismo archivo",
                   kSalidaErrorEntrada};
    }
  }
  return std::nullopt;
}

std::optional<Fallo> Salida::Abrir() {
  if (!ruta_) return std::nullopt;
  if (const int error = Destino(*ruta_, destino_)) return FalloDeEscritura(error);
  std::error_code ec;
  const fs::file_status estado = fs::status(destino_, ec);
  const bool existe = fs::exists(estado);
  if (existe && !fs::is_regular_file(estado)) {
    fd_ = AbrirEnSuSitio(destino_);
    return fd_ < 0 ? std::optional<Fallo>(FalloDeEscritura(errno)) : std::nullopt;
  }
  if (existe) {
    if (const int error = PermisoDeEscritura(destino_)) return FalloDeEscritura(error);
  }
  fd_ = CrearTemporalJunto(destino_, temporal_);
  if (fd_ < 0) return FalloDeEscritura(errno);
  ConservarIdentidad(fd_, destino_, existe);
  return std::nullopt;
}

void Salida::Escribir(std::string_view texto) {
  if (error_) return;
  if (ruta_) {
    if (const int error = EscribirTodo(fd_, texto)) error_ = error;
    return;
  }
  errno = 0;
  consola_.write(texto.data(), static_cast<std::streamsize>(texto.size()));
  consola_.flush();
  if (!consola_) error_ = errno ? errno : EIO;
}

std::optional<Fallo> Salida::Cerrar() {
  if (error_) return FalloDeEscritura(*error_);
  if (!ruta_) return std::nullopt;
  // A device or a pipe written in place has nothing to sync.
  int error = temporal_.empty() ? 0 : Sincronizar(fd_);
  if (const int alCerrar = CerrarArchivo(fd_); !error) error = alCerrar;
  fd_ = -1;
  if (error) return FalloDeEscritura(error);
  if (temporal_.empty()) return std::nullopt;
  std::error_code ec;
  fs::rename(temporal_, destino_, ec);
  if (ec) return FalloDeEscritura(ec.value());
  temporal_.clear();
  OlvidarSenales();
  SincronizarCarpeta(destino_);
  return std::nullopt;
}

// Leaves no half-written file.
void Salida::Descartar() {
  if (fd_ >= 0) CerrarArchivo(fd_);
  fd_ = -1;
  if (temporal_.empty()) return;
  std::error_code ec;
  fs::remove(temporal_, ec);
  temporal_.clear();
  OlvidarSenales();
}

Fallo Salida::FalloDeEscritura(int error) const {
  return Fallo{
      "no se puede escribir " + (ruta_ ? RutaCitada(*ruta_) : "«la salida»") + ": " + Razon(error),
      kSalidaErrorEscritura};
}

}  // namespace zener
