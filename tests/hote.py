"""A host program's view of the shared library: loaded with ctypes, called by
name, against the simulated meter on com4:. Usage: hote.py LIBRARY"""
import ctypes
import struct
import sys

lib = ctypes.CDLL(sys.argv[1])
echecs = []


def verifie(nom, obtenu, attendu):
    if obtenu != attendu:
        echecs.append(f"{nom}: {obtenu!r} instead of {attendu!r}")


def fonction(nom, resultat, *arguments):
    f = getattr(lib, nom)
    f.restype = resultat
    f.argtypes = list(arguments)
    return f


stdead = fonction("stdead", ctypes.c_double, ctypes.c_int32)
stdeas = fonction("stdeas", ctypes.c_float, ctypes.c_int32)
ea = fonction("ea", ctypes.c_int32, ctypes.c_int32)
titre = fonction("titre", ctypes.c_char_p)
detail = fonction("detail", ctypes.c_char_p)
nea = fonction("nea", ctypes.c_char_p, ctypes.c_int32)
stdsas = fonction("stdsas", ctypes.c_float, ctypes.c_int32, ctypes.c_float)

verifie("stdead(0)", stdead(0), 7.02)
verifie("stdeas(0)", stdeas(0), struct.unpack("f", struct.pack("f", 7.02))[0])
verifie("ea(0)", ea(0), 702)
verifie("titre()", titre(), b"LPH330T en Com4:")
verifie("detail()", detail(),
        b"pilote ex\xe9cutable pour pHm\xe8tre Tacussel LPH330T en Com4:, Orlavex, 26 nov 07")
verifie("nea(0)", nea(0), b"pH*100")
verifie("nea(1)", nea(1), b"mV")
verifie("nea(2)", nea(2), b"")
verifie("stdsas(0, 1.5)", stdsas(0, 1.5), -777.0)

for e in echecs:
    print(e)
sys.exit(1 if echecs else 0)
