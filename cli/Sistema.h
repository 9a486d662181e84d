// What `-o` needs from the system, on file descriptors: each call gives 0 or
// the errno value, or a descriptor or -1 with errno set.
#pragma once

#include <string>
#include <string_view>

namespace zener {

// A new file beside `destino`, private until ConservarIdentidad; its name in
// `ruta`. Until OlvidarSenales, Ctrl-C, SIGTERM and SIGHUP remove it before
// ending the program as they would have; those the caller ignores or handles
// are left as they were.
int CrearTemporalJunto(const std::string& destino, std::string& ruta);
// An existing file that is no regular file (a device, a pipe), written in place.
int AbrirEnSuSitio(const std::string& ruta);
int EscribirTodo(int fd, std::string_view texto);
// The data on the disk, not only in the system's cache.
int Sincronizar(int fd);
int CerrarArchivo(int fd);
// Whether this user may write over the file, as a redirect would ask.
int PermisoDeEscritura(const std::string& ruta);
// The mode (and the owner, where this user may keep it) of `original`, or for
// a new file those a redirect would give it.
void ConservarIdentidad(int fd, const std::string& original, bool existe);
// The rename that put the file in place, on the disk.
void SincronizarCarpeta(const std::string& archivo);

// The temporary file is gone, renamed or removed.
void OlvidarSenales();

}  // namespace zener
