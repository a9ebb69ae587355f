#!/usr/bin/env python3
"""Connects to a VNC server on 127.0.0.1 as a viewer would (RFB 3.8, VNC
authentication) and prints what it offered and what it answered:
    vnc_probe.py PORT PASSWORD
prints "security-types=2 size=1280x800" once in, "security-types=2 refused" for a
password it turns down; exits 0 in both cases and 1 on anything else."""
import ctypes
import ctypes.util
import socket
import struct
import sys


def des_encrypt(key, block):
    # VNC authentication is DES; the standard library has none, libcrypto has.
    name = ctypes.util.find_library("crypto")
    if name is None:
        raise RuntimeError("no libcrypto for DES")
    crypto = ctypes.CDLL(name)
    schedule = ctypes.create_string_buffer(256)
    crypto.DES_set_key_unchecked(ctypes.create_string_buffer(key, 8), schedule)
    out = ctypes.create_string_buffer(8)
    crypto.DES_ecb_encrypt(ctypes.create_string_buffer(block, 8), out, schedule, 1)
    return out.raw


def vnc_key(password):
    # The protocol uses each key byte with its bits in reverse order.
    raw = password.encode()[:8].ljust(8, b"\0")
    return bytes(int(f"{b:08b}"[::-1], 2) for b in raw)


def receive(sock, count):
    data = b""
    while len(data) < count:
        chunk = sock.recv(count - len(data))
        if not chunk:
            raise EOFError("the server closed the connection")
        data += chunk
    return data


def main():
    port, password = int(sys.argv[1]), sys.argv[2]
    with socket.create_connection(("127.0.0.1", port), timeout=30) as sock:
        version = receive(sock, 12)
        if not version.startswith(b"RFB 003."):
            raise RuntimeError(f"not an RFB server: {version!r}")
        sock.sendall(b"RFB 003.008\n")
        count = receive(sock, 1)[0]
        if count == 0:
            raise RuntimeError("the server refused the connection")
        types = list(receive(sock, count))
        offered = "security-types=" + ",".join(str(t) for t in types)
        if 2 not in types:
            print(offered)
            return 0
        sock.sendall(b"\x02")
        challenge = receive(sock, 16)
        key = vnc_key(password)
        sock.sendall(des_encrypt(key, challenge[:8]) + des_encrypt(key, challenge[8:]))
        if struct.unpack(">I", receive(sock, 4))[0] != 0:
            print(offered, "refused")
            return 0
        sock.sendall(b"\x01")  # shared
        width, height = struct.unpack(">HH", receive(sock, 4))
        print(offered, f"size={width}x{height}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (OSError, EOFError, RuntimeError) as error:
        print(f"vnc_probe: {error}", file=sys.stderr)
        sys.exit(1)
