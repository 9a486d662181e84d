// The floor for this platform: a program that only opens an empty window and
// gives it the focus, built like the calculator.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedimiento(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
  if (mensaje == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, mensaje, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int mostrar) {
  WNDCLASSW clase{};
  clase.lpfnWndProc = Procedimiento;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  clase.lpszClassName = L"VentanaMinima";
  RegisterClassW(&clase);
  HWND hwnd =
      CreateWindowExW(0, clase.lpszClassName, L"Ventana mínima", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 689, 533, nullptr, nullptr, instancia, nullptr);
  ShowWindow(hwnd, mostrar);
  SetFocus(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
