#!/usr/bin/python3
"""A server for the transfer tests on 127.0.0.1 and a free port.

    local_server.py http ROOT READY
    local_server.py ftp ROOT READY USER PASSWORD [PERM]

"http" is Python's http.server serving ROOT (each answer held back by
LOCAL_SERVER_DELAY seconds when that is set, so a slow line can be shown); "ftp" is pyftpdlib with one
account whose home is ROOT (with pyftpdlib's permission letters PERM, full
rights by default; "elr" is a read-only account). Once the server accepts connections, "PID PORT"
appears in the file READY (written whole, then renamed into place). The
server ends on SIGTERM, and by itself when ROOT disappears or after a time
limit, so a test that dies cannot leave it running for long.
"""
import functools
import logging
import os
import signal
import sys
import threading
import time

TIME_LIMIT_SECONDS = 900


def http_server(root):
    from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
    delay = float(os.environ.get("LOCAL_SERVER_DELAY", "0") or 0)

    class Handler(SimpleHTTPRequestHandler):
        def do_GET(self):
            if delay > 0:
                time.sleep(delay)
            super().do_GET()

    handler = functools.partial(Handler, directory=root)
    return ThreadingHTTPServer(("127.0.0.1", 0), handler)


def ftp_server(root, user, password, perm):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm=perm)

    class Handler(FTPHandler):
        pass

    Handler.authorizer = authorizer
    Handler.auth_failed_timeout = 0  # refuse a bad login at once
    return FTPServer(("127.0.0.1", 0), Handler)


def main():
    mode, root, ready = sys.argv[1:4]
    log = os.open(ready + ".log", os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    null = os.open(os.devnull, os.O_RDONLY)
    os.dup2(null, 0)
    os.dup2(log, 1)
    os.dup2(log, 2)
    logging.basicConfig(level=logging.WARNING)
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))

    if mode == "http":
        server = http_server(root)
    else:
        perm = sys.argv[6] if len(sys.argv) > 6 else "elradfmwMT"
        server = ftp_server(root, sys.argv[4], sys.argv[5], perm)
    port = server.socket.getsockname()[1]
    threading.Thread(target=server.serve_forever, daemon=True).start()

    with open(ready + ".tmp", "w") as f:
        f.write("%d %d\n" % (os.getpid(), port))
    os.rename(ready + ".tmp", ready)

    deadline = time.monotonic() + TIME_LIMIT_SECONDS
    while os.path.isdir(root) and time.monotonic() < deadline:
        time.sleep(0.5)
    os._exit(0)


if __name__ == "__main__":
    main()
