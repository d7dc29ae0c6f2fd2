"""What the start-up benchmarks share: the time to the first painted frame
that a started program reports, and a display for it."""
import contextlib, os, subprocess, time


def first_frame_ms(command, env):
    start = time.monotonic_ns()
    out = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60).stdout
    for line in out.splitlines():
        if line.startswith("first-frame "):
            return (int(line.split()[1]) - start) / 1e6
    raise RuntimeError("no frame reported by %s: %s" % (command, out))


def median(values):
    values = sorted(values)
    return values[len(values) // 2]


@contextlib.contextmanager
def reporting_env(display):
    """The environment in which the program reports its first frame and
    ends, on a private Xvfb :display when no display is set."""
    env = dict(os.environ, SORVIX_BENCH_FIRST_FRAME="1")
    xvfb = None
    if "DISPLAY" not in env or env.get("QT_QPA_PLATFORM") == "offscreen":
        xvfb = subprocess.Popen(["Xvfb", ":%d" % display, "-screen", "0", "1920x1080x24"], stderr=subprocess.DEVNULL)
        time.sleep(1)
        env["DISPLAY"] = ":%d" % display
        env.pop("QT_QPA_PLATFORM", None)
    try:
        yield env
    finally:
        if xvfb:
            xvfb.terminate()
            xvfb.wait()
