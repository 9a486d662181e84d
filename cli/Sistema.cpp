#include "cli/Sistema.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zener {

namespace {

// Its own short name, not the target's with a suffix: a target's name may
// take all the length a name may have.
constexpr std::string_view kNombreTemporal = "zener-diseno.parcial-XXXXXX";
#ifndef _WIN32
constexpr mode_t kBitsDeModo = 07777;
constexpr mode_t kBitsDeGrupo = 0070;
constexpr mode_t kModoNuevo = 0666;  // before the umask, as a redirect creates
#endif

#ifdef SIGHUP
constexpr std::array<int, 3> kSenales = {SIGINT, SIGTERM, SIGHUP};
#else
constexpr std::array<int, 2> kSenales = {SIGINT, SIGTERM};
#endif

// The handler may only read what is already in place: a fixed buffer.
constexpr std::size_t kMayorRuta = 4096;
char gTemporal[kMayorRuta];
volatile std::sig_atomic_t gConTemporal = 0;
// The signals the handler was set for: those at their default. One the
// caller ignores stays ignored (nohup), one it handles stays its own.
std::array<bool, kSenales.size()> gConManejador{};

bool PorDefecto(int senal) {
#ifdef _WIN32
  const auto antes = std::signal(senal, SIG_DFL);
  std::signal(senal, antes);
  return antes == SIG_DFL;
#else
  struct sigaction accion {};
  return sigaction(senal, nullptr, &accion) == 0 && (accion.sa_flags & SA_SIGINFO) == 0 &&
         accion.sa_handler == SIG_DFL;
#endif
}

extern "C" void QuitarTemporal(int senal) {
  if (gConTemporal) std::remove(gTemporal);
  std::signal(senal, SIG_DFL);
  std::raise(senal);
}

int Error(int resultado) {
  return resultado < 0 ? errno : 0;
}

}  // namespace

int CrearTemporalJunto(const std::string& destino, std::string& ruta) {
  std::string plantilla = (std::filesystem::path(destino).parent_path() / kNombreTemporal).string();
  if (plantilla.size() >= kMayorRuta) {
    errno = ENAMETOOLONG;
    return -1;
  }
#ifdef _WIN32
  if (_mktemp_s(plantilla.data(), plantilla.size() + 1) != 0) return -1;
  const int fd =
      _open(plantilla.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  // No signal between the file's creation and the handler knowing its name.
  sigset_t senales, antes;
  sigemptyset(&senales);
  for (const int senal : kSenales) sigaddset(&senales, senal);
  sigprocmask(SIG_BLOCK, &senales, &antes);
  const int fd = mkstemp(plantilla.data());
  const int error = errno;
#endif
  if (fd >= 0) {
    ruta = plantilla;
    std::memcpy(gTemporal, plantilla.c_str(), plantilla.size() + 1);
    gConTemporal = 1;
    for (std::size_t i = 0; i < kSenales.size(); ++i) {
      gConManejador[i] = PorDefecto(kSenales[i]);
      if (gConManejador[i]) std::signal(kSenales[i], QuitarTemporal);
    }
  }
#ifndef _WIN32
  sigprocmask(SIG_SETMASK, &antes, nullptr);
  errno = error;
#endif
  return fd;
}

int AbrirEnSuSitio(const std::string& ruta) {
#ifdef _WIN32
  return _open(ruta.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
#else
  return open(ruta.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
#endif
}

int EscribirTodo(int fd, std::string_view texto) {
  while (!texto.empty()) {
#ifdef _WIN32
    const int escritos = _write(fd, texto.data(), static_cast<unsigned>(texto.size()));
#else
    const ssize_t escritos = write(fd, texto.data(), texto.size());
#endif
    if (escritos < 0 && errno == EINTR) continue;
    if (escritos <= 0) return escritos < 0 ? errno : EIO;
    texto.remove_prefix(static_cast<std::size_t>(escritos));
  }
  return 0;
}

int Sincronizar(int fd) {
#ifdef _WIN32
  return Error(_commit(fd));
#else
  return Error(fsync(fd));
#endif
}

int CerrarArchivo(int fd) {
#ifdef _WIN32
  return Error(_close(fd));
#else
  return Error(close(fd));
#endif
}

int PermisoDeEscritura(const std::string& ruta) {
#ifdef _WIN32
  return Error(_access(ruta.c_str(), 2));
#else
  return Error(faccessat(AT_FDCWD, ruta.c_str(), W_OK, AT_EACCESS));
#endif
}

void ConservarIdentidad(int fd, const std::string& original, bool existe) {
#ifdef _WIN32
  (void)fd;
  (void)original;
  (void)existe;  // a new file's attributes are already those a redirect gives
#else
  struct stat datos {};
  if (!existe || stat(original.c_str(), &datos) != 0) {
    const mode_t mascara = umask(0);
    umask(mascara);
    fchmod(fd, kModoNuevo & ~mascara);
    return;
  }
  // An ordinary user may not give a file away, but may keep its group if a
  // member of it; what cannot be kept stays the user's.
  const bool conDueno = fchown(fd, datos.st_uid, datos.st_gid) == 0;
  const bool conGrupo = conDueno || fchown(fd, static_cast<uid_t>(-1), datos.st_gid) == 0;
  // Without its group, the group's bits would open the file to the user's own.
  fchmod(fd, (conGrupo ? datos.st_mode : datos.st_mode & ~kBitsDeGrupo) & kBitsDeModo);
#endif
}

void SincronizarCarpeta(const std::string& archivo) {
#ifndef _WIN32
  const std::string carpeta = std::filesystem::path(archivo).parent_path().string();
  const int fd = open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
#else
  (void)archivo;  // the rename is written through on Windows
#endif
}

void OlvidarSenales() {
  gConTemporal = 0;
  for (std::size_t i = 0; i < kSenales.size(); ++i) {
    if (gConManejador[i]) std::signal(kSenales[i], SIG_DFL);
    gConManejador[i] = false;
  }
}

}  // namespace zener
