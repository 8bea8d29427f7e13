#!/usr/bin/env python3
"""The environment run by Wine as qxr sysinfo and the report text see it.

ORVANE55.EXE, installed in C:\\ORVANE55 of the group's Wine prefix, loads
QXRT32.DLL and QXKERN.DLL and waits. qxr sysinfo, run without WINEPREFIX and
with a home of its own, must describe that process by its .exe with its two QX
libraries and their versions, list no data file, and get the 16-bit list from
the PE lstdll16.exe run by Wine in the environment's prefix (read from the
process's environment). Every Wine process started here is ended.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

STANDINS = ["ORVANE55.EXE", "QXRT32.DLL", "QXKERN.DLL", "lstdll16.exe"]


def wait_for_mapping(path, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open(f"/proc/{pid}/maps", encoding="utf-8", errors="replace") as maps:
                    if path in maps.read():
                        return int(pid)
            except OSError:
                continue
        time.sleep(0.2)
    return None


def column_line(path, version, count, indent=""):
    width = 51 if indent else 55
    return f"{indent}{path:<{width}} {version:<15} x{count}\r\n"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--standins", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--qxr", required=True)
    args = parser.parse_args()

    install = os.path.join(args.prefix, "drive_c", "ORVANE55")
    os.makedirs(install, exist_ok=True)
    for name in STANDINS:
        shutil.copy(os.path.join(args.standins, name), install)

    wine_env = dict(os.environ, WINEPREFIX=args.prefix, WINEDEBUG="-all")
    environment = subprocess.Popen(["wine", "ORVANE55.EXE"], cwd=install, env=wine_env, stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    failures = []
    try:
        ready = environment.stdout.readline()
        if not ready.startswith(b"ready"):
            print(f"ORVANE55.EXE did not start: {ready!r}", file=sys.stderr)
            return 1
        drive_c = os.path.realpath(os.path.join(args.prefix, "drive_c"))
        if wait_for_mapping(os.path.join(drive_c, "ORVANE55", "QXKERN.DLL"), 30) is None:
            print("QXKERN.DLL never showed in a process's maps", file=sys.stderr)
            return 1

        with tempfile.TemporaryDirectory() as home:
            qxr_env = {k: v for k, v in os.environ.items() if k not in ("WINEPREFIX", "WINELOADER")}
            qxr_env.update(HOME=home, WINEDEBUG="-all")
            started = time.monotonic()
            run = subprocess.run([args.qxr, "sysinfo", install], env=qxr_env, capture_output=True, timeout=120)
            took = time.monotonic() - started
            if os.path.exists(os.path.join(home, ".wine")):
                failures.append("the helper ran in the default prefix, not the environment's")
        text = run.stdout.decode("utf-8")
        if run.returncode != 0:
            failures.append(f"qxr sysinfo ended with {run.returncode}: {run.stderr!r}")

        expected = [
            # The 16-bit list, from the PE helper run by Wine.
            f"{'QXRT16.DLL':<56}5.50           x1\r\n{'USER.EXE':<56}3.10           x2\r\n",
            # The process by its .exe, its QX libraries with versions and counts.
            column_line("C:\\ORVANE55\\ORVANE55.EXE", "5.50.1", 1),
            column_line("C:\\ORVANE55\\QXKERN.DLL", "5.50.2", 1, "    "),
            column_line("C:\\ORVANE55\\QXRT32.DLL", "5.50.3", 1, "    "),
            # The files on disk.
            "ORVANE55.EXE 5.50.\r\n",
            "QXRT32.DLL 5.50.\r\n",
        ]
        for part in expected:
            if part not in text:
                failures.append(f"missing {part!r}")
        for unwanted in ("/usr/lib/wine/wine64", "/usr/lib/locale", "LC_CTYPE", ".nls", "tmpmap-", "gconv-modules",
                         "(deleted)", "Impossible d'ex"):
            if unwanted in text:
                failures.append(f"the report names {unwanted!r}")
        block = text[text.find("C:\\ORVANE55\\ORVANE55.EXE"):]
        block = block[:block.find("\r\n\r\n")] if "\r\n\r\n" in block else block
        for line in block.split("\r\n")[1:]:
            if line and not line.startswith("    "):
                break
            match = re.match(r"^\s*(.*?)\s+(\S*)\s+x\d+$", line)
            path = match.group(1) if match else line
            if path and not path.lower().endswith((".dll", ".exe", ".drv", ".sys")):
                failures.append(f"a module of the environment is no PE image: {line!r}")
        print(f"qxr sysinfo took {took:.1f} s")
        if failures:
            print(text)
    finally:
        environment.stdin.close()
        try:
            environment.wait(timeout=20)
        except subprocess.TimeoutExpired:
            environment.kill()
        subprocess.run(["wineserver", "-k"], env=wine_env, check=False)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
