#!/usr/bin/python3
# table.py RESULTS [--check [LIST]] : prints the benchmark table from the "RESULT key value" lines that
# scripts/bench collected. With --check (the smoke run) it exits 1 when a benchmark failed, a
# figure of the benchmarks in LIST (comma-separated, default all) is missing or a check against
# the loopback targets failed.
import sys

values, texts = {}, {}
for line in open(sys.argv[1], errors="replace"):
    parts = line.rstrip("\n").split(" ", 2)
    if len(parts) == 3 and parts[0] == "RESULT":
        texts[parts[1]] = parts[2]
        try: values[parts[1]] = float(parts[2])
        except ValueError: pass
check = "--check" in sys.argv[2:]
only = (sys.argv[sys.argv.index("--check") + 1] if check and len(sys.argv) > sys.argv.index("--check") + 1
        else "store,port,http,threads,html,list,startup,scale").split(",")

def v(key): return values.get(key)
def ms(key, digits=3):
    x = v(key)
    return "n/a" if x is None else "%.*f ms" % (digits, x)
def sec(key):
    x = v(key)
    return "n/a" if x is None else "%.2f s" % (x / 1000.0)
def sec_of(x):
    return "n/a" if x is None else "%.2f s" % (x / 1000.0)
def ratio(a, b):
    return "n/a" if a is None or b is None or b == 0 else "%.2f" % (a / b)
def add(*xs):
    return None if any(x is None for x in xs) else sum(xs)

rows = []
def row(figure, orvane, peer="—", r="—", goal="—"): rows.append((figure, orvane, peer, r, goal))

def timed(key):
    return "%s (CPU %s + ws %s)" % (sec(key + "_ms"), sec(key + "_cpu_ms"), sec(key + "_ws_cpu_ms"))

if "store_save_all_ms" in values:
    n, h = texts.get("store_items", "?"), texts.get("store_history", "?")
    write, read = "Win32 write of the same files: " + timed("store_raw_write"), "Win32 read of the same files: " + timed("store_raw_read")
    flushed = "the same, each file flushed: " + timed("store_raw_write_flushed")
    row("Item store, %s items x %s entries (%.0f MB): save of every item by the store (unload, both files of every item changed)" % (n, h, (v("store_bytes") or 0) / 1048576),
        timed("store_unload"), write, ratio(v("store_unload_ms"), v("store_raw_write_ms")), "< 3 s")
    row("", "", flushed, ratio(v("store_unload_ms"), v("store_raw_write_flushed_ms")))
    if "store_raw_write_flushed_threaded_ms" in values:
        threaded = "the same, flushed, on %s threads: " % texts.get("store_raw_write_threads", "?") + timed("store_raw_write_flushed_threaded")
        row("", "", threaded, ratio(v("store_unload_ms"), v("store_raw_write_flushed_threaded_ms")))
    row("  load", timed("store_load"), read, ratio(v("store_load_ms"), v("store_raw_read_ms")), "< 2 s")
    row("  first save of every item, one by one from one thread (as periodic saving does)", timed("store_save_all"), write,
        ratio(v("store_save_all_ms"), v("store_raw_write_ms")))
    row("", "", flushed, ratio(v("store_save_all_ms"), v("store_raw_write_flushed_ms")))
    row("  save of every item, none changed", timed("store_save_unchanged"), write,
        ratio(v("store_save_unchanged_ms"), v("store_raw_write_ms")), "writes nothing")
    row("  files rewritten by that save (sample)",
        "%d of %d" % (v("store_unchanged_files_rewritten") or 0, v("store_unchanged_files_watched") or 0),
        "—", "—", "0")
    row("  unload right after load (nothing changed)", timed("store_unload_after_load"), write,
        ratio(v("store_unload_after_load_ms"), v("store_raw_write_ms")))
    row("  resident memory per item with its history", "%.1f KB" % (v("store_rss_per_item_kb") or 0))

def checks(kind, peer, goal_cpu):
    if "%s_checks" % kind not in values: return
    own = add(v(kind + "_cpu_ms_per_check"), v(kind + "_ws_cpu_ms_per_check"))
    label = "TCP port" if kind == "port" else "HTTP GET of a small page"
    row("%s, %s items at %s s: CPU per check (process + wineserver)" % (label, texts.get(kind + "_items"), texts.get(kind + "_interval", "?")),
        "%s + %s = %s" % (ms(kind + "_cpu_ms_per_check"), ms(kind + "_ws_cpu_ms_per_check"), "n/a" if own is None else "%.3f ms" % own),
        "%s: %s" % (peer, ms("peer_%s_cpu_ms_per_check" % ("tcp" if kind == "port" else "http"))),
        ratio(own, v("peer_%s_cpu_ms_per_check" % ("tcp" if kind == "port" else "http"))), goal_cpu)
    row("  checks measured / failed", "%d / %d" % (v(kind + "_checks") or 0, v(kind + "_failed") or 0),
        "%s failed: %d" % (peer, v("peer_%s_failed" % ("tcp" if kind == "port" else "http")) or 0))
    mem = v(kind + "_rss_kb_per_item")
    row("  resident memory per running item", "%.0f KB (+ wineserver %.0f KB)" % (mem or 0, v(kind + "_ws_rss_kb_per_item") or 0),
        "idle Win32 thread: %.0f KB (+ wineserver %.0f KB)" % (v("threads_rss_kb_per_thread") or 0, v("threads_ws_rss_kb_per_thread") or 0),
        ratio(mem, v("threads_rss_kb_per_thread")), "<= 1.1 MB")
    row("  lateness median / p99 (max)", "%s / %s (%s)" % (ms(kind + "_late_median_ms", 1), ms(kind + "_late_p99_ms", 1), ms(kind + "_late_max_ms", 1)),
        "—", "—", "p99 < 250 ms at 1,000 items")
    row("  stopAll", ms(kind + "_stopall_ms", 0))
    if kind + "_failures" in texts: row("  failures", texts[kind + "_failures"])

checks("port", "check_tcp", "<= 0.15 ms")
checks("http", "check_http", "<= 0.30 ms")

if "html_mb_per_s" in values:
    row("HTML to text, %.1f MB page" % ((v("html_page_bytes") or 0) / 1048576),
        "%.1f MB/s (%s)" % (v("html_mb_per_s"), ms("html_ms", 0)),
        "Python html.parser: %.1f MB/s (%s)" % (v("peer_html_mb_per_s") or 0, ms("peer_html_ms", 0)),
        ratio(v("html_mb_per_s"), v("peer_html_mb_per_s")))

if "list_ours_busy_pct" in values:
    def pct(key): x = v(key); return "n/a" if x is None else "%.0f %%" % x
    def lat(who, kind): return "%s / %s (max %s, %d results)" % (ms("list_%s_%s_p50_ms" % (who, kind), 1), ms("list_%s_%s_p99_ms" % (who, kind), 1),
                                                               ms("list_%s_%s_max_ms" % (who, kind), 1), v("list_%s_%s" % (who, "handled" if kind == "handle" else "painted")) or 0)
    row("Item list, %s rows, %s results/s through the posting path: GUI thread busy" % (texts.get("list_items", "?"), texts.get("list_rate", "?")),
        pct("list_ours_busy_pct"), "plain list control: " + pct("list_peer_busy_pct"), ratio(v("list_ours_busy_pct"), v("list_peer_busy_pct")), "< 50 %")
    row("  result posted -> row repainted (rows on screen), median / p99", lat("ours", "paint"), "plain: " + lat("peer", "paint"),
        ratio(v("list_ours_paint_p99_ms"), v("list_peer_paint_p99_ms")), "p99 < 250 ms")
    row("  result posted -> its message handled, median / p99", lat("ours", "handle"), "plain: " + lat("peer", "handle"),
        ratio(v("list_ours_handle_p99_ms"), v("list_peer_handle_p99_ms")))
    row("  results not yet handled at the end (backlog)", "%d" % (v("list_ours_backlog") or 0), "plain: %d" % (v("list_peer_backlog") or 0), "—", "no growth")
    row("  sort of every row by the name column", ms("list_ours_sort_ms", 1), "plain: " + ms("list_peer_sort_ms", 1),
        ratio(v("list_ours_sort_ms"), v("list_peer_sort_ms")), "< 200 ms")
    row("  filling the rows (view built, shown)", sec("list_ours_fill_ms"), "plain: " + sec("list_peer_fill_ms"), ratio(v("list_ours_fill_ms"), v("list_peer_fill_ms")))
    row("  resident memory per row", "%.1f KB" % (v("list_ours_kb_per_row") or 0), "plain: %.1f KB" % (v("list_peer_kb_per_row") or 0),
        ratio(v("list_ours_kb_per_row"), v("list_peer_kb_per_row")))
    if v("list_ours_draw_row_ms") is not None:
        row("  drawing one row of the view (rows drawn while measured)", ms("list_ours_draw_row_ms", 2), "plain: drawn by the system", "—")

if "startup_gui_shown_ms" in values:
    load, unload = v("startup_store_load_ms"), v("startup_store_unload_ms")
    row("GUI start-up, %d items: launch -> the list shows every row" % (v("startup_items") or 0), sec("startup_gui_shown_ms"),
        "item store's own load: " + sec("startup_store_load_ms"), ratio(v("startup_gui_shown_ms"), load),
        "<= load + 1 s (%s)" % sec_of(None if load is None else load + 1000))
    row("  shut-down: close command -> the program has ended (every item saved)", sec("startup_gui_ended_ms"),
        "item store's own unload: " + sec("startup_store_unload_ms"), ratio(v("startup_gui_ended_ms"), unload),
        "<= unload + 1 s (%s)" % sec_of(None if unload is None else unload + 1000))

if "scale_items_attempted" in values:
    row("Port checks at %s s, up to %s items: items running / attempted" % (texts.get("scale_interval", "?"), texts.get("scale_items", "?")),
        "%d / %d" % (v("scale_items_running"), v("scale_items_attempted")))
    row("  what stopped the growth", texts.get("scale_stopped_by", "n/a"))
    row("  threads; resident memory (process + wineserver)",
        "%d; %.0f MB + %.0f MB" % (v("scale_threads") or 0, v("scale_rss_mb") or 0, v("scale_ws_rss_mb") or 0))
    row("  open files of the process (limit)", "%d (%d)" % (v("scale_open_files") or 0, v("scale_open_files_limit") or 0),
        "idle Win32 thread: %.1f per thread" % (v("threads_open_files_per_thread") or 0))
    if "scale_errors" in texts: row("  errors logged", texts["scale_errors"])
    row("  memory per item (process + wineserver)",
        "%.0f KB + %.0f KB" % (v("scale_rss_kb_per_item") or 0, v("scale_ws_rss_kb_per_item") or 0),
        "idle Win32 thread: %.0f KB" % (v("threads_rss_kb_per_thread") or 0), ratio(v("scale_rss_kb_per_item"), v("threads_rss_kb_per_thread")))
    own = add(v("scale_cpu_ms_per_check"), v("scale_ws_cpu_ms_per_check"))
    row("  CPU per check over one more cycle (process + wineserver)",
        "%s + %s = %s (%d checks)" % (ms("scale_cpu_ms_per_check"), ms("scale_ws_cpu_ms_per_check"), "n/a" if own is None else "%.3f ms" % own, v("scale_hold_checks") or 0),
        "check_tcp: %s" % ms("peer_tcp_cpu_ms_per_check"), ratio(own, v("peer_tcp_cpu_ms_per_check")))
    row("  lateness median / p99 over that cycle", "%s / %s" % (ms("scale_late_median_ms", 1), ms("scale_late_p99_ms", 1)))
    row("  failed checks", "%d%s" % (v("scale_failed") or 0, (": " + texts["scale_failures"]) if "scale_failures" in texts else ""))
    row("  stopAll", ms("scale_stopall_ms", 0))

widths = [max(len(r[i]) for r in rows + [("figure", "Orvane", "peer, same run", "ratio", "goal")]) for i in range(5)]
def line(r): return "| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |"
print(line(("figure", "Orvane", "peer, same run", "ratio", "goal")))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows: print(line(r))
steps = [t for k, t in ((l.split(" ", 2)[1], l.split(" ", 2)[2].rstrip()) for l in open(sys.argv[1]) if l.startswith("RESULT scale_step ")) if True]
if steps:
    print("\nport checks, growth steps:")
    for s in steps: print("  " + s)

if check:
    problems = [k for k in values if k.endswith("_rc") and values[k] != 0]
    needed = {"store": ("store_save_all_ms", "store_unload_ms", "store_load_ms"),
              "port": ("port_cpu_ms_per_check", "peer_tcp_cpu_ms_per_check", "threads_rss_kb_per_thread"),
              "http": ("http_cpu_ms_per_check", "peer_http_cpu_ms_per_check", "threads_rss_kb_per_thread"),
              "threads": ("threads_rss_kb_per_thread",),
              "html": ("html_mb_per_s", "peer_html_mb_per_s"),
              "list": ("list_ours_busy_pct", "list_peer_busy_pct", "list_ours_sort_ms", "list_peer_sort_ms"),
              "startup": ("startup_gui_shown_ms", "startup_gui_ended_ms", "startup_store_load_ms"),
              "scale": ("scale_items_running", "peer_tcp_cpu_ms_per_check")}
    for name in only:
        for key in needed.get(name, ()):
            if key not in values: problems.append("missing " + key)
    for key in ("port_failed", "http_failed", "peer_tcp_failed", "peer_http_failed"):
        if values.get(key, 0) != 0: problems.append("%s = %d" % (key, values[key]))
    if "store" in only and values.get("store_loaded_items") != values.get("store_items"): problems.append("store loaded a different number of items")
    if problems:
        print("bench check failed: " + ", ".join(problems), file=sys.stderr)
        sys.exit(1)
