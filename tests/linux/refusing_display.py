#!/usr/bin/env python3
"""An X display that refuses every connection, as a server without the
client's cookie does: it answers the connection setup with "Failed".

    refusing_display.py NUMBER

Listens on the abstract socket of display :NUMBER, prints "ready", and
serves until killed.
"""
import socket
import struct
import sys


def pad(n):
    return (4 - n % 4) % 4


def main():
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind('\0/tmp/.X11-unix/X' + sys.argv[1])
    server.listen(8)
    print('ready', flush=True)
    while True:
        client, _ = server.accept()
        with client:
            head = client.recv(12, socket.MSG_WAITALL)
            if len(head) < 12:
                continue
            order = '<' if head[:1] == b'l' else '>'
            name_length, data_length = struct.unpack(order + 'HH', head[6:10])
            client.recv(name_length + pad(name_length) + data_length + pad(data_length), socket.MSG_WAITALL)
            reason = b'No protocol specified'
            reply = struct.pack(order + 'BBHHH', 0, len(reason), 11, 0, (len(reason) + pad(len(reason))) // 4)
            client.sendall(reply + reason + b'\0' * pad(len(reason)))


if __name__ == '__main__':
    main()
