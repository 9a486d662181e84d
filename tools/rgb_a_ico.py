"""Writes raw 16 x 16 RGB pixels as an .ico of one 8-bit, 256-colour image."""
import struct
import sys

LADO = 16
origen, destino = sys.argv[1], sys.argv[2]
rgb = open(origen, "rb").read()
pixeles = [tuple(rgb[i:i + 3]) for i in range(0, len(rgb), 3)]
if len(pixeles) != LADO * LADO:
    sys.exit(f"expected {LADO * LADO} pixels, got {len(pixeles)}")
paleta = sorted(set(pixeles))
if len(paleta) > 256:
    sys.exit("more than 256 colours")
indice = {color: i for i, color in enumerate(paleta)}

cabecera = struct.pack("<IiiHHIIiiII", 40, LADO, 2 * LADO, 1, 8, 0, 0, 0, 0, 256, 0)
tabla = b"".join(bytes((b, g, r, 0)) for (r, g, b) in paleta) + b"\0" * 4 * (256 - len(paleta))
filas = b"".join(bytes(indice[p] for p in pixeles[y * LADO:(y + 1) * LADO])
                 for y in reversed(range(LADO)))  # bottom-up, 16 bytes a row
mascara = b"\0" * 4 * LADO  # all opaque: one 32-bit row each
imagen = cabecera + tabla + filas + mascara
with open(destino, "wb") as f:
    f.write(struct.pack("<HHH", 0, 1, 1))
    f.write(struct.pack("<BBBBHHII", LADO, LADO, 0, 0, 1, 8, len(imagen), 22))
    f.write(imagen)
