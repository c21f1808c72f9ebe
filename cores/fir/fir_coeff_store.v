`timescale 1ns/1ns
`default_nettype none
// Coefficient sets of the filter: SETS sets of NCF words; `coeffs` is the
// set `select` names, word k (tap k) at [(NCF-1-k)*CW +: CW], so the first
// tap sits in the most significant word. Fixed sets come from the FIXED
// parameter, set 0 in the most significant NCF*CW bits. Loadable sets
// arrive one word per beat (first tap first) into a shadow register, the
// set they replace on `load_set` of the last beat; a packet of exactly NCF
// beats (load_last on the last) becomes pending, anything else is dropped.
// A pending set replaces its set at the next clock edge where the engine
// asserts `boundary` (a sample accepted at a set boundary); with several
// sets, one that is not in use (not `select`, or before the first sample)
// is replaced at once, in the clock after the packet's last beat (with
// EARLY; without it, only before the first sample). No
// further set is taken while one is pending. All loadable sets are zero
// after reset.
// Complex words are {imaginary, real} on the load port and on `coeffs`;
// FIXED holds them as {real, imaginary} (the order of the coefficient file).
module fir_coeff_store #(
    parameter NCF = 1,           // number of coefficient words
    parameter CW = 8,            // bits per word
    parameter LOADABLE = 0,      // 1: load port used, FIXED ignored
    parameter COMPLEX = 0,       // 1: words are two parts of CW/2 bits
    parameter SETS = 1,          // coefficient sets
    parameter SETW = 1,          // bits of a set index
    parameter EARLY = 1,         // with several sets, one not in use is replaced at once
    parameter [SETS*NCF*CW-1:0] FIXED = 0
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // coefficient load stream
    input  wire [CW-1:0]        load_data,
    input  wire [SETW-1:0]      load_set,   // the set a packet replaces (its last beat's)
    input  wire                 load_valid,
    input  wire                 load_last,
    output wire                 load_ready,
    // set boundary from the engine, and the set of the samples from there on
    input  wire                 boundary,
    input  wire [SETW-1:0]      select,
    // active set
    output wire [NCF*CW-1:0]    coeffs
);
    localparam HW = CW / 2;
    localparam SW = NCF * CW;

    generate
        if (LOADABLE) begin : g_load
            localparam CNTW = $clog2(NCF + 2);
            wire [SW-1:0]    shadow;   // the words of the packet, first word on top
            reg [SETS*SW-1:0] active;  // set s at [s*SW +: SW]
            reg [CNTW-1:0]   count;    // beats of the current packet, saturating at NCF+1
            reg              pending;
            reg [SETW-1:0]   target;   // the set the pending packet replaces
            reg              started;  // a sample has been taken: `select` is in use
            wire take = load_valid && !pending;
            wire commit = pending && (boundary ||
                                      (SETS > 1 && (!started || (EARLY && target != select))));
            always @(posedge clk) begin
                if (!rst_n) begin
                    active  <= {SETS*SW{1'b0}};
                    count   <= {CNTW{1'b0}};
                    pending <= 1'b0;
                    started <= 1'b0;
                end else begin
                    if (boundary) started <= 1'b1;
                    if (take) begin
                        if (load_last) begin
                            count   <= {CNTW{1'b0}};
                            pending <= (count == NCF - 1);
                        end else if (count != NCF + 1) begin
                            count <= count + 1'b1;
                        end
                    end
                    if (commit) begin
                        active[target*SW +: SW] <= shadow;
                        pending <= 1'b0;
                    end
                end
            end
            always @(posedge clk)
                if (take && load_last) target <= load_set;
            fir_shift_line #(.LEN(NCF), .SW(CW)) packet (
                .clk(clk), .rst_n(rst_n), .shift(take), .in_word(load_data), .line(shadow));
            assign load_ready = !pending;
            assign coeffs = (SETS == 1) ? active[SW-1:0] : active[select*SW +: SW];
        end else begin : g_fixed
            wire [SETS*SW-1:0] sets;   // set s at [s*SW +: SW]
            genvar k, s;
            for (s = 0; s < SETS; s = s + 1) begin : g_set
                for (k = 0; k < NCF; k = k + 1) begin : g_word
                    localparam AT = (SETS - 1 - s) * SW + k * CW;
                    if (COMPLEX != 0) begin : g_swap
                        assign sets[s*SW + k*CW +: CW] = {FIXED[AT +: HW], FIXED[AT+HW +: HW]};
                    end else begin : g_keep
                        assign sets[s*SW + k*CW +: CW] = FIXED[AT +: CW];
                    end
                end
            end
            assign coeffs = (SETS == 1) ? sets[SW-1:0] : sets[select*SW +: SW];
            assign load_ready = 1'b1;
        end
    endgenerate
endmodule
`default_nettype wire
