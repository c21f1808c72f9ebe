// The step every core matrix runs on a folder ipgen wrote: `ipgen model`
// over the folder's tb_in.hex gives its tb_out.hex byte for byte (once
// from the file, once through standard input and output).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::test {

// `args`: the command that wrote `folder` (core first; --out and its value
// are dropped), run again in `directory`.
::testing::AssertionResult model_gives_folder_vectors(const std::string& ipgen,
                                                      const std::vector<std::string>& args,
                                                      const std::string& directory,
                                                      const std::string& folder);

} // namespace ipgen::test
