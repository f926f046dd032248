#!/bin/sh
# Regenerates the small seed files in fuzz/seeds/ with ImageMagick, netpbm and libtiff
# tools (the databases with printf). The results are committed; run this only to change the seeds.
set -eu
cd "$(dirname "$0")"
CONVERT=convert
[ -x /usr/bin/convert ] && CONVERT=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$CONVERT" -size 16x12 gradient:red-blue -depth 8 "$work/g.ppm"
"$CONVERT" "$work/g.ppm" -colors 4 "$work/c.ppm"
"$CONVERT" "$work/g.ppm" -monochrome "$work/m.ppm"
rm -rf seeds && mkdir -p seeds/jpeg seeds/bmp seeds/gif seeds/tiff seeds/png seeds/pcx seeds/dib seeds/pdb

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

# Databases: the worked example, then the edges of the format one file each. Reading
# stops at the first bad line, so each faulty line has a file of its own.
pdb=seeds/pdb
: > $pdb/empty.pdb
printf 'garden|1999||Summer holiday|||\r\n' > $pdb/one.pdb
printf 'beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|Day one \001 sunny|\r\n' > $pdb/example.pdb
printf 'garden|1999||Summer holiday|||\r\n' >> $pdb/example.pdb
printf 'a|1999|P1^P2^P3^P4^P5^P6^P7^P8^P9^P10^P11^P12^P13^P14^P15^P16^P17|E^|^L||\r\n' > $pdb/sixteen.pdb
printf 'b|2000|A^^B|E^F^E|L||\r\n' >> $pdb/sixteen.pdb
printf 'a|1999|||||\nb|2000|P||||\r\nc|2001|||||\r\n\r\n\n' > $pdb/line-ends.pdb
printf 'last|1999|||||' > $pdb/no-last-end.pdb
printf 'a|1999||||one\001two\r\r\nthree\rfour|\r\nb\r\nc|1999|P\r\nQ|E\rF||x\r\r\ny|\r\n' > $pdb/notes.pdb
printf 'a|01/5/99|||||\r\nb|13/1999|||||\r\nc|6/ab|||||\r\nd|2/29/2000|||||\r\n' > $pdb/dates.pdb
printf 'Strand\351.jpg|1999|M\374ller, J\366rg|F\352te \200|K\366ln|\223quoted\224|\r\n' > $pdb/cp1252.pdb
# Persons fields of 999 bytes, the widest the format promises, and of 1000.
long=$(printf '%0990d' 0)
printf 'a|1999|%s^P1234567||||\r\nb|1999|%s^P12345678||||\r\n' "$long" "$long" > $pdb/long-fields.pdb
printf 'ok|1999|P|E|L|n|\r\n|1999|||||\r\n' > $pdb/no-file-name.pdb
printf 'ok|1999|P|E|L|n|\r\nx||a|b|c|d|\r\n' > $pdb/no-date.pdb
printf 'ok|1999|P|E|L|n|\r\nx|1999|a|b\r\n' > $pdb/missing-fields.pdb
printf 'ok|1999|P|E|L|n|\r\nx|1999|a|b|c|d|e\r\n' > $pdb/after-last-field.pdb
