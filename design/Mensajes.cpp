// The reasons and warnings a design states as data, in words.
#include <algorithm>
#include <cmath>

#include "core/Calculo.h"
#include "design/Componentes.h"
#include "design/Diseno.h"
#include "design/Motivos.h"
#include "design/Texto.h"
#include "design/Transistores.h"

namespace zener {

namespace {

// Each family's nominal voltages as the reports write them, formatted once:
// a batch of voltages no table holds asks for them on every row.
const std::vector<std::string>& TensionesDe(const FamiliaZener& familia) {
  static const auto tensiones = [] {
    std::array<std::vector<std::string>, kFamilias.size()> todas;
    for (std::size_t f = 0; f < kFamilias.size(); ++f) {
      for (std::size_t i = 0; i < kFamilias[f].cuantas; ++i) {
        todas[f].push_back(CifraCorta(kFamilias[f].filas[i].vz, 1) + " V");
      }
    }
    return todas;
  }();
  return tensiones[static_cast<std::size_t>(&familia - kFamilias.data())];
}

// Where the voltage stands in each family's verified rows.
std::string SinFila(const motivo::SinFila& m) {
  OpcionesDiseno o;
  o.familia = m.familia;
  o.montaje = m.montaje;
  std::string texto = "No hay zener de " + CifraCorta(m.vz, 3) + " V en las tablas verificadas:";
  const char* separador = " ";
  for (const FamiliaZener& f : kFamilias) {
    if (!SePrueba(f, o)) continue;
    const FilaZener* fin = f.filas + f.cuantas;
    const auto mayor = static_cast<std::size_t>(
        std::upper_bound(f.filas, fin, m.vz,
                         [](double v, const FilaZener& fila) { return v < fila.vz; }) -
        f.filas);
    const std::vector<std::string>& tensiones = TensionesDe(f);
    const bool fuera = mayor == 0 || mayor == f.cuantas;
    for (const std::string_view parte :
         {std::string_view(separador), f.nombre, std::string_view(fuera ? " de " : " tiene "),
          std::string_view(fuera ? tensiones.front() : tensiones[mayor - 1]),
          std::string_view(fuera ? " a " : " y "),
          std::string_view(fuera ? tensiones.back() : tensiones[mayor])}) {
      texto += parte;
    }
    separador = "; ";
  }
  return texto + ".";
}

std::string DeMontaje(Montaje montaje) {
  return montaje == Montaje::Cualquiera ? ""
                                        : " de montaje " + std::string(NombreDeMontaje(montaje));
}

std::string EnBornes(double tensionV) {
  return Cifra(tensionV, 2) + " V en bornes";
}

// Where the Zener takes the most: the load away, or at its least.
std::string_view SinCarga(bool cargaFija) {
  return cargaFija ? "con la carga mínima" : "con la carga desconectada";
}

std::string NoBasta(const motivo::NoBasta& m) {
  const std::string numero(m.fila->numero);
  const std::string sinCarga(SinCarga(m.cargaFija));
  const std::string aTemperatura = " a " + Grados(m.temperaturaC) + ".";
  if (m.porPotencia) {
    return numero + " no basta: " + CifraCorta(m.margen, 2) + " × " + Cifra(m.necesita, 3) +
           " W = " + Cifra(m.margen * m.necesita, 3) + " W " + sinCarga + ", y admite " +
           Cifra(m.admite, 3) + " W" + aTemperatura;
  }
  return numero + " no basta: Iz máx " + CifraSinCruzar(m.necesita, m.admite, 0) + " mA " +
         sinCarga + ", y admite " + Cifra(m.admite, 0) + " mA" + aTemperatura;
}

std::string RDadaNoBasta(const motivo::RDadaNoBasta& m) {
  const std::string texto = "Con " + CifraCorta(m.rOhm, 2) +
                            " Ω la corriente mínima del zener en el peor caso es " +
                            CifraSinCruzar(m.izMinMa, m.izRequeridaMa, 2) + " mA, ";
  if (m.izMinMa < m.izMin) return texto + "menos de " + CifraCorta(m.izMin, 6) + " mA.";
  return texto + "por debajo de Izk = " + CifraCorta(m.izRequeridaMa, 6) +
         " mA, donde la hoja de datos no dice nada.";
}

std::string ResistenciaInsuficiente(const motivo::ResistenciaInsuficiente& m) {
  return "La resistencia ha de disipar " + Cifra(m.necesariaW, 3) +
         " W: más de lo que admite la mayor" + DeMontaje(m.montaje) + ", " + Cifra(m.admiteW, 3) +
         " W (" + std::string(m.mayor->tipo) + ") a " + Grados(m.temperaturaC) + "." +
         (m.porTension
              ? " Con " + EnBornes(m.tensionV) + " no sirven las de chip que no los admiten."
              : "");
}

// One overload per kind of reason, for std::visit.
struct EnPalabras {
  std::string operator()(const motivo::Regla& m) const { return UnaLinea(m.mensaje); }
  std::string operator()(const motivo::OpcionesNoValidas& m) const {
    return "Opciones no válidas: " + m.error + ".";
  }
  std::string operator()(const motivo::FueraDeRango&) const {
    return UnaLinea(kMensajeFueraDeRango);
  }
  std::string operator()(const motivo::SinFila& m) const { return SinFila(m); }
  std::string operator()(const motivo::SinTolerancia& m) const {
    return "Ningún zener de " + CifraCorta(m.vz, 3) + " V de las tablas cumple el ±" +
           Porcentaje(m.tolVz) + " pedido.";
  }
  std::string operator()(const motivo::FueraDeTolerancia& m) const {
    return std::string(m.fila->numero) + " (" + CifraCorta(m.fila->vzMin, 3) + " V a " +
           CifraCorta(m.fila->vzMax, 3) + " V) se sale del ±" + Porcentaje(m.tolVz) + " pedido.";
  }
  std::string operator()(const motivo::NoBasta& m) const { return NoBasta(m); }
  std::string operator()(const motivo::SinValorDeSerie& m) const {
    return "Ningún valor de la serie " + std::string(TablaDe(m.serie).nombre) +
           " garantiza la corriente mínima del zener con estas tolerancias.";
  }
  std::string operator()(const motivo::RDadaNoBasta& m) const { return RDadaNoBasta(m); }
  std::string operator()(const motivo::SinResistencia& m) const {
    std::string texto = "Ninguna resistencia" + DeMontaje(m.montaje) + " admite " +
                        EnBornes(m.tensionV) + ": la que más, " + std::string(m.mayor->tipo) +
                        ", " + CifraCorta(m.mayor->tensionMaxV, 0) + " V.";
    if (m.enSerie == 0) return texto + " Ni diez en serie bastarían.";
    return texto + " Bastarían " + std::to_string(m.enSerie) + " " +
           std::string(m.enSerieTipo->tipo) + " en serie, cada una con " +
           Cifra(m.tensionV / m.enSerie, 2) + " V.";
  }
  std::string operator()(const motivo::ResistenciaInsuficiente& m) const {
    return ResistenciaInsuficiente(m);
  }
  std::string operator()(const motivo::TransistorSinCorriente& m) const {
    return std::string(m.fila->numero) + " no basta: " + Cifra(m.icA, 3) +
           " A de carga, y admite " + CifraCorta(m.maximoA, 3) + " A.";
  }
  std::string operator()(const motivo::TransistorSinDato& m) const {
    const std::string numero(m.fila->numero);
    switch (m.dato) {
      case motivo::TransistorSinDato::Ganancia:
        return numero + " no sirve: su hoja no da la ganancia por encima de " +
               CifraCorta(m.fila->ganancia[m.fila->puntosGanancia - 1].icA, 3) +
               " A, y la carga es de " + Cifra(m.icA, 3) + " A.";
      case motivo::TransistorSinDato::Vbe:
        return numero + " no sirve: su hoja da Vbe máxima hasta " +
               CifraCorta(m.fila->vbeOnMax.icA, 3) + " A, y la carga es de " + Cifra(m.icA, 3) +
               " A.";
      case motivo::TransistorSinDato::GananciaMaxima:
        return numero +
               " no sirve: su hoja no da una ganancia máxima, y sin ella no se acota "
               "la salida sin carga.";
      case motivo::TransistorSinDato::Temperatura:
        break;
    }
    return numero +
           " no sirve fuera de 25 °C: ni su hoja ni el modelo de su fabricante dan cómo cambian "
           "su ganancia y su Vbe con la temperatura.";
  }
  std::string operator()(const motivo::TransistorSinTension& m) const {
    return std::string(m.fila->numero) + " no basta: Vce de hasta " + Cifra(m.vceV, 2) +
           " V, y su Vceo es " + CifraCorta(m.fila->vceoV, 0) + " V.";
  }
  std::string operator()(const motivo::TransistorNoBasta& m) const {
    return std::string(m.fila->numero) + " no basta: " + CifraCorta(m.margen, 2) + " × " +
           Cifra(m.potenciaW, 3) + " W = " + Cifra(m.margen * m.potenciaW, 3) + " W, y admite " +
           Cifra(m.admiteW, 3) + " W sin disipador a " + Grados(m.temperaturaC) +
           (m.admiteDisipador ? "; ni con un disipador ideal llega."
                              : "; su hoja no da con qué montarlo en un disipador.");
  }
  std::string operator()(const motivo::SinLimiteDeCorriente&) const {
    return "El seguidor no limita la corriente: un cortocircuito en la salida destruye el "
           "transistor.";
  }
  std::string operator()(const motivo::SinVbeMinima&) const {
    return "Ninguna hoja da una Vbe mínima: sin carga, la fuga del colector eleva el emisor sobre "
           "la base hasta Vt·ln(hFE máx + 1), y la salida máxima lo cuenta; una carga mínima la "
           "baja.";
  }
  std::string operator()(const motivo::AreaSeguraSinLeer& m) const {
    return "La línea de ruptura secundaria del área de funcionamiento seguro del " +
           std::string(m.fila->numero) +
           " no está en el catálogo: compruebe en la figura de su hoja Vce = " + Cifra(m.vceV, 2) +
           " V con Ic = " + Cifra(m.icA, 3) + " A.";
  }
  std::string operator()(const motivo::MontajesMezclados&) const {
    return "Ningún montaje basta solo: se mezclan piezas de inserción y de montaje superficial.";
  }
  std::string operator()(const motivo::SinDeriva&) const {
    return "Sin diodo, el intervalo de Vz no incluye su deriva con la temperatura.";
  }
  std::string operator()(const motivo::IzkSobreIzMin& m) const {
    return "La corriente mínima del zener se lleva a Izk = " + CifraCorta(m.fila->izkMa, 2) +
           " mA del " + std::string(m.fila->numero) +
           ": por debajo, su hoja de datos no dice nada.";
  }
  std::string operator()(const motivo::SinCoeficiente& m) const {
    return "La hoja de datos de " + std::string(m.familia->nombre) +
           " no da el coeficiente de temperatura de Vz: el intervalo de Vz es el de 25 °C, aunque "
           "la unión llega a " +
           Grados(std::round(m.tjC)) + ".";
  }
  std::string operator()(const motivo::ChipNoDisponible& m) const {
    return "La " + std::string(m.resistencia->tipo) +
           " se fabrica al ±1 % en valores E24 y E96 y al ±5 % en valores E24: " +
           CifraCorta(m.rOhm, 2) + " Ω al ±" + Porcentaje(m.tolR) + " no está entre ellas.";
  }
  std::string operator()(const motivo::SinImpedancia&) const {
    return "Sin diodo elegido no hay impedancia de la hoja de datos.";
  }
  std::string operator()(const motivo::BajoIzk& m) const {
    return "La corriente mínima del zener, " + Cifra(m.izMinMa, 2) +
           " mA, queda por debajo de Izk = " + CifraCorta(m.izkMa, 2) +
           " mA: la hoja de datos no da la impedancia ahí.";
  }
};

// The blocking promise as the verdict says it: a part's power against what
// the one that admits the most takes.
struct EnElVeredicto : EnPalabras {
  using EnPalabras::operator();
  std::string operator()(const motivo::NoBasta& m) const {
    const std::string numero(m.fila->numero);
    if (m.porPotencia) {
      return "el zener disiparía " + Cifra(m.necesita, 2) + " W " +
             std::string(SinCarga(m.cargaFija)) + "; el que más admite, " + numero +
             " en su montaje, " + Cifra(m.admite, 2) + " W ÷ margen " + CifraCorta(m.margen, 2) +
             " = " + Cifra(m.admite / m.margen, 2) + " W";
    }
    return "el zener llevaría " + Cifra(m.necesita, 0) + " mA " +
           std::string(SinCarga(m.cargaFija)) + "; el que más admite, " + numero + ", " +
           Cifra(m.admite, 0) + " mA";
  }
};

// A sentence after a colon starts in lower case, but a part number such as
// "BC817-25" keeps its capitals.
std::string TrasDosPuntos(std::string texto) {
  const auto mayuscula = [](char c) { return c >= 'A' && c <= 'Z'; };
  const bool palabra = texto.size() > 1 && !mayuscula(texto[1]);
  if (!texto.empty() && mayuscula(texto[0]) && palabra) texto[0] += 'a' - 'A';
  return texto;
}

std::string Construible(const Diseno& d) {
  std::string texto = "Construible: " + Ohmios(d.cifras.De(Figura::RNominal), 2) + " (" +
                      std::string(d.resistencia->tipo) + "), " + std::string(d.zener->fila->numero);
  if (d.transistorElegido) {
    texto += " y " + std::string(d.transistor->numero);
    if (const auto rth = d.cifras[Figura::DisipadorRth]) {
      texto += " con un disipador de como mucho " + Cifra(*rth, 2) + " K/W";
    }
  }
  return texto + ".";
}

}  // namespace

std::string LineaDeVeredicto(const Diseno& d) {
  if (d.construible) return Construible(d);
  if (!d.bloqueo) return "No construible.";
  std::string texto = TrasDosPuntos(std::visit(EnElVeredicto{}, *d.bloqueo));
  if (!texto.empty() && texto.back() == '.') texto.pop_back();
  return "No construible: " + texto + ".";
}

std::string TextoDe(const Alternativa& a) {
  // Each change as a person says it: the figure's name and unit, or the
  // option's.
  struct Cambio {
    std::string_view clave, nombre, unidad;
    int decimales;
  };
  static constexpr Cambio kCambios[] = {
      {"margen", "margen de potencia", "", 2},
      {"serie", "serie", "", 0},
      {"familia", "familia", "", 0},
      {"montaje", "montaje", "", 0},
      {"circuito", "circuito", "", 0},
      {"IcMax", "IcMax", "mA", 1},
      {"VeMax", "VeMax", "V", 2},
      {"VeMin", "VeMin", "V", 2},
      {"IzMin", "IzMin", "mA", 1},
  };
  std::string texto(a.cambio);
  for (const Cambio& c : kCambios) {
    if (c.clave != a.cambio) continue;
    texto = std::string(c.nombre) + " " +
            (a.valor ? CifraCorta(*a.valor, c.decimales) + (c.unidad.empty() ? "" : " ") +
                           std::string(c.unidad)
                     : std::string(a.nombre));
  }
  texto += ": " + Ohmios(a.rOhm, 2) + " y " + std::string(a.zener->numero);
  if (a.transistor) texto += " con " + std::string(a.transistor->numero);
  return texto;
}

std::string TextoDe(const Motivo& motivo) {
  return std::visit(EnPalabras{}, motivo);
}

std::vector<std::string> TextosDe(const std::vector<Motivo>& motivos) {
  std::vector<std::string> textos;
  textos.reserve(motivos.size());
  for (const Motivo& m : motivos) textos.push_back(TextoDe(m));
  return textos;
}

}  // namespace zener
