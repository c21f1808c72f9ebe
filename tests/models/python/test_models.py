"""The Python module ipgen against the independent references: libfec
(through ctypes) for the Reed-Solomon codes and the Viterbi decoder, numpy's
integer convolution for the FIR filter. A few configurations each."""
import ctypes
import ctypes.util

import numpy as np
import pytest

import ipgen

_path = ctypes.util.find_library("fec")
fec = ctypes.CDLL(_path) if _path else None
needs_fec = pytest.mark.skipif(fec is None, reason="libfec not installed (libfec-dev)")
rng = np.random.default_rng(2024)


def libfec_rs(m, poly, fcr, prim, nroots, pad):
    fec.init_rs_char.restype = ctypes.c_void_p
    return ctypes.c_void_p(fec.init_rs_char(m, poly, fcr, prim, nroots, pad))


# symbol_width, n, k, field polynomial, first root, spacing, erasures
RS_CODES = [(8, 255, 239, 0x11D, 0, 1, 4), (8, 204, 188, 0x11D, 0, 1, 0),
            (4, 15, 11, 0x13, 1, 1, 2), (8, 255, 223, 391, 112, 11, 0)]


def rs_options(m, n, k, poly, fcr, prim):
    return dict(symbol_width=m, n=n, k=k, field_poly=poly, first_root=fcr, root_spacing=prim)


@needs_fec
@pytest.mark.parametrize("m,n,k,poly,fcr,prim,erasures", RS_CODES)
def test_rs_encoder_and_decoder_against_libfec(m, n, k, poly, fcr, prim, erasures):
    nroots, words = n - k, 60
    rs = libfec_rs(m, poly, fcr, prim, nroots, (1 << m) - 1 - n)
    encoder = ipgen.RsEncoder(**rs_options(m, n, k, poly, fcr, prim))
    data = rng.integers(0, 1 << m, (words, k))
    code = encoder.encode(data)
    for word in code:
        buf = (ctypes.c_ubyte * n)(*word[:k], *([0] * nroots))
        fec.encode_rs_char(rs, buf, ctypes.byref(buf, k))
        assert list(buf) == list(word)

    decoder = ipgen.RsDecoder(erasures=erasures, **rs_options(m, n, k, poly, fcr, prim))
    received, flags = code.copy(), np.zeros(code.shape, np.uint8)
    for w in range(words):
        rho = int(rng.integers(0, erasures + 1))
        errors = int(rng.integers(0, (nroots - rho) // 2 + 2))  # up to one beyond
        at = rng.permutation(n)[:errors + rho]
        received[w, at] ^= rng.integers(1, 1 << m, len(at))
        flags[w, at[errors:]] = 1
    corrected, changed, failed = decoder.decode(received, flags)
    for w in range(words):
        buf = (ctypes.c_ubyte * n)(*received[w])
        pos = np.flatnonzero(flags[w])
        count = fec.decode_rs_char(rs, buf, (ctypes.c_int * n)(*pos), len(pos))
        within = 2 * np.count_nonzero(received[w] != code[w]) - len(pos) <= nroots
        if within:
            assert not failed[w] and list(corrected[w]) == list(code[w]) == list(buf)
        elif count >= 0 and not failed[w]:
            assert list(corrected[w]) == list(buf)  # both took the same nearest codeword
        if failed[w]:
            assert list(corrected[w]) == list(received[w])
        assert changed[w] == np.count_nonzero(corrected[w] != received[w])
    assert failed.any() and not failed.all()
    fec.free_rs_char(rs)
    # decode() takes a table-driven path; the beats take the model's own
    width = (m + 2 + 3) // 4
    lines = ["%0*x" % (width, (f << (m + 1)) | ((i == n - 1) << m) | int(s))
             for word, flag in zip(received, flags) for i, (s, f) in enumerate(zip(word, flag))]
    beats = np.array([int(b, 16) for b in decoder.beats(lines)]).reshape(words, n)
    assert (beats & ((1 << m) - 1) == corrected).all()
    assert list(beats[:, 0] >> (m + 2)) == list(changed)
    assert list((beats[:, 0] >> (m + 1)) & 1) == list(failed)


@needs_fec
def test_ccsds_dual_basis_against_libfec():
    encoder = ipgen.RsEncoder(symbol_width=8, n=255, k=223, ccsds=True)
    data = rng.integers(0, 256, 223)
    parity = (ctypes.c_ubyte * 32)()
    fec.encode_rs_ccsds((ctypes.c_ubyte * 223)(*data), parity, 0)
    assert list(encoder.encode(data)[223:]) == list(parity)


def libfec_viterbi27(symbols8, data_bits):
    """libfec's K = 7 rate 1/2 decoder over one terminated block; its
    polynomials are ours mirrored (its bit 0 taps the newest bit)."""
    mirrored = [int(format(g, "07b")[::-1], 2) for g in (0o171, 0o133)]
    fec.set_viterbi27_polynomial((ctypes.c_int * 2)(*mirrored))
    fec.create_viterbi27.restype = ctypes.c_void_p
    vp = ctypes.c_void_p(fec.create_viterbi27(data_bits))
    fec.init_viterbi27(vp, 0)
    fec.update_viterbi27_blk(vp, (ctypes.c_ubyte * len(symbols8))(*symbols8), data_bits + 6)
    out = (ctypes.c_ubyte * ((data_bits + 7) // 8))()
    fec.chainback_viterbi27(vp, out, data_bits, 0)
    fec.delete_viterbi27(vp)
    return np.unpackbits(np.frombuffer(bytes(out), np.uint8))[:data_bits]


@needs_fec
@pytest.mark.parametrize("soft_width,signed", [(3, True), (4, False), (0, False)])
def test_viterbi_k7_against_libfec(soft_width, signed):
    options = dict(constraint_length=7, polynomials="171,133", traceback_length=64)
    options.update(soft_width=soft_width, unsigned=not signed) if soft_width else options.update(
        soft_decision=False)
    v = ipgen.Viterbi(**options)
    bits = rng.integers(0, 2, 4000).astype(np.uint8)
    code = v.encode(bits)
    assert len(code) == 2 * (len(bits) + 6)
    noisy = (2.0 * code - 1) + rng.normal(0, 0.6, len(code))
    symbols = v.quantise(noisy)
    top = (1 << max(soft_width, 1)) - 1
    conf = symbols + (1 << (soft_width - 1) if signed else 0)
    decoded = v.decode(symbols)
    assert len(decoded) == len(bits) + 6 and not decoded[len(bits):].any()
    # libfec on the same quantised symbols (its 8-bit scale: 255 a sure 1)
    reference = libfec_viterbi27(np.rint(conf * 255 / top).astype(np.uint8), len(bits))
    assert list(libfec_viterbi27(code * 255, len(bits))) == list(bits)  # the same code
    assert np.count_nonzero(decoded[:len(bits)] != reference) <= 10
    assert np.count_nonzero(decoded[:len(bits)] != bits) <= np.count_nonzero(reference != bits) + 10


def test_viterbi_punctured_round_trip_and_refusal():
    v = ipgen.Viterbi(constraint_length=7, polynomials=[171, 133], soft_width=3,
                      puncture_patterns="110,101", puncture_block_size=3)
    bits = rng.integers(0, 2, 999).astype(np.uint8)
    code = v.encode(bits)
    assert len(code) == (len(bits) + 6) * 4 // 3
    assert list(v.decode(v.quantise(2.0 * code - 1))[:len(bits)]) == list(bits)
    with pytest.raises(ipgen.Error, match=r"^ipgen: --constraint-length 17: "):
        ipgen.Viterbi(constraint_length=17, polynomials="171,133")


@pytest.mark.parametrize("options", [
    dict(constraint_length=7, polynomials="171,133", soft_width=3, traceback_length=20),
    dict(constraint_length=5, polynomials="23,35", soft_decision=False, hybrid_index=2,
         puncture_patterns="110,101", puncture_block_size=3, traceback_length=25),
    dict(constraint_length=9, polynomials="557,663,711", soft_width=4, unsigned=True,
         traceback_length=40)])
def test_viterbi_decode_is_the_models_beats(options):
    """decode() takes a table-driven path; the beats take the model's own."""
    v = ipgen.Viterbi(**options)
    bits = rng.integers(0, 2, 700).astype(np.uint8)
    symbols = v.quantise(2.0 * v.encode(bits) - 1 + rng.normal(0, 0.5, len(v.encode(bits))))
    width = max(v.soft_width, 1)
    per_beat = 1 if v.punctured else v.outputs
    in_width = (per_beat * width + 7) // 8 * 8
    lines = []
    for at in range(0, len(symbols), per_beat):
        data = 0
        for j, sym in enumerate(symbols[at:at + per_beat]):
            data |= (int(sym) & ((1 << width) - 1)) << (j * width)
        last = at + per_beat >= len(symbols)
        lines.append("%0*x" % ((in_width + 4) // 4, (last << in_width) | data))
    decoded = v.decode(symbols)
    assert [int(b, 16) & 1 for b in v.beats(lines)] == list(decoded)
    assert np.count_nonzero(decoded[:len(bits)] != bits) < len(bits) // 4


def expected_fir(x, h, drop, out_width, nearest, step=1):
    y = np.convolve(x, h)[:len(x)][step - 1::step]
    if drop > 0:
        y = (y + (1 << (drop - 1) if nearest else 0)) >> drop
    y &= (1 << out_width) - 1
    return np.where(y >= 1 << (out_width - 1), y - (1 << out_width), y)


# coeff width, taps, output width, extra options
FIRS = [(16, 64, 40, {}), (8, 31, 12, dict(symmetry="symmetric", rounding="nearest")),
        (12, 20, 20, dict(filter_type="decimation", decimation=4))]


@pytest.mark.parametrize("width,taps,out_width,extra", FIRS)
def test_fir_against_numpy(width, taps, out_width, extra):
    h = rng.integers(-(1 << (width - 1)), 1 << (width - 1), taps)
    if extra.get("symmetry") == "symmetric":
        h[taps - taps // 2:] = h[:taps // 2][::-1]
    coeffs = h[:taps - taps // 2 if extra.get("symmetry") else taps]
    f = ipgen.Fir(coeff_width=width, taps=taps, output_width=out_width, coeffs=list(coeffs),
                  **extra)
    x = rng.integers(-(1 << (width - 1)), 1 << (width - 1), 3000)
    want = expected_fir(x, h, max(0, f.full_width - out_width), out_width, extra.get("rounding") == "nearest",
                        extra.get("decimation", 1))
    assert list(f.filter(x)) == list(want)
    # the beats path (the model itself, no batch shortcut) gives the same words
    mask = (1 << width) - 1
    beats = f.beats(["%0*x" % ((width + 5) // 4, int(s) & mask) for s in x])
    assert [int(b, 16) for b in beats] == list(want & ((1 << out_width) - 1))


def test_fir_saturate_clamps_a_result_rounded_past_the_largest():
    # 8-bit unsigned, one tap of 255, 2 result bits of 16 rounded to nearest:
    # 255 x 255 and 254 x 255 round up to 4, which wraps to 0 or clamps to 3
    for overflow, want in (("wrap", [0, 0, 3, 2, 0]), ("saturate", [3, 3, 3, 2, 0])):
        f = ipgen.Fir(coeff_width=8, taps=1, output_width=2, coeffs=[255], arithmetic="unsigned",
                      rounding="nearest", overflow=overflow)
        assert list(f.filter([255, 254, 200, 128, 0])) == want


def test_fir_loadable_reload_takes_effect_at_its_sample():
    f = ipgen.Fir(coeff_width=8, taps=6, output_width=19, loadable=True)
    a, b = rng.integers(-128, 128, 6), rng.integers(-128, 128, 6)
    x = rng.integers(-128, 128, 200)
    y = f.filter(x, reloads=[(0, list(a)), (100, list(b))])
    assert list(y[:100]) == list(np.convolve(x, a)[:100])
    assert list(y[100:]) == list(np.convolve(x, b)[100:200])
    with pytest.raises(ipgen.Error, match=r"^ipgen: Fir.filter: samples\[1\] 128: "):
        f.filter(np.array([0, 128]))


def test_viterbi_erasures_add_nothing_to_the_metrics():
    """Symbols flagged as erased are ignored, whatever their value."""
    v = ipgen.Viterbi(constraint_length=7, polynomials="171,133", soft_width=3, erasures=True)
    bits = rng.integers(0, 2, 400).astype(np.uint8)
    sent = v.quantise(2.0 * v.encode(bits) - 1)
    flags = np.zeros(len(sent), dtype=np.uint8)
    flags[::3] = 1
    wrong = sent.copy()
    wrong[::3] = sent.max() + sent.min() - sent[::3]  # each erased symbol turned round
    assert (v.decode(wrong, erasures=flags)[:len(bits)] == bits).all()
    assert (v.decode(wrong)[:len(bits)] != bits).any()
    with pytest.raises(ipgen.Error):
        v.decode(wrong, erasures=flags[1:])
    with pytest.raises(ipgen.Error):
        ipgen.Viterbi(constraint_length=7, polynomials="171,133").decode(wrong, erasures=flags)
