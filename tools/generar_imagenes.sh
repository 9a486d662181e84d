#!/usr/bin/env bash
# Draws the window's three pictures: the circuit and the logo at their own
# size and at twice it (what the window scales down from on screens above
# 96 dpi), and the window icon at 16 and 32 pixels. Run again after changing
# a drawing; the results are committed beside it.
set -euo pipefail
herramientas=$(cd "$(dirname "$0")" && pwd)
destino=${1:-"$herramientas/../ui/win32/recursos"}
fuente=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
cd "$destino"

# Arrowheads on horizontal wires, pointing right: solid or hollow. The wire
# ahead of each tip is stroked again, as the polygon's outline smears it.
flecha_llena() { echo "fill black polygon $(($1-8)),$(($2-6)) $(($1+6)),$2 $(($1-8)),$(($2+6))"; }
flecha_hueca() { echo "fill white polygon $(($1-8)),$(($2-6)) $(($1+6)),$2 $(($1-8)),$(($2+6))"; }

# A full 256-colour palette: the ground, black, white and the blends between
# them that the smoothed edges need.
convert -size 1x128 "gradient:rgb(255,255,120)-black" -size 1x64 "gradient:white-black" \
  -size 1x64 "gradient:rgb(255,255,120)-white" -append paleta.png

# The regulator: battery, resistor R, Zener across the load, wires and arrows.
# Drawn in the coordinates of its own size, times $1, into $2.
esquema() {
convert -size $((341 * $1))x$((228 * $1)) "xc:rgb(255,255,120)" -affine "$1,0,0,$1,0,0" \
  -stroke black -strokewidth 4 -fill none \
  -draw "polyline 60,84 60,32 126,32" \
  -draw "line 186,32 296,32" -draw "line 296,32 296,76" \
  -draw "polyline 60,152 60,200 296,200" -draw "line 296,200 296,156" \
  -draw "line 214,32 214,90" -draw "line 214,134 214,200" \
  -strokewidth 2 \
  -draw "$(flecha_llena 98 32)" -draw "$(flecha_hueca 258 32)" \
  -draw "$(flecha_llena 140 200)" -draw "$(flecha_hueca 258 200)" \
  -strokewidth 4 -fill none \
  -draw "line 104,32 126,32" -draw "polyline 264,32 296,32 296,76" \
  -draw "line 146,200 250,200" -draw "polyline 264,200 296,200 296,156" \
  -strokewidth 4 -fill black \
  -draw "line 42,86 78,86"   -draw "line 51,96 69,96" \
  -draw "line 42,108 78,108" -draw "line 51,118 69,118" \
  -draw "line 42,130 78,130" -draw "line 51,140 69,140" \
  -draw "line 60,140 60,152" \
  -strokewidth 2 -fill white \
  -draw "circle 34,64 34,73" -draw "circle 34,166 34,175" \
  -fill none -strokewidth 2 \
  -draw "line 29,64 39,64" -draw "line 34,59 34,69" -draw "line 29,166 39,166" \
  -strokewidth 4 -fill white \
  -draw "rectangle 126,20 186,44" -draw "rectangle 284,76 308,156" \
  -strokewidth 2 -fill black \
  -draw "polygon 200,134 228,134 214,102" \
  -strokewidth 4 -draw "line 200,90 228,90" \
  -strokewidth 3 -draw "line 227,91 214,102" \
  -stroke none -fill black \
  -draw "circle 214,32 214,37" -draw "circle 214,200 214,205" \
  -font "$fuente" -pointsize 18 -draw "text 149,39 'R'" \
  -pointsize 14 -draw "text 128,122 'ZENER'" \
  -draw "translate 278,144 rotate -90 text 0,0 'CARGA'" \
  -dither None -remap paleta.png "$2"
}
esquema 1 esquema.gif
esquema 2 esquema2x.gif
rm paleta.png

# The logo: a Zener diode beside the name, on a yellow ground; times $1, into $2.
logo() {
convert -size $((300 * $1))x$((46 * $1)) "xc:rgb(255,221,0)" -affine "$1,0,0,$1,0,0" \
  -stroke "rgb(0,0,140)" -strokewidth 2 -fill none -draw "roundrectangle 2,2 297,43 8,8" \
  -strokewidth 3 -draw "line 18,23 30,23" -draw "line 46,23 58,23" \
  -fill "rgb(0,0,140)" -strokewidth 1 -draw "polygon 30,13 30,33 44,23" \
  -strokewidth 3 -draw "line 44,12 44,34" -draw "line 44,12 39,8" -draw "line 44,34 49,38" \
  -stroke none -font "$fuente" -pointsize 22 -draw "text 70,31 'Calculadores Zener'" \
  -quality 90 -interlace Plane -strip "$2"
}
logo 1 logo.jpg
logo 2 logo2x.jpg

# What the window shows at 96 dots per inch, decoded here so that it needs no
# decoder: the drawing with its palette (run-length coded), the logo as the
# JPEG decodes.
convert esquema.gif -compress RLE BMP3:esquema.bmp
convert logo.jpg -type TrueColor BMP3:logo.bmp

# The window icon: the same diode, black on yellow, 256 colours; drawn at 16
# pixels times $1.
icono() {
  convert -size $((16 * $1))x$((16 * $1)) "xc:rgb(255,255,128)" -affine "$1,0,0,$1,0,0" \
    -stroke black -strokewidth 1 -fill black \
    -draw "line 0,8 4,8" -draw "line 12,8 15,8" -draw "polygon 4,3 4,13 10,8" \
    -draw "line 10,3 10,13" -draw "line 10,3 8,1" -draw "line 10,13 12,15" \
    -depth 8 "rgb:icono$1.rgb"
}
icono 1
icono 2
python3 "$herramientas/rgb_a_ico.py" icono.ico 16:icono1.rgb 32:icono2.rgb
rm icono1.rgb icono2.rgb
