// What a spreadsheet's text file may be: UTF-8 with or without a byte-order
// mark, or UTF-16 in either byte order with one. The batch reads it all as
// UTF-8, and writes nothing that is not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zener {

// What a UTF-8 file may begin with, and what a spreadsheet needs to read one
// as UTF-8.
inline constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";

// U+FFFD, what stands for bytes that are no character.
inline constexpr std::string_view kSustituto = "\xEF\xBF\xBD";

// The length of the UTF-8 character the text starts with, or 0 when its
// first bytes are none (a stray byte, an overlong form, a surrogate).
std::size_t LargoDeCaracter(std::string_view texto);

// A file's pieces as UTF-8, whatever they were split at.
class Decodificador {
 public:
  // The piece as UTF-8: itself when the file is UTF-8 (past its mark), else
  // converted into `espacio`.
  std::string_view Decodificar(std::string_view trozo, std::string& espacio);
  // What the last piece left pending: the start of a file shorter than a
  // mark, a lone byte or half a surrogate pair, as U+FFFD.
  std::string_view Terminar(std::string& espacio);

 private:
  enum class Forma { PorSaber, Utf8, Utf16Le, Utf16Be };
  std::string_view Reconocer(std::string_view trozo, std::string& espacio);
  void Utf16(std::string_view trozo, std::string& espacio);
  void Unidad(char32_t unidad, std::string& espacio);

  Forma forma_ = Forma::PorSaber;
  std::string inicio_;  // the first bytes, until they tell the form
  std::string byte_;    // a code unit's first byte, when a piece cut it
  char32_t alta_ = 0;   // a surrogate pair's first half
};

}  // namespace zener
