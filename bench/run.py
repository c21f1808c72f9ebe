#!/usr/bin/env python3
"""Times each generator on its largest accepted configuration against the
I/O limit: copying the same output bytes with cat.

For every configuration the generator runs --repeat times, each time in a
fresh directory holding only its inputs. Reported per configuration:

  gen ms    median wall time of the generator (process start to exit)
  cpu ms    median user + system time of the generator
  bytes     bytes of the files it wrote
  MB/s      bytes / median wall time (1 MB = 10^6 bytes)
  RSS KiB   peak resident set size of the generator, from one more run
            under GNU time (/usr/bin/time; "-" without it)
  cat ms    median wall time of copying the produced files, one cat per
            file, into files of a fresh directory
  cat cpu   median user + system time of those cat processes
  ratio     gen ms / cat ms (wall)
  cpu ratio cpu ms / cat cpu
  1cat ms   median wall time of one cat copying all produced files into one
            file of a fresh directory: the bytes alone, one process start
  1cat cpu  median user + system time of that cat
  1ratio    gen ms / 1cat ms (wall)
  1cpu ratio cpu ms / 1cat cpu

Wall times include starting the processes, so a loaded machine inflates
both sides; the CPU times are steadier. Standard library only (plus GNU
time for the peak RSS). Builds the release preset first unless --no-build.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

HEADER_V = """\
//////////////////////////////////////////////////////////////////////
// Generated core: do not edit; rerun the generator instead.
//////////////////////////////////////////////////////////////////////
"""

# K = 9, rate 1/3 (polynomials 557, 663, 711 octal), 16-bit soft decision,
# fully parallel, the longest traceback, BER monitor on.
VITERBI_K9 = """\
9    // constraint length K
3    // number of generator polynomials n (code rate 1/n)
557  // generator polynomial 0, octal
663  // generator polynomial 1, octal
711  // generator polynomial 2, octal
1    // soft decision (1) or hard decision (0)
16   // soft width: bits per soft symbol
1    // soft symbols unsigned (1) or signed (0)
0    // punctured (1) or not (0)
256  // traceback length
0    // hybrid (1) or fully parallel (0)
1    // BER monitor present (1) or not (0)
32   // BER period exponent
"""

# K = 7, rate 1/2: the test suite's fully parallel reference configuration.
VITERBI_K7 = ROOT / "tests" / "data" / "trellgen" / "parallel_k7" / "viterbi_params.v"


# user_params.txt as firparam writes it back: 16-bit taps, 32-bit
# coefficients, 64 taps, single-cycle, fixed coefficients, complex data with
# serial complex input.
def fir_user_params(values):
    comments = ["Tap width", "Coeff width", "Number of taps", "Output width",
                "Filter type: 0-single, 1-multi, 2-deci, 3-inter",
                "Coeff loadability: 0-fixed, 1-loadable",
                "Symmetricity: 0-none, 1-even, 2-odd",
                "Rounding type: 0-truncation, 1-nearest",
                "Arithmetic type: 0-signed, 1-unsigned", "Data type: 0-real, 1-complex",
                "Number of cycles (MULTICYCLE)", "D_RATIO (DECIMATION)",
                "I_RATIO (INTERPOLATION)", "Complex input mode: 0-parallel, 1-serial"]
    return "".join(f"{v}   // {c}\n" for v, c in zip(values, comments))


FIR_LARGE = {
    "user_params.txt": fir_user_params([16, 32, 64, 54, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1]),
    "cin_cmplx.dec": "".join(f"{(i * 37 - 1000) * 13}\t{-(i * 91 + 5) * 5}\n"
                             for i in range(64)),
}
# The defaults (6 real 8-bit taps) with six coefficients.
FIR_SMALL = {
    "user_params.txt": fir_user_params([8, 8, 6, 19, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0]),
    "cin.dec": "1\n-1\n127\n-128\n0\n5\n",
}


@dataclass
class Config:
    name: str
    program: str  # relative to the build directory
    args: list
    inputs: dict = field(default_factory=dict)  # file name -> text
    rewrites: tuple = ()  # inputs that the program writes again (outputs too)


# GF(2^12): 4179 = x^12+x^6+x^4+x+1 is primitive. n = 4095, k = 3071 gives
# 1024 check symbols; -e 1024 is the most erasures the decoder accepts.
RS_LARGE = ["-n", "4095", "-k", "3071", "-w", "12", "-f", "4179", "-g", "0", "-h", "1"]
RS_SMALL = ["-n", "255", "-k", "239", "-w", "8", "-f", "285", "-g", "0", "-h", "1"]


def configurations(small):
    code = RS_SMALL if small else RS_LARGE
    erasures = "4" if small else "1024"
    viterbi = VITERBI_K7.read_text() if small else VITERBI_K9
    fir = FIR_SMALL if small else FIR_LARGE
    header = {"header.v": HEADER_V}
    return [
        Config("corrgen", "generators/corrgen/corrgen",
               code + ["-e", erasures, "-y", "0", "-o", "0", "-c", "0"], header),
        Config("paritygen -a 1", "generators/paritygen/paritygen",
               code + ["-p", "1", "-t", "0", "-c", "0", "-a", "1"], header),
        Config("paritygen -a 0", "generators/paritygen/paritygen",
               code + ["-p", "1", "-t", "0", "-c", "0", "-a", "0"], header),
        # The whole encoder core folder with the minimal netlist (the XOR
        # program of the multiplier bank is searched on every run).
        Config("ipgen rs-encoder", "ipgen/ipgen",
               ["rs-encoder", "--symbol-width", "8" if small else "12",
                "--n", "255" if small else "4095", "--k", "239" if small else "3583",
                "--netlist", "minimal", "--out", "."]),
        Config("trellgen", "generators/trellgen/trellgen", ["2"], {"viterbi_params.v": viterbi}),
        Config("firgen", "generators/firgen/firgen", [], fir),
        Config("firparam", "generators/firparam/firparam", [], fir, ("user_params.txt",)),
    ]


def cpu_seconds(usage):
    return usage.ru_utime + usage.ru_stime


def spawn(argv, cwd=None, stdout=subprocess.DEVNULL):
    """Runs argv to its end; returns (wall seconds, rusage, status, stderr)."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, cwd=cwd, stdout=stdout, stderr=subprocess.PIPE)
    # wait4 returns the resource usage of this child alone.
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    error = child.stderr.read().decode(errors="replace").strip()
    child.stderr.close()
    return seconds, usage, child.returncode, error


def prepare(config, work):
    work.mkdir()
    for name, text in config.inputs.items():
        (work / name).write_text(text)


def run_generator(binary, config, work):
    """Runs the generator once in a fresh directory; returns
    (wall seconds, cpu seconds, produced file paths)."""
    prepare(config, work)
    seconds, usage, status, error = spawn([str(binary)] + config.args, cwd=work)
    if status != 0:
        sys.exit(f"{config.name}: exit status {status}: {error}")
    produced = sorted(p for p in work.iterdir()
                      if p.name not in config.inputs or p.name in config.rewrites)
    return seconds, cpu_seconds(usage), produced


def peak_rss_kib(binary, config, work):
    """Peak RSS of one run under GNU time, or None without it. (The rusage
    of a child spawned from Python includes the interpreter's own peak,
    inherited through fork and exec, so it is measured one process away.)"""
    gnu_time = Path("/usr/bin/time")
    if not gnu_time.exists():
        return None
    prepare(config, work)
    report = work.parent / (work.name + ".rss")
    _, _, status, error = spawn([str(gnu_time), "-f", "%M", "-o", str(report), str(binary)]
                                + config.args, cwd=work)
    if status != 0:
        sys.exit(f"{config.name}: exit status {status}: {error}")
    return int(report.read_text().split()[-1])


def copy_with_cat(files, target):
    """Copies each file with cat into a fresh directory; returns
    (wall seconds, cpu seconds)."""
    target.mkdir()
    wall = cpu = 0.0
    for path in files:
        with open(target / path.name, "wb") as out:
            seconds, usage, status, error = spawn(["cat", str(path)], stdout=out)
        if status != 0:
            sys.exit(f"cat {path}: exit status {status}: {error}")
        wall += seconds
        cpu += cpu_seconds(usage)
    return wall, cpu


def copy_with_one_cat(files, target):
    """Copies all files with one cat into one file of a fresh directory;
    returns (wall seconds, cpu seconds)."""
    target.mkdir()
    with open(target / "all", "wb") as out:
        seconds, usage, status, error = spawn(["cat"] + [str(p) for p in files], stdout=out)
    if status != 0:
        sys.exit(f"cat: exit status {status}: {error}")
    return seconds, cpu_seconds(usage)


def measure(binary, config, repeat, scratch):
    gen, gen_cpu, cat, cat_cpu, one, one_cpu = [], [], [], [], [], []
    for i in range(repeat):
        seconds, cpu, produced = run_generator(binary, config, scratch / f"gen{i}")
        gen.append(seconds)
        gen_cpu.append(cpu)
        size = sum(p.stat().st_size for p in produced)
        seconds, cpu = copy_with_cat(produced, scratch / f"cat{i}")
        cat.append(seconds)
        cat_cpu.append(cpu)
        seconds, cpu = copy_with_one_cat(produced, scratch / f"one{i}")
        one.append(seconds)
        one_cpu.append(cpu)
        shutil.rmtree(scratch / f"gen{i}")
        shutil.rmtree(scratch / f"cat{i}")
        shutil.rmtree(scratch / f"one{i}")
    rss = peak_rss_kib(binary, config, scratch / "rss")
    shutil.rmtree(scratch / "rss", ignore_errors=True)
    median = statistics.median
    return {
        "name": config.name,
        "files": len(produced),
        "gen_ms": median(gen) * 1e3,
        "cpu_ms": median(gen_cpu) * 1e3,
        "bytes": size,
        "mbps": size / median(gen) / 1e6,
        "rss_kib": "-" if rss is None else rss,
        "cat_ms": median(cat) * 1e3,
        "cat_cpu_ms": median(cat_cpu) * 1e3,
        "ratio": median(gen) / median(cat),
        "cpu_ratio": median(gen_cpu) / max(median(cat_cpu), 1e-3),
        "one_ms": median(one) * 1e3,
        "one_cpu_ms": median(one_cpu) * 1e3,
        "one_ratio": median(gen) / median(one),
        "one_cpu_ratio": median(gen_cpu) / max(median(one_cpu), 1e-3),
    }


def build(preset):
    subprocess.run(["cmake", "--preset", preset], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", preset, "-j2"], cwd=ROOT,
                   check=True, stdout=subprocess.DEVNULL)


COLUMNS = [("configuration", "name", "{}"), ("files", "files", "{}"),
           ("gen ms", "gen_ms", "{:.1f}"), ("cpu ms", "cpu_ms", "{:.1f}"),
           ("bytes", "bytes", "{}"), ("MB/s", "mbps", "{:.0f}"),
           ("RSS KiB", "rss_kib", "{}"), ("cat ms", "cat_ms", "{:.1f}"),
           ("cat cpu", "cat_cpu_ms", "{:.1f}"), ("ratio", "ratio", "{:.1f}"),
           ("cpu ratio", "cpu_ratio", "{:.1f}"), ("1cat ms", "one_ms", "{:.1f}"),
           ("1cat cpu", "one_cpu_ms", "{:.1f}"), ("1ratio", "one_ratio", "{:.1f}"),
           ("1cpu ratio", "one_cpu_ratio", "{:.1f}")]


def print_table(rows, markdown):
    cells = [[fmt.format(row[key]) for _, key, fmt in COLUMNS] for row in rows]
    heads = [head for head, _, _ in COLUMNS]
    if markdown:
        print("| " + " | ".join(heads) + " |")
        print("|" + "---|" * len(heads))
        for line in cells:
            print("| " + " | ".join(line) + " |")
        return
    widths = [max(len(h), *(len(c[i]) for c in cells)) for i, h in enumerate(heads)]
    print("  ".join(h.ljust(widths[0]) if i == 0 else h.rjust(widths[i])
                    for i, h in enumerate(heads)))
    for line in cells:
        print("  ".join(c.ljust(widths[0]) if i == 0 else c.rjust(widths[i])
                        for i, c in enumerate(line)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--repeat", type=int, default=5, help="runs per configuration (5)")
    parser.add_argument("--preset", default="release", help="CMake preset to build and time")
    parser.add_argument("--no-build", action="store_true", help="time the binaries as built")
    parser.add_argument("--build-dir", type=Path, help="default: build/<preset>")
    parser.add_argument("--small", action="store_true",
                        help="small configurations (a quick check that the script works)")
    parser.add_argument("--markdown", action="store_true", help="print a Markdown table")
    options = parser.parse_args()
    if options.repeat < 1:
        parser.error("--repeat must be 1 or more")

    if not options.no_build:
        build(options.preset)
    build_dir = options.build_dir or ROOT / "build" / options.preset
    rows = []
    with tempfile.TemporaryDirectory(prefix="ipgen-bench-") as scratch:
        for config in configurations(options.small):
            binary = build_dir / config.program
            if not binary.exists():
                print(f"skipped {config.name}: {binary} not built", file=sys.stderr)
                continue
            rows.append(measure(binary, config, options.repeat, Path(scratch)))
    print(machine_line(options))
    print_table(rows, options.markdown)


def machine_line(options):
    """What the figures were measured on; a loaded machine inflates them."""
    memory = "?"
    try:
        with open("/proc/meminfo") as info:
            kib = int(info.readline().split()[1])
            memory = f"{kib / 2**20:.0f} GiB"
    except (OSError, ValueError, IndexError):
        pass
    load = " ".join(f"{x:.1f}" for x in os.getloadavg())
    return (f"{os.cpu_count()} cores, {memory}, load average {load}; "
            f"median of {options.repeat} runs")


if __name__ == "__main__":
    main()
