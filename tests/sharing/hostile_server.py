#!/usr/bin/python3
"""A CalDAV server on loopback that misbehaves in one way, for the publishing tests.

    hostile_server.py CASE LOG   -> prints "PORT OTHER_PORT", then serves until killed

A CASE starting with "tls_" serves PORT over https with LOG.pem beside the log (certificate and key,
made here for 127.0.0.1); OTHER_PORT stays plain http.

The collection is /cal/ on PORT, user "family", password "secret". OTHER_PORT is another origin that
redirects point to. Every request either server sees goes to LOG as one line:
"<port> <method> <path> <auth yes/no> <If-Match or ->".
"""
import http.server
import re
import socket
import socketserver
import ssl
import subprocess
import sys
import threading
import time

case, log_path = sys.argv[1], sys.argv[2]
store = {}  # path -> (etag, body)
counter = [0]
lock = threading.Lock()
AUTH = "Basic ZmFtaWx5OnNlY3JldA=="  # family:secret


def multistatus(responses):
    body = '<?xml version="1.0"?><d:multistatus xmlns:d="DAV:">' + "".join(responses) + "</d:multistatus>"
    return body.encode()


def response(href, etag):
    prop = f"<d:getetag>{etag}</d:getetag>" if etag else ""
    missing = "" if etag else ("<d:propstat><d:prop><d:getetag/></d:prop>"
                               "<d:status>HTTP/1.1 404 Not Found</d:status></d:propstat>")
    return (f"<d:response><d:href>{href}</d:href><d:propstat><d:prop>{prop}<d:resourcetype/></d:prop>"
            f"<d:status>HTTP/1.1 200 OK</d:status></d:propstat>{missing}</d:response>")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        port = self.server.server_address[1]
        with open(log_path, "a") as log:
            log.write(f"{port} {self.command} {self.path} "
                      f"{'yes' if self.headers.get('Authorization') else 'no'} "
                      f"{self.headers.get('If-Match') or '-'}\n")
        if port != main_port or self.headers.get("Authorization") != AUTH:
            return self.send(401, headers=[("WWW-Authenticate", 'Basic realm="cal"')])
        redirect = re.fullmatch(r"(?:tls_)?redirect(\d+)(_put)?", case)
        if redirect and (self.command == "PUT" or not redirect.group(2)):
            return self.send(int(redirect.group(1)),
                             headers=[("Location", f"http://127.0.0.1:{other_port}/elsewhere/")])
        if case == "same_origin" and self.path.startswith("/old/"):
            return self.send(308, headers=[("Location", "/cal/" + self.path[5:])])
        getattr(self, "on_" + self.command.lower())(body)

    do_PROPFIND = do_PUT = do_DELETE = handle_any

    def on_propfind(self, _):
        broken = {
            "dropped": lambda: self.cut(multistatus([response("/cal/", "")] * 20)[:-300]),
            "malformed": lambda: self.send(207, b'<?xml version="1.0"?><d:multistatus xmlns:d="DAV:"><d:response>'),
            "oversized": lambda: self.endless(b"<d:response/>" * 1000, 0),
            "trickle": lambda: self.endless(b" ", 0.2),
        }
        if case in broken:
            return broken[case]()
        with lock:
            listed = [response("/cal/", "")] + [response(p, "" if case == "noetag" else e)
                                                for p, (e, _) in store.items()]
        self.send(207, multistatus(listed), [("Content-Type", "application/xml")])

    def cut(self, body):
        self.send_response(207)
        self.send_header("Content-Length", str(len(body) * 2))
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()
        self.connection.shutdown(socket.SHUT_RDWR)
        self.close_connection = True

    def endless(self, chunk, pause):
        self.send_response(207)
        self.send_header("Content-Type", "application/xml")
        self.end_headers()
        self.wfile.write(b'<?xml version="1.0"?><d:multistatus xmlns:d="DAV:">')
        try:
            while True:
                self.wfile.write(chunk)
                time.sleep(pause)
        except OSError:
            pass

    def on_put(self, body):
        with lock:
            counter[0] += 1
            if case in ("429", "429_long") and counter[0] == 1:
                return self.send(429, headers=[("Retry-After", "1" if case == "429" else "3600")])
            if case in ("403", "507"):
                return self.send(int(case))
            etag = {"noetag": "", "weaketag": f'W/"{counter[0]}"'}.get(case, f'"{counter[0]}"')
            store[self.path] = (etag, body)
        self.send(201, headers=[("ETag", etag)] if etag else [])

    def on_delete(self, _):
        with lock:
            store.pop(self.path, None)
        self.send(204)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


open(log_path, "w").close()
main = Server(("127.0.0.1", 0), Handler)
other = Server(("127.0.0.1", 0), Handler)
main_port, other_port = main.server_address[1], other.server_address[1]
if case.startswith("tls_"):
    pem = log_path + ".pem"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                    "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", pem, "-out", pem],
                   check=True, capture_output=True)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(pem)
    main.socket = context.wrap_socket(main.socket, server_side=True)
threading.Thread(target=other.serve_forever, daemon=True).start()
print(main_port, other_port, flush=True)
main.serve_forever()
