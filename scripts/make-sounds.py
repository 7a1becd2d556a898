#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Brelvox developers
"""Writes the game's sound clips into assets/sounds.

The clips are synthesised here from sine tones, plucks and shaped noise; the spoken
chatter sounds come from espeak-ng (Debian package espeak-ng), which is needed only to
regenerate them. The output is committed, so building the game needs nothing of this.
Noise is seeded, so a rerun on the same espeak-ng gives the same bytes.

    scripts/make-sounds.py [output-folder]
"""

import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "assets", "sounds")

TAU = 2 * math.pi


# --- building blocks: a clip is a list of float samples in [-1, 1] per channel ---

def silence(rate, seconds):
    return [0.0] * int(rate * seconds)


def tone(rate, freq, seconds, attack=0.005, decay=None, harmonics=((1, 1.0),), vibrato=0.0):
    """A tone with a short attack and an exponential decay (decay = time constant)."""
    n = int(rate * seconds)
    out = []
    for i in range(n):
        t = i / rate
        env = min(1.0, t / attack) if attack > 0 else 1.0
        if decay:
            env *= math.exp(-t / decay)
        # fade the last 5 ms so a clip never ends on a click
        env *= min(1.0, (n - i) / (rate * 0.005))
        f = freq * (1 + vibrato * math.sin(TAU * 5.5 * t))
        s = sum(a * math.sin(TAU * f * k * t) for k, a in harmonics)
        out.append(env * s)
    return out


def glide(rate, f0, f1, seconds, decay=None):
    """A sine sweeping from f0 to f1."""
    n = int(rate * seconds)
    out, phase = [], 0.0
    for i in range(n):
        t = i / rate
        f = f0 + (f1 - f0) * i / max(1, n - 1)
        phase += TAU * f / rate
        env = min(1.0, t / 0.004) * min(1.0, (n - i) / (rate * 0.005))
        if decay:
            env *= math.exp(-t / decay)
        out.append(env * math.sin(phase))
    return out


def noise(rate, seconds, rng, smooth=0.0, envelope=lambda t, d: 1.0):
    """White noise through a one-pole low-pass (smooth 0..1, higher is darker)."""
    n = int(rate * seconds)
    out, y = [], 0.0
    for i in range(n):
        y = smooth * y + (1 - smooth) * rng.uniform(-1, 1)
        out.append(y * envelope(i / rate, seconds))
    return out


def mix(*parts):
    """Adds (offset_seconds, rate, samples, gain) parts into one clip."""
    rate = parts[0][1]
    length = max(int(off * rate) + len(s) for off, _, s, _ in parts)
    out = [0.0] * length
    for off, _, s, gain in parts:
        start = int(off * rate)
        for i, v in enumerate(s):
            out[start + i] += v * gain
    return out


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def normalise(samples, peak=0.85):
    top = max((abs(s) for s in samples), default=0.0)
    return [s * peak / top for s in samples] if top > 0 else samples


def fit(samples, rate, seconds):
    """Pads with silence or cuts (with a fade) to the exact length."""
    n = int(round(rate * seconds))
    if len(samples) >= n:
        out = samples[:n]
        fade = min(n, int(rate * 0.01))
        for i in range(fade):
            out[n - 1 - i] *= i / fade
        return out
    return samples + [0.0] * (n - len(samples))


def write(name, rate, bits, channels, samples):
    """samples: one list for mono, a list of lists (one per channel) for stereo."""
    chans = [samples] if channels == 1 else samples
    frames = bytearray()
    for i in range(len(chans[0])):
        for c in chans:
            v = max(-1.0, min(1.0, c[i]))
            if bits == 8:
                frames.append(int(round(v * 127)) + 128)
            else:
                frames += struct.pack("<h", int(round(v * 32767)))
    path = os.path.join(OUT, name + ".wav")
    with wave.open(path, "wb") as w:
        w.setnchannels(channels)
        w.setsampwidth(bits // 8)
        w.setframerate(rate)
        w.writeframes(bytes(frames))
    print(f"{name}.wav  {channels}ch {bits}-bit {rate} Hz  {len(chans[0]) / rate:.2f} s")


# --- speech ---

def speak(text, rate, pitch=50, speed=160, voice="en", amplitude=120):
    """espeak-ng's voice for text, trimmed of leading and trailing silence, at rate."""
    if shutil.which("espeak-ng") is None:
        sys.exit("make-sounds: espeak-ng is needed for the spoken clips (apt-get install espeak-ng)")
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "say.wav")
        subprocess.run(["espeak-ng", "-v", voice, "-p", str(pitch), "-s", str(speed),
                        "-a", str(amplitude), "-w", path, text], check=True)
        with wave.open(path, "rb") as w:
            src_rate = w.getframerate()
            raw = w.readframes(w.getnframes())
            assert w.getsampwidth() == 2 and w.getnchannels() == 1
    src = [v / 32768 for (v,) in struct.iter_unpack("<h", raw)]
    limit = 0.02
    first = next((i for i, v in enumerate(src) if abs(v) > limit), 0)
    last = len(src) - next((i for i, v in enumerate(reversed(src)) if abs(v) > limit), 0)
    src = src[first:last]
    return resample(src, src_rate, rate)


def resample(src, src_rate, rate):
    """Linear interpolation after a box low-pass; enough for speech going down to 11 kHz."""
    if src_rate == rate:
        return src
    step = src_rate / rate
    width = max(1, int(step))
    if width > 1:
        src = [sum(src[max(0, i - width + 1):i + 1]) / width for i in range(len(src))]
    out = []
    pos = 0.0
    while pos < len(src) - 1:
        i = int(pos)
        frac = pos - i
        out.append(src[i] * (1 - frac) + src[i + 1] * frac)
        pos += step
    return out


# --- the clips ---

def main():
    os.makedirs(OUT, exist_ok=True)
    rng = random.Random(20260501)
    bell = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.06))
    mellow = ((1, 1.0), (2, 0.2), (3, 0.05))

    # someone arrives: a two-note door chime, high then low
    r = 11025
    write("entered", r, 8, 1, fit(normalise(mix(
        (0.0, r, tone(r, 784, 0.79, decay=0.28, harmonics=bell), 1.0),
        (0.26, r, tone(r, 587, 0.53, decay=0.30, harmonics=bell), 1.0))), r, 0.79))

    # a key press: a bright tick over a puff of noise
    r = 44100
    tick = tone(r, 2600, 0.10, attack=0.0005, decay=0.008, harmonics=((1, 1.0), (2.7, 0.4)))
    puff = noise(r, 0.10, rng, 0.3, lambda t, d: math.exp(-t / 0.006))
    write("typing1", r, 16, 1, fit(normalise(mix((0.0, r, tick, 0.7), (0.0, r, puff, 0.5)), 0.6), r, 0.10))

    # taking a letter back: a short falling zip and a soft tick
    zip_ = glide(r, 1800, 500, 0.16, decay=0.07)
    back_tick = tone(r, 1400, 0.06, attack=0.0005, decay=0.01)
    write("backspace", r, 16, 1, fit(normalise(mix((0.0, r, zip_, 0.8), (0.15, r, back_tick, 0.6)), 0.6), r, 0.22))

    # no good: a low, short buzz
    r = 22050
    buzz = tone(r, 155, 0.13, attack=0.003, decay=0.09,
                harmonics=tuple((k, 1.0 / k) for k in range(1, 12, 2)))
    write("wrongguess", r, 8, 1, fit(normalise(buzz, 0.75), r, 0.13))

    # found it: a rising major arpeggio ending on a held chord
    notes = [523.25, 659.25, 783.99, 1046.5]
    parts = [(i * 0.11, r, tone(r, f, 1.0 - i * 0.11, decay=0.35, harmonics=mellow), 1.0)
             for i, f in enumerate(notes)]
    write("rightguess", r, 8, 1, fit(normalise(mix(*parts)), r, 1.0))

    # your turn (classic): a bell answered from the other side, in stereo
    r = 11025
    left = mix((0.0, r, tone(r, 880, 0.57, decay=0.18, harmonics=bell), 1.0),
               (0.2, r, tone(r, 1174.7, 0.37, decay=0.15, harmonics=bell), 0.35))
    right = mix((0.0, r, tone(r, 880, 0.57, decay=0.18, harmonics=bell), 0.35),
                (0.2, r, tone(r, 1174.7, 0.37, decay=0.15, harmonics=bell), 1.0))
    peak = max(max(abs(v) for v in left), max(abs(v) for v in right))
    left = fit([v * 0.8 / peak for v in left], r, 0.57)
    right = fit([v * 0.8 / peak for v in right], r, 0.57)
    write("turn", r, 16, 2, [left, right])

    # your turn (new): three quick marimba notes
    r = 44100
    marimba = ((1, 1.0), (4, 0.25), (10, 0.05))
    parts = [(i * 0.09, r, tone(r, f, 0.43 - i * 0.09, attack=0.002, decay=0.07, harmonics=marimba), 1.0)
             for i, f in enumerate([659.25, 987.77, 1318.5])]
    write("turnnew", r, 8, 1, fit(normalise(mix(*parts)), r, 0.43))

    # a ball strikes: a 10 ms clack
    r = 22050
    clack = mix((0.0, r, tone(r, 3100, 0.01, attack=0.0002, decay=0.0025, harmonics=((1, 1.0), (1.6, 0.6))), 1.0),
                (0.0, r, noise(r, 0.01, rng, 0.2, lambda t, d: math.exp(-t / 0.0015)), 0.6))
    write("ballhit", r, 16, 1, fit(normalise(clack, 0.9), r, 0.01))

    # game over: a short "ta-da" fanfare settling on a chord
    parts = [(0.0, r, tone(r, 392.0, 0.18, decay=0.12, harmonics=mellow), 1.0),
             (0.16, r, tone(r, 523.25, 0.9, decay=0.4, harmonics=mellow), 1.0),
             (0.16, r, tone(r, 659.25, 0.9, decay=0.4, harmonics=mellow), 0.8),
             (0.16, r, tone(r, 783.99, 0.9, decay=0.4, harmonics=mellow), 0.7)]
    write("gameover", r, 8, 1, fit(normalise(mix(*parts)), r, 1.06))

    # asked for a clip that is not there: a plain soft blip
    write("default", r, 16, 1, fit(normalise(tone(r, 660, 0.2, decay=0.06, harmonics=mellow), 0.6), r, 0.2))

    chatter(rng)


def chatter(rng):
    r = 22050  # espeak-ng's own rate: no resampling blur on the voices

    def say(name, text, longest, **voice):
        clip = speak(text, r, **voice)
        write(name, r, 8, 1, fit(normalise(clip), r, min(longest, len(clip) / r + 0.05)))

    say("wave1", "doh!", 1.0, pitch=30, speed=120, voice="en-us")

    # a cough: two rough bursts of dark noise, the second weaker
    def burst(t, d):
        return min(1.0, t / 0.01) * math.exp(-t / 0.07)
    cough = mix((0.0, r, noise(r, 0.25, rng, 0.55, burst), 1.0),
                (0.0, r, tone(r, 140, 0.25, decay=0.06, harmonics=((1, 1), (2, 0.5), (3, 0.3))), 0.4),
                (0.32, r, noise(r, 0.22, rng, 0.55, burst), 0.7),
                (0.32, r, tone(r, 130, 0.22, decay=0.05, harmonics=((1, 1), (2, 0.5))), 0.3))
    write("wave2", r, 8, 1, fit(normalise(cough), r, 0.6))

    say("wave3", "hello!", 1.2, pitch=60, speed=150)
    say("wave4", "thank you", 1.4, pitch=55, speed=150)
    say("wave5", "where have you been?", 2.1, pitch=50, speed=165)

    # snoring: a slow rattling inhale, a pause, a softer whistle out
    def inhale(t, d):
        return math.sin(math.pi * t / d) * (0.6 + 0.4 * math.sin(TAU * 28 * t))
    rattle = noise(r, 0.9, rng, 0.85, inhale)
    rumble = tone(r, 85, 0.9, attack=0.2, harmonics=((1, 1), (2, 0.6), (3, 0.4)))
    rumble = [v * math.sin(math.pi * i / len(rumble)) for i, v in enumerate(rumble)]
    whistle = glide(r, 900, 700, 0.6)
    whistle = [v * math.sin(math.pi * i / len(whistle)) for i, v in enumerate(whistle)]
    snore = mix((0.0, r, rattle, 1.0), (0.0, r, rumble, 0.5), (1.2, r, whistle, 0.15),
                (1.2, r, noise(r, 0.6, rng, 0.7, lambda t, d: math.sin(math.pi * t / d)), 0.25))
    write("wave6", r, 8, 1, fit(normalise(snore), r, 2.0))

    # a sneeze: "ah... ah..." then a sharp burst
    ah = speak("ah, ah", r, pitch=70, speed=110)
    choo = mix((0.0, r, noise(r, 0.35, rng, 0.15, lambda t, d: min(1.0, t / 0.005) * math.exp(-t / 0.09)), 1.0),
               (0.0, r, speak("choo", r, pitch=75, speed=180), 0.6))
    write("wave7", r, 8, 1, fit(normalise(concat(ah, silence(r, 0.12), choo)), r, 1.6))

    say("wave8", "sorry", 1.2, pitch=45, speed=140)
    say("wave9", "welcome!", 1.3, pitch=55, speed=150)
    say("wave10", "yee haa!", 1.6, pitch=80, speed=150, voice="en-us")
    say("wave11", "yippee!", 1.3, pitch=90, speed=160)
    say("wave12", "oh no!", 1.4, pitch=40, speed=120)


if __name__ == "__main__":
    main()
