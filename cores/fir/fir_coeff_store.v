`timescale 1ns/1ns
`default_nettype none
// Coefficient set of the filter: NCF words, word k (tap k) at
// [(NCF-1-k)*CW +: CW], so the first tap sits in the most significant word.
// Fixed sets come from the FIXED parameter. Loadable sets arrive one word
// per beat (first tap first) into a shadow register; a packet of exactly
// NCF beats (load_last on the last) becomes pending, anything else is
// dropped. A pending set replaces the active one at the next clock edge
// where the engine asserts `boundary` (a sample accepted at a set boundary);
// no further set is taken while one is pending.
// Complex words are {imaginary, real} on the load port and on `coeffs`;
// FIXED holds them as {real, imaginary} (the order of the coefficient file).
module fir_coeff_store #(
    parameter NCF = 1,           // number of coefficient words
    parameter CW = 8,            // bits per word
    parameter LOADABLE = 0,      // 1: load port used, FIXED ignored
    parameter COMPLEX = 0,       // 1: words are two parts of CW/2 bits
    parameter [NCF*CW-1:0] FIXED = 0
) (
    input  wire                 clk,
    input  wire                 rst_n,      // synchronous, active low
    // coefficient load stream
    input  wire [CW-1:0]        load_data,
    input  wire                 load_valid,
    input  wire                 load_last,
    output wire                 load_ready,
    // set boundary from the engine
    input  wire                 boundary,
    // active set
    output wire [NCF*CW-1:0]    coeffs
);
    localparam HW = CW / 2;

    generate
        if (LOADABLE) begin : g_load
            localparam CNTW = $clog2(NCF + 2);
            wire [NCF*CW-1:0] shadow;   // the words of the packet, first word on top
            reg [NCF*CW-1:0] active;
            reg [CNTW-1:0]   count;    // beats of the current packet, saturating at NCF+1
            reg              pending;
            wire take = load_valid && !pending;
            always @(posedge clk) begin
                if (!rst_n) begin
                    active  <= {NCF*CW{1'b0}};
                    count   <= {CNTW{1'b0}};
                    pending <= 1'b0;
                end else begin
                    if (take) begin
                        if (load_last) begin
                            count   <= {CNTW{1'b0}};
                            pending <= (count == NCF - 1);
                        end else if (count != NCF + 1) begin
                            count <= count + 1'b1;
                        end
                    end
                    if (boundary && pending) begin
                        active  <= shadow;
                        pending <= 1'b0;
                    end
                end
            end
            fir_shift_line #(.LEN(NCF), .SW(CW)) packet (
                .clk(clk), .rst_n(rst_n), .shift(take), .in_word(load_data), .line(shadow));
            assign load_ready = !pending;
            assign coeffs = active;
        end else begin : g_fixed
            genvar k;
            for (k = 0; k < NCF; k = k + 1) begin : g_word
                if (COMPLEX != 0) begin : g_swap
                    assign coeffs[k*CW +: CW] = {FIXED[k*CW +: HW], FIXED[k*CW+HW +: HW]};
                end else begin : g_keep
                    assign coeffs[k*CW +: CW] = FIXED[k*CW +: CW];
                end
            end
            assign load_ready = 1'b1;
        end
    endgenerate
endmodule
`default_nettype wire
