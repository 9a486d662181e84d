// The scenario table (tests/escenarios.txt) on the real window: each
// scenario on a freshly started program, its steps as real keystrokes and
// clicks, its checks read back from the controls and the message box. A
// failure names the table's line.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Programa.h"
#include "ui/win32/Disposicion.h"
#include "ui/win32/Identificadores.h"
#include "ui/win32/Texto.h"

namespace zener::prueba {
namespace {

using namespace zener::win32;

constexpr const char* kRuta = ZENER_ESCENARIOS;
constexpr std::string_view kFrente = "win32";

struct Paso {
  int linea;
  std::string verbo;
  std::string resto;
};

struct Escenario {
  std::string titulo;
  std::vector<Paso> pasos;
};

struct Mensaje {
  std::string icono, titulo, texto;
};

struct Tabla {
  std::vector<Escenario> escenarios;
  std::map<std::string, Mensaje, std::less<>> mensajes;
  std::map<std::string, std::string, std::less<>> diferencias;  // this front end's value
  std::string error;                                            // why it could not be read
};

// The first word and what follows the spaces after it.
std::pair<std::string_view, std::string_view> Partir(std::string_view texto) {
  const std::size_t fin = std::min(texto.find(' '), texto.size());
  const std::size_t resto = std::min(texto.find_first_not_of(' ', fin), texto.size());
  return {texto.substr(0, fin), texto.substr(resto)};
}

std::vector<std::string> Palabras(std::string_view texto) {
  std::vector<std::string> palabras;
  while (!texto.empty()) {
    const auto [palabra, resto] = Partir(texto);
    palabras.emplace_back(palabra);
    texto = resto;
  }
  return palabras;
}

// "\r" in the table's texts is the line break of a prompt.
std::string ConSaltos(std::string_view texto) {
  std::string con;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    if (texto.substr(i, 2) == "\\r") {
      con += '\r';
      ++i;
    } else {
      con += texto[i];
    }
  }
  return con;
}

void LeerMensaje(Tabla& tabla, std::string_view resto) {
  const auto [nombre, tras] = Partir(resto);
  const auto [icono, tituloYTexto] = Partir(tras);
  const std::size_t barra = tituloYTexto.find(" | ");
  if (barra == std::string_view::npos) {
    tabla.error = "a message without \" | \": " + std::string(nombre);
    return;
  }
  tabla.mensajes[std::string(nombre)] = {std::string(icono),
                                         std::string(tituloYTexto.substr(0, barra)),
                                         ConSaltos(tituloYTexto.substr(barra + 3))};
}

// Only this front end's value is kept.
void LeerDiferencia(Tabla& tabla, std::string_view resto) {
  const auto [nombre, valores] = Partir(resto);
  for (const std::string& valor : Palabras(valores)) {
    const std::size_t igual = valor.find('=');
    if (std::string_view(valor).substr(0, igual) == kFrente) {
      tabla.diferencias[std::string(nombre)] = valor.substr(igual + 1);
    }
  }
  if (tabla.diferencias.count(nombre) == 0) {
    tabla.error = "no value for " + std::string(kFrente) + ": " + std::string(nombre);
  }
}

Tabla LeerTabla() {
  Tabla tabla;
  std::ifstream archivo(kRuta);
  if (!archivo) tabla.error = std::string("cannot read ") + kRuta;
  std::string linea;
  for (int numero = 1; std::getline(archivo, linea); ++numero) {
    if (!linea.empty() && linea.back() == '\r') linea.pop_back();
    const std::string_view texto = linea;
    if (texto.empty() || texto.front() == '#') continue;
    const auto [verbo, resto] = Partir(texto);
    if (verbo == "==") {
      tabla.escenarios.push_back({std::string(resto), {}});
    } else if (verbo == "mensaje") {
      LeerMensaje(tabla, resto);
    } else if (verbo == "diferencia") {
      LeerDiferencia(tabla, resto);
    } else if (tabla.escenarios.empty()) {
      tabla.error = "a step before the first scenario, line " + std::to_string(numero);
    } else {
      tabla.escenarios.back().pasos.push_back({numero, std::string(verbo), std::string(resto)});
    }
  }
  return tabla;
}

const Tabla& LaTabla() {
  static const Tabla tabla = LeerTabla();
  return tabla;
}

// One scenario being run: the program, and the line of the step at hand.
class Ejecucion {
 public:
  explicit Ejecucion(const Tabla& tabla) : tabla_(tabla) {}

  void Dar(const Paso& paso);
  bool Vivo() const { return programa_.Vivo(); }

 private:
  using Accion = void (Ejecucion::*)(std::string_view resto);
  struct Verbo {
    std::string_view nombre;
    Accion accion;
  };
  static const Verbo kVerbos[];

  Aqui Donde() const { return {kRuta, linea_}; }
  std::string Resolver(std::string_view argumento) const;
  int Id(std::string_view nombre) const { return IdPorNombre(Resolver(nombre)); }
  std::string TextoDe(int id) const { return Estrecho(programa_.Texto(id)); }
  void Igual(std::string_view que, const std::string& visto, const std::string& esperado) const;
  void Textos(std::initializer_list<int> ids, std::string_view esperados);

  void Teclear(std::string_view texto);
  void Portapapeles(std::string_view texto);
  void Pegar(std::string_view texto);
  void Clic(std::string_view control) { programa_.Clic(Id(control), 1, Donde()); }
  void DobleClic(std::string_view control) { programa_.DobleClic(Id(control), Donde()); }
  void Salir(std::string_view lugar);
  void Cerrar(std::string_view como);
  void Campos(std::string_view textos) {
    Textos({kIdVeMin, kIdVeMax, kIdIcMin, kIdIcMax, kIdVnZener, kIdIzMin}, textos);
  }
  void Resultados(std::string_view textos) {
    Textos({kIdRrLim, kIdPrLim, kIdPzSin, kIdPzCon}, textos);
  }
  void Texto(std::string_view resto);
  void Entero(std::string_view controles);
  void Foco(std::string_view control);
  void Seleccion(std::string_view resto);
  void Cuadro(std::string_view nombre);
  void SinCuadro(std::string_view);
  void Web(std::string_view veces);

  const Tabla& tabla_;
  Programa programa_;
  int linea_ = 0;
};

const Ejecucion::Verbo Ejecucion::kVerbos[] = {
    {"teclear", &Ejecucion::Teclear},
    {"portapapeles", &Ejecucion::Portapapeles},
    {"pegar", &Ejecucion::Pegar},
    // An input method's text reaches a Windows field as typed characters.
    {"componer", &Ejecucion::Teclear},
    {"clic", &Ejecucion::Clic},
    {"doble-clic", &Ejecucion::DobleClic},
    {"salir", &Ejecucion::Salir},
    {"cerrar", &Ejecucion::Cerrar},
    {"campos", &Ejecucion::Campos},
    {"resultados", &Ejecucion::Resultados},
    {"texto", &Ejecucion::Texto},
    {"entero", &Ejecucion::Entero},
    {"foco", &Ejecucion::Foco},
    {"seleccion", &Ejecucion::Seleccion},
    {"cuadro", &Ejecucion::Cuadro},
    {"sin-cuadro", &Ejecucion::SinCuadro},
    {"web", &Ejecucion::Web},
};

// A step that cannot be carried out (a wait that runs out, a name the
// design table lacks) ends the scenario there.
void Ejecucion::Dar(const Paso& paso) {
  linea_ = paso.linea;
  for (const Verbo& verbo : kVerbos) {
    if (verbo.nombre == paso.verbo) return (this->*verbo.accion)(paso.resto);
  }
  throw std::invalid_argument("unknown step " + paso.verbo);
}

std::string Ejecucion::Resolver(std::string_view argumento) const {
  if (argumento.empty() || argumento.front() != '@') return std::string(argumento);
  const auto diferencia = tabla_.diferencias.find(argumento.substr(1));
  if (diferencia == tabla_.diferencias.end()) {
    throw std::invalid_argument("no difference " + std::string(argumento));
  }
  return diferencia->second;
}

void Ejecucion::Igual(std::string_view que, const std::string& visto,
                      const std::string& esperado) const {
  if (visto != esperado) {
    ADD_FAILURE_AT(kRuta, linea_) << que << ": saw «" << visto << "», expected «" << esperado
                                  << "»";
  }
}

void Ejecucion::Textos(std::initializer_list<int> ids, std::string_view esperados) {
  const std::vector<std::string> textos = Palabras(esperados);
  ASSERT_EQ(textos.size(), ids.size()) << kRuta << ":" << linea_;
  auto esperado = textos.begin();
  for (const int id : ids) {
    Igual(PiezaDe(id).nombre, TextoDe(id), *esperado++);
  }
}

// Keys in braces, the rest typed as characters.
void Ejecucion::Teclear(std::string_view texto) {
  static const std::map<std::string_view, std::function<void(const Programa&, Aqui)>> kTeclas = {
      {"Enter", [](const Programa& p, Aqui a) { p.Tecla(VK_RETURN, false, false, a); }},
      {"Tab", [](const Programa& p, Aqui a) { p.Tab(false, a); }},
      {"Mayus+Tab", [](const Programa& p, Aqui a) { p.Tab(true, a); }},
      {"Retroceso", [](const Programa& p, Aqui a) { p.Tecla(VK_BACK, false, false, a); }},
      {"Espacio", [](const Programa& p, Aqui a) { p.Tecla(VK_SPACE, false, false, a); }},
      {"Escape", [](const Programa& p, Aqui a) { p.Tecla(VK_ESCAPE, false, false, a); }},
      {"Ctrl+V", [](const Programa& p, Aqui a) { p.Tecla('V', false, true, a); }},
  };
  while (!texto.empty()) {
    const std::size_t llave = std::min(texto.find('{'), texto.size());
    if (llave > 0) programa_.Teclear(Ancho(texto.substr(0, llave)), Donde());
    texto.remove_prefix(llave);
    if (texto.empty()) break;
    const std::size_t cierre = texto.find('}');
    const auto tecla = kTeclas.find(texto.substr(1, cierre - 1));
    if (cierre == std::string_view::npos || tecla == kTeclas.end()) {
      throw std::invalid_argument("unknown key " + std::string(texto));
    }
    tecla->second(programa_, Donde());
    texto.remove_prefix(cierre + 1);
  }
}

void Ejecucion::Portapapeles(std::string_view texto) {
  if (!PonerPortapapeles(Ancho(texto))) throw EsperaAgotada(Donde(), "the clipboard");
}

void Ejecucion::Pegar(std::string_view texto) {
  Portapapeles(texto);
  programa_.Tecla(VK_INSERT, true, false, Donde());
}

void Ejecucion::Salir(std::string_view lugar) {
  if (Resolver(lugar) != "otra-ventana")
    throw std::invalid_argument("no way to leave for " + std::string(lugar));
  programa_.Salir(Donde());
}

void Ejecucion::Cerrar(std::string_view como) {
  static const std::map<std::string_view, Programa::Cierre> kCierres = {
      {"OK", Programa::Cierre::Aceptar},
      {"Enter", Programa::Cierre::Enter},
      {"Espacio", Programa::Cierre::Espacio},
      {"Escape", Programa::Cierre::Escape},
  };
  const zener::prueba::Cuadro cuadro = programa_.EsperarCuadro(5000, Donde());
  if (cuadro.hwnd == nullptr) throw EsperaAgotada(Donde(), "a message box to close");
  programa_.CerrarCuadro(cuadro, kCierres.at(como), Donde());
}

void Ejecucion::Texto(std::string_view resto) {
  const auto [control, texto] = Partir(resto);
  Igual(control, TextoDe(Id(control)), std::string(texto));
}

// The width the control draws a text at. Another process's font cannot be
// read, so its height is found as the one at which the design's font puts
// every character where the control says it put it.
std::optional<int> AnchoDibujado(HWND control, const std::wstring& texto, const Letra& letra) {
  std::vector<int> inicios;
  for (std::size_t i = 0; i < texto.size(); ++i) {
    inicios.push_back(static_cast<short>(LOWORD(SendMessageW(control, EM_POSFROMCHAR, i, 0))));
  }
  HDC dc = GetDC(nullptr);
  std::optional<int> ancho;
  for (int altura = AlturaNominal(letra, Ppp()); altura >= 1 && !ancho; --altura) {
    HFONT fuente = CrearFuente(letra, altura);
    HGDIOBJ anterior = SelectObject(dc, fuente);
    const auto extension = [&](std::size_t caracteres) {
      SIZE medida{};
      GetTextExtentPoint32W(dc, texto.c_str(), static_cast<int>(caracteres), &medida);
      return medida.cx;
    };
    bool coincide = true;
    for (std::size_t i = 1; i < texto.size() && coincide; ++i) {
      coincide = inicios[i] - inicios[0] == extension(i);
    }
    if (coincide) ancho = extension(texto.size());
    SelectObject(dc, anterior);
    DeleteObject(fuente);
  }
  ReleaseDC(nullptr, dc);
  return ancho;
}

// The text whole: from its first character's start to its end, inside the
// edit control's formatting rectangle.
void Ejecucion::Entero(std::string_view controles) {
  programa_.Calma(Donde());
  for (const std::string& nombre : Palabras(controles)) {
    const int id = Id(nombre);
    HWND control = programa_.Control(id);
    const std::wstring texto = programa_.Texto(id);
    const auto ancho = AnchoDibujado(control, texto, LetraDe(PiezaDe(id).fuente));
    if (!ancho) {
      ADD_FAILURE_AT(kRuta, linea_) << nombre << ": no height of its font draws it as shown";
      continue;
    }
    RECT sitio{};
    SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&sitio));
    const int desde = static_cast<short>(LOWORD(SendMessageW(control, EM_POSFROMCHAR, 0, 0)));
    if (desde < sitio.left || desde + *ancho > sitio.right) {
      ADD_FAILURE_AT(kRuta, linea_)
          << nombre << ": text from x=" << desde << " to x=" << desde + *ancho << ", room from "
          << sitio.left << " to " << sitio.right;
    }
  }
}

void Ejecucion::Foco(std::string_view control) {
  const std::string esperado = Resolver(control);
  const int id = programa_.Foco();
  Igual("focus", id == 0 ? "fuera" : std::string(PiezaDe(id).nombre), esperado);
}

void Ejecucion::Seleccion(std::string_view resto) {
  const int id = programa_.Foco();
  ASSERT_NE(id, 0) << kRuta << ":" << linea_ << ": no field has the focus";
  const auto [inicio, longitud] = programa_.Seleccion(id);
  const std::string esperada =
      resto == "todo" ? "0 " + std::to_string(programa_.Texto(id).size()) : std::string(resto);
  Igual("selection", std::to_string(inicio) + " " + std::to_string(longitud), esperada);
}

// The box, and the window unreachable behind it: owned by it and disabled.
void Ejecucion::Cuadro(std::string_view nombre) {
  const auto definido = tabla_.mensajes.find(nombre);
  if (definido == tabla_.mensajes.end()) {
    throw std::invalid_argument("no message " + std::string(nombre));
  }
  const Mensaje& mensaje = definido->second;
  const zener::prueba::Cuadro cuadro = programa_.EsperarCuadro(5000, Donde());
  if (cuadro.hwnd == nullptr) {
    ADD_FAILURE_AT(kRuta, linea_) << "no message box";
    return;
  }
  Igual("title", Estrecho(cuadro.titulo), mensaje.titulo);
  Igual("text", Estrecho(cuadro.texto), mensaje.texto);
  const std::string icono = cuadro.exclamacion   ? "exclamacion"
                            : cuadro.informacion ? "informacion"
                                                 : "ninguno";
  Igual("icon", icono, mensaje.icono);
  EXPECT_EQ(GetWindow(cuadro.hwnd, GW_OWNER), programa_.Ventana()) << kRuta << ":" << linea_;
  EXPECT_EQ(GetForegroundWindow(), cuadro.hwnd) << kRuta << ":" << linea_;
  EXPECT_FALSE(IsWindowEnabled(programa_.Ventana())) << kRuta << ":" << linea_;
}

void Ejecucion::SinCuadro(std::string_view) {
  programa_.Calma(Donde());
  EXPECT_FALSE(programa_.HayCuadro()) << kRuta << ":" << linea_;
}

// Each opening is the shell's open call, owned by the window, on the address.
void Ejecucion::Web(std::string_view veces) {
  const std::string esperada = std::to_string(reinterpret_cast<UINT_PTR>(programa_.Ventana())) +
                               "|Open|" ZENER_DIRECCION_WEB "|(null)|(null)|1";
  const std::vector<std::string> llamadas = programa_.LlamadasShell();
  Igual("openings", std::to_string(llamadas.size()), std::string(veces));
  for (const std::string& llamada : llamadas) Igual("shell call", llamada, esperada);
}

// A test name of letters and digits: the scenario's number and its title.
std::string Nombre(const testing::TestParamInfo<std::size_t>& info) {
  std::string nombre = (info.param < 9 ? "0" : "") + std::to_string(info.param + 1) + "_";
  bool mayuscula = true;
  for (const char c : LaTabla().escenarios[info.param].titulo) {
    const bool letra = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (letra) nombre += mayuscula && c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    mayuscula = !letra;
  }
  return nombre;
}

TEST(Escenarios, LaTablaSeLee) {
  const Tabla& tabla = LaTabla();
  EXPECT_EQ(tabla.error, "");
  std::size_t pasos = 0;
  for (const Escenario& escenario : tabla.escenarios) pasos += escenario.pasos.size();
  std::printf("%s: %zu scenarios, %zu steps\n", kRuta, tabla.escenarios.size(), pasos);
  EXPECT_GT(pasos, 0u);
}

class EnLaVentana : public testing::TestWithParam<std::size_t> {};

TEST_P(EnLaVentana, Escenario) {
  const Escenario& escenario = LaTabla().escenarios[GetParam()];
  Ejecucion ejecucion(LaTabla());
  for (const Paso& paso : escenario.pasos) {
    try {
      ejecucion.Dar(paso);
    } catch (const std::exception& error) {
      ADD_FAILURE_AT(kRuta, paso.linea) << paso.verbo << " " << paso.resto << ": " << error.what();
      return;
    }
    if (HasFatalFailure()) return;
  }
  EXPECT_TRUE(ejecucion.Vivo()) << "the program ended";
}

INSTANTIATE_TEST_SUITE_P(Tabla, EnLaVentana,
                         testing::Range<std::size_t>(0, LaTabla().escenarios.size()), Nombre);

}  // namespace
}  // namespace zener::prueba
