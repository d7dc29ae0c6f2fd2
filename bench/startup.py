#!/usr/bin/env python3
"""Start-up to the first painted frame: the program on the demonstration list
and on a 100,000-person list, beside an empty Qt window started the same way.
Runs under Xvfb (started here when no DISPLAY is set). Usage: startup.py BUILD_DIR"""
import os, random, shutil, subprocess, sys, tempfile, time

build = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
program = os.path.join(build, "program")
empty = os.path.join(build, "bench", "emptywindow")
RUNS = 7

def first_frame_ms(cmd, env):
    start = time.monotonic_ns()
    out = subprocess.run(cmd, env=env, capture_output=True, text=True, timeout=60).stdout
    for line in out.splitlines():
        if line.startswith("first-frame "):
            return (int(line.split()[1]) - start) / 1e6
    raise RuntimeError("no frame reported by %s: %s" % (cmd, out))

def median(cmd, env, prepare=None):
    times = []
    for _ in range(RUNS):
        if prepare:
            prepare()
        times.append(first_frame_ms(cmd, env))
    times.sort()
    return times[len(times) // 2]

def write_gbk(path, lines):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("gbk") + b"\r\n")

def big_list(folder, n):
    rnd = random.Random(5)
    surnames = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗"
    given = "伟芳娜敏静丽强磊军洋勇艳杰涛明超秀霞平刚"
    write_gbk(os.path.join(folder, "Tname.dll"), ["姓名"] + [rnd.choice(surnames) + rnd.choice(given) + rnd.choice(given) for _ in range(n)])
    write_gbk(os.path.join(folder, "Tmobile.dll"), ["手机号"] + ["1%010d" % rnd.randrange(10**10) for _ in range(n)])
    write_gbk(os.path.join(folder, "Tid.dll"), ["身份证号码"] + ["110101%08d%04d" % (19800101 + i % 900, i % 10000) for i in range(n)])
    write_gbk(os.path.join(folder, "Tbadge.dll"), ["工号"] + ["QW%06d" % i for i in range(n)])
    write_gbk(os.path.join(folder, "Tgroup.dll"), ["分组"] + [""] * n)

def main():
    env = dict(os.environ, SORVIX_BENCH_FIRST_FRAME="1")
    xvfb = None
    if "DISPLAY" not in env or env.get("QT_QPA_PLATFORM") == "offscreen":
        xvfb = subprocess.Popen(["Xvfb", ":77", "-screen", "0", "1920x1080x24"], stderr=subprocess.DEVNULL)
        time.sleep(1)
        env["DISPLAY"] = ":77"
        env.pop("QT_QPA_PLATFORM", None)
    try:
        with tempfile.TemporaryDirectory() as tmp:
            demo = os.path.join(tmp, "demo")
            shutil.copytree(program, demo)
            big = os.path.join(tmp, "big")
            shutil.copytree(program, big)
            big_list(big, 100000)

            def fresh(folder):
                # Each start prepares the draw afresh, as a first start does.
                return lambda: write_gbk(os.path.join(folder, "status.dll"), ["0"])

            floor = median([empty], env)
            demo_ms = median([os.path.join(demo, "Sorvix")], env, fresh(demo))
            big_ms = median([os.path.join(big, "Sorvix")], env, fresh(big))
            print("empty Qt window:            %7.1f ms to the first frame (median of %d)" % (floor, RUNS))
            print("demo list (200 people):     %7.1f ms  = %.2f x the empty window (target <= 1.5)" % (demo_ms, demo_ms / floor))
            print("100,000 people:             %7.1f ms  (target < 1000 ms)" % big_ms)
    finally:
        if xvfb:
            xvfb.terminate()

main()
