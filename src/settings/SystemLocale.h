#pragma once
// The user's locale as the time picture needs it, and the current local time.
#include <string>

#include "settings/TimePicture.h"

namespace settings {

const LocaleFacts& SystemLocaleFacts();
LocalTime CurrentLocalTime();
// The current local time in a picture, as clip-window titles and the time sample show it.
std::string FormatNow(const std::string& picture);

}  // namespace settings
