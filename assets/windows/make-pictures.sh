#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
# Draws the download window's pictures with ImageMagick. The outputs are committed, so
# the build never needs ImageMagick; run this again after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

# Advertising picture, 400 x 339: a felt table, a rack of balls and the lobby's name.
convert -size 400x339 gradient:'#1d7a3a'-'#0b3d1c' \
  -fill '#5a3a1a' -draw 'rectangle 0,0 399,18' -draw 'rectangle 0,320 399,338' \
  -draw 'rectangle 0,0 18,338' -draw 'rectangle 381,0 399,338' \
  -fill black -draw 'circle 20,20 32,20' -draw 'circle 380,20 392,20' \
  -draw 'circle 20,318 32,318' -draw 'circle 380,318 392,318' \
  -fill '#f2d21b' -draw 'circle 250,200 266,200' \
  -fill '#1f4fd1' -draw 'circle 282,182 298,182' \
  -fill '#d11f1f' -draw 'circle 282,218 298,218' \
  -fill '#6a1fa8' -draw 'circle 314,164 330,164' \
  -fill '#111111' -draw 'circle 314,200 330,200' \
  -fill '#e8731a' -draw 'circle 314,236 330,236' \
  -fill white -draw 'circle 120,200 134,200' \
  -font "$font" -fill white -pointsize 34 -gravity north -annotate +0+36 'The Ostrel Lobby' \
  -pointsize 18 -fill '#f2d21b' -annotate +0+84 'Play Brelvox online' \
  -pointsize 15 -fill white -gravity south -annotate +0+34 'Chat, meet players, join games' \
  -quality 88 lobby_ad.jpg

# The window's own background tile, 32 x 32: dark blue cloth with a faint weave.
convert -size 32x32 xc:'#1b2b52' \
  -fill '#22356a' -draw 'rectangle 0,0 15,15' -draw 'rectangle 16,16 31,31' \
  -fill '#2a3f78' -draw 'point 8,8' -draw 'point 24,24' \
  -type TrueColor BMP3:download_tile.bmp
