#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
# Renders the hicolor PNG icons from icons/brelvox.svg with rsvg-convert (librsvg2-bin).
# The outputs are committed, so the build never needs librsvg; run this again after
# changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png brelvox.svg > "brelvox-$size.png.tmp"
  mv "brelvox-$size.png.tmp" "brelvox-$size.png"
done
