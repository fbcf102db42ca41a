#include "settings/WindowsPicture.h"

namespace settings {

std::string FromWindowsPicture(std::string_view picture) {
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '\'') quoted = !quoted;
        if (!quoted && (c == 't' || c == 'T')) {
            while (i + 1 < picture.size() && (picture[i + 1] == 't' || picture[i + 1] == 'T')) ++i;
            out += "ampm";
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace settings
