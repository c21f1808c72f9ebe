#!/usr/bin/env python3
"""The FIR model against numpy's integer convolution on the same machine:
64 taps, 16-bit samples and coefficients, int64, samples per second of
ipgen.Fir.filter and of np.convolve, and their ratio. Then the C++ bench
(RS and Viterbi against libfec) when its binary is given.
Usage: fir_bench.py [--models-bench BUILD/bench/models/models_bench] [samples]"""
import argparse
import subprocess
import time

import numpy as np

import ipgen


def best_of(runs, call):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        call()
        best = min(best, time.perf_counter() - start)
    return best


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--models-bench", help="the models_bench binary (RS and Viterbi)")
    parser.add_argument("samples", nargs="?", type=int, default=1_000_000)
    args = parser.parse_args()
    if args.models_bench:
        subprocess.run([args.models_bench], check=True)
    rng = np.random.default_rng(1)
    h = rng.integers(-(1 << 15), 1 << 15, 64)
    x = rng.integers(-(1 << 15), 1 << 15, args.samples)
    fir = ipgen.Fir(coeff_width=16, taps=64, output_width=38, coeffs=list(h))
    assert (fir.filter(x[:5000]) == np.convolve(x[:5000], h)[:5000]).all()
    numpy_s = best_of(3, lambda: np.convolve(x, h))
    ipgen_s = best_of(3, lambda: fir.filter(x))
    slow = ipgen.Fir(coeff_width=16, taps=64, output_width=38, loadable=True)
    part = x[: args.samples // 10]
    model_s = best_of(1, lambda: slow.filter(part, reloads=[(0, list(h))])) * 10
    print(f"FIR 64 taps, {args.samples} samples, int64: numpy {args.samples / numpy_s:.0f} "
          f"samples/s, ipgen {args.samples / ipgen_s:.0f} samples/s, ratio "
          f"{numpy_s / ipgen_s:.2f}; the model's own path (a loaded set) "
          f"{args.samples / model_s:.0f} samples/s, ratio {numpy_s / model_s:.2f}")


if __name__ == "__main__":
    main()
