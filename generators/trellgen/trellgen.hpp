// The Viterbi parameter generator's run: the device class from the command
// line, the user's viterbi_params.v in, parameters.v out.
#pragma once

#include <string>
#include <vector>

namespace ipgen::viterbi {

inline constexpr int default_device_class = 2; // a Quarry KESTREL 4 device
inline constexpr int bad_device_status = 24;

// The device class: 2 without arguments, otherwise the first argument read
// like atoi(). Throws FatalError("Choose correct device !\n", 24) for a class
// outside 0 to 2 (a number beyond the 32-bit range included).
int device_class(const std::vector<std::string>& args);

// Runs trellgen on the arguments after the program name, in the working
// directory. Returns the exit status (0); throws FatalError for a bad device
// class, a missing input, refused values and an unwritable parameters.v.
int run_trellgen(const std::vector<std::string>& args);

} // namespace ipgen::viterbi
