#!/usr/bin/python3
# A renderer that breaks the frames hand-over the way a faulty norvex could,
# for the Plasma wallpaper's test: started like norvex (--frames-to 3 ...),
# it takes the first Size, makes a sealed buffer of two slots and announces it,
# then, as ROGUE says:
#   slot:  a frame in slot 2, past the buffer's end;
#   short: the buffer announced one row taller than its file.
# Then it waits for the other side to close the socket.
import fcntl
import os
import socket
import struct

MESSAGE = struct.Struct("6I")  # kind, slot, width, height, stride, serial
SIZE, BUFFER, FRAME = 1, 16, 17
SLOTS, BYTES_PER_PIXEL = 2, 4

mode = os.environ.get("ROGUE", "slot")
link = socket.socket(fileno=3)
while True:
    kind, _, width, height, _, _ = MESSAGE.unpack(link.recv(MESSAGE.size))
    if kind == SIZE:
        break
stride = width * BYTES_PER_PIXEL
memory = os.memfd_create("norvex-frames", os.MFD_ALLOW_SEALING)
os.ftruncate(memory, stride * height * SLOTS)
fcntl.fcntl(memory, fcntl.F_ADD_SEALS, fcntl.F_SEAL_SHRINK | fcntl.F_SEAL_GROW)
announced = height + 1 if mode == "short" else height
socket.send_fds(link, [MESSAGE.pack(BUFFER, 0, width, announced, stride, 1)], [memory])
if mode == "slot":
    link.send(MESSAGE.pack(FRAME, SLOTS, 0, 0, 0, 1))
while link.recv(MESSAGE.size):
    pass
