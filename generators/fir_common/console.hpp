// The programs' messages: a TextSink over a C stream (standard output).
#pragma once

#include "generators/common/text_sink.hpp"

#include <cstdio>

namespace ipgen::fir {

class ConsoleSink final : public TextSink {
  public:
    explicit ConsoleSink(std::FILE* stream) : stream_(stream) {}
    void write(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stream_);
    }

  private:
    std::FILE* stream_;
};

} // namespace ipgen::fir
