#!/usr/bin/env python3
"""Serves the web edition's built site with Python's own HTTP server.

Text and WebAssembly go out gzip-compressed to browsers that accept it (most of a phone's first
visit is the module, which compresses to about a third), and every answer says how it may be
cached. With --cert and --key it speaks https, which a phone needs for the microphone; with
--ca-cert it also offers the certificate authority that signed that certificate, with a page
that tells a phone how to install it, over https and (with --setup-port) over plain http.

The server answers anyone on the network it is bound to, so it holds up against clients that
misbehave: only regular files inside the site are served, a request that is not a plain path is
answered 400, every connection has a time limit for its TLS handshake and for each request it
sends, and connections beyond what the process's descriptors allow are refused with one line on
standard error each.
"""
import argparse
import email.utils
import gzip
import http.server
import io
import os
import re
import resource
import ssl
import stat
import sys
import threading
import time
import urllib.parse

# The server runs from the source tree, which it leaves as it found it.
sys.dont_write_bytecode = True
import lan_certificate_page  # noqa: E402

# What the site assembler makes of a file's name: `host.js` becomes `host.<8 hex digits>.js`.
HASHED_NAME = re.compile(r"\.[0-9a-f]{8}\.[A-Za-z0-9]+$")

COMPRESSED_TYPES = ("text/", "application/javascript", "application/wasm", "application/json",
                    "application/manifest+json", "image/svg+xml")

# Long enough for a phone on a weak Wi-Fi to finish its handshake and send a request, short enough
# that clients which never do give their connection back soon.
REQUEST_SECONDS = 10.0

# Descriptors kept for the server's own use (standard streams, listening sockets, modules); each
# connection may hold two more, its socket and the file it is being sent.
RESERVED_DESCRIPTORS = 32


def quiet():
    return os.environ.get("STRUMWISE_SERVE_QUIET") == "1"


def say(line):
    print(line, file=sys.stderr, flush=True)


class BadRequest(Exception):
    """A request path that names no file a site could hold."""


class _DeadlineReader(io.RawIOBase):
    """The connection's incoming bytes, read under one time limit for a whole request head.

    A socket timeout alone limits each read, so a client sending a byte every few seconds would
    hold its connection for ever; here each read waits only for what is left of the request's
    time."""

    def __init__(self, connection):
        self.connection = connection
        self.deadline = time.monotonic()

    def readable(self):
        return True

    def readinto(self, buffer):
        left = self.deadline - time.monotonic()
        if left <= 0:
            raise TimeoutError("no complete request in time")
        self.connection.settimeout(left)
        return self.connection.recv_into(buffer)


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".js": "text/javascript", ".mjs": "text/javascript", ".wasm": "application/wasm",
                      ".webmanifest": "application/manifest+json"}
    # Keeps connections open between requests: over https each new one costs a handshake.
    protocol_version = "HTTP/1.1"
    # A request line that cannot be read is answered with a status line too (the base class
    # would answer it as the web's first version did, with a bare page a client cannot tell from
    # content).
    default_request_version = "HTTP/1.0"

    def setup(self):
        limit = self.server.request_seconds
        self.request.settimeout(limit)
        if isinstance(self.request, ssl.SSLSocket):
            # Done here, under the time limit, rather than on the first read.
            self.request.do_handshake()
        super().setup()
        # The reader the base class made is replaced by one under the request's time limit.
        self.rfile.close()
        self.deadline_reader = _DeadlineReader(self.request)
        self.rfile = io.BufferedReader(self.deadline_reader)

    def handle_one_request(self):
        # The time from the end of the last answer (or the handshake) to the end of this request's
        # head; the answer is written under the socket's own time limit.
        self.deadline_reader.deadline = time.monotonic() + self.server.request_seconds
        super().handle_one_request()

    def parse_request(self):
        parsed = super().parse_request()
        self.request.settimeout(self.server.request_seconds)
        return parsed

    def end_headers(self):
        # A file named after its contents never changes under that name: the browser may keep it
        # for a year without asking again. The page, the manifest and the service worker, which
        # name those files, are checked with the server on each use (an unchanged one costs a
        # "not modified" answer), so a new release is never hidden behind a copy the browser kept.
        path = getattr(self, "path", "").split("?", 1)[0]
        immutable = HASHED_NAME.search(path) is not None
        self.send_header("Cache-Control", "public, max-age=31536000, immutable" if immutable else "no-cache")
        super().end_headers()

    def send_head(self):
        path = self.answerable_path()
        if path is None:
            return None
        page = self.server.lan_setup and self.server.lan_setup.answer(path, self.headers)
        if page:
            return self.send_body(*page)
        file, redirect = self.site_file(path)
        if redirect:
            self.send_response(301)
            self.send_header("Location", redirect)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return None
        if file is None:
            self.send_error(404, "File not found")
            return None
        return self.send_file(file)

    def answerable_path(self):
        """The request's path, or None once a bad one has been answered with 400."""
        try:
            return self.request_path()
        except BadRequest:
            self.send_error(400, "Bad request path")
            return None

    def request_path(self):
        """The request's path, decoded; BadRequest for one no file could be named by."""
        raw = self.path.split("?", 1)[0].split("#", 1)[0]
        if not raw.startswith("/"):
            raise BadRequest()
        try:
            path = urllib.parse.unquote(raw, errors="strict")
        except UnicodeDecodeError:
            raise BadRequest() from None
        if any(ord(c) < 0x20 or c in "\\\x7f" for c in path):
            raise BadRequest()
        return path

    def site_file(self, path):
        """The regular file inside the site that `path` names, or a redirect to a folder's own
        address; (None, None) for anything else. Symbolic links are followed only as far as they
        stay inside the site, and a folder is never listed."""
        root = self.server.site_root
        local = self.translate_path(path)
        real = os.path.realpath(local)
        if real != root and not real.startswith(root + os.sep):
            return None, None
        if os.path.isdir(real):
            if not path.endswith("/"):
                return None, path + "/"
            real = os.path.realpath(os.path.join(real, "index.html"))
            if not real.startswith(root + os.sep):
                return None, None
        try:
            status = os.stat(real)
        except OSError:
            return None, None
        return (real if stat.S_ISREG(status.st_mode) else None), None

    def list_directory(self, path):
        self.send_error(404, "File not found")
        return None

    def send_file(self, path):
        content_type = self.guess_type(path)
        status = os.stat(path)
        accepts_gzip = "gzip" in self.headers.get("Accept-Encoding", "")
        compress = accepts_gzip and content_type.startswith(COMPRESSED_TYPES)
        tag = f'"{status.st_mtime_ns:x}-{status.st_size:x}{"-gz" if compress else ""}"'
        if tag in self.headers.get("If-None-Match", ""):
            self.send_response(304)
            self.send_header("ETag", tag)
            self.send_header("Vary", "Accept-Encoding")
            self.end_headers()
            return None
        if compress:
            body = self.server.compressed(path, status)
        else:
            with open(path, "rb") as f:
                body = f.read()
        return self.send_body(body, content_type, {
            "ETag": tag, "Vary": "Accept-Encoding",
            "Last-Modified": email.utils.formatdate(status.st_mtime, usegmt=True),
            **({"Content-Encoding": "gzip"} if compress else {})})

    def send_body(self, body, content_type, headers=None):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        self.end_headers()
        return io.BytesIO(body)

    def log_message(self, format, *args):
        if not quiet():
            super().log_message(format, *args)


class SetupHandler(SiteHandler):
    """The plain-http address a phone opens first: the certificate's page and the certificate,
    and for any other path a redirect to the same path over https."""

    def send_head(self):
        path = self.answerable_path()
        if path is None:
            return None
        setup = self.server.lan_setup
        if path == "/":
            path = setup.page_path
        page = setup.answer(path, self.headers)
        if page:
            return self.send_body(*page)
        self.send_response(302)
        self.send_header("Location", setup.site_url.rstrip("/") + urllib.parse.quote(path))
        self.send_header("Content-Length", "0")
        self.end_headers()
        return None


class SiteServer(http.server.ThreadingHTTPServer):
    # Room for a burst of phones and tabs connecting at once.
    request_queue_size = 128

    def __init__(self, address, handler, site, *, request_seconds, max_connections, lan_setup=None):
        self.site_root = os.path.realpath(site)
        self.request_seconds = request_seconds
        self.max_connections = max_connections
        self.lan_setup = lan_setup
        self.open_connections = 0
        self.count_lock = threading.Lock()
        # One compressed copy per file, made on the first request for it and replaced when the
        # file changes: {path: (modification time, size, compressed bytes)}.
        self.compressed_files = {}
        self.compressed_lock = threading.Lock()
        super().__init__(address, handler)

    def compressed(self, path, status):
        key = (status.st_mtime_ns, status.st_size)
        with self.compressed_lock:
            kept = self.compressed_files.get(path)
        if kept and kept[0] == key:
            return kept[1]
        with open(path, "rb") as f:
            body = gzip.compress(f.read(), 9, mtime=0)
        with self.compressed_lock:
            self.compressed_files[path] = (key, body)
        return body

    def get_request(self):
        try:
            return super().get_request()
        except OSError as error:
            # Out of descriptors (another program's share, or a limit lowered under us): the
            # waiting connection stays queued, so a pause keeps the loop from spinning on it.
            say(f"serve-site: cannot take a connection: {error.strerror or error}")
            time.sleep(0.5)
            raise

    def process_request(self, request, client_address):
        with self.count_lock:
            admitted = self.open_connections < self.max_connections
            if admitted:
                self.open_connections += 1
        if not admitted:
            say(f"serve-site: refused a connection from {client_address[0]}: "
                f"{self.max_connections} connections are open, the most this server keeps")
            self.shutdown_request(request)
            return
        try:
            super().process_request(request, client_address)
        except BaseException:
            self.connection_closed()
            raise

    def process_request_thread(self, request, client_address):
        try:
            super().process_request_thread(request, client_address)
        finally:
            self.connection_closed()

    def connection_closed(self):
        with self.count_lock:
            self.open_connections -= 1

    def handle_error(self, request, client_address):
        # A client that went away, sent garbage or never finished its handshake is the client's
        # fault, and a server facing many of them must not fill the terminal: one line, or none
        # when asked to be quiet.
        if not quiet():
            error = sys.exc_info()[1]
            say(f"serve-site: gave up on {client_address[0]}: {type(error).__name__}: {error}")


def listening(address, handler, site, **options):
    """A server listening on `address`, or one clear line and an exit when it cannot."""
    try:
        return SiteServer(address, handler, site, **options)
    except OSError as error:
        sys.exit(f"serve-site: cannot listen on {address[0]}:{address[1]}: {error.strerror or error}")


def connection_limit(asked):
    """The most connections the process's descriptor limit allows, or fewer if asked."""
    soft, _ = resource.getrlimit(resource.RLIMIT_NOFILE)
    allowed = max(1, (soft - RESERVED_DESCRIPTORS) // 2) if soft != resource.RLIM_INFINITY else 1024
    return min(asked, allowed) if asked else allowed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", required=True, help="the built site's folder")
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=8080)
    parser.add_argument("--cert", help="PEM certificate, for https")
    parser.add_argument("--key", help="PEM private key, for https")
    parser.add_argument("--ca-cert", help="PEM certificate of the authority that signed --cert, "
                        "offered to phones with a page on how to install it")
    parser.add_argument("--setup-port", type=int,
                        help="also serve that page over plain http on this port (needs --ca-cert)")
    parser.add_argument("--request-seconds", type=float, default=REQUEST_SECONDS,
                        help="time limit for a connection's handshake and each request")
    parser.add_argument("--max-connections", type=int, default=0,
                        help="connections served at once (default: as many as descriptors allow)")
    args = parser.parse_args()
    if (args.ca_cert or args.setup_port) and not args.cert:
        parser.error("--ca-cert and --setup-port need --cert and --key")
    if args.setup_port and not args.ca_cert:
        parser.error("--setup-port needs --ca-cert")

    # The certificate's page shares the descriptors with the site, and needs few of them.
    allowed = connection_limit(args.max_connections)
    setup_allowed = max(1, allowed // 8) if args.setup_port is not None else 0
    handler = lambda *a, **k: SiteHandler(*a, directory=args.site, **k)  # noqa: E731
    server = listening((args.bind, args.port), handler, args.site, request_seconds=args.request_seconds,
                       max_connections=max(1, allowed - setup_allowed))
    scheme = "http"
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        # The handshake happens in the connection's own thread, so a slow client holds up no
        # other.
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
        scheme = "https"
    host, port = server.server_address[:2]
    site_url = f"{scheme}://{host}:{port}/"
    setup_server = None
    if args.ca_cert:
        server.lan_setup = lan_certificate_page.LanSetup(args.ca_cert, site_url)
        if args.setup_port is not None:
            setup_handler = lambda *a, **k: SetupHandler(*a, directory=args.site, **k)  # noqa: E731
            setup_server = listening((args.bind, args.setup_port), setup_handler, args.site,
                                     request_seconds=args.request_seconds,
                                     max_connections=setup_allowed, lan_setup=server.lan_setup)
            threading.Thread(target=setup_server.serve_forever, daemon=True).start()
    print(f"Serving the web edition on {site_url} (Ctrl+C stops)", flush=True)
    if setup_server:
        setup_host, setup_port = setup_server.server_address[:2]
        print(f"Serving the certificate's page on http://{setup_host}:{setup_port}"
              f"{server.lan_setup.page_path}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
