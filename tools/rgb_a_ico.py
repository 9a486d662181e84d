"""Writes square images of raw RGB pixels as one .ico of 8-bit, 256-colour images.

    rgb_a_ico.py DESTINO.ico LADO:ORIGEN.rgb [LADO:ORIGEN.rgb ...]
"""
import struct
import sys


def imagen_de(lado, rgb):
    pixeles = [tuple(rgb[i:i + 3]) for i in range(0, len(rgb), 3)]
    if len(pixeles) != lado * lado:
        sys.exit(f"expected {lado * lado} pixels, got {len(pixeles)}")
    paleta = sorted(set(pixeles))
    if len(paleta) > 256:
        sys.exit("more than 256 colours")
    indice = {color: i for i, color in enumerate(paleta)}
    cabecera = struct.pack("<IiiHHIIiiII", 40, lado, 2 * lado, 1, 8, 0, 0, 0, 0, 256, 0)
    tabla = b"".join(bytes((b, g, r, 0)) for (r, g, b) in paleta) + b"\0" * 4 * (256 - len(paleta))
    filas = b"".join(bytes(indice[p] for p in pixeles[y * lado:(y + 1) * lado])
                     for y in reversed(range(lado)))  # bottom-up; rows of a multiple of 4 bytes
    fila_mascara = ((lado + 31) // 32) * 4
    mascara = b"\0" * fila_mascara * lado  # all opaque
    return cabecera + tabla + filas + mascara


destino = sys.argv[1]
imagenes = []
for argumento in sys.argv[2:]:
    lado, origen = argumento.split(":", 1)
    imagenes.append((int(lado), imagen_de(int(lado), open(origen, "rb").read())))

with open(destino, "wb") as f:
    f.write(struct.pack("<HHH", 0, 1, len(imagenes)))
    desplazamiento = 6 + 16 * len(imagenes)
    for lado, imagen in imagenes:
        f.write(struct.pack("<BBBBHHII", lado, lado, 0, 0, 1, 8, len(imagen), desplazamiento))
        desplazamiento += len(imagen)
    for _, imagen in imagenes:
        f.write(imagen)
