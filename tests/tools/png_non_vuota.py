#!/usr/bin/env python3
"""Exits 0 when the PNG given is not blank: at least 2% of its pixels differ
from its most common colour and it holds at least 16 colours. Standard
library only: 8-bit RGB or RGBA, not interlaced (what Chromium writes)."""
import collections
import struct
import sys
import zlib


def righe(percorso):
    with open(percorso, "rb") as f:
        dati = f.read()
    if dati[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG")
    pos, idat, larghezza, altezza, canali = 8, b"", 0, 0, 0
    while pos < len(dati):
        lunghezza, tipo = struct.unpack(">I4s", dati[pos:pos + 8])
        corpo = dati[pos + 8:pos + 8 + lunghezza]
        if tipo == b"IHDR":
            larghezza, altezza, bit, colore, _, _, interlacciato = struct.unpack(">IIBBBBB", corpo)
            if bit != 8 or colore not in (2, 6) or interlacciato:
                raise SystemExit("unsupported PNG (bit depth %d, colour type %d)" % (bit, colore))
            canali = 3 if colore == 2 else 4
        elif tipo == b"IDAT":
            idat += corpo
        pos += 12 + lunghezza
    grezzi = zlib.decompress(idat)
    passo = larghezza * canali
    precedente = bytearray(passo)
    for y in range(altezza):
        filtro = grezzi[y * (passo + 1)]
        riga = bytearray(grezzi[y * (passo + 1) + 1:(y + 1) * (passo + 1)])
        for i in range(passo):
            a = riga[i - canali] if i >= canali else 0
            b = precedente[i]
            c = precedente[i - canali] if i >= canali else 0
            if filtro == 1:
                riga[i] = (riga[i] + a) & 255
            elif filtro == 2:
                riga[i] = (riga[i] + b) & 255
            elif filtro == 3:
                riga[i] = (riga[i] + (a + b) // 2) & 255
            elif filtro == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                riga[i] = (riga[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        yield [bytes(riga[x * canali:x * canali + 3]) for x in range(larghezza)]
        precedente = riga


def main():
    conta = collections.Counter()
    for riga in righe(sys.argv[1]):
        conta.update(riga)
    totale = sum(conta.values())
    fondo = conta.most_common(1)[0][1]
    diversi = (totale - fondo) / totale
    print("%d colours, %.1f%% of the pixels off the background" % (len(conta), 100 * diversi))
    sys.exit(0 if diversi >= 0.02 and len(conta) >= 16 else 1)


main()
