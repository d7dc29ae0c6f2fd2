#!/usr/bin/env python3
"""A user's first start, which lays out the user's own program folder from the
factory folder, to the first painted frame, against a later start on the
folder so laid out (target for the first start: under 1 s). Each first start
has a user data folder of its own (XDG_DATA_HOME), as a new user has.
Runs under Xvfb (started here when no DISPLAY is set).
Usage: firststart.py [BUILD_DIR | --installed]
  BUILD_DIR    the build's executable, with the build's program folder as the factory folder
  --installed  the installed launcher, /usr/bin/sorvix"""
import os, sys, tempfile

from firstframe import first_frame_ms, median, reporting_env

arg = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
if arg == "--installed":
    command = ["/usr/bin/sorvix"]
else:
    program = os.path.join(arg, "program")
    command = [os.path.join(program, "Sorvix"), "--factory", program]
RUNS = 7

def main():
    with reporting_env(78) as env, tempfile.TemporaryDirectory() as tmp:
        first, later = [], []
        for run in range(RUNS):
            env["XDG_DATA_HOME"] = os.path.join(tmp, "user%d" % run)
            first.append(first_frame_ms(command, env))
            if not os.path.isfile(os.path.join(env["XDG_DATA_HOME"], "Sorvix", "factoryversion.dll")):
                raise RuntimeError("no program folder laid out in " + env["XDG_DATA_HOME"])
            later.append(first_frame_ms(command, env))
        folder = os.path.join(tmp, "user0", "Sorvix")
        size = sum(os.path.getsize(os.path.join(d, f)) for d, _, fs in os.walk(folder) for f in fs)
        files = sum(len(fs) for _, _, fs in os.walk(folder))
        print("laid-out folder: %d files, %.1f MB" % (files, size / 1e6))
        print("first start (lays out the folder): %7.1f ms to the first frame (median of %d; target < 1000 ms)"
              % (median(first), RUNS))
        print("later start (folder as it is):     %7.1f ms" % median(later))
        print("the lay-out's share:               %7.1f ms" % (median(first) - median(later)))

main()
