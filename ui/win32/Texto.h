// UTF-8 (the logic's texts) to and from UTF-16 (the window's).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zener::win32 {

inline std::wstring Ancho(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring ancho(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), ancho.data(), n);
  return ancho;
}

inline std::string Estrecho(std::wstring_view ancho) {
  if (ancho.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

inline std::wstring TextoDe(HWND control) {
  std::wstring texto(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  texto.resize(static_cast<std::size_t>(
      GetWindowTextW(control, texto.data(), static_cast<int>(texto.size()))));
  return texto;
}

// The UTF-16 offset of the n-th character, surrogate pairs counting as one.
inline int PosicionUtf16(std::wstring_view texto, int caracteres) {
  std::size_t i = 0;
  for (int c = 0; c < caracteres && i < texto.size(); ++c) {
    i += IS_HIGH_SURROGATE(texto[i]) && i + 1 < texto.size() ? 2 : 1;
  }
  return static_cast<int>(i);
}

}  // namespace zener::win32
