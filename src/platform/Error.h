#pragma once
// Errors that reach the user carry their message as UTF-16 text, which the
// standard error box shows as it stands.
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message);
    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
};

// A window, handle or other system resource could not be had.
class OutOfResources : public Error {
public:
    using Error::Error;
};

// UTF-16 to UTF-8, for what() and diagnostics; unpaired surrogates become U+FFFD.
std::string ToUtf8(std::wstring_view text);

}  // namespace platform
