// Drives the calculator from another process, as a user does: real keystrokes
// and mouse clicks through the system's input queue, and what the screen and
// the controls show read back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zener::prueba {

// Waits for a condition, checking it every few milliseconds.
bool Esperar(const std::function<bool()>& condicion, int milisegundos = 5000);

// The screen's scale as this process, aware of it, sees it.
int Ppp();

struct Cuadro {
  HWND hwnd = nullptr;
  std::wstring titulo;
  std::wstring texto;
  bool exclamacion = false;  // yellow warning triangle
  bool informacion = false;  // blue information sign
};

class Programa {
 public:
  Programa();  // starts the test build and waits until its window has the focus
  ~Programa();
  Programa(const Programa&) = delete;
  Programa& operator=(const Programa&) = delete;

  HWND Ventana() const { return ventana_; }
  HWND Control(int id) const;
  std::wstring Texto(int id) const;
  int Foco() const;  // id of the focused control, 0 if none of ours
  std::pair<int, int> Seleccion(int id) const;
  RECT RectanguloEnContenedor(int id) const;
  bool Vivo() const;

  void Clic(int id, int veces = 1) const;  // the left button, on the control's centre
  void DobleClic(int id) const { Clic(id, 2); }
  void Teclear(std::wstring_view texto) const;  // '\r' is Enter, '\b' Backspace
  void Tecla(WORD vk, bool shift = false, bool control = false) const;
  void Tab(bool atras = false) const { Tecla(VK_TAB, atras); }

  // Waits until the program has nothing left to do: no input, message, paint
  // or event waiting. False if it never comes to that.
  bool Calma() const;

  // Lays the window out at another scale, as a move to another screen does.
  void CambiarPpp(int ppp) const;

  // The window's client area, as a 24-bit BMP file.
  bool GuardarCaptura(const std::wstring& ruta) const;

  // A message box the program is showing, or none within the wait.
  Cuadro EsperarCuadro(int milisegundos = 5000) const;
  bool HayCuadro() const;
  void CerrarCuadro(const Cuadro& cuadro) const;  // presses Enter on its OK button

  // What the test build's shell call recorded.
  std::vector<std::string> LlamadasShell() const;

 private:
  PROCESS_INFORMATION proceso_{};
  HWND ventana_ = nullptr;
};

// Sets the clipboard's text, for pastes; false if it stayed busy.
bool PonerPortapapeles(const std::wstring& texto);

// Screen colour at a point.
COLORREF ColorEn(POINT punto);

// A copy of part of the screen (or of a drawing), to read many pixels fast.
class Captura {
 public:
  Captura(HDC origen, RECT rectangulo);  // from the screen when origen is null
  ~Captura();
  Captura(const Captura&) = delete;
  Captura& operator=(const Captura&) = delete;

  COLORREF Color(int x, int y) const;  // relative to the captured rectangle
  bool Contiene(COLORREF color) const;
  // The box around every pixel that differs from the ground, within a region.
  RECT Tinta(RECT region, COLORREF fondo) const;

 private:
  int ancho_, alto_;
  HDC dc_;
  HBITMAP mapa_;
  HGDIOBJ anterior_;
  const DWORD* pixeles_;
};

}  // namespace zener::prueba
