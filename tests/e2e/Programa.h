// Drives the calculator from another process, as a user does: real keystrokes
// and mouse clicks through the system's input queue, and what the screen and
// the controls show read back.
#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zener::prueba {

// The line of a test that asked for something that waits on the program;
// given by default as the caller's.
struct Aqui {
  const char* archivo;
  int linea;
};

// A wait that ran out; it names the test line and what it waited for.
class EsperaAgotada : public std::runtime_error {
 public:
  EsperaAgotada(Aqui aqui, std::string_view que);
};

// Waits for a condition, checking it every few milliseconds and handling
// this thread's own window messages meanwhile; false if it never holds.
bool Esperar(const std::function<bool()>& condicion, int milisegundos = 5000);
// The same wait, throwing EsperaAgotada when it runs out.
void Aguardar(const std::function<bool()>& condicion, std::string_view que, Aqui aqui,
              int milisegundos = 5000);

// The screen's scale as this process, aware of it, sees it.
int Ppp();

struct Cuadro {
  HWND hwnd = nullptr;
  std::wstring titulo;
  std::wstring texto;
  bool exclamacion = false;  // yellow warning triangle
  bool informacion = false;  // blue information sign
};

// The driver's waits fail the test at the line that asked for them: every
// call that waits takes that line, the caller's by default.
class Programa {
 public:
  // Starts the test build and waits until its window has the focus.
  explicit Programa(Aqui aqui = {__builtin_FILE(), __builtin_LINE()});
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

  // The left button, on the control's centre.
  void Clic(int id, int veces = 1, Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;
  void DobleClic(int id, Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const {
    Clic(id, 2, aqui);
  }
  // '\r' is Enter, '\b' Backspace.
  void Teclear(std::wstring_view texto, Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;
  void Tecla(WORD vk, bool shift = false, bool control = false,
             Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;
  void Tab(bool atras = false, Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const {
    Tecla(VK_TAB, atras, false, aqui);
  }
  // Another program's window takes the focus, as when the user goes to it.
  void Salir(Aqui aqui = {__builtin_FILE(), __builtin_LINE()});

  // Waits until the program has nothing left to do: no input, message, paint
  // or event waiting.
  void Calma(Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;

  // Lays the window out at another scale, as a move to another screen does.
  void CambiarPpp(int ppp, Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;

  // The window's client area, as a 24-bit BMP file.
  bool GuardarCaptura(const std::wstring& ruta) const;

  // A message box the program is showing, or none within the wait.
  Cuadro EsperarCuadro(int milisegundos = 5000,
                       Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;
  bool HayCuadro() const;
  // How a message box is closed: a click on its OK button, or a key.
  enum class Cierre { Aceptar, Enter, Espacio, Escape };
  void CerrarCuadro(const Cuadro& cuadro, Cierre cierre = Cierre::Enter,
                    Aqui aqui = {__builtin_FILE(), __builtin_LINE()}) const;

  // What the test build's shell call recorded.
  std::vector<std::string> LlamadasShell() const;

 private:
  void ClicEn(HWND control, int veces, Aqui aqui) const;

  PROCESS_INFORMATION proceso_{};
  HWND ventana_ = nullptr;
  HWND otraVentana_ = nullptr;  // the driver's own, for Salir
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
