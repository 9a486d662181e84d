#include "design/Codificacion.h"

#include <array>

namespace zener {

namespace {

constexpr std::string_view kMarcaUtf16Le = "\xFF\xFE";
constexpr std::string_view kMarcaUtf16Be = "\xFE\xFF";

constexpr char32_t kAltaPrimera = 0xD800, kBajaPrimera = 0xDC00, kBajaUltima = 0xDFFF;
constexpr char32_t kPlanosAltos = 0x10000;
constexpr char32_t kMayorCaracter = 0x10FFFF;
constexpr int kBitsPorSeisBits = 6;
constexpr int kBitsPorSustituto = 10;

unsigned Byte(char c) {
  return static_cast<unsigned char>(c);
}

bool Continuacion(char c) {
  return (Byte(c) & 0xC0) == 0x80;
}

// By the first byte: the length of the character, and the least value its
// length may hold, so that an overlong form is refused.
struct Forma {
  unsigned mascara, valor;
  std::size_t largo;
  char32_t menor;
};
constexpr std::array<Forma, 4> kFormas = {{
    {0x80, 0x00, 1, 0},
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
}};

void AnadirUtf8(char32_t c, std::string& destino) {
  if (c < 0x80) {
    destino += static_cast<char>(c);
  } else if (c < 0x800) {
    destino += static_cast<char>(0xC0 | (c >> 6));
    destino += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < kPlanosAltos) {
    destino += static_cast<char>(0xE0 | (c >> 12));
    destino += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    destino += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    destino += static_cast<char>(0xF0 | (c >> 18));
    destino += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    destino += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    destino += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::size_t LargoDeCaracter(std::string_view texto) {
  if (texto.empty()) return 0;
  for (const Forma& forma : kFormas) {
    if ((Byte(texto[0]) & forma.mascara) != forma.valor) continue;
    if (texto.size() < forma.largo) return 0;
    char32_t c = Byte(texto[0]) & ~forma.mascara & 0xFF;
    for (std::size_t i = 1; i < forma.largo; ++i) {
      if (!Continuacion(texto[i])) return 0;
      c = (c << kBitsPorSeisBits) | (Byte(texto[i]) & 0x3F);
    }
    const bool sustituto = c >= kAltaPrimera && c <= kBajaUltima;
    return c < forma.menor || c > kMayorCaracter || sustituto ? 0 : forma.largo;
  }
  return 0;
}

std::string_view Decodificador::Decodificar(std::string_view trozo, std::string& espacio) {
  espacio.clear();
  if (forma_ == Forma::PorSaber) return Reconocer(trozo, espacio);
  if (forma_ == Forma::Utf8) return trozo;
  Utf16(trozo, espacio);
  return espacio;
}

std::string_view Decodificador::Reconocer(std::string_view trozo, std::string& espacio) {
  inicio_ += trozo;
  const std::string_view inicio = inicio_;
  const bool utf8 = inicio.substr(0, kMarcaUtf8.size()) == kMarcaUtf8;
  const bool le = inicio.substr(0, kMarcaUtf16Le.size()) == kMarcaUtf16Le;
  const bool be = inicio.substr(0, kMarcaUtf16Be.size()) == kMarcaUtf16Be;
  const bool prefijoDeMarca =
      inicio.size() < kMarcaUtf8.size() && (kMarcaUtf8.substr(0, inicio.size()) == inicio ||
                                            kMarcaUtf16Le.substr(0, inicio.size()) == inicio ||
                                            kMarcaUtf16Be.substr(0, inicio.size()) == inicio);
  if (prefijoDeMarca && !le && !be) return {};
  forma_ = le ? Forma::Utf16Le : be ? Forma::Utf16Be : Forma::Utf8;
  std::string resto = std::move(inicio_);
  inicio_.clear();
  if (forma_ == Forma::Utf8) {
    espacio = resto.substr(utf8 ? kMarcaUtf8.size() : 0);
    return espacio;
  }
  Utf16(std::string_view(resto).substr(kMarcaUtf16Le.size()), espacio);
  return espacio;
}

void Decodificador::Utf16(std::string_view trozo, std::string& espacio) {
  if (!byte_.empty() && !trozo.empty()) {
    byte_ += trozo.front();
    trozo.remove_prefix(1);
    const std::string par = std::move(byte_);
    byte_.clear();
    Utf16(par, espacio);
  }
  const bool le = forma_ == Forma::Utf16Le;
  std::size_t i = 0;
  for (; i + 1 < trozo.size(); i += 2) {
    const unsigned primero = Byte(trozo[i]), segundo = Byte(trozo[i + 1]);
    Unidad(static_cast<char32_t>(le ? primero | segundo << 8 : primero << 8 | segundo), espacio);
  }
  if (i < trozo.size()) byte_ = trozo.substr(i);
}

void Decodificador::Unidad(char32_t unidad, std::string& espacio) {
  const bool alta = unidad >= kAltaPrimera && unidad < kBajaPrimera;
  const bool baja = unidad >= kBajaPrimera && unidad <= kBajaUltima;
  if (alta_ && baja) {
    AnadirUtf8(
        kPlanosAltos + ((alta_ - kAltaPrimera) << kBitsPorSustituto) + (unidad - kBajaPrimera),
        espacio);
    alta_ = 0;
    return;
  }
  if (alta_) espacio += kSustituto;
  alta_ = alta ? unidad : 0;
  if (alta) return;
  if (baja) {
    espacio += kSustituto;
    return;
  }
  AnadirUtf8(unidad, espacio);
}

std::string_view Decodificador::Terminar(std::string& espacio) {
  espacio.clear();
  if (forma_ == Forma::PorSaber) {
    forma_ = Forma::Utf8;
    espacio = std::move(inicio_);
    inicio_.clear();
    return espacio;
  }
  if (alta_ || !byte_.empty()) espacio += kSustituto;
  alta_ = 0;
  byte_.clear();
  return espacio;
}

}  // namespace zener
