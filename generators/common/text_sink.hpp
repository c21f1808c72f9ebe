// Where generated text goes. Writers print into a TextSink so the same code
// fills a file in a run and a string in a unit test.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ipgen {

class TextSink {
  public:
    TextSink() = default;
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;
    virtual ~TextSink() = default;

    virtual void write(std::string_view text) = 0;

    // printf-style formatting; every generated line comes from one format.
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

// Collects everything in memory; used by tests and for text that must be
// complete before it is written anywhere.
class StringSink final : public TextSink {
  public:
    void write(std::string_view text) override { text_.append(text); }
    const std::string& text() const { return text_; }
    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

} // namespace ipgen
