#pragma once
#include <string>
#include <string_view>

namespace settings {

// A Windows locale picture ("M/d/yyyy", "h:mm:ss tt") in the language of
// FormatTimePicture. Letters there are read case-insensitively, so only the
// AM/PM marker (t or tt) needs another name; quoted text is kept.
std::string FromWindowsPicture(std::string_view picture);

}  // namespace settings
