#!/bin/sh
# Paints the six pictures of the sample library with ImageMagick. The pictures are
# the project's own work (see README.md); run this again only to change them, and
# commit the results. Plasma fills are seeded, so a run gives the same scenes.
set -eu
cd "$(dirname "$0")/pictures"
size=1024x768

# 1: sunset over rolling hills
convert -size $size gradient:'#ffb347-#6a3093' \
  -fill '#ffe27a' -draw 'circle 640,470 640,400' \
  -fill '#2e1f47' -draw 'path "M 0,560 C 200,470 380,620 560,540 C 740,460 880,600 1024,520 L 1024,768 L 0,768 Z"' \
  -fill '#1b1230' -draw 'path "M 0,660 C 260,600 520,720 1024,630 L 1024,768 L 0,768 Z"' \
  -quality 88 sunset.jpg

# 2: sea under a summer sky
convert -size $size gradient:'#4a90d9-#dff1ff' \
  \( -size 1024x330 -seed 7 plasma:'#1f5f8b-#0b3954' -blur 0x2 \) -geometry +0+438 -composite \
  -fill '#f4e3b5' -draw 'path "M 0,700 C 300,650 700,720 1024,680 L 1024,768 L 0,768 Z"' \
  -fill white -draw 'ellipse 250,150 90,28 0,360' -draw 'ellipse 320,135 70,30 0,360' \
  -quality 88 seaside.jpg

# 3: snowy mountains
convert -size $size gradient:'#87b5e5-#f0f6ff' \
  -fill '#6b7b8c' -draw 'polygon 0,620 230,260 420,560 600,200 830,580 1024,380 1024,768 0,768' \
  -fill white -draw 'polygon 230,260 290,350 250,340 200,310' \
  -draw 'polygon 600,200 680,330 630,300 560,280' \
  -fill '#3d5a40' -draw 'path "M 0,660 C 300,600 700,700 1024,620 L 1024,768 L 0,768 Z"' \
  -quality 88 mountains.jpg

# 4: a meadow of flowers
convert -size $size -seed 21 plasma:'#3e8e41-#a4d65e' -blur 0x3 \
  -fill '#e63946' -draw 'circle 200,500 215,500' -draw 'circle 420,620 436,620' \
  -draw 'circle 760,540 774,540' -draw 'circle 880,680 896,680' \
  -fill '#ffd60a' -draw 'circle 300,640 314,640' -draw 'circle 610,520 622,520' \
  -draw 'circle 540,700 556,700' -fill '#f1faee' -draw 'circle 120,690 134,690' \
  -fill '#9ad0f5' -draw 'rectangle 0,0 1024,260' \
  -quality 88 meadow.jpg

# 5: autumn forest
convert -size $size -seed 42 plasma:'#d2691e-#8b2500' -blur 0x4 \
  -fill '#4a2c17' -draw 'rectangle 150,300 185,768' -draw 'rectangle 470,260 505,768' \
  -draw 'rectangle 800,320 832,768' \
  -fill '#c9a66b' -draw 'path "M 0,720 C 300,690 700,740 1024,700 L 1024,768 L 0,768 Z"' \
  -quality 88 forest.jpg

# 6: a town at night
convert -size $size gradient:'#0b1026-#2b3a67' \
  -fill '#fdf5c9' -draw 'circle 820,130 820,90' \
  -fill '#151515' -draw 'rectangle 40,420 220,768' -draw 'rectangle 250,340 400,768' \
  -draw 'rectangle 430,470 600,768' -draw 'rectangle 630,300 790,768' -draw 'rectangle 820,440 1000,768' \
  -fill '#ffd166' -draw 'rectangle 70,460 100,490' -draw 'rectangle 150,520 180,550' \
  -draw 'rectangle 280,380 310,410' -draw 'rectangle 340,480 370,510' -draw 'rectangle 470,520 500,550' \
  -draw 'rectangle 660,340 690,370' -draw 'rectangle 730,420 760,450' -draw 'rectangle 860,480 890,510' \
  -quality 88 town.jpg
