"""A deliberately broken news server on 127.0.0.1, one behaviour per scenario, on a free port that
it prints first ("ready PORT").

    broken_server.py SCENARIO

Every scenario stops by itself: nothing here runs longer than 120 s or sends anywhere but
loopback. Paths that a scenario does not break are served properly from the sample site, so the
broken part is reached.
"""

import os
import random
import socket
import sys
import threading
import time

SITE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "server")
DEADLINE = time.monotonic() + 120
TOKEN = b"<br>\n"
PORT = [0]


def sample(name):
    with open(os.path.join(SITE, "update_info", "binds_data", name), "rb") as f:
        return f.read()


def answer(conn, body, status=b"200 OK", extra=b""):
    conn.sendall(b"HTTP/1.1 " + status + b"\r\nContent-Type: text/html\r\nContent-Length: " +
                 str(len(body)).encode() + b"\r\nConnection: close\r\n" + extra + b"\r\n" + body)


def wait_out(conn):
    while time.monotonic() < DEADLINE:
        time.sleep(0.2)


def lines_feed(n):
    return b"".join(b"line %d" % i + TOKEN for i in range(n))


def handle(conn, scenario):
    request = b""
    while b"\r\n\r\n" not in request and len(request) < 65536:
        chunk = conn.recv(4096)
        if not chunk:
            return
        request += chunk
    path = request.split(b" ")[1].decode(errors="replace") if b" " in request else "/"
    name = path.rsplit("/", 1)[-1]
    broken_everywhere = scenario in ("stall_headers", "stall_body", "reset", "big_body",
                                     "endless_chunked", "drip", "trickle", "garbage",
                                     "redirect_other_host")
    feed_scenario = scenario in ("empty_token", "huge_token", "feed_1000_lines", "feed_one_line")
    if broken_everywhere:
        if scenario == "stall_headers":
            wait_out(conn)
        elif scenario == "stall_body":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\non" + TOKEN)
            wait_out(conn)
        elif scenario == "reset":
            conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
        elif scenario == "big_body":
            answer(conn, b"on" + TOKEN + b"x" * (10 * 1024 * 1024))
        elif scenario == "endless_chunked":
            conn.sendall(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
            piece = b"%x\r\n" % 4096 + b"y" * 4096 + b"\r\n"
            while time.monotonic() < DEADLINE:
                conn.sendall(piece)
        elif scenario == "drip":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\n")
            for _ in range(50):
                conn.sendall(b"o")
                time.sleep(0.1)
        elif scenario == "trickle":
            # One byte every 14 s: each wait is shorter than a client's 15 s, the whole far longer.
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\n")
            while time.monotonic() < DEADLINE:
                conn.sendall(b"o")
                time.sleep(14)
        elif scenario == "garbage":
            # The same bytes every run, so a failure can be had again.
            conn.sendall(random.Random(7).randbytes(4096))
        elif scenario == "redirect_other_host":
            answer(conn, b"", b"302 Found", b"Location: http://127.0.0.2:%d" % PORT[0] +
                   path.encode() + b"\r\n")
        return
    if name == "form1.html":
        # With an empty or an unusual token the status text uses CR LF, as such a server would.
        end = b"\r\n" if scenario in ("empty_token", "huge_token") else TOKEN
        answer(conn, b"on" + end + b"hostile-news-1" + end)
    elif name == "br.html":
        if scenario == "empty_token":
            answer(conn, b"")
        elif scenario == "huge_token":
            answer(conn, b"<" * (900 * 1024))
        else:
            answer(conn, TOKEN)
    elif name == "data.html" and feed_scenario:
        if scenario == "feed_1000_lines":
            answer(conn, lines_feed(1000))
        elif scenario == "feed_one_line":
            answer(conn, b"Just one line")
        else:
            answer(conn, sample("data.html"))
    else:
        answer(conn, b"", b"404 Not Found")


def main():
    scenario = sys.argv[1]
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    PORT[0] = server.getsockname()[1]
    server.listen(16)
    server.settimeout(0.5)
    print("ready %d" % PORT[0], flush=True)
    while time.monotonic() < DEADLINE:
        try:
            conn, _ = server.accept()
        except socket.timeout:
            continue

        def serve(c=conn):
            try:
                handle(c, scenario)
            except OSError:
                pass
            finally:
                c.close()
        threading.Thread(target=serve, daemon=True).start()


if __name__ == "__main__":
    main()
