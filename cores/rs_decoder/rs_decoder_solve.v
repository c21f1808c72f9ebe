`timescale 1ns/1ns
`default_nettype none
// Solve stage of the decoder: the key-equation solver, serial
// (rs_decoder_keyeq, three multipliers) or parallel
// (rs_decoder_keyeq_parallel, 3T + 2 multipliers) as PARALLEL says, with the
// buffer slot and erasure count of the word it works on.
//
// start (the input stage's cap) is taken while idle is high: the solver
// reads the syndromes through sel_synd / synd_j, the erasure locators
// from ers_x (the first min(ers_num, EMAX)). The result is held with done
// high until take (the search stage loads it); idle rises one clock later.
// Its clocks from start to done are the solver's (see the two modules).
module rs_decoder_solve #(
   parameter M        = 8,    // symbol bits
   parameter R        = 16,   // check symbols, r
   parameter T        = 8,    // locator terms: (r + erasures) / 2
   parameter CNTW     = 5,    // count width: clog2(r) + 1
   parameter SW       = 4,    // syndrome select bits
   parameter ERASURE  = 0,    // erasure decoding
   parameter EMAX     = 0,    // most erasures per word (ERASURE)
   parameter PARALLEL = 0,    // the parallel solver, else the serial one
   parameter TWO      = 0     // parallel solver: two clocks per step
) (
   input  wire                 clk,
   input  wire                 rst_n,      // synchronous reset, active low (the solver's)
   input  wire                 clr,        // synchronous clear on an enabled clock
   input  wire                 ce,         // clock enable
   // from the input stage
   input  wire                 start,      // syndromes captured on this edge
   output wire                 idle,
   input  wire [1:0]           wslot,      // the slot after the word's (start's clock)
   input  wire [CNTW:0]        ers_num,    // erasure flags of the word, up to EMAX + 1
   input  wire [((EMAX > 0) ? EMAX : 1)*M-1:0] ers_x, // their locators
   output wire [SW-1:0]        sel_synd,
   input  wire [M-1:0]         synd_j,
   // to the search stage: the word's result, held while done, released by take
   output wire                 done,
   input  wire                 take,
   output wire [(T+1)*M-1:0]   sigma,
   output wire [T*M-1:0]       omega,
   output wire                 nonzero,    // some syndrome is not zero
   output wire [CNTW:0]        lsize,      // L, the locator's length
   output wire                 lfail,      // L > T or sigma_L == 0
   output reg  [1:0]           s_slot,     // buffer slot of the word
   output reg  [CNTW:0]        s_ers       // its erasure flags, up to EMAX + 1
);

localparam [CNTW:0] EMAXC = EMAX;

wire [CNTW:0]  ers_used = (ers_num > EMAXC) ? EMAXC : ers_num;

generate
   if (PARALLEL != 0) begin : par
      rs_decoder_keyeq_parallel #(
         .M(M), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX), .TWO(TWO)
      ) u_keyeq(
         .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce), .start(start), .idle(idle),
         .ers_num(ers_used), .ers_x(ers_x),
         .sel_synd(sel_synd), .synd_j(synd_j),
         .done(done), .take(take), .sigma(sigma), .omega(omega),
         .nonzero(nonzero), .lsize(lsize), .lfail(lfail));
   end else begin : ser
      rs_decoder_keyeq #(
         .M(M), .R(R), .T(T), .CNTW(CNTW), .SW(SW), .ERASURE(ERASURE), .EMAX(EMAX)
      ) u_keyeq(
         .clk(clk), .rst_n(rst_n), .clr(clr), .ce(ce), .start(start), .idle(idle),
         .ers_num(ers_used), .ers_x(ers_x),
         .sel_synd(sel_synd), .synd_j(synd_j),
         .done(done), .take(take), .sigma(sigma), .omega(omega),
         .nonzero(nonzero), .lsize(lsize), .lfail(lfail));
   end
endgenerate

// loaded with every start: no reset
always @(posedge clk) begin
   if (ce && !clr && start) begin
      s_slot <= wslot - 1'b1;
      s_ers <= ers_num;
   end
end

endmodule

`default_nettype wire
