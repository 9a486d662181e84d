// A recording stand-in for the window, with a user who types, clicks and
// tabs, so that the logic is driven as a front end drives it: every event
// goes through the real controller.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "form/Controlador.h"
#include "window/Ventana.h"

namespace zener {

struct CuadroMostrado {
  std::string prompt;
  std::int16_t estilo;
  std::string titulo;
};

struct Seleccion {
  int inicio = 0;
  int longitud = 0;
  bool operator==(const Seleccion& o) const { return inicio == o.inicio && longitud == o.longitud; }
};

struct LlamadaRegistrada {
  void* propietario;
  std::string operacion, archivo;
  const char* parametros;
  const char* directorio;
  int mostrar;
};

inline constexpr std::int16_t kAceptar = 1;

class VentanaFalsa final : public Ventana {
 public:
  std::string LeerTexto(Control campo) const override { return textos.at(campo); }
  void EscribirTexto(Control campo, std::string_view texto) override {
    textos[campo] = texto;
    seleccion[campo] = {};
  }
  void FijarSeleccion(Control campo, int inicio, int longitud) override {
    seleccion[campo] = {inicio, longitud};
    if (longitud > 0) seleccionados.push_back(campo);
  }
  void EscribirEtiqueta(Control resultado, std::string_view texto) override {
    if (std::exchange(etiquetaQueFalla, false)) throw std::runtime_error("the label failed");
    textos[resultado] = texto;
  }
  // Reported to the controller as a real window reports a focus change.
  void DarFoco(Control destino) override {
    if (foco == destino) return;
    foco = destino;
    if (controlador != nullptr) controlador->Foco(destino);
  }
  // Closed with OK at once, as a modal box returns; a page's box stays open
  // until the user closes it.
  void MostrarCuadro(std::string_view prompt, std::int16_t estilo, std::string_view titulo,
                     AlCerrarCuadro alCerrar) override {
    cuadros.push_back({std::string(prompt), estilo, std::string(titulo)});
    if (dentroDelCuadro) dentroDelCuadro();
    if (cuadrosQueEsperan) {
      cuadroAbierto = std::move(alCerrar);
    } else {
      alCerrar(kAceptar);
    }
  }
  void* Manejador() const override { return const_cast<VentanaFalsa*>(this); }
  void Mostrar() override { textosAlMostrarse = textos; }
  void PedirEntrega() override { entregaPedida = true; }

  Controlador* controlador = nullptr;  // none: focus moves without events
  bool cuadrosQueEsperan = false;
  std::map<Control, std::string> textos;
  std::map<Control, Seleccion> seleccion;
  std::optional<Control> foco;  // none while the focus is outside the window
  std::vector<CuadroMostrado> cuadros;
  AlCerrarCuadro cuadroAbierto;
  // What happens while a box is open: a real one runs its own message loop.
  std::function<void()> dentroDelCuadro;
  bool etiquetaQueFalla = false;       // the next label written throws
  std::vector<Control> seleccionados;  // fields whose text was selected
  std::map<Control, std::string> textosAlMostrarse;
  bool entregaPedida = false;
};

// The window, its logic and a user in front of it.
class Banco {
 public:
  static inline std::vector<LlamadaRegistrada> llamadasShell;

  // With cuadrosQueEsperan, message boxes stay open as on a page.
  explicit Banco(bool cuadrosQueEsperan = false)
      : controlador(ventana, &RegistrarShell, "http://prueba.invalid/") {
    ventana.controlador = &controlador;
    ventana.cuadrosQueEsperan = cuadrosQueEsperan;
    llamadasShell.clear();
    controlador.Abrir();
  }

  // Each character goes through the key handler; what it leaves replaces the
  // selection, as an edit control does. On a button, Enter and Space press it.
  void Teclear(std::string_view teclas) {
    for (const char c : teclas) {
      const Control control = *ventana.foco;
      if (!EsCampo(control)) {
        if (c == '\r' || c == ' ') controlador.Clic(control);
        continue;
      }
      const std::int16_t keyascii = controlador.Tecla(control, static_cast<unsigned char>(c));
      if (keyascii != 0) Insertar(control, static_cast<char>(keyascii));
    }
  }
  void Enter() { Teclear("\r"); }

  // The user puts the text in the field with the clipboard: no key handler.
  void Pegar(std::string_view texto) { ventana.textos[*ventana.foco] = texto; }

  // A mouse click on a field or a Tab into it.
  void Enfocar(Control destino) {
    ventana.DarFoco(destino);
    controlador.Entregar();
  }

  // A mouse click on a button or picture: buttons take the focus first.
  std::optional<Veredicto> Pulsar(Control origen) {
    if (origen == Control::cmdCalcular || origen == Control::cmdReset) ventana.DarFoco(origen);
    return controlador.Clic(origen);
  }

  // The focus goes to another program, or elsewhere on the page.
  void Salir() { ventana.foco.reset(); }
  // Back with a click on a control of the window.
  std::optional<Veredicto> Volver(Control destino) {
    controlador.Reactivar();
    if (!EsCampo(destino)) return Pulsar(destino);
    Enfocar(destino);
    return std::nullopt;
  }

  // The user closes the box that waits (cuadrosQueEsperan).
  void CerrarCuadro() { std::exchange(ventana.cuadroAbierto, nullptr)(kAceptar); }

  // Types a figure into a field after a click on it.
  void Escribir(Control campo, std::string_view texto) {
    Enfocar(campo);
    Teclear(texto);
  }

  std::string Texto(Control c) const { return ventana.textos.at(c); }
  const DatosCircuito& Datos() const { return controlador.Datos(); }

  VentanaFalsa ventana;
  Controlador controlador;

 private:
  static void RegistrarShell(void* propietario, const char* operacion, const char* archivo,
                             const char* parametros, const char* directorio, int mostrar) {
    llamadasShell.push_back({propietario, operacion, archivo, parametros, directorio, mostrar});
  }

  void Insertar(Control campo, char c) {
    std::string& texto = ventana.textos[campo];
    Seleccion& sel = ventana.seleccion[campo];
    const auto inicio = static_cast<std::size_t>(sel.inicio);
    if (c == '\b') {
      if (sel.longitud > 0) {
        texto.erase(inicio, static_cast<std::size_t>(sel.longitud));
      } else if (inicio > 0) {
        texto.erase(inicio - 1, 1);
        --sel.inicio;
      }
    } else {
      texto.replace(inicio, static_cast<std::size_t>(sel.longitud), 1, c);
      ++sel.inicio;
    }
    sel.longitud = 0;
  }
};

}  // namespace zener
