#!/usr/bin/env python3
"""Serves the web edition's built site with Python's own HTTP server.

Text and WebAssembly go out gzip-compressed to browsers that accept it (most of a phone's first
visit is the module, which compresses to about a third), and every answer says how it may be
cached. With --cert and --key it speaks https, which a phone needs for the microphone.
"""
import argparse
import gzip
import http.server
import os
import re
import ssl
import sys

# What the site assembler makes of a file's name: `host.js` becomes `host.<8 hex digits>.js`.
HASHED_NAME = re.compile(r"\.[0-9a-f]{8}\.[A-Za-z0-9]+$")

COMPRESSED_TYPES = ("text/", "application/javascript", "application/wasm", "application/json",
                    "application/manifest+json", "image/svg+xml")


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".js": "text/javascript", ".mjs": "text/javascript", ".wasm": "application/wasm",
                      ".webmanifest": "application/manifest+json"}
    # Keeps connections open between requests: over https each new one costs a handshake.
    protocol_version = "HTTP/1.1"
    # One compressed copy per file and modification time, made on the first request for it.
    compressed = {}

    def end_headers(self):
        # A file named after its contents never changes under that name: the browser may keep it
        # for a year without asking again. The page, the manifest and the service worker, which
        # name those files, are checked with the server on each use (an unchanged one costs a
        # "not modified" answer), so a new release is never hidden behind a copy the browser kept.
        path = self.path.split("?", 1)[0]
        immutable = HASHED_NAME.search(path) is not None
        self.send_header("Cache-Control", "public, max-age=31536000, immutable" if immutable else "no-cache")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split("?", 1)[0].endswith("/"):
                return super().send_head()  # redirects to the folder's address with a slash
            path = os.path.join(path, "index.html")
        content_type = self.guess_type(path)
        accepts_gzip = "gzip" in self.headers.get("Accept-Encoding", "")
        if not os.path.isfile(path) or not accepts_gzip or not content_type.startswith(COMPRESSED_TYPES):
            return super().send_head()
        status = os.stat(path)
        tag = f'"{status.st_mtime_ns:x}-{status.st_size:x}-gz"'
        if tag in self.headers.get("If-None-Match", ""):
            self.send_response(304)
            self.send_header("ETag", tag)
            self.send_header("Vary", "Accept-Encoding")
            self.end_headers()
            return None
        key = (path, status.st_mtime_ns)
        body = self.compressed.get(key)
        if body is None:
            with open(path, "rb") as f:
                body = gzip.compress(f.read(), 9, mtime=0)
            self.compressed[key] = body
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("ETag", tag)
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return _Body(body)

    def log_message(self, format, *args):
        if os.environ.get("STRUMWISE_SERVE_QUIET") != "1":
            super().log_message(format, *args)


class _Body:
    """A finished answer body, read once by copyfile."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        data, self.data = self.data, b""
        return data

    def close(self):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True, help="the built site's folder")
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=8080)
    parser.add_argument("--cert", help="PEM certificate, for https")
    parser.add_argument("--key", help="PEM private key, for https")
    args = parser.parse_args()

    handler = lambda *a, **k: SiteHandler(*a, directory=args.site, **k)  # noqa: E731
    server = http.server.ThreadingHTTPServer((args.bind, args.port), handler)
    scheme = "http"
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        # The handshake happens in the connection's own thread, so a slow client holds up no
        # other.
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
        scheme = "https"
    host, port = server.server_address[:2]
    print(f"Serving the web edition on {scheme}://{host}:{port}/ (Ctrl+C stops)", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
