#pragma once
// A failure carrying the text the user is shown. Thrown inside event handlers and shown once,
// at the dispatch boundary, in the application's standard error box.
#include <stdexcept>
#include <string>

namespace klaxora {

class UserError : public std::runtime_error {
  public:
    explicit UserError(std::wstring message)
        : std::runtime_error("user error"), message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }

  private:
    std::wstring message_;
};

// The standard error box's text: a full stop is appended when the last character sorts after
// "." (so texts ending in "!" or "." stay as they are); an empty text stays empty.
inline std::wstring StandardErrorText(std::wstring text) {
    if (!text.empty() && text.back() > L'.')
        text += L'.';
    return text;
}

}  // namespace klaxora
