#!/usr/bin/env python3
"""Start-up to the first painted frame: the program on the demonstration list
and on a 100,000-person list, beside an empty Qt window started the same way.
Runs under Xvfb (started here when no DISPLAY is set). Usage: startup.py BUILD_DIR"""
import os, random, shutil, sys, tempfile

from firstframe import first_frame_ms, median, reporting_env

build = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
program = os.path.join(build, "program")
empty = os.path.join(build, "bench", "emptywindow")
RUNS = 7

def median_start(cmd, env, prepare=None):
    times = []
    for _ in range(RUNS):
        if prepare:
            prepare()
        times.append(first_frame_ms(cmd, env))
    return median(times)

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
    with reporting_env(77) as env, tempfile.TemporaryDirectory() as tmp:
        demo = os.path.join(tmp, "demo")
        shutil.copytree(program, demo)
        big = os.path.join(tmp, "big")
        shutil.copytree(program, big)
        big_list(big, 100000)

        def fresh(folder):
            # Each start prepares the draw afresh, as a first start does.
            return lambda: write_gbk(os.path.join(folder, "status.dll"), ["0"])

        floor = median_start([empty], env)
        demo_ms = median_start([os.path.join(demo, "Sorvix")], env, fresh(demo))
        big_ms = median_start([os.path.join(big, "Sorvix")], env, fresh(big))
        print("empty Qt window:            %7.1f ms to the first frame (median of %d)" % (floor, RUNS))
        print("demo list (200 people):     %7.1f ms  = %.2f x the empty window (target <= 1.5)" % (demo_ms, demo_ms / floor))
        print("100,000 people:             %7.1f ms  (target < 1000 ms)" % big_ms)

main()
