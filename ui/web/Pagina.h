// What the module imports from the page: the operations on its elements.
// Controls travel as the number of their Control; texts as UTF-8 bytes.
#pragma once

#include <cstdint>

#define ZENER_IMPORTA(nombre) __attribute__((import_module("pagina"), import_name(#nombre)))

extern "C" {

// The control's text into destino if it fits; its length in bytes always.
ZENER_IMPORTA(leer_texto) int PaginaLeerTexto(int control, char* destino, int capacidad);
ZENER_IMPORTA(escribir_texto) void PaginaEscribirTexto(int control, const char* texto, int bytes);
// Positions count characters, as the window interface does.
ZENER_IMPORTA(fijar_seleccion) void PaginaFijarSeleccion(int control, int inicio, int longitud);
ZENER_IMPORTA(dar_foco) void PaginaDarFoco(int control);
// Shows the modal dialog; the page reports its closing with
// zener_cuadro_cerrado.
ZENER_IMPORTA(mostrar_cuadro)
void PaginaMostrarCuadro(const char* prompt, int bytesPrompt, int estilo, const char* titulo,
                         int bytesTitulo);
ZENER_IMPORTA(abrir_direccion) void PaginaAbrirDireccion(const char* direccion, int bytes);
// CALCULAR has shown results: the design panel follows them.
ZENER_IMPORTA(calculado) void PaginaCalculado();
// Calls zener_entregar from a task of its own, as a posted message would.
ZENER_IMPORTA(pedir_entrega) void PaginaPedirEntrega();
}
