// Start-up time and peak memory of a windowed program: from process creation
// until its window is shown with the focus where it belongs, and the peak
// working set by then. Median of several runs.
//   medir_arranque PROGRAMA CLASE ID_CON_FOCO [VECES]   (id 0: the window)
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Medida {
  double milisegundos;
  SIZE_T pico;
  std::wstring modulos;  // the DLLs it had loaded by then
};

std::wstring Modulos(HANDLE proceso) {
  HMODULE modulos[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(proceso, modulos, sizeof modulos, &bytes)) return L"?";
  std::wstring lista;
  for (DWORD i = 1; i < bytes / sizeof(HMODULE); ++i) {  // the first is the program
    wchar_t nombre[MAX_PATH];
    if (GetModuleBaseNameW(proceso, modulos[i], nombre, MAX_PATH) == 0) continue;
    lista += (lista.empty() ? L"" : L",") + std::wstring(nombre);
  }
  return lista;
}

bool Listo(DWORD proceso, DWORD hilo, const wchar_t* clase, int idConFoco) {
  HWND ventana = FindWindowW(clase, nullptr);
  DWORD suyo = 0;
  if (ventana == nullptr || !IsWindowVisible(ventana)) return false;
  GetWindowThreadProcessId(ventana, &suyo);
  if (suyo != proceso) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(hilo, &info) || info.hwndFocus == nullptr) return false;
  return idConFoco == 0 ? info.hwndFocus == ventana : GetDlgCtrlID(info.hwndFocus) == idConFoco;
}

bool Medir(std::wstring programa, const wchar_t* clase, int idConFoco, Medida& medida) {
  LARGE_INTEGER frecuencia, inicio, ahora;
  QueryPerformanceFrequency(&frecuencia);
  STARTUPINFOW arranque{};
  arranque.cb = sizeof arranque;
  PROCESS_INFORMATION proceso{};
  QueryPerformanceCounter(&inicio);
  if (!CreateProcessW(nullptr, programa.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &arranque, &proceso)) {
    return false;
  }
  bool listo = false;
  do {
    listo = Listo(proceso.dwProcessId, proceso.dwThreadId, clase, idConFoco);
    QueryPerformanceCounter(&ahora);
    if (!listo) Sleep(1);
  } while (!listo && ahora.QuadPart - inicio.QuadPart < 20 * frecuencia.QuadPart);
  medida.milisegundos =
      1000.0 * static_cast<double>(ahora.QuadPart - inicio.QuadPart) / frecuencia.QuadPart;
  PROCESS_MEMORY_COUNTERS memoria{};
  memoria.cb = sizeof memoria;
  GetProcessMemoryInfo(proceso.hProcess, &memoria, sizeof memoria);
  medida.pico = memoria.PeakWorkingSetSize;
  medida.modulos = Modulos(proceso.hProcess);
  PostMessageW(FindWindowW(clase, nullptr), WM_CLOSE, 0, 0);
  if (WaitForSingleObject(proceso.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(proceso.hProcess, 1);
  }
  CloseHandle(proceso.hThread);
  CloseHandle(proceso.hProcess);
  return listo;
}

template <typename T>
T Mediana(std::vector<T> valores) {
  std::sort(valores.begin(), valores.end());
  return valores[valores.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "uso: medir_arranque PROGRAMA CLASE ID_CON_FOCO [VECES]\n");
    return 2;
  }
  const int veces = argc > 4 ? _wtoi(argv[4]) : 7;
  std::vector<double> tiempos;
  std::vector<SIZE_T> picos;
  std::wstring modulos;
  for (int i = 0; i < veces; ++i) {
    Medida medida{};
    if (!Medir(L"\"" + std::wstring(argv[1]) + L"\"", argv[2], _wtoi(argv[3]), medida)) {
      std::fprintf(stderr, "the window did not come up\n");
      return 1;
    }
    tiempos.push_back(medida.milisegundos);
    picos.push_back(medida.pico);
    modulos = medida.modulos;
  }
  std::printf("arranque_ms=%.1f pico_kb=%lu\ndlls=%ls\n", Mediana(tiempos),
              static_cast<unsigned long>(Mediana(picos) / 1024), modulos.c_str());
  return 0;
}
