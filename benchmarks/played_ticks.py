#!/usr/bin/env python3
"""What a played tick of act 1 costs in a run of the game binary.

A scripted route (the menus, then right across act 1, jumping every 70
ticks) is run at two lengths that both end in act 1; the difference is the
played ticks alone, start-up and the menus cancelled. Modes:

  headless    --headless, nothing captured
  capture60   --headless --capture-every 60 (pictures written to a scratch folder)
  windowed    a 960 x 540 window on an Xvfb server of the script's own,
              paced at 60 pictures a second

Reported per mode: wall and processor time (all the game's threads) per
played tick, pictures a second and cores busy; the median of --runs runs,
with the machine's load average at the start and end.

  benchmarks/played_ticks.py BUILD_DIR [--modes headless,windowed] [--runs 3]
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

LENGTHS = {"headless": (1200, 3000), "capture60": (1200, 3000), "windowed": (1200, 3000)}


def route(path):
    lines = []
    for tick in range(505, 906, 40):
        lines += [f"{tick} gamepad A", f"{tick + 1} gamepad -"]
    lines.append("1000 gamepad RIGHT")
    for tick in range(1400, 3400, 70):
        lines += [f"{tick} gamepad RIGHT A", f"{tick + 25} gamepad RIGHT"]
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def start_xvfb():
    read, write = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x720x24", "-nolisten", "tcp"],
        pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        got = os.read(read, 16)
        if not got:
            sys.exit("Xvfb did not start")
        number += got
    os.close(read)
    return server, ":" + number.decode().strip()


def run_once(binary, content, script, ticks, mode, display, scratch):
    save = tempfile.mkdtemp(dir=scratch)
    command = [binary, "--content", content, "--save", save, "--input", script, "--ticks", str(ticks)]
    env = dict(os.environ)
    if mode == "windowed":
        env["DISPLAY"] = display
        env.pop("SDL_VIDEODRIVER", None)
    else:
        command.append("--headless")
    if mode == "capture60":
        command += ["--capture", os.path.join(save, "shots"), "--capture-every", "60"]
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    shutil.rmtree(save, ignore_errors=True)
    return wall, cpu


def measure(binary, content, script, mode, display, scratch):
    short, long = LENGTHS[mode]
    wall_short, cpu_short = run_once(binary, content, script, short, mode, display, scratch)
    wall_long, cpu_long = run_once(binary, content, script, long, mode, display, scratch)
    ticks = long - short
    wall, cpu = (wall_long - wall_short) / ticks, (cpu_long - cpu_short) / ticks
    return {"wall_ms": wall * 1e3, "cpu_ms": cpu * 1e3, "pictures_a_second": 1.0 / wall,
            "cores": cpu / wall}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("--modes", default="headless,capture60,windowed")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--content", help="default: the benchmarks' stand-in content of the build")
    options = parser.parse_args()
    binary = os.path.join(options.build, "quorvella")
    content = options.content or os.path.join(options.build, "benchmarks", "stand-in-content")
    scratch = tempfile.mkdtemp(prefix="played-ticks-")
    script = os.path.join(scratch, "route.txt")
    route(script)
    modes = options.modes.split(",")
    server, display = start_xvfb() if "windowed" in modes else (None, "")
    try:
        print(f"load average at start: {os.getloadavg()}")
        for mode in modes:
            runs = [measure(binary, content, script, mode, display, scratch) for _ in range(options.runs)]
            median = {key: statistics.median(run[key] for run in runs) for key in runs[0]}
            spread = {key: (min(run[key] for run in runs), max(run[key] for run in runs)) for key in runs[0]}
            print(f"{mode}: " + ", ".join(
                f"{key} {median[key]:.3f} ({spread[key][0]:.3f}-{spread[key][1]:.3f})" for key in median))
        print(f"load average at end: {os.getloadavg()}")
    finally:
        if server:
            server.terminate()
            server.wait()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
