// How a FIR run fails. A failure that ends the run throws FatalError (its
// message, its exit status; main prints it). A failure after which the run
// goes on, as the programs define (a hex file or user_params.txt that
// cannot be written), is printed where it happens and recorded here: the
// run then ends with status 1 instead of claiming success.
#pragma once

namespace ipgen::fir {

class RunStatus {
  public:
    // Records the outcome of a step and passes it on.
    bool step(bool succeeded) {
        failed_ = failed_ || !succeeded;
        return succeeded;
    }
    int exit_status() const { return failed_ ? 1 : 0; }

  private:
    bool failed_ = false;
};

} // namespace ipgen::fir
