#include "form/Campos.h"

#include <optional>

#include "core/Calculo.h"
#include "core/NumeroTexto.h"
#include "form/Controles.h"
#include "form/Procedimientos.h"

namespace zener {

namespace {

constexpr std::int16_t kRetroceso = 8;
constexpr std::int16_t kComa = 44;
constexpr std::int16_t kPunto = 46;

bool EsDigito(std::int16_t k) {
  return k >= '0' && k <= '9';
}

// Checks and normalises the field's text and writes it back; gives the value
// of the text now shown, or nothing when the text is no valid figure.
std::optional<double> ConfirmarTexto(const FilaCampo& fila, Ventana& ventana) {
  const Control campo = CampoDe(fila.magnitud);
  const std::string texto = ventana.LeerTexto(campo);
  if (fila.pruebaComa && !CifraValida(texto)) return std::nullopt;
  const auto normalizado = NormalizarCifra(texto, fila.MascaraCampo, fila.TextoInicial);
  if (!normalizado) return std::nullopt;
  ventana.EscribirTexto(campo, *normalizado);
  return LeerCifra(ventana.LeerTexto(campo));
}

void SeleccionarTodo(Control campo, Ventana& ventana) {
  ventana.FijarSeleccion(campo, 0, LongitudEnCaracteres(ventana.LeerTexto(campo)));
}

// The message; once its box is closed, the field's default text and then
// `despues`. The field shows what was refused for as long as the box is open.
void RechazarCifra(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana,
                   void (*despues)(Control campo, Ventana& ventana)) {
  MostrarMensaje(datos, ventana, kPromptCifraInvalida, kEstiloExclamacion, kTituloError,
                 [&fila, &ventana, despues] {
                   const Control campo = CampoDe(fila.magnitud);
                   ventana.EscribirTexto(campo, fila.TextoInicial);
                   despues(campo, ventana);
                 });
}

void DevolverFoco(Control campo, Ventana& ventana) {
  ventana.DarFoco(campo);
}

}  // namespace

void Validar1(std::int16_t& keyascii) {
  if (keyascii == kPunto) keyascii = kComa;
  if (keyascii >= 0 && keyascii <= 255 && keyascii != kComa) Validar3(keyascii);
}

void Validar3(std::int16_t& keyascii) {
  const bool admitida = keyascii < 0 || keyascii > 255 || keyascii == kRetroceso ||
                        keyascii == kTeclaEnter || EsDigito(keyascii);
  if (!admitida) keyascii = 0;
}

void Campo_KeyPress(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana,
                    std::int16_t& keyascii) {
  if (fila.admiteComa) {
    Validar1(keyascii);
  } else {
    Validar3(keyascii);
  }
  if (keyascii != kTeclaEnter) return;
  keyascii = 0;
  if (ConfirmarTexto(fila, ventana)) {
    ventana.DarFoco(SiguienteDe(CampoDe(fila.magnitud)));
    return;
  }
  RechazarCifra(fila, datos, ventana, SeleccionarTodo);
}

void Campo_LostFocus(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana) {
  if (const auto valor = ConfirmarTexto(fila, ventana)) {
    datos.*fila.valor = *valor;
    return;
  }
  RechazarCifra(fila, datos, ventana, DevolverFoco);
}

void Campo_GotFocus(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana) {
  Limpiar(datos, ventana);
  SeleccionarTodo(CampoDe(fila.magnitud), ventana);
}

bool Campo_Poner(const FilaCampo& fila, DatosCircuito& datos, Ventana& ventana,
                 std::string_view texto) {
  const Control campo = CampoDe(fila.magnitud);
  const std::string antes = ventana.LeerTexto(campo);
  ventana.EscribirTexto(campo, texto);
  const auto valor = ConfirmarTexto(fila, ventana);
  if (valor) {
    datos.*fila.valor = *valor;
    Limpiar(datos, ventana);
  } else {
    ventana.EscribirTexto(campo, antes);
  }
  SeleccionarTodo(campo, ventana);
  return valor.has_value();
}

// A committed value was read from a field's text: it always formats.
std::string TextoDeValor(const FilaCampo& fila, const DatosCircuito& datos) {
  const double valor = datos.*fila.valor;
  return valor == 0 ? std::string(fila.TextoInicial) : *FormatearValor(valor, fila.MascaraCampo);
}

}  // namespace zener
