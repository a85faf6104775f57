#!/usr/bin/env python3
"""HTTPS server for the update tests: serves one folder on 127.0.0.1 with a throw-away certificate.

Usage: https_server.py FOLDER CERT KEY. Prints the port it listens on, then serves until killed.
  /NAME           the file with its length
  /nolength/NAME  the file without a length; the end of the body is the end of the connection
  /stall/NAME     the file's length and its first 10240 bytes, then nothing until the client leaves
Every request's path and headers are appended to FOLDER/requests.log.
"""
import http.server
import os
import ssl
import sys

FOLDER, CERT, KEY = sys.argv[1:4]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        with open(os.path.join(FOLDER, "requests.log"), "a") as log:
            log.write("GET %s\n%s\n" % (self.path, str(self.headers).strip()))
        mode, _, name = self.path.lstrip("/").rpartition("/")
        path = os.path.join(FOLDER, name)
        if "/" in name or name == "requests.log" or not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if mode != "nolength":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if mode == "stall":
            self.wfile.write(body[:10240])
            self.wfile.flush()
            self.connection.settimeout(120)
            try:
                self.connection.recv(1)
            except OSError:
                pass
            return
        self.wfile.write(body)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients the tests send away (plain http, untrusted certificate) are expected


server = Server(("127.0.0.1", 0), Handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(CERT, KEY)
server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
