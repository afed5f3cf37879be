// Console output: every text is handed to the console whole and at once, so a prompt shows
// before the program waits for its answer. Error messages are remembered for the exit status.
#pragma once

#include <string>
#include <string_view>

namespace rainprep {

class console_output {
 public:
  virtual ~console_output() = default;

  // Headings, prompts and the closing message.
  void print(std::string_view text) { emit(text); }

  // A failure message: printed like any text, and remembered.
  void report(std::string_view message) {
    emit(message);
    reported_ = true;
  }

  bool any_reported() const { return reported_; }

 protected:
  virtual void emit(std::string_view text) = 0;

 private:
  bool reported_ = false;
};

// Standard output, flushed after every text.
class standard_output final : public console_output {
 protected:
  void emit(std::string_view text) override;
};

// Collects everything printed; for tests.
class captured_output final : public console_output {
 public:
  const std::string& text() const { return text_; }

 protected:
  void emit(std::string_view text) override { text_.append(text); }

 private:
  std::string text_;
};

}  // namespace rainprep
