#!/bin/sh
# Regenerates the small seed files in fuzz/seeds/ with ImageMagick, netpbm and libtiff
# tools. The results are committed; run this only to change the seeds.
set -eu
cd "$(dirname "$0")"
CONVERT=convert
[ -x /usr/bin/convert ] && CONVERT=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$CONVERT" -size 16x12 gradient:red-blue -depth 8 "$work/g.ppm"
"$CONVERT" "$work/g.ppm" -colors 4 "$work/c.ppm"
"$CONVERT" "$work/g.ppm" -monochrome "$work/m.ppm"
rm -rf seeds && mkdir -p seeds/jpeg seeds/bmp seeds/gif seeds/tiff seeds/png seeds/pcx seeds/dib

"$CONVERT" "$work/g.ppm" -quality 50 seeds/jpeg/baseline.jpg
"$CONVERT" "$work/g.ppm" -interlace Plane -quality 50 seeds/jpeg/progressive.jpg
"$CONVERT" "$work/g.ppm" -colorspace CMYK -quality 50 seeds/jpeg/cmyk.jpg
"$CONVERT" "$work/g.ppm" -set comment seed -colorspace Gray -quality 50 seeds/jpeg/grey.jpg

ppmtobmp -bpp=24 "$work/g.ppm" > seeds/bmp/rgb24.bmp 2>/dev/null
ppmtobmp -bpp=4 "$work/c.ppm" > seeds/bmp/pal4.bmp 2>/dev/null
ppmtobmp -os2 "$work/c.ppm" > seeds/bmp/core.bmp 2>/dev/null
"$CONVERT" "$work/c.ppm" -compress RLE -type palette BMP3:seeds/bmp/rle8.bmp
"$CONVERT" "$work/g.ppm" -define bmp:subtype=RGB565 BMP:seeds/bmp/rgb565.bmp

"$CONVERT" "$work/c.ppm" seeds/gif/plain.gif
"$CONVERT" "$work/c.ppm" -interlace Line -transparent red seeds/gif/interlaced.gif

"$CONVERT" "$work/g.ppm" -depth 8 TIFF:"$work/t.tif"
tiffcp -c lzw "$work/t.tif" seeds/tiff/lzw.tif
tiffcp -c packbits -t -w 16 -l 16 "$work/t.tif" seeds/tiff/tiles.tif
"$CONVERT" "$work/c.ppm" -type palette TIFF:seeds/tiff/palette.tif

"$CONVERT" "$work/c.ppm" PNG8:seeds/png/palette.png
"$CONVERT" "$work/g.ppm" -interlace PNG PNG48:seeds/png/deep.png
"$CONVERT" "$work/c.ppm" -transparent red PNG32:seeds/png/alpha.png

ppmtopcx "$work/m.ppm" > seeds/pcx/mono.pcx 2>/dev/null
ppmtopcx -planes=4 "$work/c.ppm" > seeds/pcx/planes.pcx 2>/dev/null
ppmtopcx -8bit "$work/c.ppm" > seeds/pcx/pal8.pcx 2>/dev/null
ppmtopcx -24bit "$work/g.ppm" > seeds/pcx/rgb24.pcx 2>/dev/null

# A packed DIB is a BMP without its 14-byte file header.
for f in seeds/bmp/*.bmp; do tail -c +15 "$f" > "seeds/dib/$(basename "$f" .bmp).dib"; done
