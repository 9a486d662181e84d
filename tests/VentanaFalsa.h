// A recording stand-in for the window, with a user who types, clicks and
// tabs, so that the logic can be driven as the real window drives it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form/ColaEventos.h"
#include "form/Form1.h"
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

class VentanaFalsa final : public Ventana {
 public:
  std::string LeerTexto(Control campo) const override { return textos.at(campo); }
  void EscribirTexto(Control campo, std::string_view texto) override {
    textos[campo] = texto;
    seleccion[campo] = {};
  }
  void FijarSeleccion(Control campo, int inicio, int longitud) override {
    seleccion[campo] = {inicio, longitud};
  }
  void EscribirEtiqueta(Control resultado, std::string_view texto) override {
    textos[resultado] = texto;
  }
  void DarFoco(Control destino) override {
    if (foco == destino) return;
    const std::optional<Control> anterior = foco;
    foco = destino;
    if (cola == nullptr) return;
    if (anterior && EsCampo(*anterior)) cola->Encolar({Evento::Tipo::LostFocus, *anterior});
    if (EsCampo(destino)) cola->Encolar({Evento::Tipo::GotFocus, destino});
  }
  std::int16_t MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                             std::string_view titulo) override {
    cuadros.push_back({std::string(prompt), estilo, std::string(titulo)});
    return 1;
  }
  void* Manejador() const override { return const_cast<VentanaFalsa*>(this); }

  ColaEventos* cola = nullptr;  // none: focus moves without events
  std::map<Control, std::string> textos;
  std::map<Control, Seleccion> seleccion;
  std::optional<Control> foco;
  std::vector<CuadroMostrado> cuadros;
};

// The window, its logic and a user in front of it.
class Banco {
 public:
  static inline std::vector<LlamadaRegistrada> llamadasShell;

  Banco() : form(ventana, &RegistrarShell, "http://prueba.invalid/"), cola(form) {
    ventana.cola = &cola;
    llamadasShell.clear();
    cola.Encolar({Evento::Tipo::Load, Control::txtVeMin});
    cola.Entregar();
    Enfocar(Control::txtVeMin);
  }

  // Each character goes through the key handler; what it leaves replaces the
  // selection, as an edit control does.
  void Teclear(std::string_view teclas) {
    for (const char c : teclas) {
      std::int16_t keyascii = static_cast<unsigned char>(c);
      const Control campo = *ventana.foco;
      cola.KeyPress(campo, keyascii);
      if (keyascii != 0) Insertar(campo, static_cast<char>(keyascii));
    }
  }
  void Enter() { Teclear("\r"); }

  // The user puts the text in the field with the clipboard: no key handler.
  void Pegar(std::string_view texto) { ventana.textos[*ventana.foco] = texto; }

  // A mouse click on a field or a Tab into it.
  void Enfocar(Control destino) {
    ventana.DarFoco(destino);
    cola.Entregar();
  }

  // A mouse click on a button or picture: buttons take the focus first.
  void Pulsar(Control origen) {
    if (origen == Control::cmdCalcular || origen == Control::cmdReset) ventana.DarFoco(origen);
    cola.Encolar({Evento::Tipo::Click, origen});
    cola.Entregar();
  }

  // Types a figure into a field and leaves it with a click on the next one.
  void Escribir(Control campo, std::string_view texto) {
    Enfocar(campo);
    Teclear(texto);
  }

  std::string Texto(Control c) const { return ventana.textos.at(c); }
  const DatosCircuito& Datos() const { return form.Datos(); }

  VentanaFalsa ventana;
  Form1 form;
  ColaEventos cola;

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
