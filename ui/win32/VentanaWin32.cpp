#include "ui/win32/VentanaWin32.h"

#include <commctrl.h>

#include "ui/win32/Imagenes.h"
#include "ui/win32/Texto.h"

namespace zener::win32 {

namespace {

constexpr UINT kEntregarEventos = WM_APP + 1;
constexpr DWORD kEstiloVentana = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kMargenTituloMarco = 8;  // pixels from the frame's left edge to its caption

COLORREF Resolver(COLORREF color, int colorDelSistema) {
  return color == kColorDelSistema ? GetSysColor(colorDelSistema) : color;
}

struct Creacion {
  const wchar_t* clase;
  DWORD estilo;
  DWORD estiloExtendido;
};

Creacion CreacionDe(Clase clase) {
  switch (clase) {
    case Clase::Campo:
      return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, WS_EX_CLIENTEDGE};
    case Clase::Resultado:
      return {L"STATIC", SS_RIGHT | SS_CENTERIMAGE | SS_NOPREFIX | WS_BORDER, 0};
    case Clase::Boton:
      return {L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0};
    case Clase::Marco:
      return {kClaseMarco, 0, WS_EX_CONTROLPARENT};
    case Clase::Imagen:
      return {L"STATIC", SS_BITMAP | SS_NOTIFY, 0};
    case Clase::Etiqueta:
      break;
  }
  return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
}

}  // namespace

VentanaWin32::VentanaWin32(HINSTANCE instancia, LlamadaShell shell, const char* direccionWeb)
    : instancia_(instancia), form_(*this, shell, direccionWeb), cola_(form_) {}

VentanaWin32::~VentanaWin32() {
  for (auto& [fuente, hfont] : fuentes_) DeleteObject(hfont);
  for (auto& [color, pincel] : pinceles_) DeleteObject(pincel);
  for (HBITMAP imagen : imagenes_) DeleteObject(imagen);
}

int VentanaWin32::Ejecutar(int mostrar) {
  RegistrarClases();
  Crear();
  Notificar({Evento::Tipo::Load, Control::txtVeMin});
  ShowWindow(hwnd_, mostrar);
  UpdateWindow(hwnd_);
  DarFoco(Control::txtVeMin);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

void VentanaWin32::RegistrarClases() {
  WNDCLASSEXW clase{};
  clase.cbSize = sizeof clase;
  clase.lpfnWndProc = ProcVentana;
  clase.hInstance = instancia_;
  clase.hIcon = LoadIconW(instancia_, MAKEINTRESOURCEW(1));
  clase.hIconSm = static_cast<HICON>(
      LoadImageW(instancia_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.hbrBackground = Pincel(kAmarilloClaro);
  clase.lpszClassName = kClaseVentana;
  RegisterClassExW(&clase);

  WNDCLASSEXW marco{};
  marco.cbSize = sizeof marco;
  marco.lpfnWndProc = ProcMarco;
  marco.hInstance = instancia_;
  marco.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  marco.hbrBackground = Pincel(kGrisPalido);
  marco.lpszClassName = kClaseMarco;
  RegisterClassExW(&marco);
}

void VentanaWin32::Crear() {
  HDC pantalla = GetDC(nullptr);
  ppp_ = GetDeviceCaps(pantalla, LOGPIXELSY);
  ReleaseDC(nullptr, pantalla);

  RECT marco{0, 0, Pixeles(kAnchoCliente), Pixeles(kAltoCliente)};
  AdjustWindowRectEx(&marco, kEstiloVentana, FALSE, WS_EX_CONTROLPARENT);
  const int ancho = marco.right - marco.left;
  const int alto = marco.bottom - marco.top;
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClaseVentana, L"Calculador de circuitos Zener",
                          kEstiloVentana, (GetSystemMetrics(SM_CXSCREEN) - ancho) / 2,
                          (GetSystemMetrics(SM_CYSCREEN) - alto) / 2, ancho, alto, nullptr, nullptr,
                          instancia_, this);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FuenteDe(Fuente::Ventana)), FALSE);
  for (const Pieza& pieza : kPiezas) {
    HWND control = CrearPieza(pieza);
    piezas_[control] = &pieza;
    if (pieza.control) controles_[static_cast<std::size_t>(*pieza.control)] = control;
  }
}

HWND VentanaWin32::CrearPieza(const Pieza& pieza) {
  const Creacion creacion = CreacionDe(pieza.clase);
  HWND padre = pieza.marco ? GetDlgItem(hwnd_, *pieza.marco) : hwnd_;
  const bool esImagen = pieza.clase == Clase::Imagen;
  HWND control = CreateWindowExW(
      creacion.estiloExtendido, creacion.clase, esImagen ? L"" : pieza.texto,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | creacion.estilo, Pixeles(pieza.izquierda),
      Pixeles(pieza.arriba), Pixeles(pieza.ancho), Pixeles(pieza.alto), padre,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(pieza.id)), instancia_, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FuenteDe(pieza.fuente)), FALSE);
  if (pieza.clase == Clase::Campo) {
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit on what a paste brings
    SetWindowSubclass(control, ProcCampo, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  if (esImagen) {
    HBITMAP imagen = CargarImagen(pieza.texto, pieza.fondo);
    imagenes_.push_back(imagen);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(imagen));
  }
  return control;
}

HFONT VentanaWin32::FuenteDe(Fuente fuente) {
  HFONT& hfont = fuentes_[fuente];
  if (hfont == nullptr) {
    const Letra& letra = LetraDe(fuente);
    hfont = CreateFontW(-MulDiv(letra.centesimasDePunto, ppp_, 7200), 0, 0, 0, letra.peso,
                        letra.cursiva, letra.subrayada, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  }
  return hfont;
}

HBRUSH VentanaWin32::Pincel(COLORREF color) {
  HBRUSH& pincel = pinceles_[color];
  if (pincel == nullptr) pincel = CreateSolidBrush(color);
  return pincel;
}

VentanaWin32* VentanaWin32::De(HWND hwnd) {
  return reinterpret_cast<VentanaWin32*>(
      GetWindowLongPtrW(GetAncestor(hwnd, GA_ROOT), GWLP_USERDATA));
}

LRESULT CALLBACK VentanaWin32::ProcVentana(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == WM_NCCREATE) {
    auto* ventana = static_cast<VentanaWin32*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    ventana->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ventana));
  }
  VentanaWin32* ventana = De(hwnd);
  return ventana ? ventana->OnMensaje(mensaje, w, l) : DefWindowProcW(hwnd, mensaje, w, l);
}

LRESULT VentanaWin32::OnMensaje(UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnCtlColor(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_ACTIVATE:
      OnActivate(LOWORD(w) != WA_INACTIVE);
      return 0;
    case kEntregarEventos:
      cola_.Entregar();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, mensaje, w, l);
  }
}

void VentanaWin32::OnCommand(int id, int notificacion, HWND control) {
  // The dialog manager turns Enter on a focused button into IDOK.
  if (id == IDOK) control = GetFocus();
  const auto origen = ControlDe(control);
  // The second click of a double click is a click as well.
  const bool pulsado = notificacion == BN_CLICKED || notificacion == BN_DOUBLECLICKED ||
                       notificacion == STN_CLICKED || notificacion == STN_DBLCLK || id == IDOK;
  if (!origen || !pulsado || EsCampo(*origen)) return;
  Notificar({Evento::Tipo::Click, *origen});
}

LRESULT VentanaWin32::OnCtlColor(HDC dc, HWND control) {
  const auto pieza = piezas_.find(control);
  if (pieza == piezas_.end()) return reinterpret_cast<LRESULT>(Pincel(kAmarilloClaro));
  SetTextColor(dc, Resolver(pieza->second->tinta, COLOR_BTNTEXT));
  const COLORREF fondo = Resolver(pieza->second->fondo, COLOR_WINDOW);
  SetBkColor(dc, fondo);
  return reinterpret_cast<LRESULT>(Pincel(fondo));
}

// The buttons are drawn here, since a standard button takes no face colour.
void VentanaWin32::OnDrawItem(const DRAWITEMSTRUCT& dibujo) {
  const Pieza& pieza = *piezas_.at(dibujo.hwndItem);
  RECT caja = dibujo.rcItem;
  FillRect(dibujo.hDC, &caja, Pincel(pieza.fondo));
  const bool hundido = dibujo.itemState & ODS_SELECTED;
  DrawEdge(dibujo.hDC, &caja, hundido ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (hundido) OffsetRect(&caja, 1, 1);
  SetBkMode(dibujo.hDC, TRANSPARENT);
  SetTextColor(dibujo.hDC, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ anterior = SelectObject(dibujo.hDC, FuenteDe(pieza.fuente));
  DrawTextW(dibujo.hDC, pieza.texto, -1, &caja, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dibujo.hDC, anterior);
  if (dibujo.itemState & ODS_FOCUS) {
    RECT foco = dibujo.rcItem;
    InflateRect(&foco, -4, -4);
    DrawFocusRect(dibujo.hDC, &foco);
  }
}

// Keeps the focused control across deactivation, as a dialog does: the
// window would otherwise take the focus itself when it comes back.
void VentanaWin32::OnActivate(bool activa) {
  if (!activa) {
    HWND foco = GetFocus();
    focoAlDesactivar_ = IsChild(hwnd_, foco) ? foco : nullptr;
  } else if (focoAlDesactivar_ != nullptr) {
    SetFocus(focoAlDesactivar_);
  }
}

LRESULT CALLBACK VentanaWin32::ProcMarco(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_PAINT:
      De(hwnd)->OnPintarMarco(hwnd);
      return 0;
    case WM_CTLCOLORSTATIC:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), mensaje, w, l);
    default:
      return DefWindowProcW(hwnd, mensaje, w, l);
  }
}

// A group box: an etched line with the caption set into its top edge.
void VentanaWin32::OnPintarMarco(HWND marco) {
  const Pieza& pieza = *piezas_.at(marco);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(marco, &ps);
  HGDIOBJ anterior = SelectObject(dc, FuenteDe(pieza.fuente));
  SIZE texto;
  GetTextExtentPoint32W(dc, pieza.texto, lstrlenW(pieza.texto), &texto);
  RECT caja;
  GetClientRect(marco, &caja);
  caja.top += texto.cy / 2;
  DrawEdge(dc, &caja, EDGE_ETCHED, BF_RECT);
  SetBkColor(dc, pieza.fondo);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  TextOutW(dc, kMargenTituloMarco, 0, pieza.texto, lstrlenW(pieza.texto));
  SelectObject(dc, anterior);
  EndPaint(marco, &ps);
}

LRESULT CALLBACK VentanaWin32::ProcCampo(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l, UINT_PTR,
                                         DWORD_PTR datos) {
  return reinterpret_cast<VentanaWin32*>(datos)->OnCampo(hwnd, mensaje, w, l);
}

LRESULT VentanaWin32::OnCampo(HWND campo, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_GETDLGCODE: {
      // Enter must reach the field's key handler, not the dialog manager.
      const auto* msg = reinterpret_cast<const MSG*>(l);
      const LRESULT codigo = DefSubclassProc(campo, mensaje, w, l);
      const bool enter = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
      return enter ? codigo | DLGC_WANTALLKEYS : codigo;
    }
    case WM_CHAR:
      if (!OnChar(campo, w)) return 0;
      break;
    case WM_SETFOCUS: {
      const LRESULT r = DefSubclassProc(campo, mensaje, w, l);
      OnCampoRecibeFoco(campo);
      return r;
    }
    case WM_KILLFOCUS: {
      const LRESULT r = DefSubclassProc(campo, mensaje, w, l);
      OnCampoPierdeFoco(campo, reinterpret_cast<HWND>(w));
      return r;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(campo, ProcCampo, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(campo, mensaje, w, l);
}

// Gives the typed character to the field's key handler; false drops it.
// Characters beyond the 8-bit set never reach the handlers.
bool VentanaWin32::OnChar(HWND campo, WPARAM& codigo) {
  if (codigo > 255) return false;
  auto keyascii = static_cast<std::int16_t>(codigo);
  cola_.KeyPress(*ControlDe(campo), keyascii);
  codigo = static_cast<WPARAM>(keyascii);
  return keyascii != 0;
}

void VentanaWin32::OnCampoRecibeFoco(HWND campo) {
  const Control control = *ControlDe(campo);
  if (campoConFoco_ == control) return;
  campoConFoco_ = control;
  Notificar({Evento::Tipo::GotFocus, control});
}

// Only a move to another control of this window is a loss of focus: a message
// box or another program taking it is not.
void VentanaWin32::OnCampoPierdeFoco(HWND campo, HWND nuevoFoco) {
  if (!IsChild(hwnd_, nuevoFoco)) return;
  campoConFoco_.reset();
  Notificar({Evento::Tipo::LostFocus, *ControlDe(campo)});
}

// Events wait in the queue and are delivered from the message loop, never
// from inside the focus change that raised them.
void VentanaWin32::Notificar(Evento evento) {
  cola_.Encolar(evento);
  PostMessageW(hwnd_, kEntregarEventos, 0, 0);
}

std::optional<Control> VentanaWin32::ControlDe(HWND hwnd) const {
  const auto pieza = piezas_.find(hwnd);
  return pieza == piezas_.end() ? std::nullopt : pieza->second->control;
}

std::string VentanaWin32::LeerTexto(Control campo) const {
  return Estrecho(TextoDe(Hwnd(campo)));
}

void VentanaWin32::EscribirTexto(Control campo, std::string_view texto) {
  SetWindowTextW(Hwnd(campo), Ancho(texto).c_str());
}

void VentanaWin32::FijarSeleccion(Control campo, int inicio, int longitud) {
  const std::wstring texto = TextoDe(Hwnd(campo));
  const int desde = PosicionUtf16(texto, inicio);
  const int hasta = PosicionUtf16(texto, inicio + longitud);
  SendMessageW(Hwnd(campo), EM_SETSEL, static_cast<WPARAM>(desde), hasta);
}

void VentanaWin32::EscribirEtiqueta(Control resultado, std::string_view texto) {
  SetWindowTextW(Hwnd(resultado), Ancho(texto).c_str());
}

void VentanaWin32::DarFoco(Control destino) {
  SetFocus(Hwnd(destino));
}

std::int16_t VentanaWin32::MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                                         std::string_view titulo) {
  HWND foco = GetFocus();
  const int respuesta =
      MessageBoxW(hwnd_, Ancho(prompt).c_str(), Ancho(titulo).c_str(), static_cast<UINT>(estilo));
  // Back to where the focus was, without a focus event: the box is no move.
  if (IsChild(hwnd_, foco) && GetFocus() != foco) SetFocus(foco);
  return static_cast<std::int16_t>(respuesta);
}

}  // namespace zener::win32
