// A seeded run of random input on the real window: keys of any code, Enter,
// Tab, Shift+Tab, Backspace, clicks on any control and pastes of random
// texts, message boxes closed as they appear. After every event the window
// must answer, every field the user is not editing must show a figure, and
// the result labels must show either the cleared texts or exactly what the
// calculation gives for the figures shown.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "Programa.h"
#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "core/Tablas.h"
#include "ui/win32/Disposicion.h"
#include "ui/win32/Identificadores.h"
#include "ui/win32/Texto.h"

namespace zener::prueba {
namespace {

using namespace zener::win32;

constexpr int kCampos[] = {kIdVeMin, kIdVeMax, kIdIcMin, kIdIcMax, kIdVnZener, kIdIzMin};
constexpr int kEtiquetas[] = {kIdRrLim, kIdPrLim, kIdPzSin, kIdPzCon};

class Soak {
 public:
  explicit Soak(unsigned semilla) : azar_(semilla) {}

  void Evento() {
    if (!programa_.HayCuadro() && GetForegroundWindow() != programa_.Ventana()) {
      SetForegroundWindow(programa_.Ventana());
    }
    const int tirada = Entre(0, 99);
    if (tirada < 40) {
      Caracter();
    } else if (tirada < 50) {
      programa_.Tecla(VK_RETURN);
    } else if (tirada < 58) {
      programa_.Tab();
    } else if (tirada < 62) {
      programa_.Tab(true);
    } else if (tirada < 70) {
      programa_.Tecla(VK_BACK);
    } else if (tirada < 90) {
      Clic();
    } else if (tirada < 96) {
      Pegar();
    } else {
      Diseno();
    }
    CerrarCuadros();
  }

  // Once the program has taken every event sent and has nothing left to do.
  bool Comprobar() {
    programa_.Calma();
    return Invariantes();
  }

  std::string UltimoFallo() const { return fallo_; }
  int Cuadros() const { return cuadros_; }
  int ResultadosVistos() const { return resultadosVistos_; }
  bool Vivo() const { return programa_.Vivo(); }

 private:
  int Entre(int desde, int hasta) {
    return std::uniform_int_distribution<int>(desde, hasta)(azar_);
  }

  void Caracter() {
    const int tirada = Entre(0, 9);
    wchar_t c;
    if (tirada < 5) {
      c = static_cast<wchar_t>(L'0' + Entre(0, 9));
    } else if (tirada < 7) {
      c = Entre(0, 1) ? L',' : L'.';
    } else {
      c = static_cast<wchar_t>(Entre(1, 255));
      if (c == L'\r' || c == L'\b') c = L'x';  // those are keys of their own here
    }
    programa_.Teclear(std::wstring(1, c));
  }

  void Clic() {
    const std::size_t fila = static_cast<std::size_t>(Entre(0, kPiezas.size() - 1));
    const Pieza& pieza = kPiezas[fila];
    // Mostly the controls that do something.
    const bool util = pieza.clase == Clase::Campo || pieza.clase == Clase::Boton;
    if (!util && Entre(0, 2) != 0) {
      programa_.Clic(kCampos[Entre(0, 5)]);
      return;
    }
    programa_.Clic(IdDe(fila));
  }

  void Pegar() {
    static const wchar_t alfabeto[] = L"0123456789,.,.- abcé€";
    std::wstring texto;
    const int largo = Entre(0, 3) == 0 ? Entre(300, 400) : Entre(0, 12);
    for (int i = 0; i < largo; ++i) {
      texto.push_back(largo > 100 ? L'9' : alfabeto[Entre(0, std::size(alfabeto) - 2)]);
    }
    PonerPortapapeles(texto);
    programa_.Tecla(VK_INSERT, true);
  }

  // A plausible design typed along the Enter chain, so that calculations
  // succeed often enough for their labels to be checked.
  void Diseno() {
    programa_.Clic(kIdVeMin);
    const int ve = Entre(6, 30);
    const std::wstring cifras =
        std::to_wstring(ve) + L"\r" + std::to_wstring(ve + Entre(0, 9)) + L"\r" +
        std::to_wstring(Entre(0, 50)) + L"\r" + std::to_wstring(Entre(50, 900)) + L"\r" +
        std::to_wstring(Entre(3, ve - 1)) + L"," + std::to_wstring(Entre(0, 9)) + L"\r" +
        std::to_wstring(Entre(0, 120)) + L"\r\r";
    programa_.Teclear(cifras);
  }

  void CerrarCuadros() {
    for (int i = 0; i < 5 && programa_.HayCuadro(); ++i) {
      ++cuadros_;
      programa_.CerrarCuadro(programa_.EsperarCuadro(500));
    }
  }

  bool Invariantes() {
    if (!programa_.Vivo()) return Fallo("the program ended");
    DWORD_PTR respuesta;
    if (!SendMessageTimeoutW(programa_.Ventana(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &respuesta)) {
      return Fallo("the window does not answer");
    }
    if (programa_.HayCuadro()) return true;  // checked once it is closed
    const int foco = programa_.Foco();
    DatosCircuito mostrado;
    double* valores[] = {&mostrado.VeMin, &mostrado.VeMax,   &mostrado.IcMin,
                         &mostrado.IcMax, &mostrado.VnZener, &mostrado.IzMin};
    bool todosLegibles = true;
    for (int i = 0; i < 6; ++i) {
      const auto valor = LeerCifra(Estrecho(programa_.Texto(kCampos[i])));
      if (valor) {
        *valores[i] = *valor;
      } else if (kCampos[i] == foco) {
        todosLegibles = false;  // being typed: committed when it is left
      } else {
        return Fallo("field " + std::to_string(kCampos[i]) + " shows no figure");
      }
    }
    bool borradas = true;
    for (std::size_t i = 0; i < 4; ++i) {
      borradas =
          borradas && Estrecho(programa_.Texto(kEtiquetas[i])) == kResultados[i].textoBorrado;
    }
    if (borradas) return true;
    ++resultadosVistos_;
    if (!todosLegibles || (foco >= kIdVeMin && foco <= kIdIzMin)) {
      return Fallo("results on show while a field is being edited");
    }
    if (Calcular(mostrado) != Veredicto::Cumple) return Fallo("results for values that fail");
    for (std::size_t i = 0; i < 4; ++i) {
      const auto esperado = FormatearCifra(TextoGeneral(mostrado.*kResultados[i].valor),
                                           kResultados[i].MascaraResultado);
      if (Estrecho(programa_.Texto(kEtiquetas[i])) != esperado) {
        return Fallo("label " + std::to_string(kEtiquetas[i]) + " is not the calculation's");
      }
    }
    return true;
  }

  bool Fallo(std::string motivo) {
    fallo_ = std::move(motivo);
    return false;
  }

  Programa programa_;
  std::mt19937 azar_;
  int cuadros_ = 0;
  int resultadosVistos_ = 0;
  std::string fallo_;
};

}  // namespace
}  // namespace zener::prueba

int main(int argc, char** argv) {
  const int eventos = argc > 1 ? std::atoi(argv[1]) : 1000;
  const unsigned semilla = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 20261207u;
  zener::prueba::Soak soak(semilla);
  int violaciones = 0;
  int hechos = 0;
  for (; hechos < eventos && soak.Vivo(); ++hechos) {
    try {
      soak.Evento();
      if (!soak.Comprobar()) {
        ++violaciones;
        std::printf("event %d: %s\n", hechos + 1, soak.UltimoFallo().c_str());
      }
    } catch (const zener::prueba::EsperaAgotada& agotada) {
      // A program that never settles would make every later wait run out.
      ++violaciones;
      std::printf("event %d: %s\n", hechos + 1, agotada.what());
      break;
    }
  }
  std::printf(
      "soak: %d events (seed %u), %d message boxes, results checked %d times, %d violations\n",
      hechos, semilla, soak.Cuadros(), soak.ResultadosVistos(), violaciones);
  std::printf("%d passed, %d failed\n", hechos - violaciones, violaciones);
  return violaciones == 0 && hechos == eventos ? 0 : 1;
}
