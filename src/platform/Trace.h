#pragma once
// A line for a maintainer about an error the program drops on purpose: users
// see nothing, as before, but a debugger, DebugView or WINEDEBUG=+debugstr
// shows why no clip came or why a step did nothing. No log file.
#include <cstdint>
#include <string_view>

namespace platform {

// "Velmor: <what>: <the system's text of the error> (<code>)".
void Trace(std::wstring_view what, std::uint32_t systemError) noexcept;
// "Velmor: <what>: <failure>", for a failure that is no system error code.
void Trace(std::wstring_view what, std::string_view failure) noexcept;
// Inside a catch: the exception being handled, with its message.
void TraceCurrentException(std::wstring_view what) noexcept;

}  // namespace platform
