#!/usr/bin/env bash
# Builds the generators and writes a demo of every core into ./demo: one
# folder per configuration, each with a sample header.v and the sample input
# files its generator reads. Then compiles each folder's Verilog with Icarus
# Verilog and prints a summary table (files, lines, bytes, compile result).
# Exits non-zero when a generator fails or a core does not compile.
#
# On a fresh machine it installs what it needs first (scripts/deps/demo.txt:
# compiler, CMake, Icarus Verilog). The tests run it on an existing build:
#   IPGEN_DEMO_BUILD=<build folder>  use these programs; no install, no build
#   IPGEN_DEMO_ROOT=<folder>         write <folder>/demo instead of ./demo
#   IPGEN_DEMO_QUICK=1               no synthesis, a short BER curve (the tests)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ -n "${IPGEN_DEMO_BUILD:-}" ]; then
    bin=$IPGEN_DEMO_BUILD
else
    scripts/install-deps.sh scripts/deps/demo.txt ||
        echo "demo: could not install scripts/deps/demo.txt; going on with what is installed"
    # A build of its own without the tests, so that GoogleTest is not needed.
    bin="$root/build/demo"
    cmake -S . -B "$bin" -DCMAKE_BUILD_TYPE=Release -DIPGEN_BUILD_TESTS=OFF >/dev/null
    cmake --build "$bin" -j "$(nproc)" >/dev/null
fi

cd "${IPGEN_DEMO_ROOT:-$root}"
rm -rf demo
mkdir -p demo

sample_header() {
    cat > "$1/header.v" <<'HDR'
//////////////////////////////////////////////////////////////////////
// Generated core: do not edit; rerun the generator instead.
//////////////////////////////////////////////////////////////////////
HDR
}

# A Reed-Solomon core: folder name, program (corrgen or paritygen), switches.
rs_core() {
    local name=$1 program=$2; shift 2
    local dir="demo/$name"
    mkdir -p "$dir"
    sample_header "$dir"
    (cd "$dir" && "$bin/generators/$program/$program" "$@" > "$program.log")
    echo "demo/$name: $program $*"
}
decoder() { local name=$1; shift; rs_core "$name" corrgen "$@"; }
encoder() { local name=$1; shift; rs_core "$name" paritygen "$@"; }

decoder rs_255_239_decoder -w 8 -n 255 -k 239 -f 285 -g 0 -h 1 -e 0 -y 0 -o 0 -c 0
decoder rs_204_188_decoder -w 8 -n 204 -k 188 -f 285 -g 0 -h 1 -e 0 -y 0 -o 0 -c 0
decoder rs_255_239_e4_decoder -w 8 -n 255 -k 239 -f 285 -g 0 -h 1 -e 4 -y 1 -o 63 -c 1
decoder rs_204_188_g112_h11_decoder -w 8 -n 204 -k 188 -f 391 -g 112 -h 11 -e 0 -y 0 -o 0 -c 0

encoder rs_255_239_encoder -n 255 -k 239 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 1
encoder rs_255_239_encoder_plain -n 255 -k 239 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 0
encoder rs_204_188_encoder -n 204 -k 188 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 1
encoder rs_204_188_g112_h11_encoder -n 204 -k 188 -w 8 -f 391 -g 112 -h 11 -p 1 -t 0 -c 0 -a 1
# Viterbi decoder: K = 7, rate 1/2 with polynomials 171 and 133 (octal),
# 3-bit soft decision, traceback 64, fully parallel, KESTREL 4 device.
mkdir -p demo/viterbi_k7
cat > demo/viterbi_k7/viterbi_params.v <<'VIT'
7    // constraint length K
2    // number of generator polynomials n (code rate 1/n)
171  // generator polynomial 0, octal
133  // generator polynomial 1, octal
1    // soft decision (1) or hard decision (0)
3    // soft width: bits per soft symbol
0    // soft symbols unsigned (1) or signed (0)
0    // punctured (1) or not (0)
64   // traceback length
0    // hybrid (1) or fully parallel (0)
0    // BER monitor present (1) or not (0)
VIT
(cd demo/viterbi_k7 && "$bin/generators/trellgen/trellgen" 2 > trellgen.log)
echo "demo/viterbi_k7: trellgen 2"

# FIR filter: firparam creates user_params.txt with the defaults (a 6-tap
# single-cycle filter with fixed coefficients) and writes its parameters.v;
# firgen then reads the same user_params.txt, converts cin.dec and writes
# its own parameters.v (and cin.hex) in place of firparam's.
mkdir -p demo/fir
printf '%s\n' 3 -7 21 21 -7 3 > demo/fir/cin.dec
(cd demo/fir && "$bin/generators/firparam/firparam" > firparam.log && "$bin/generators/firgen/firgen" > firgen.log)
echo "demo/fir: firparam, then firgen"

# name, then the fourteen values of user_params.txt (tap width, coefficient
# width, taps, output width, filter type, loadable, symmetry, rounding,
# arithmetic, data type, cycles, decimation, interpolation, complex input),
# then the decimal coefficients for cin.dec; firparam normalises the file
# and writes its parameters.v, firgen writes its own in its place.
fir() {
    local name=$1 dir="demo/$1" comments i=0
    shift
    mkdir -p "$dir"
    comments=("Tap width" "Coeff width" "Number of taps" "Output width"
        "Filter type: 0-single, 1-multi, 2-deci, 3-inter" "Coeff loadability: 0-fixed, 1-loadable"
        "Symmetricity: 0-none, 1-even, 2-odd" "Rounding type: 0-truncation, 1-nearest"
        "Arithmetic type: 0-signed, 1-unsigned" "Data type: 0-real, 1-complex"
        "Number of cycles (MULTICYCLE)" "D_RATIO (DECIMATION)" "I_RATIO (INTERPOLATION)"
        "Complex input mode: 0-parallel, 1-serial")
    for i in "${!comments[@]}"; do
        printf '%d   // %s\n' "$1" "${comments[$i]}"
        shift
    done > "$dir/user_params.txt"
    printf '%s\n' "$@" > "$dir/cin.dec"
    (cd "$dir" && "$bin/generators/firparam/firparam" > firparam.log && "$bin/generators/firgen/firgen" > firgen.log)
    echo "demo/$name: firparam, then firgen"
}

# Decimating by 4: 16 taps of 8 bits, 4 multipliers, 21-bit output.
fir fir_decimation_16_d4 8 8 16 21 2 0 0 0 0 0 1 4 1 0 \
    -2 -5 -3 6 17 29 40 46 46 40 29 17 6 -3 -5 -2
# Symmetric: 11 taps of 8 bits with even symmetry, 6 coefficients and
# 6 multipliers, rounded to nearest.
fir fir_symmetric_11 8 8 11 20 0 0 1 1 0 0 1 1 1 0 \
    1 -4 9 -20 39 100

# Complete cores written by ipgen: the generated files, the core's own
# Verilog, a self-checking testbench and a Makefile, in demo/cores/<name>.
# Each is simulated (make sim: PASS or FAIL) and, where Yosys is installed,
# synthesized (make synth: LUTs, FFs, RAMs) in the summary below.
ipgen_core() {
    local name=$1
    shift
    mkdir -p demo/cores
    "$bin/ipgen/ipgen" "$@" --out "demo/cores/$name" >> demo/cores/ipgen.log
    echo "demo/cores/$name: ipgen $*"
}
ipgen_core rs_255_239_encoder rs-encoder --symbol-width 8 --n 255 --k 239
ipgen_core viterbi_k7 viterbi
# The same code, two trellis steps per clock (radix-4 add-compare-select):
# simulated only (its synthesis figures are in the core's README).
ipgen_core viterbi_k7_2bits viterbi --bits-per-clock 2
# The decoder is simulated only: its synthesis takes minutes (make synth in
# its folder; the figures are in its README).
ipgen_core rs_204_188_decoder rs-decoder --symbol-width 8 --n 204 --k 188 --tb-words 20
# The decoder of the 100G Ethernet code RS(544,514) over GF(2^10) ("KP4",
# field polynomial 1033) at 4 symbols per clock, words of random lengths
# ending with tlast (simulated only, like the one above).
ipgen_core kp4_p4_decoder rs-decoder --symbol-width 10 --field-poly 1033 --n 544 --k 514 \
    --symbols-per-clock 4 --variable-length --tb-words 20
sim_only=" rs_204_188_decoder kp4_p4_decoder "

# An encoder -> channel -> decoder loop of RS(204,188) from two folders that
# share one design: ipgen rs-encoder --prefix enc_ and ipgen rs-decoder
# --prefix dec_. The loop testbench sends random data with random gaps into
# enc_rs_encoder_axis, adds up to t = 8 symbol errors to each codeword on
# the way to dec_rs_decoder_axis (random tready at its output), and expects
# the data back, no failure, and as many corrections as errors added.
rs_loop_words=30
rs_loop() {
    local dir=demo/rs_loop
    mkdir -p "$dir/loop"
    "$bin/ipgen/ipgen" rs-encoder --symbol-width 8 --n 204 --k 188 --prefix enc_ \
        --out "$dir/enc" >> "$dir/ipgen.log"
    "$bin/ipgen/ipgen" rs-decoder --symbol-width 8 --n 204 --k 188 --prefix dec_ --tb-words 1 \
        --out "$dir/dec" >> "$dir/ipgen.log"
    cat > "$dir/loop/tb_rs_loop.v" <<LOOP
\`timescale 1ns/1ns
// RS(204,188): random data -> enc_rs_encoder_axis -> up to t symbol errors
// per codeword -> dec_rs_decoder_axis -> the data again.
module tb_rs_loop;
   localparam N = 204, K = 188, T = 8, M = 8, WORDS = $rs_loop_words;
   reg aclk = 1'b0;
   reg aresetn = 1'b0;
   always #5 aclk = ~aclk;

   reg  [M-1:0] sent [0:WORDS*K-1];
   reg  [M-1:0] src_data;
   reg          src_valid, src_last;
   wire         src_ready;
   integer      src_count;

   wire [M-1:0] enc_data;
   wire         enc_valid, enc_last, enc_ready;
   reg  [M-1:0] err [0:N-1];
   integer      ch_pos, injected, pattern;

   wire [M-1:0] dec_data;
   wire         dec_valid, dec_last;
   reg          dec_ready;
   wire [\`dec_CNTJWIDTH:0] dec_tuser;
   integer      out_pos, out_word, corrected, cycles, i, p;

   enc_rs_encoder_axis enc (
      .aclk(aclk), .aresetn(aresetn),
      .s_axis_tdata(src_data), .s_axis_tvalid(src_valid), .s_axis_tready(src_ready),
      .s_axis_tlast(src_last),
      .m_axis_tdata(enc_data), .m_axis_tvalid(enc_valid), .m_axis_tready(enc_ready),
      .m_axis_tlast(enc_last));

   dec_rs_decoder_axis dec (
      .aclk(aclk), .aresetn(aresetn),
      .s_axis_tdata(enc_data ^ err[ch_pos]), .s_axis_tuser(1'b0), .s_axis_tvalid(enc_valid),
      .s_axis_tready(enc_ready), .s_axis_tlast(enc_last),
      .m_axis_tdata(dec_data), .m_axis_tvalid(dec_valid), .m_axis_tready(dec_ready),
      .m_axis_tlast(dec_last), .m_axis_tuser(dec_tuser));

   // A new error pattern: up to T distinct positions, non-zero values.
   task new_errors;
      begin
         for (i = 0; i < N; i = i + 1) err[i] = 0;
         pattern = 0;
         for (i = {\$random} % (T + 1); i > 0; i = i - 1) begin
            p = {\$random} % N;
            if (err[p] == 0) begin
               err[p] = 1 + {\$random} % ((1 << M) - 1);
               pattern = pattern + 1;
            end
         end
      end
   endtask

   task fail(input [8*40-1:0] what);
      begin
         \$display("FAIL: %0s, codeword %0d symbol %0d", what, out_word, out_pos);
         \$finish;
      end
   endtask

   initial begin
      for (i = 0; i < WORDS * K; i = i + 1) sent[i] = \$random;
      src_valid = 0; src_last = 0; src_data = 0; dec_ready = 0;
      src_count = 0; ch_pos = 0; injected = 0; out_pos = 0; out_word = 0; corrected = 0;
      cycles = 0;
      new_errors;
      repeat (3) @(posedge aclk);
      aresetn = 1'b1;
   end

   always @(posedge aclk) if (aresetn) begin
      cycles = cycles + 1;
      if (cycles > WORDS * N * 8) fail("timeout");
      // source: random tvalid gaps
      if (src_valid && src_ready) src_count = src_count + 1;
      if (!src_valid || src_ready) begin
         src_valid <= src_count < WORDS * K && (\$random & 3) != 0;
         src_data  <= sent[src_count % (WORDS * K)];
         src_last  <= src_count % K == K - 1;
      end
      // channel
      if (enc_valid && enc_ready) begin
         if (enc_last) begin
            ch_pos = 0;
            injected = injected + pattern;
            new_errors;
         end else begin
            ch_pos = ch_pos + 1;
         end
      end
      // sink: random tready
      if (dec_valid && dec_ready) begin
         if (dec_tuser[0]) fail("decoding failure");
         if (out_pos < K && dec_data !== sent[out_word * K + out_pos]) fail("data differs");
         if (dec_last !== (out_pos == N - 1)) fail("tlast");
         if (dec_last) begin
            corrected = corrected + (dec_tuser >> 1);
            out_pos = 0;
            out_word = out_word + 1;
            if (out_word == WORDS) begin
               if (corrected != injected) fail("correction count");
               \$display("PASS: %0d codewords, %0d symbol errors added, %0d corrected", WORDS,
                        injected, corrected);
               \$finish;
            end
         end else begin
            out_pos = out_pos + 1;
         end
      end
      dec_ready <= (\$random & 3) != 0;
   end
endmodule
LOOP
    echo "demo/rs_loop: ipgen rs-encoder --prefix enc_, ipgen rs-decoder --prefix dec_, loop/tb_rs_loop.v"
    command -v iverilog >/dev/null || { rs_loop_result="iverilog not installed"; return 0; }
    local sources=() folder file
    for folder in enc dec; do
        for file in $(grep -v '^+' "$dir/$folder"/*.f); do sources+=("$folder/$file"); done
    done
    if (cd "$dir" && iverilog -g2005 -Wall -I enc -I dec -o loop.vvp "${sources[@]}" \
            loop/tb_rs_loop.v && vvp -n loop.vvp) > "$dir/sim.txt" 2>&1; then
        rs_loop_result=$(grep -E '^(PASS|FAIL)' "$dir/sim.txt" || echo "FAIL: no result")
    else
        rs_loop_result="FAIL: does not compile or run"
    fi
}
rs_loop_result=
rs_loop

# The bit-error-rate curves of demo/cores/viterbi_k7 (K = 7, 171/133, 3-bit
# soft decision) and of demo/cores/viterbi_k7_2bits (the same code, two
# steps per clock) into viterbi_k7/ber.png. At each Eb/N0 of $viterbi_ebn0
# each folder's own testbench runs its RTL on $viterbi_bits noisy bits (the
# same bits and noise for both: the two cores decode the same bits, so the
# points coincide); the vectors (bench/viterbi_ber) hold the bits our model
# decodes, so PASS means the RTL made exactly the errors counted. Beside
# them libfec's decoder on 10^6 bits per point (the same channel and
# quantisation) and uncoded BPSK.
sim_only="$sim_only viterbi_k7_2bits "
viterbi_ebn0="0 1 2 3"
viterbi_bits=20000
[ -z "${IPGEN_DEMO_QUICK:-}" ] || viterbi_bits=1000
viterbi_ber_curve() {
    local dir=demo/cores/viterbi_k7 tool="$bin/bench/viterbi_ber/viterbi_ber" ebn0 point core
    if [ ! -x "$tool" ] || ! command -v iverilog >/dev/null || ! command -v gnuplot >/dev/null; then
        echo "$dir/ber.png: not drawn (needs libfec-dev, iverilog and gnuplot)"
        return 0
    fi
    # one bit per clock, then two
    for core in viterbi_k7:1 viterbi_k7_2bits:2; do
        for ebn0 in $viterbi_ebn0; do
            point="$dir/ber_sim/${core%:*}/$ebn0"
            mkdir -p "$point"
            cp "demo/cores/${core%:*}"/*.v "demo/cores/${core%:*}"/*.vlt \
                "demo/cores/${core%:*}"/*.f "demo/cores/${core%:*}/Makefile" "$point/"
            ("$tool" --bits-per-clock "${core#*:}" "$point" "$ebn0" "$viterbi_bits" >"$point/errors.txt" &&
                make -s -C "$point" sim >"$point/sim.txt" 2>&1) &
        done
    done
    wait
    for core in viterbi_k7 viterbi_k7_2bits; do
        echo "# Eb/N0 (dB), bits, bit errors, BER: the RTL of $core (make sim PASS)" >"$dir/ber_rtl_$core.dat"
        for ebn0 in $viterbi_ebn0; do
            point="$dir/ber_sim/$core/$ebn0"
            if ! grep -qx PASS "$point/sim.txt" 2>/dev/null; then
                echo "$point: the RTL of $core does not match the model at $ebn0 dB ($point/sim.txt)"
                exit 1
            fi
            awk '{ printf "%s %d %d %.3g\n", $1, $2, $3, $3 / $2 }' "$point/errors.txt" >>"$dir/ber_rtl_$core.dat"
        done
    done
    mv "$dir/ber_rtl_viterbi_k7.dat" "$dir/ber_rtl.dat"
    mv "$dir/ber_rtl_viterbi_k7_2bits.dat" "$dir/ber_rtl_2bits.dat"
    rm -rf "$dir/ber_sim"
    echo "# Eb/N0 (dB), bits, bit errors, BER: libfec's K = 7 decoder" >"$dir/ber_libfec.dat"
    for ebn0 in 0 0.5 1 1.5 2 2.5 3 3.5 4 4.5 5; do
        "$tool" - "$ebn0" 1000000 | awk '{ printf "%s %d %d %.3g\n", $1, $2, $4, $4 / $2 }'
    done >>"$dir/ber_libfec.dat"
    gnuplot <<GP
set terminal png size 800,660
set output "$dir/ber.png"
set title "Viterbi decoder K = 7 (171, 133), 3-bit soft decision, traceback 64"
set xlabel "Eb/N0 (dB)"
set ylabel "bit-error rate"
set logscale y
set format y "10^{%L}"
set xrange [0:6]
set yrange [1e-6:0.5]
set grid
set key below Left reverse
plot 0.5 * erfc(sqrt(10 ** (x / 10))) title "uncoded BPSK" with lines lw 2, \
     "$dir/ber_libfec.dat" using 1:(\$3 > 0 ? \$4 : 1/0) title "libfec, 10^6 bits per point" with linespoints lw 2 pt 7, \
     "$dir/ber_rtl.dat" using 1:(\$3 > 0 ? \$4 : 1/0) title "ipgen core (RTL), 1 bit per clock, $viterbi_bits bits per point" with points pt 5 ps 2, \
     "$dir/ber_rtl_2bits.dat" using 1:(\$3 > 0 ? \$4 : 1/0) title "ipgen core (RTL), 2 bits per clock, $viterbi_bits bits per point" with points pt 4 ps 3
GP
    echo "$dir/ber.png: Eb/N0 dB: RTL BER (errors / bits) 1 bit per clock | 2 bits per clock | libfec BER"
    for ebn0 in $viterbi_ebn0; do
        printf '    %s dB: %s (%s / %s) | %s (%s / %s) | %s\n' "$ebn0" \
            "$(awk -v e="$ebn0" '$1 == e { print $4 }' "$dir/ber_rtl.dat")" \
            "$(awk -v e="$ebn0" '$1 == e { print $3 }' "$dir/ber_rtl.dat")" \
            "$(awk -v e="$ebn0" '$1 == e { print $2 }' "$dir/ber_rtl.dat")" \
            "$(awk -v e="$ebn0" '$1 == e { print $4 }' "$dir/ber_rtl_2bits.dat")" \
            "$(awk -v e="$ebn0" '$1 == e { print $3 }' "$dir/ber_rtl_2bits.dat")" \
            "$(awk -v e="$ebn0" '$1 == e { print $2 }' "$dir/ber_rtl_2bits.dat")" \
            "$(awk -v e="$ebn0" '!/^#/ && $1 + 0 == e + 0 { print $4 }' "$dir/ber_libfec.dat")"
    done
}
viterbi_ber_curve

# A continuous DVB-S stream with rate changes: the folder ipgen viterbi
# --standard dvb-s writes (K = 7, 171 then 133, the rates 1/2 to 7/8 chosen
# per frame on s_axis_tuser, tracebacks from the best state) decodes five
# frames of 1000 bits at 4 dB, the rate changing with every frame (1/2,
# 3/4, 7/8, 2/3, 5/6), a beat offered and a bit taken on every clock. Its
# testbench checks every bit and frame mark against the model and that no
# clock refuses a beat (bench/viterbi_ber/viterbi_stream); the run is a copy
# in stream_sim, so the folder keeps its own vectors. Not simulated in the
# quick demo (a minute of Icarus Verilog).
ipgen_core viterbi_dvbs viterbi --standard dvb-s
sim_only="$sim_only viterbi_dvbs "
viterbi_dvbs_stream() {
    local dir=demo/cores/viterbi_dvbs tool="$bin/bench/viterbi_ber/viterbi_stream"
    local run=$dir/stream_sim
    if [ -n "${IPGEN_DEMO_QUICK:-}" ] || [ ! -x "$tool" ] || ! command -v iverilog >/dev/null; then
        echo "$dir/stream_sim: the continuous stream is not simulated (quick demo, or no iverilog)"
        return 0
    fi
    mkdir -p "$run"
    cp "$dir"/*.v "$dir"/*.vlt "$dir"/*.f "$dir/Makefile" "$run/"
    local errors
    errors=$("$tool" dvb-s "$run" 4 5000)
    if ! make -s -C "$run" sim >"$run/sim.txt" 2>&1 || ! grep -qx PASS "$run/sim.txt"; then
        echo "$run: the RTL does not decode the stream as the model ($run/sim.txt)"
        exit 1
    fi
    echo "$run: continuous dvb-s stream, rates 1/2 3/4 7/8 2/3 5/6 frame by frame, no input gap:" \
        "PASS ($(echo "$errors" | awk '{ print $3 " bit errors in " $2 " bits at " $1 " dB" }'))"
}
viterbi_dvbs_stream

# A low-pass FIR filter: 31 taps of 16 bits, cut off at a fifth of the sample
# rate, a Hamming-windowed sinc designed here (awk) and rounded to Q15. The
# taps are symmetric, so ipgen takes the first 16. Its simulation starts
# with an impulse of 32767: the first 31 results the testbench writes to
# tb_result.hex are the filter's impulse response, 24-bit results with 14
# bits dropped (the full width is 38). gnuplot draws them and their
# frequency response beside the floating-point design and the ideal
# brick-wall low-pass into response.png.
fir_lowpass() {
    local dir=demo/cores/fir_lowpass
    mkdir -p demo/cores
    awk 'BEGIN { pi = atan2(0, -1); n = 31; fc = 0.2
        for (k = 0; k < n; k++) {
            x = k - (n - 1) / 2
            h = x == 0 ? 2 * fc : sin(2 * pi * fc * x) / (pi * x)
            printf "%d %.12f\n", k, h * (0.54 - 0.46 * cos(2 * pi * k / (n - 1)))
        } }' > demo/cores/fir_lowpass_design.dat
    local coeffs
    coeffs=$(awk '$1 < 16 { q = $2 * 32768; printf "%s%d", (NR > 1 ? "," : ""), (q < 0 ? q - 0.5 : q + 0.5) }' \
        demo/cores/fir_lowpass_design.dat)
    ipgen_core fir_lowpass fir --coeff-width 16 --taps 31 --output-width 24 --symmetry symmetric \
        --rounding nearest --coeffs "$coeffs"
    # The same filter with its products from one shared network of adders
    # (--multipliers constant); the summary prints both LUT counts.
    ipgen_core fir_lowpass_constant fir --coeff-width 16 --taps 31 --output-width 24 \
        --symmetry symmetric --rounding nearest --coeffs "$coeffs" --multipliers constant
    mv demo/cores/fir_lowpass_design.dat "$dir/design.dat"
    command -v iverilog >/dev/null || return 0
    make -s -C "$dir" sim > "$dir/sim.txt" 2>&1 || true
    # Simulated taps: result * 2^14 / 32767, in units of 2^-15.
    head -n 31 "$dir/tb_result.hex" | awk '{ v = 0
        for (i = 1; i <= length($1); i++) v = v * 16 + index("0123456789abcdef", substr($1, i, 1)) - 1
        if (v >= 2^23) v -= 2^24
        printf "%d %.12f\n", NR - 1, v * 2^14 / 32767 / 32768 }' > "$dir/simulated.dat"
    # |H(f)| in dB of both tap sets, f from 0 to half the sample rate.
    awk 'FNR == 1 { file++ } { h[file, $1] = $2; n = $1 + 1 }
        END { pi = atan2(0, -1)
            for (i = 0; i <= 512; i++) {
                f = i / 1024; line = f
                for (s = 1; s <= 2; s++) {
                    re = 0; im = 0
                    for (k = 0; k < n; k++) { re += h[s, k] * cos(2 * pi * f * k); im -= h[s, k] * sin(2 * pi * f * k) }
                    line = line " " 10 * log(re * re + im * im + 1e-30) / log(10)
                }
                print line
            } }' "$dir/design.dat" "$dir/simulated.dat" > "$dir/frequency.dat"
    command -v gnuplot >/dev/null || return 0
    gnuplot <<GP
set terminal pngcairo size 900,800 font ",10"
set output "$dir/response.png"
set multiplot layout 2,1 title "fir\\\\_lowpass: 31 taps, 16 bits, cut-off 0.2 fs (simulated with Icarus Verilog)"
set grid
set samples 1001
set xlabel "tap"
set ylabel "h[k]"
set title "impulse response"
plot "$dir/design.dat" with lines lw 2 lc rgb "#999999" title "design (floating point)", \
     "$dir/simulated.dat" with points pt 7 ps 1 lc rgb "#c00000" title "simulated core output"
set xlabel "frequency / sample rate"
set ylabel "|H(f)| (dB)"
set title "frequency response"
set yrange [-110:10]
set xrange [0:0.5]
set arrow from 0.2, graph 0 to 0.2, graph 1 nohead dt 2 lc rgb "#444444"
plot "$dir/frequency.dat" using 1:2 with lines lw 2 lc rgb "#999999" title "design (floating point)", \
     "" using 1:3 with lines lw 1 lc rgb "#c00000" title "simulated core output", \
     "+" using 1:(\$1 < 0.2 ? 0 : -1000) with lines dt 2 lc rgb "#444444" title "ideal low-pass"
unset multiplot
GP
}
fir_lowpass

# The summary. The Verilog of a folder is every .v file but the inputs
# (header.v, viterbi_params.v) and mult_temp.v (paritygen's intermediate
# list of assignments), parameter headers first: the modules rely on their
# defines. A folder of defines only is compiled with an empty top module.
is_input() {
    case "$1" in
        header.v | viterbi_params.v | *.dec | *.log) return 0 ;;
        *) return 1 ;;
    esac
}

compile_folder() {
    local dir=$1 sources=() file name
    if ! command -v iverilog >/dev/null; then
        echo "iverilog not installed"
        return 0
    fi
    for file in "$dir"/*_params.v "$dir"/parameters.v "$dir"/*.v; do
        name=$(basename "$file")
        [ -f "$file" ] || continue
        is_input "$name" && continue
        [ "$name" = mult_temp.v ] && continue
        [[ " ${sources[*]} " == *" $file "* ]] && continue
        sources+=("$file")
    done
    if [ ${#sources[@]} -eq 0 ]; then
        echo "no Verilog"
        return 0
    fi
    # The log stays in the folder as iverilog.log.
    local scratch log="$dir/iverilog.log"
    scratch=$(mktemp -d)
    echo "module demo_defines_only; endmodule" >"$scratch/top.v"
    if iverilog -I "$dir" -o "$scratch/core.vvp" "${sources[@]}" "$scratch/top.v" >"$log" 2>&1; then
        local warnings
        warnings=$(grep -c -i warning "$log" || true)
        if [ "$warnings" -ne 0 ]; then
            echo "ok, $warnings warnings"
        elif [ ${#sources[@]} -eq 1 ]; then
            echo "ok (1 file)"
        else
            echo "ok (${#sources[@]} files)"
        fi
    else
        echo "FAILED"
    fi
    rm -rf "$scratch"
}

# toolrun, POSIX stand-in: a host context naming a ModelSim folder that holds
# a stand-in tool (it records the PATH it was given), then the launcher run
# as the host runs it, once for ModelSim and once for a tool that is missing.
launcher_demo() {
    local dir="$PWD/demo/toolrun"
    mkdir -p "$dir/work" "$dir/modelsim" "$dir/bin"
    cp "$bin/launcher/toolrun_child" "$dir/modelsim/modelsim"
    printf 'ModelsimPath=%s\nSpectrumPath=%s\nBin=%s\nRoot=%s/\n' \
        "$dir/modelsim" "$dir/spectrum" "$dir/bin" "$dir" > "$dir/context.txt"
    local status=0
    (cd "$dir/work" && TOOLRUN_CONTEXT="$dir/context.txt" "$bin/launcher/toolrun" -modelsim \
        2> modelsim.log) || status=$?
    for _ in $(seq 50); do [ -f "$dir/work/child_path.txt" ] && break; sleep 0.1; done
    echo "demo/toolrun: toolrun -modelsim -> status $status, the tool got PATH=$(cat "$dir/work/child_path.txt")"
    status=0
    (cd "$dir/work" && TOOLRUN_CONTEXT="$dir/context.txt" "$bin/launcher/toolrun" -spectrum \
        2> spectrum.log) || status=$?
    echo "demo/toolrun: toolrun -spectrum -> status $status, $(cat "$dir/work/spectrum.log")"
}
launcher_demo

echo
printf '%-30s %6s %8s %9s  %s\n' core files lines bytes iverilog
failed=()
for dir in demo/*/; do
    dir=${dir%/}
    # A core is a folder with Verilog (demo/toolrun is the launcher's run).
    compgen -G "$dir/*.v" >/dev/null || continue
    generated=()
    for file in "$dir"/*; do
        if [ -f "$file" ] && ! is_input "$(basename "$file")"; then
            generated+=("$file")
        fi
    done
    lines=$(cat "${generated[@]}" | wc -l)
    bytes=$(cat "${generated[@]}" | wc -c)
    result=$(compile_folder "$dir")
    [ "$result" = FAILED ] && failed+=("$dir")
    printf '%-30s %6s %8s %9s  %s\n' "$(basename "$dir")" "${#generated[@]}" "$lines" "$bytes" "$result"
done

# make sim prints PASS or FAIL; make synth one line per family, e.g.
# "ice40 (synth_ice40):   LUTs 204, FFs 151, RAMs 0".
echo
printf '%-30s %-6s  %s\n' "core (ipgen)" sim "synthesis (yosys)"
declare -A synth_of
for dir in demo/cores/*/; do
    dir=${dir%/}
    if ! command -v iverilog >/dev/null; then
        sim="iverilog not installed"
    elif make -s -C "$dir" sim >"$dir/sim.txt" 2>&1 && grep -qx PASS "$dir/sim.txt"; then
        sim=PASS
    else
        sim=FAIL
        failed+=("$dir")
    fi
    synth="yosys not installed"
    if [ -n "${IPGEN_DEMO_QUICK:-}" ]; then
        synth="not synthesized (IPGEN_DEMO_QUICK)"
    elif [[ $sim_only == *" $(basename "$dir") "* ]]; then
        synth="not run here (make -C $dir synth)"
    elif command -v yosys >/dev/null; then
        synth=$(make -s -C "$dir" synth 2>&1 | sed -n 's/^\(ice40\|xilinx\) (synth_[a-z0-9]*): *\(LUTs [0-9]*\).*/\1 \2/p' |
            paste -sd ';' - | sed 's/;/; /g')
        [ -n "$synth" ] || synth="synthesis failed (see $dir/synth_*.log)"
    fi
    synth_of[$(basename "$dir")]=$synth
    printf '%-30s %-6s  %s\n' "$(basename "$dir")" "$sim" "$synth"
done

# The demo low-pass both ways, its LUTs side by side: a multiplier per
# coefficient (general) and one shared network of adders (constant).
lut_count() { sed -n "s/.*$1 LUTs \([0-9]*\).*/\1/p" <<<"$2"; }
if [ -n "${synth_of[fir_lowpass_constant]:-}" ]; then
    echo
    printf '%-32s %10s %10s\n' "fir_lowpass (31 taps) LUTs" general constant
    for family in ice40 xilinx; do
        printf '%-32s %10s %10s\n' "  $family" \
            "$(lut_count $family "${synth_of[fir_lowpass]}")" \
            "$(lut_count $family "${synth_of[fir_lowpass_constant]}")"
    done
    [ -z "${IPGEN_DEMO_QUICK:-}" ] || echo "  (not synthesized: IPGEN_DEMO_QUICK)"
fi
# The KP4 decoder's throughput: P symbols x m bits a clock, words back to
# back, times fmax. No fmax is measured for it: its 7,849 LUT4 do not fit
# the iCE40 HX8K (7,680), and Yosys gives none for Xilinx (bench/README.md;
# RS(255,239) at 4 symbols per clock reaches 104.9 MHz on the HX8K).
echo
echo "kp4_p4_decoder: 4 symbols x 10 bits = 40 bits a clock, so 40 x fmax bits/s (4 Gb/s at 100 MHz);" \
    "$(sed -n 's/^| clocks per word | \([0-9]*\) | \(.*\) |$/\1 clocks per word of 544 symbols (\2)/p' \
        demo/cores/kp4_p4_decoder/README.md);" \
    "Xilinx 7,494 LUTs; fmax not measured: 7,849 LUT4, more than the HX8K holds (bench/README.md)"

echo
echo "rs_loop (enc_ -> channel -> dec_, RS(204,188), one iverilog run): $rs_loop_result"
[[ $rs_loop_result == PASS* || $rs_loop_result == "iverilog not installed" ]] || failed+=(demo/rs_loop)

[ -f demo/cores/fir_lowpass/response.png ] &&
    echo "fir_lowpass response (simulated, beside the design): demo/cores/fir_lowpass/response.png"

for dir in "${failed[@]}"; do
    echo
    if [ -f "$dir/sim.txt" ]; then
        echo "$dir: make sim did not pass ($dir/sim.txt):"
        sed 's/^/    /' "$dir/sim.txt"
    else
        echo "$dir does not compile ($dir/iverilog.log):"
        sed 's/^/    /' "$dir/iverilog.log"
    fi
done
[ ${#failed[@]} -eq 0 ]
