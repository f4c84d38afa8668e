"""Loads the driver with ctypes and reads the pH."""
import ctypes
import os
import sys

pilote = ctypes.CDLL("lph330t.dll" if os.name == "nt" else "liblph330t.so.1")
# Declare every function used: ctypes assumes an int result otherwise.
pilote.titre.restype = ctypes.c_char_p
pilote.titre.argtypes = []
pilote.ead.restype = ctypes.c_double
pilote.ead.argtypes = [ctypes.c_int32]

# Driver texts are in the Windows ANSI code page.
print(pilote.titre().decode("cp1252"))
ph = pilote.ead(0)  # up to one second
if ph == -777.0:
    print("no reading")
    sys.exit(1)
print(f"pH {ph:.2f}")
