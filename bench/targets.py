#!/usr/bin/python3
# targets.py ADDRESS TCP_PORT HTTP_PORT : the loopback targets of the check benchmarks.
#   TCP_PORT   accepts each connection and closes it (what a port check needs)
#   HTTP_PORT  answers every GET or HEAD with the same small page (about 1 KB); keeps an HTTP/1.1
#              connection open for the next request unless the client asks to close it
# Prints "ready" once both listen. One asyncio loop, so the target costs little next to the checks.
import asyncio, sys

PAGE = (b"<html><head><title>bench</title></head><body><h1>Benchmark page</h1>"
        + b"<p>Orvane checks this page over and over.</p>" * 20 + b"</body></html>")

async def tcp_client(reader, writer):
    writer.close()

async def http_client(reader, writer):
    try:
        while True:
            head = await reader.readuntil(b"\r\n\r\n")
            request = head.split(b"\r\n", 1)[0]
            keep = request.endswith(b"HTTP/1.1") and b"connection: close" not in head.lower()
            writer.write(b"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: %d\r\n%s\r\n"
                         % (len(PAGE), b"" if keep else b"Connection: close\r\n"))
            if not request.startswith(b"HEAD "):
                writer.write(PAGE)
            await writer.drain()
            if not keep:
                break
    except (asyncio.IncompleteReadError, asyncio.LimitOverrunError, ConnectionError):
        pass
    finally:
        writer.close()

async def main():
    addr, tcp_port, http_port = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    tcp = await asyncio.start_server(tcp_client, addr, tcp_port, backlog=4096)
    http = await asyncio.start_server(http_client, addr, http_port, backlog=4096)
    print("ready", flush=True)
    async with tcp, http:
        await asyncio.gather(tcp.serve_forever(), http.serve_forever())

asyncio.run(main())
