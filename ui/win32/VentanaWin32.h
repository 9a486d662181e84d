// The window form1 on Win32: builds the controls of the design at the
// screen's scale, turns window messages into the logic's events and carries
// out the logic's operations.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "form/Controlador.h"
#include "form/Form1.h"
#include "ui/win32/Disposicion.h"
#include "window/Ventana.h"

namespace zener::win32 {

class VentanaWin32 final : public Ventana {
 public:
  VentanaWin32(HINSTANCE instancia, LlamadaShell shell, const char* direccionWeb);
  ~VentanaWin32() override;
  VentanaWin32(const VentanaWin32&) = delete;
  VentanaWin32& operator=(const VentanaWin32&) = delete;

  // Creates, loads and shows the window, then runs it until it is closed.
  // False, with nothing shown, when the window could not be made.
  bool Crear(int mostrar);
  int Ejecutar();

  std::string LeerTexto(Control campo) const override;
  void EscribirTexto(Control campo, std::string_view texto) override;
  void FijarSeleccion(Control campo, int inicio, int longitud) override;
  void EscribirEtiqueta(Control resultado, std::string_view texto) override;
  void DarFoco(Control destino) override;
  void MostrarCuadro(std::string_view prompt, std::int16_t estilo, std::string_view titulo,
                     AlCerrarCuadro alCerrar) override;
  void* Manejador() const override { return hwnd_; }
  void Mostrar() override;
  void PedirEntrega() override;

 private:
  static LRESULT CALLBACK ProcVentana(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l);
  static LRESULT CALLBACK ProcMarco(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l);
  static LRESULT CALLBACK ProcControl(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l);
  static LRESULT PorDefecto(HWND control, UINT mensaje, WPARAM w, LPARAM l);
  static VentanaWin32* De(HWND hwnd);
  static bool EsDelRatonEnResultado(UINT mensaje);
  static LRESULT OnRatonEnResultado(UINT mensaje);

  bool RegistrarClases();
  bool CrearControles();
  void CrearEnOrden(std::size_t fila);
  void CrearPieza(std::size_t fila);
  void CrearNombreAccesible(std::size_t rotulo, std::size_t fila);
  HWND Padre(const Pieza& pieza) const;
  void Colocar(std::size_t fila);
  void AjustarAlCliente(bool centrar);
  int Px(int twips) const { return Pixeles(twips, ppp_); }
  HFONT FuenteCon(Fuente fuente, int altura);
  HFONT FuenteDeVentana();
  HFONT FuenteDe(std::size_t fila);
  int AlturaDe(std::size_t fila);
  void AjustarLetraDelResultado(std::size_t fila);
  HBRUSH Pincel(COLORREF color);

  LRESULT OnMensaje(UINT mensaje, WPARAM w, LPARAM l);
  void OnCommand(int id, int notificacion, HWND control);
  LRESULT OnCtlColor(HDC dc, HWND control);
  void OnDrawItem(const DRAWITEMSTRUCT& dibujo);
  void OnActivate(bool activa);
  void OnDpiChanged(int ppp, const RECT& sugerido);
  void OnPintarMarco(HWND marco);
  LRESULT OnControl(HWND control, UINT mensaje, WPARAM w, LPARAM l);
  LRESULT OnCampo(HWND campo, UINT mensaje, WPARAM w, LPARAM l);
  bool OnChar(HWND campo, WPARAM& codigo);

  HWND Hwnd(Control control) const { return controles_[static_cast<std::size_t>(control)]; }
  std::optional<std::size_t> FilaDeHwnd(HWND hwnd) const;
  std::optional<Control> ControlDe(HWND hwnd) const;

  HINSTANCE instancia_;
  HWND hwnd_ = nullptr;
  int ppp_ = kPppBase;
  std::array<HWND, kNumeroDeControles> controles_{};
  std::array<HWND, kPiezas.size()> piezas_{};
  std::map<HWND, std::size_t> filas_;
  std::map<std::pair<Fuente, int>, HFONT> fuentes_;  // by font and height in pixels
  std::array<int, kPiezas.size()> alturas_{};        // each control's font height
  std::map<COLORREF, HBRUSH> pinceles_;
  std::array<HBITMAP, kPiezas.size()> imagenes_{};  // by row, for the pictures
  int mostrar_ = SW_SHOWNORMAL;                     // how the program was asked to show

  Controlador controlador_;
};

}  // namespace zener::win32
