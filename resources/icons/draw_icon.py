#!/usr/bin/env python3
"""Draws the application icon: a round hut with a thatched roof and a satellite dish.

Run from anywhere: python3 resources/icons/draw_icon.py (needs rsvg-convert,
package librsvg2-bin). The SVG and the PNGs are committed; run this again only
to change them.
"""
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
HICOLOR = os.path.join(HERE, "hicolor")
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#2b5d9a"/>
      <stop offset="1" stop-color="#16324f"/>
    </linearGradient>
    <linearGradient id="thatch" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#e0a83c"/>
      <stop offset="1" stop-color="#a8701c"/>
    </linearGradient>
    <linearGradient id="wall" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#f4e6cf"/>
      <stop offset="1" stop-color="#c9b08a"/>
    </linearGradient>
  </defs>
  <!-- background tile -->
  <rect x="8" y="8" width="240" height="240" rx="44" fill="url(#sky)"/>
  <!-- satellite in the sky -->
  <g fill="#cfe3ff">
    <rect x="178" y="36" width="30" height="14" rx="3" transform="rotate(-30 193 43)"/>
    <circle cx="205" cy="56" r="9"/>
  </g>
  <!-- ground -->
  <ellipse cx="128" cy="222" rx="104" ry="16" fill="#0f2236"/>
  <!-- wall of the round hut -->
  <path d="M52 132 L52 206 Q128 232 204 206 L204 132 Z" fill="url(#wall)"/>
  <!-- door -->
  <path d="M112 216 L112 172 Q128 156 144 172 L144 217 Q128 219 112 216 Z" fill="#5a3a1a"/>
  <!-- conical roof -->
  <path d="M128 40 L226 140 Q128 168 30 140 Z" fill="url(#thatch)"/>
  <path d="M128 40 L96 152 M128 40 L160 152 M128 40 L64 146 M128 40 L192 146"
        stroke="#8a5a14" stroke-width="5" fill="none" stroke-linecap="round"/>
  <!-- dish on the wall -->
  <g transform="rotate(-35 176 178)">
    <path d="M150 178 A26 26 0 0 0 202 178 Z" fill="#e8eef6" stroke="#28486e" stroke-width="5"/>
    <line x1="176" y1="178" x2="176" y2="150" stroke="#28486e" stroke-width="5" stroke-linecap="round"/>
    <circle cx="176" cy="148" r="6" fill="#d33c2f"/>
  </g>
</svg>
"""


def main():
    scalable = os.path.join(HICOLOR, "scalable", "apps", "brondavel.svg")
    os.makedirs(os.path.dirname(scalable), exist_ok=True)
    with open(scalable, "w", encoding="utf-8") as f:
        f.write(SVG)
    for size in SIZES:
        folder = os.path.join(HICOLOR, f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o",
                        os.path.join(folder, "brondavel.png"), scalable], check=True)


if __name__ == "__main__":
    main()
