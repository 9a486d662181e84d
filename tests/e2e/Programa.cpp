#include "Programa.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "ui/win32/Identificadores.h"

namespace zener::prueba {

namespace {

void Enviar(std::vector<INPUT> entradas) {
  SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

std::wstring Carpeta() {
  wchar_t ruta[MAX_PATH];
  GetModuleFileNameW(nullptr, ruta, MAX_PATH);
  std::wstring carpeta(ruta);
  return carpeta.substr(0, carpeta.find_last_of(L"\\/") + 1);
}

std::wstring RutaRegistroShell() {
  wchar_t temporal[MAX_PATH];
  GetTempPathW(MAX_PATH, temporal);
  return std::wstring(temporal) + win32::kRegistroShell;
}

std::wstring TextoDe(HWND hwnd) {
  wchar_t texto[4096];
  const LRESULT n = SendMessageW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(texto));
  return std::wstring(texto, static_cast<std::size_t>(n));
}

INPUT Teclado(WORD vk, bool soltar) {
  INPUT entrada{};
  entrada.type = INPUT_KEYBOARD;
  entrada.ki.wVk = vk;
  entrada.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  entrada.ki.dwFlags = soltar ? KEYEVENTF_KEYUP : 0;
  return entrada;
}

INPUT Unicode(wchar_t c, bool soltar) {
  INPUT entrada{};
  entrada.type = INPUT_KEYBOARD;
  entrada.ki.wScan = c;
  entrada.ki.dwFlags = KEYEVENTF_UNICODE | (soltar ? KEYEVENTF_KEYUP : 0);
  return entrada;
}

struct BusquedaCuadro {
  DWORD proceso;
  HWND encontrado;
};

BOOL CALLBACK BuscarCuadro(HWND hwnd, LPARAM datos) {
  auto* busqueda = reinterpret_cast<BusquedaCuadro*>(datos);
  DWORD proceso = 0;
  GetWindowThreadProcessId(hwnd, &proceso);
  wchar_t clase[32];
  GetClassNameW(hwnd, clase, 32);
  if (proceso == busqueda->proceso && IsWindowVisible(hwnd) && std::wstring(clase) == L"#32770") {
    busqueda->encontrado = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The icon of a message box, told by the colours of its pixels.
void LeerIcono(HWND icono, Cuadro& cuadro) {
  RECT r;
  GetWindowRect(icono, &r);
  int amarillos = 0;
  int azules = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = ColorEn({x, y});
      if (GetRValue(c) > 200 && GetGValue(c) > 170 && GetBValue(c) < 90) ++amarillos;
      if (GetBValue(c) > 150 && GetRValue(c) < 120 && GetGValue(c) < 170) ++azules;
    }
  }
  cuadro.exclamacion = amarillos > 20 && amarillos > azules;
  cuadro.informacion = azules > 20 && azules > amarillos;
}

}  // namespace

int Ppp() {
  static const int ppp = [] {
    SetProcessDPIAware();
    HDC pantalla = GetDC(nullptr);
    const int valor = GetDeviceCaps(pantalla, LOGPIXELSY);
    ReleaseDC(nullptr, pantalla);
    return valor;
  }();
  return ppp;
}

EsperaAgotada::EsperaAgotada(Aqui aqui, std::string_view que)
    : std::runtime_error(std::string(aqui.archivo) + ":" + std::to_string(aqui.linea) +
                         ": the wait ran out: " + std::string(que)) {}

bool Esperar(const std::function<bool()>& condicion, int milisegundos) {
  const ULONGLONG limite = GetTickCount64() + static_cast<ULONGLONG>(milisegundos);
  while (!condicion()) {
    if (GetTickCount64() > limite) return false;
    // The driver's own window must answer what the system sends it.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  return true;
}

void Aguardar(const std::function<bool()>& condicion, std::string_view que, Aqui aqui,
              int milisegundos) {
  if (!Esperar(condicion, milisegundos)) throw EsperaAgotada(aqui, que);
}

Programa::Programa(Aqui aqui) {
  Ppp();  // screen coordinates in real pixels from here on
  DeleteFileW(RutaRegistroShell().c_str());
  std::wstring linea = L"\"" + Carpeta() + L"zener_prueba.exe\"";
  STARTUPINFOW inicio{};
  inicio.cb = sizeof inicio;
  if (!CreateProcessW(nullptr, linea.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                      &proceso_)) {
    throw std::runtime_error("the calculator did not start");
  }
  WaitForInputIdle(proceso_.hProcess, 10000);
  Aguardar(
      [&] {
        ventana_ = FindWindowW(win32::kClaseVentana, nullptr);
        return ventana_ != nullptr && IsWindowVisible(ventana_);
      },
      "the calculator's window", aqui, 10000);
  SetForegroundWindow(ventana_);
  Aguardar([&] { return Foco() == win32::kIdVeMin; }, "the focus in the first field", aqui);
  Calma(aqui);
}

// Closes whatever a failed test left open; it fails nothing of its own.
Programa::~Programa() {
  if (Vivo()) {
    try {
      for (int i = 0; i < 5 && HayCuadro(); ++i) CerrarCuadro(EsperarCuadro(100));
    } catch (const EsperaAgotada&) {
      // The process is ended below all the same.
    }
    PostMessageW(ventana_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(proceso_.hProcess, 5000) != WAIT_OBJECT_0) {
      TerminateProcess(proceso_.hProcess, 1);
    }
  }
  if (otraVentana_ != nullptr) DestroyWindow(otraVentana_);
  CloseHandle(proceso_.hThread);
  CloseHandle(proceso_.hProcess);
}

bool Programa::Vivo() const {
  return WaitForSingleObject(proceso_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Programa::Control(int id) const {
  if (HWND directo = GetDlgItem(ventana_, id)) return directo;
  for (const int marco : {win32::kIdValoresSinDesc, win32::kIdFrame1}) {
    if (HWND dentro = GetDlgItem(GetDlgItem(ventana_, marco), id)) return dentro;
  }
  return nullptr;
}

std::wstring Programa::Texto(int id) const {
  return TextoDe(Control(id));
}

int Programa::Foco() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(proceso_.dwThreadId, &info) || info.hwndFocus == nullptr) return 0;
  return GetAncestor(info.hwndFocus, GA_ROOT) == ventana_ ? GetDlgCtrlID(info.hwndFocus) : 0;
}

std::pair<int, int> Programa::Seleccion(int id) const {
  const auto sel = static_cast<DWORD>(SendMessageW(Control(id), EM_GETSEL, 0, 0));
  return {LOWORD(sel), HIWORD(sel) - LOWORD(sel)};
}

RECT Programa::RectanguloEnContenedor(int id) const {
  HWND control = Control(id);
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Programa::Clic(int id, int veces, Aqui aqui) const {
  ClicEn(Control(id), veces, aqui);
}

// Several clicks in a row at one place make a double click.
void Programa::ClicEn(HWND control, int veces, Aqui aqui) const {
  RECT r;
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT abajo{};
  abajo.type = INPUT_MOUSE;
  abajo.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  INPUT arriba = abajo;
  arriba.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  std::vector<INPUT> clics;
  for (int i = 0; i < veces; ++i) clics.insert(clics.end(), {abajo, arriba});
  Enviar(clics);
  Calma(aqui);
}

void Programa::Tecla(WORD vk, bool shift, bool control, Aqui aqui) const {
  std::vector<INPUT> entradas;
  if (shift) entradas.push_back(Teclado(VK_SHIFT, false));
  if (control) entradas.push_back(Teclado(VK_CONTROL, false));
  entradas.push_back(Teclado(vk, false));
  entradas.push_back(Teclado(vk, true));
  if (control) entradas.push_back(Teclado(VK_CONTROL, true));
  if (shift) entradas.push_back(Teclado(VK_SHIFT, true));
  Enviar(entradas);
  Calma(aqui);
}

// Keys of the keyboard where the layout has them, so that a point is the
// point key; anything else as a Unicode character.
void Programa::Teclear(std::wstring_view texto, Aqui aqui) const {
  for (const wchar_t c : texto) {
    if (c == L'\r') {
      Tecla(VK_RETURN, false, false, aqui);
      continue;
    }
    if (c == L'\b') {
      Tecla(VK_BACK, false, false, aqui);
      continue;
    }
    const SHORT tecla = c < 128 ? VkKeyScanW(c) : -1;
    if (tecla == -1 || (tecla & 0x0600)) {
      Enviar({Unicode(c, false), Unicode(c, true)});
      Calma(aqui);
    } else {
      Tecla(static_cast<WORD>(tecla & 0xFF), tecla & 0x100, false, aqui);
    }
  }
}

// A plain window of the driver's own, away from the calculator's.
void Programa::Salir(Aqui aqui) {
  if (otraVentana_ == nullptr) {
    otraVentana_ =
        CreateWindowExW(0, L"STATIC", L"Otro programa", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 80,
                        40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  SetForegroundWindow(otraVentana_);
  Aguardar([&] { return GetForegroundWindow() == otraVentana_ && Foco() == 0; },
           "another program's window in front, with the focus", aqui);
  Calma(aqui);
}

void Programa::Calma(Aqui aqui) const {
  static const UINT calma = RegisterWindowMessageW(win32::kMensajeCalma);
  Aguardar(
      [&] {
        DWORD_PTR enCalma = 0;
        return SendMessageTimeoutW(ventana_, calma, 0, 0, SMTO_NORMAL, 2000, &enCalma) &&
               enCalma == 1;
      },
      "the calculator idle", aqui);
}

void Programa::CambiarPpp(int ppp, Aqui aqui) const {
  static const UINT mensaje = RegisterWindowMessageW(win32::kMensajePpp);
  SendMessageW(ventana_, mensaje, static_cast<WPARAM>(ppp), 0);
  Calma(aqui);
}

bool Programa::GuardarCaptura(const std::wstring& ruta) const {
  RECT cliente;
  GetClientRect(ventana_, &cliente);
  MapWindowPoints(ventana_, nullptr, reinterpret_cast<POINT*>(&cliente), 2);
  const int ancho = cliente.right - cliente.left;
  const int alto = cliente.bottom - cliente.top;
  const int fila = (ancho * 3 + 3) & ~3;
  std::vector<BYTE> pixeles(static_cast<std::size_t>(fila) * static_cast<std::size_t>(alto));
  const Captura captura(nullptr, cliente);
  for (int y = 0; y < alto; ++y) {
    for (int x = 0; x < ancho; ++x) {
      const COLORREF c = captura.Color(x, y);
      BYTE* p = &pixeles[static_cast<std::size_t>((alto - 1 - y) * fila + x * 3)];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = ancho;
  info.biHeight = alto;
  info.biPlanes = 1;
  info.biBitCount = 24;
  BITMAPFILEHEADER cabecera{};
  cabecera.bfType = 0x4D42;  // "BM"
  cabecera.bfOffBits = sizeof cabecera + sizeof info;
  cabecera.bfSize = static_cast<DWORD>(cabecera.bfOffBits + pixeles.size());
  FILE* archivo = _wfopen(ruta.c_str(), L"wb");
  if (archivo == nullptr) return false;
  std::fwrite(&cabecera, sizeof cabecera, 1, archivo);
  std::fwrite(&info, sizeof info, 1, archivo);
  std::fwrite(pixeles.data(), 1, pixeles.size(), archivo);
  return std::fclose(archivo) == 0;
}

Cuadro Programa::EsperarCuadro(int milisegundos, Aqui aqui) const {
  BusquedaCuadro busqueda{proceso_.dwProcessId, nullptr};
  Esperar(
      [&] {
        EnumWindows(BuscarCuadro, reinterpret_cast<LPARAM>(&busqueda));
        return busqueda.encontrado != nullptr;
      },
      milisegundos);
  Cuadro cuadro;
  cuadro.hwnd = busqueda.encontrado;
  if (cuadro.hwnd == nullptr) return cuadro;
  Calma(aqui);  // painted, and taking the keys
  cuadro.titulo = TextoDe(cuadro.hwnd);
  for (HWND hijo = GetWindow(cuadro.hwnd, GW_CHILD); hijo; hijo = GetWindow(hijo, GW_HWNDNEXT)) {
    wchar_t clase[32];
    GetClassNameW(hijo, clase, 32);
    if (std::wstring(clase) != L"Static") continue;
    const LONG estilo = GetWindowLongW(hijo, GWL_STYLE);
    if ((estilo & SS_TYPEMASK) == SS_ICON) {
      LeerIcono(hijo, cuadro);
    } else if (const std::wstring texto = TextoDe(hijo); !texto.empty()) {
      cuadro.texto = texto;
    }
  }
  return cuadro;
}

bool Programa::HayCuadro() const {
  BusquedaCuadro busqueda{proceso_.dwProcessId, nullptr};
  EnumWindows(BuscarCuadro, reinterpret_cast<LPARAM>(&busqueda));
  return busqueda.encontrado != nullptr;
}

void Programa::CerrarCuadro(const Cuadro& cuadro, Cierre cierre, Aqui aqui) const {
  static constexpr WORD kTeclas[] = {0, VK_RETURN, VK_SPACE, VK_ESCAPE};
  SetForegroundWindow(cuadro.hwnd);
  Aguardar([&] { return GetForegroundWindow() == cuadro.hwnd; }, "the box in front", aqui);
  if (cierre == Cierre::Aceptar) {
    ClicEn(GetDlgItem(cuadro.hwnd, IDOK), 1, aqui);
  } else {
    Tecla(kTeclas[static_cast<int>(cierre)], false, false, aqui);
  }
  Aguardar([&] { return !IsWindow(cuadro.hwnd); }, "the box closed", aqui);
  Calma(aqui);
}

std::vector<std::string> Programa::LlamadasShell() const {
  std::vector<std::string> lineas;
  FILE* registro = _wfopen(RutaRegistroShell().c_str(), L"r");
  if (registro == nullptr) return lineas;
  char linea[1024];
  while (std::fgets(linea, sizeof linea, registro)) {
    lineas.emplace_back(linea, std::strcspn(linea, "\n"));
  }
  std::fclose(registro);
  return lineas;
}

// Another program (Wine's clipboard manager among them) may hold the
// clipboard for a moment.
bool PonerPortapapeles(const std::wstring& texto) {
  if (!Esperar([] { return OpenClipboard(nullptr) != FALSE; })) return false;
  EmptyClipboard();
  const std::size_t bytes = (texto.size() + 1) * sizeof(wchar_t);
  HGLOBAL memoria = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memoria), texto.c_str(), bytes);
  GlobalUnlock(memoria);
  SetClipboardData(CF_UNICODETEXT, memoria);
  return CloseClipboard() != FALSE;
}

COLORREF ColorEn(POINT punto) {
  HDC pantalla = GetDC(nullptr);
  const COLORREF color = GetPixel(pantalla, punto.x, punto.y);
  ReleaseDC(nullptr, pantalla);
  return color;
}

}  // namespace zener::prueba

namespace zener::prueba {

Captura::Captura(HDC origen, RECT r) : ancho_(r.right - r.left), alto_(r.bottom - r.top) {
  HDC pantalla = GetDC(nullptr);
  dc_ = CreateCompatibleDC(pantalla);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = ancho_;
  info.bmiHeader.biHeight = -alto_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  mapa_ = CreateDIBSection(pantalla, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  pixeles_ = static_cast<const DWORD*>(bits);
  anterior_ = SelectObject(dc_, mapa_);
  BitBlt(dc_, 0, 0, ancho_, alto_, origen ? origen : pantalla, r.left, r.top, SRCCOPY);
  GdiFlush();
  ReleaseDC(nullptr, pantalla);
}

Captura::~Captura() {
  SelectObject(dc_, anterior_);
  DeleteObject(mapa_);
  DeleteDC(dc_);
}

COLORREF Captura::Color(int x, int y) const {
  const DWORD p = pixeles_[y * ancho_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Captura::Contiene(COLORREF color) const {
  for (int y = 0; y < alto_; ++y) {
    for (int x = 0; x < ancho_; ++x) {
      if (Color(x, y) == color) return true;
    }
  }
  return false;
}

RECT Captura::Tinta(RECT region, COLORREF fondo) const {
  RECT caja{region.right, region.bottom, region.left, region.top};
  for (int y = region.top; y < region.bottom; ++y) {
    for (int x = region.left; x < region.right; ++x) {
      if (Color(x, y) == fondo) continue;
      caja.left = std::min<LONG>(caja.left, x);
      caja.top = std::min<LONG>(caja.top, y);
      caja.right = std::max<LONG>(caja.right, x + 1);
      caja.bottom = std::max<LONG>(caja.bottom, y + 1);
    }
  }
  return caja;
}

}  // namespace zener::prueba
