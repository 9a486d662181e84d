#include "cli/Razones.h"

#include <array>
#include <string_view>
#include <system_error>

namespace zener {

namespace {

struct FilaRazon {
  std::errc error;
  std::string_view razon;
};

// Every failure opening, reading, writing, renaming or syncing a file can
// meet.
constexpr std::array<FilaRazon, 24> kRazones = {{
    {std::errc::no_such_file_or_directory, "no existe el archivo o la carpeta"},
    {std::errc::permission_denied, "permiso denegado"},
    {std::errc::operation_not_permitted, "operación no permitida"},
    {std::errc::read_only_file_system, "el sistema de archivos es de solo lectura"},
    {std::errc::no_space_on_device, "no queda espacio en el dispositivo"},
    {std::errc::file_too_large, "el archivo es demasiado grande"},
    {std::errc::io_error, "error de entrada/salida"},
    {std::errc::is_a_directory, "es una carpeta"},
    {std::errc::not_a_directory, "una parte de la ruta no es una carpeta"},
    {std::errc::filename_too_long, "el nombre es demasiado largo"},
    {std::errc::too_many_symbolic_link_levels, "demasiados enlaces simbólicos encadenados"},
    {std::errc::bad_file_descriptor, "la salida está cerrada"},
    {std::errc::broken_pipe, "la tubería se ha cerrado"},
    {std::errc::too_many_files_open, "demasiados archivos abiertos"},
    {std::errc::too_many_files_open_in_system, "demasiados archivos abiertos en el sistema"},
    {std::errc::not_enough_memory, "no hay memoria suficiente"},
    {std::errc::device_or_resource_busy, "el dispositivo o recurso está ocupado"},
    {std::errc::text_file_busy, "el archivo está en uso"},
    {std::errc::cross_device_link, "el enlace cruza dispositivos"},
    {std::errc::file_exists, "el archivo ya existe"},
    {std::errc::invalid_argument, "argumento no válido"},
    {std::errc::no_such_device_or_address, "no existe el dispositivo o la dirección"},
    {std::errc::interrupted, "llamada interrumpida"},
    {std::errc::resource_unavailable_try_again, "recurso no disponible por ahora"},
}};

}  // namespace

std::string Razon(int error) {
  if (error == 0) return "error de escritura";
  for (const FilaRazon& fila : kRazones) {
    if (static_cast<int>(fila.error) == error) return std::string(fila.razon);
  }
  return "error del sistema " + std::to_string(error);
}

}  // namespace zener
