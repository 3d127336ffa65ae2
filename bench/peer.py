#!/usr/bin/python3
# peer.py tcp|http RUNS ADDRESS PORT : runs the monitoring-plugins check (check_tcp or check_http)
# RUNS times one after the other against the target, as a scheduler that starts a process per
# check does, and prints the CPU and wall time per check (user + system of the children).
import os, resource, subprocess, sys, time

PLUGINS = "/usr/lib/nagios/plugins"
kind, runs, addr, port = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
if kind == "tcp":
    cmd = [PLUGINS + "/check_tcp", "-H", addr, "-p", port, "-t", "5"]
else:
    cmd = [PLUGINS + "/check_http", "-H", addr, "-p", port, "-u", "/small.html", "-t", "5"]

def children_cpu_ms():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (r.ru_utime + r.ru_stime) * 1000.0

failed = 0
cpu0, wall0 = children_cpu_ms(), time.monotonic()
for _ in range(runs):
    if subprocess.call(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) != 0:
        failed += 1
cpu, wall = children_cpu_ms() - cpu0, (time.monotonic() - wall0) * 1000.0
print("RESULT peer_%s_cpu_ms_per_check %.6g" % (kind, cpu / runs))
print("RESULT peer_%s_wall_ms_per_check %.6g" % (kind, wall / runs))
print("RESULT peer_%s_failed %d" % (kind, failed))
sys.exit(1 if failed else 0)
