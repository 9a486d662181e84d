#include "cli/Salida.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "cli/Principal.h"
#include "cli/Razones.h"
#include "cli/Sistema.h"

namespace zener {

namespace {

namespace fs = std::filesystem;

// The file a path names, past its symbolic links; a link to nothing yet
// names the file a redirect would create.
std::string Destino(const std::string& ruta) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(ruta, ec))) return ruta;
  const fs::path objetivo = fs::canonical(ruta, ec);
  if (!ec) return objetivo.string();
  const fs::path enlace = fs::read_symlink(ruta, ec);
  if (ec) return ruta;
  return (fs::path(ruta).parent_path() / enlace).lexically_normal().string();
}

bool MismoArchivo(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

std::optional<Fallo> Salida::Abrir(const std::vector<std::string>& entradas) {
  if (!ruta_) return std::nullopt;
  for (const std::string& entrada : entradas) {
    if (MismoArchivo(entrada, *ruta_)) {
      return Fallo{
          "«" + *ruta_ + "» es el archivo de entrada «" + entrada + "»: no se escribe sobre él",
          kSalidaErrorEntrada};
    }
  }
  destino_ = Destino(*ruta_);
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
  return Fallo{"no se puede escribir «" + ruta_.value_or("la salida") + "»: " + Razon(error),
               kSalidaErrorEscritura};
}

}  // namespace zener
