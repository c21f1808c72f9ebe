// The clocking task the sequential test benches share. The bench declares
// clk, clk_en, seed, stalls, a wire `state` that concatenates every
// register worth watching, and a reg `before` of the same width.
#pragma once

namespace ipgen::hdl {

inline constexpr const char* step_task =
    R"(// One enabled rising edge; before it, at random, an edge with clk_en low,
// which must leave every register as it was.
task step;
begin
   if ($random(seed) % 4 == 0) begin
      clk_en = 1'b0;
      before = state;
      @(posedge clk); #1;
      stalls = stalls + 1;
      if (state !== before) begin
         $display("FATAL: an edge with clk_en low changed the state");
         $finish;
      end
   end
   clk_en = 1'b1;
   @(posedge clk); #1;
   clk_en = 1'b0;
end
endtask
)";

} // namespace ipgen::hdl
