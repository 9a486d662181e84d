#include "ui/win32/VentanaWin32.h"

#include "ui/win32/Extras.h"
#include "ui/win32/Imagenes.h"
#include "ui/win32/Texto.h"

namespace zener::win32 {

namespace {

constexpr UINT kEntregarEventos = WM_APP + 1;
constexpr UINT kPulsado = WM_APP + 2;  // wParam: the number of the Control clicked
constexpr DWORD kEstiloVentana = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct Creacion {
  const wchar_t* clase;
  DWORD estilo;
  DWORD estiloExtendido;
};

// A result box is a read-only edit: screen readers then name it by the
// caption before it and read the figure as its value.
Creacion CreacionDe(Clase clase) {
  switch (clase) {
    case Clase::Campo:
      return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT, WS_EX_CLIENTEDGE};
    case Clase::Resultado:
      return {L"EDIT", ES_RIGHT | ES_READONLY | WS_BORDER, 0};
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

// A function of user32 that older Windows lack, or null.
template <typename Funcion>
Funcion DeUser32(const char* nombre) {
  const FARPROC proc = GetProcAddress(GetModuleHandleW(L"user32.dll"), nombre);
  return reinterpret_cast<Funcion>(reinterpret_cast<void (*)()>(proc));
}

int PppDelSistema() {
  HDC pantalla = GetDC(nullptr);
  const int ppp = GetDeviceCaps(pantalla, LOGPIXELSY);
  ReleaseDC(nullptr, pantalla);
  return ppp;
}

// The scale of the screen the window is on (Windows 10 on); the system's
// before that.
int PppDe(HWND ventana) {
  static const auto porVentana = DeUser32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const int ppp = porVentana ? static_cast<int>(porVentana(ventana)) : 0;
  return ppp > 0 ? ppp : PppDelSistema();
}

}  // namespace

VentanaWin32::VentanaWin32(HINSTANCE instancia, LlamadaShell shell, const char* direccionWeb)
    : instancia_(instancia), controlador_(*this, shell, direccionWeb) {}

VentanaWin32::~VentanaWin32() {
  for (auto& [clave, hfont] : fuentes_) DeleteObject(hfont);
  for (auto& [color, pincel] : pinceles_) DeleteObject(pincel);
  for (HBITMAP imagen : imagenes_) DeleteObject(imagen);
}

bool VentanaWin32::Crear(int mostrar) {
  if (!RegistrarClases()) return false;
  ppp_ = PppDelSistema();
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClaseVentana, L"Calculador de circuitos Zener",
                          kEstiloVentana, 0, 0, Px(kAnchoCliente), Px(kAltoCliente), nullptr,
                          nullptr, instancia_, this);
  if (hwnd_ == nullptr) return false;
  ppp_ = PppDe(hwnd_);
  if (!CrearControles()) return false;
  AjustarAlCliente(true);
  mostrar_ = mostrar;
  controlador_.Abrir();
  return true;
}

int VentanaWin32::Ejecutar() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

bool VentanaWin32::RegistrarClases() {
  WNDCLASSEXW clase{};
  clase.cbSize = sizeof clase;
  clase.lpfnWndProc = ProcVentana;
  clase.hInstance = instancia_;
  clase.hIcon = LoadIconW(instancia_, MAKEINTRESOURCEW(1));
  clase.hIconSm = static_cast<HICON>(LoadImageW(instancia_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.hbrBackground = Pincel(ColorDe(kFondoVentana, COLOR_WINDOW));
  clase.lpszClassName = kClaseVentana;

  WNDCLASSEXW marco{};
  marco.cbSize = sizeof marco;
  marco.lpfnWndProc = ProcMarco;
  marco.hInstance = instancia_;
  marco.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  marco.hbrBackground = Pincel(ColorDe(kGrisPalido, COLOR_WINDOW));
  marco.lpszClassName = kClaseMarco;
  return RegisterClassExW(&clase) != 0 && RegisterClassExW(&marco) != 0;
}

bool VentanaWin32::CrearControles() {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FuenteDeVentana()), FALSE);
  for (std::size_t fila = 0; fila < kPiezas.size(); ++fila) CrearEnOrden(fila);
  for (const HWND control : piezas_) {
    if (control == nullptr) return false;
  }
  return true;
}

// Each field and result box comes right after its caption in creation order,
// with its name for screen readers in between; the tab order, which is the
// creation order of the tab stops, stays that of the table.
void VentanaWin32::CrearEnOrden(std::size_t fila) {
  if (piezas_[fila] != nullptr) return;
  const Pieza& pieza = kPiezas[fila];
  if (!pieza.rotulo.empty()) {
    const std::size_t rotulo = FilaPorNombre(pieza.rotulo);
    CrearEnOrden(rotulo);
    CrearNombreAccesible(rotulo, fila);
  }
  CrearPieza(fila);
}

HWND VentanaWin32::Padre(const Pieza& pieza) const {
  return pieza.marco.empty() ? hwnd_ : piezas_[FilaPorNombre(pieza.marco)];
}

// A hidden label, the caption without its leader dots: what a screen reader
// says for the control created next.
void VentanaWin32::CrearNombreAccesible(std::size_t rotulo, std::size_t fila) {
  const std::wstring nombre = Ancho(SinPuntosGuia(kPiezas[rotulo].texto));
  CreateWindowExW(0, L"STATIC", nombre.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0,
                  Padre(kPiezas[fila]), nullptr, instancia_, nullptr);
}

void VentanaWin32::CrearPieza(std::size_t fila) {
  const Pieza& pieza = kPiezas[fila];
  const Creacion creacion = CreacionDe(pieza.clase);
  const std::wstring texto = pieza.clase == Clase::Imagen ? L"" : Ancho(pieza.texto);
  HWND control = CreateWindowExW(
      creacion.estiloExtendido, creacion.clase, texto.c_str(),
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | creacion.estilo, 0, 0, 0, 0, Padre(pieza),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdDe(fila))), instancia_, nullptr);
  if (control == nullptr) return;
  piezas_[fila] = control;
  filas_[control] = fila;
  if (pieza.control) controles_[static_cast<std::size_t>(*pieza.control)] = control;
  if (pieza.clase == Clase::Campo) {
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit on what a paste brings
  }
  if (pieza.clase == Clase::Campo || pieza.clase == Clase::Resultado ||
      pieza.clase == Clase::Boton) {
    // Subclassed: its own procedure kept in its user data, ours in its place.
    SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcControl));
  }
  Colocar(fila);
}

// Place, size, font and picture at the current scale.
void VentanaWin32::Colocar(std::size_t fila) {
  const Pieza& pieza = kPiezas[fila];
  HWND control = piezas_[fila];
  const int ancho = Px(pieza.ancho);
  const int alto = Px(pieza.alto);
  SetWindowPos(control, nullptr, Px(pieza.izquierda), Px(pieza.arriba), ancho, alto,
               SWP_NOZORDER | SWP_NOACTIVATE);
  alturas_[fila] = AlturaDe(fila);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FuenteDe(fila)), FALSE);
  if (pieza.clase == Clase::Resultado) AjustarLetraDelResultado(fila);
  if (pieza.clase != Clase::Imagen) return;
  HBITMAP imagen =
      CargarImagen(Ancho(pieza.texto), ancho, alto, ColorDe(pieza.fondo, COLOR_WINDOW));
  SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(imagen));
  HBITMAP& anterior = imagenes_[fila];
  if (anterior != nullptr) DeleteObject(anterior);
  anterior = imagen;
}

// The window's frame around a client area of the design's size at the
// current scale, centred on the screen the first time.
void VentanaWin32::AjustarAlCliente(bool centrar) {
  RECT cliente, ventana;
  GetClientRect(hwnd_, &cliente);
  GetWindowRect(hwnd_, &ventana);
  const int ancho = ventana.right - ventana.left + Px(kAnchoCliente) - cliente.right;
  const int alto = ventana.bottom - ventana.top + Px(kAltoCliente) - cliente.bottom;
  const int x = centrar ? (GetSystemMetrics(SM_CXSCREEN) - ancho) / 2 : ventana.left;
  const int y = centrar ? (GetSystemMetrics(SM_CYSCREEN) - alto) / 2 : ventana.top;
  SetWindowPos(hwnd_, nullptr, x, y, ancho, alto, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT VentanaWin32::FuenteCon(Fuente fuente, int altura) {
  HFONT& hfont = fuentes_[{fuente, altura}];
  if (hfont == nullptr) hfont = CrearFuente(LetraDe(fuente), altura);
  return hfont;
}

HFONT VentanaWin32::FuenteDeVentana() {
  return FuenteCon(Fuente::Ventana, AlturaNominal(LetraDe(Fuente::Ventana), ppp_));
}

HFONT VentanaWin32::FuenteDe(std::size_t fila) {
  return FuenteCon(kPiezas[fila].fuente, alturas_[fila]);
}

// The design's font height, a step smaller where its caption would not fit.
int VentanaWin32::AlturaDe(std::size_t fila) {
  const Pieza& pieza = kPiezas[fila];
  const Letra& letra = LetraDe(pieza.fuente);
  const int ancho = AnchoParaElTexto(pieza, ppp_);
  if (ancho == 0) return AlturaNominal(letra, ppp_);
  HDC dc = GetDC(hwnd_);
  const int altura = AlturaQueCabe(dc, Ancho(pieza.texto), letra, ppp_, ancho);
  ReleaseDC(hwnd_, dc);
  return altura;
}

// A figure wider than its box is drawn in a smaller font, one pixel at a
// time, until the whole of it fits the edit control's formatting rectangle
// (which the control sets from each font's margins): never cut, and the box
// keeps its size.
void VentanaWin32::AjustarLetraDelResultado(std::size_t fila) {
  HWND control = piezas_[fila];
  const std::wstring texto = TextoDe(control);
  HDC dc = GetDC(control);
  HGDIOBJ anterior = GetCurrentObject(dc, OBJ_FONT);
  int altura = AlturaNominal(LetraDe(kPiezas[fila].fuente), ppp_);
  for (;; --altura) {
    HFONT fuente = FuenteCon(kPiezas[fila].fuente, altura);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fuente), FALSE);
    RECT sitio{};
    SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&sitio));
    SelectObject(dc, fuente);
    SIZE medida{};
    GetTextExtentPoint32W(dc, texto.c_str(), static_cast<int>(texto.size()), &medida);
    if (medida.cx <= sitio.right - sitio.left || altura == 1) break;
  }
  SelectObject(dc, anterior);
  ReleaseDC(control, dc);
  alturas_[fila] = altura;
  InvalidateRect(control, nullptr, TRUE);
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
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(w), *reinterpret_cast<const RECT*>(l));
      return 0;
    case kEntregarEventos:
      controlador_.Entregar();
      return 0;
    case kPulsado:
      controlador_.Clic(static_cast<Control>(w));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  LRESULT resultado = 0;
  if (AtenderMensajeExtra(hwnd_, mensaje, w, l, controlador_.EntregaPendiente(), resultado))
    return resultado;
  return DefWindowProcW(hwnd_, mensaje, w, l);
}

void VentanaWin32::OnCommand(int id, int notificacion, HWND control) {
  // The dialog manager turns Enter on a focused button into IDOK.
  if (id == IDOK) control = GetFocus();
  const auto origen = ControlDe(control);
  // A picture clicked twice opens the page twice.
  const bool pulsado = notificacion == BN_CLICKED || notificacion == STN_CLICKED ||
                       notificacion == STN_DBLCLK || id == IDOK;
  if (!origen || !pulsado || EsCampo(*origen)) return;
  // Taken from the message loop, after what the click's focus move raised.
  PostMessageW(hwnd_, kPulsado, static_cast<WPARAM>(*origen), 0);
}

LRESULT VentanaWin32::OnCtlColor(HDC dc, HWND control) {
  const auto fila = FilaDeHwnd(control);
  if (!fila) return reinterpret_cast<LRESULT>(Pincel(ColorDe(kFondoVentana, COLOR_WINDOW)));
  const Pieza& pieza = kPiezas[*fila];
  SetTextColor(dc, ColorDe(pieza.tinta, COLOR_BTNTEXT));
  const COLORREF fondo = ColorDe(pieza.fondo, COLOR_WINDOW);
  SetBkColor(dc, fondo);
  return reinterpret_cast<LRESULT>(Pincel(fondo));
}

HBRUSH VentanaWin32::Pincel(COLORREF color) {
  HBRUSH& pincel = pinceles_[color];
  if (pincel == nullptr) pincel = CreateSolidBrush(color);
  return pincel;
}

// The buttons are drawn here, since a standard button takes no face colour.
void VentanaWin32::OnDrawItem(const DRAWITEMSTRUCT& dibujo) {
  const std::size_t fila = filas_.at(dibujo.hwndItem);
  RECT caja = dibujo.rcItem;
  FillRect(dibujo.hDC, &caja, Pincel(ColorDe(kPiezas[fila].fondo, COLOR_BTNFACE)));
  const bool hundido = dibujo.itemState & ODS_SELECTED;
  DrawEdge(dibujo.hDC, &caja, hundido ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (hundido) OffsetRect(&caja, 1, 1);
  SetBkMode(dibujo.hDC, TRANSPARENT);
  SetTextColor(dibujo.hDC, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ anterior = SelectObject(dibujo.hDC, FuenteDe(fila));
  const std::wstring texto = TextoDe(dibujo.hwndItem);
  DrawTextW(dibujo.hDC, texto.c_str(), -1, &caja, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dibujo.hDC, anterior);
  if (dibujo.itemState & ODS_FOCUS) {
    RECT foco = dibujo.rcItem;
    const int margen = MulDiv(kMargenFoco, ppp_, kPppBase);
    InflateRect(&foco, -margen, -margen);
    DrawFocusRect(dibujo.hDC, &foco);
  }
}

// The window would otherwise take the focus itself when it comes back.
void VentanaWin32::OnActivate(bool activa) {
  if (activa) controlador_.Reactivar();
}

// Moved to a screen of another scale: the same design at the new scale, in
// the place the system suggests.
void VentanaWin32::OnDpiChanged(int ppp, const RECT& sugerido) {
  ppp_ = ppp;
  auto anteriores = std::move(fuentes_);
  fuentes_.clear();
  SetWindowPos(hwnd_, nullptr, sugerido.left, sugerido.top, sugerido.right - sugerido.left,
               sugerido.bottom - sugerido.top, SWP_NOZORDER | SWP_NOACTIVATE);
  AjustarAlCliente(false);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FuenteDeVentana()), FALSE);
  for (std::size_t fila = 0; fila < kPiezas.size(); ++fila) Colocar(fila);
  for (auto& [clave, hfont] : anteriores) DeleteObject(hfont);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
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
  const std::size_t fila = filas_.at(marco);
  const std::wstring titulo = TextoDe(marco);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(marco, &ps);
  HGDIOBJ anterior = SelectObject(dc, FuenteDe(fila));
  SIZE texto;
  GetTextExtentPoint32W(dc, titulo.c_str(), static_cast<int>(titulo.size()), &texto);
  RECT caja;
  GetClientRect(marco, &caja);
  caja.top += texto.cy / 2;
  DrawEdge(dc, &caja, EDGE_ETCHED, BF_RECT);
  SetBkColor(dc, ColorDe(kPiezas[fila].fondo, COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  TextOutW(dc, MargenTituloMarco(ppp_), 0, titulo.c_str(), static_cast<int>(titulo.size()));
  SelectObject(dc, anterior);
  EndPaint(marco, &ps);
}

LRESULT CALLBACK VentanaWin32::ProcControl(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
  return De(hwnd)->OnControl(hwnd, mensaje, w, l);
}

LRESULT VentanaWin32::PorDefecto(HWND control, UINT mensaje, WPARAM w, LPARAM l) {
  const auto propio = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
  return CallWindowProcW(propio, control, mensaje, w, l);
}

LRESULT VentanaWin32::OnControl(HWND control, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == WM_SETFOCUS) {
    const LRESULT r = PorDefecto(control, mensaje, w, l);
    controlador_.Foco(*ControlDe(control));
    return r;
  }
  switch (kPiezas[filas_.at(control)].clase) {
    case Clase::Campo:
      return OnCampo(control, mensaje, w, l);
    case Clase::Boton:
      // An owner-drawn button takes the second click of a double click
      // without the focus; as a plain one does, it is a click like the first.
      if (mensaje == WM_LBUTTONDBLCLK) mensaje = WM_LBUTTONDOWN;
      break;
    default:
      if (EsDelRatonEnResultado(mensaje)) return OnRatonEnResultado(mensaje);
      break;
  }
  return PorDefecto(control, mensaje, w, l);
}

// A result box shows a figure and nothing more: the mouse neither selects
// it nor gives it the focus, and the pointer stays the arrow.
bool VentanaWin32::EsDelRatonEnResultado(UINT mensaje) {
  switch (mensaje) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_CONTEXTMENU:
    case WM_SETCURSOR:
      return true;
    default:
      return false;
  }
}

LRESULT VentanaWin32::OnRatonEnResultado(UINT mensaje) {
  if (mensaje != WM_SETCURSOR) return 0;
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  return TRUE;
}

LRESULT VentanaWin32::OnCampo(HWND campo, UINT mensaje, WPARAM w, LPARAM l) {
  switch (mensaje) {
    case WM_GETDLGCODE: {
      // Enter must reach the field's key handler, not the dialog manager.
      const auto* msg = reinterpret_cast<const MSG*>(l);
      const LRESULT codigo = PorDefecto(campo, mensaje, w, l);
      const bool enter = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
      return enter ? codigo | DLGC_WANTALLKEYS : codigo;
    }
    case WM_CHAR:
      if (!OnChar(campo, w)) return 0;
      break;
    default:
      break;
  }
  return PorDefecto(campo, mensaje, w, l);
}

// Gives the typed character (a UTF-16 unit) to the field's key handler;
// false drops it.
bool VentanaWin32::OnChar(HWND campo, WPARAM& codigo) {
  codigo =
      static_cast<WPARAM>(controlador_.Tecla(*ControlDe(campo), static_cast<std::int32_t>(codigo)));
  return codigo != 0;
}

std::optional<std::size_t> VentanaWin32::FilaDeHwnd(HWND hwnd) const {
  const auto fila = filas_.find(hwnd);
  return fila == filas_.end() ? std::nullopt : std::optional<std::size_t>(fila->second);
}

std::optional<Control> VentanaWin32::ControlDe(HWND hwnd) const {
  const auto fila = FilaDeHwnd(hwnd);
  return fila ? kPiezas[*fila].control : std::nullopt;
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
  AjustarLetraDelResultado(*FilaDeHwnd(Hwnd(resultado)));
}

void VentanaWin32::DarFoco(Control destino) {
  SetFocus(Hwnd(destino));
}

void VentanaWin32::MostrarCuadro(std::string_view prompt, std::int16_t estilo,
                                 std::string_view titulo, AlCerrarCuadro alCerrar) {
  const int respuesta =
      MessageBoxW(hwnd_, Ancho(prompt).c_str(), Ancho(titulo).c_str(), static_cast<UINT>(estilo));
  // Closing it gives the focus to the window itself: back to its control.
  controlador_.Reactivar();
  alCerrar(static_cast<std::int16_t>(respuesta));
}

void VentanaWin32::Mostrar() {
  ShowWindow(hwnd_, mostrar_);
  UpdateWindow(hwnd_);
}

// Events wait in the queue and are delivered from the message loop, never
// from inside the focus change that raised them.
void VentanaWin32::PedirEntrega() {
  PostMessageW(hwnd_, kEntregarEventos, 0, 0);
}

}  // namespace zener::win32
