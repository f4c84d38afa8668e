#!/usr/bin/env python3
"""One pH reading the way a user would write it without the driver: open
the port, 9600 baud 8N1 raw, send "?RD" CR, read up to the CR within one
second, take the two digits on each side of the point. Prints the value, or
-777 when no usable line came. Usage: lecture.py [PORT]"""
import os
import select
import sys
import termios
import time

port = sys.argv[1] if len(sys.argv) > 1 else "/dev/com4"
fd = os.open(port, os.O_RDWR | os.O_NOCTTY)
iflag, oflag, cflag, lflag, ispeed, ospeed, cc = termios.tcgetattr(fd)
iflag &= ~(termios.IGNBRK | termios.BRKINT | termios.PARMRK | termios.ISTRIP | termios.INLCR
           | termios.IGNCR | termios.ICRNL | termios.IXON | termios.IXOFF)
oflag &= ~termios.OPOST
lflag &= ~(termios.ECHO | termios.ECHONL | termios.ICANON | termios.ISIG | termios.IEXTEN)
cflag &= ~(termios.CSIZE | termios.PARENB | termios.CSTOPB | termios.CRTSCTS)
cflag |= termios.CS8 | termios.CREAD | termios.CLOCAL
cc[termios.VMIN] = 1
cc[termios.VTIME] = 0
termios.tcsetattr(fd, termios.TCSANOW,
                  [iflag, oflag, cflag, lflag, termios.B9600, termios.B9600, cc])
termios.tcflush(fd, termios.TCIFLUSH)
os.write(fd, b"?RD\r")

ligne = b""
fin = time.monotonic() + 1.0
while not ligne.endswith(b"\r"):
    reste = fin - time.monotonic()
    if reste <= 0 or not select.select([fd], [], [], reste)[0]:
        break
    ligne += os.read(fd, 1)
os.close(fd)

texte = ligne[:-1].decode("latin-1") if ligne.endswith(b"\r") else ""
point = texte.find(".")
try:
    print(float(texte[point - 2:point + 3]) if point > 3 else -777)
except ValueError:
    print(-777)
