#pragma once
// A control whose background and text colours another control may drive
// (the colour picker's linked control).
#include "ui/Color.h"

namespace ui {

class ColorTarget {
public:
    virtual ColorValue Color() const = 0;
    virtual void SetColor(ColorValue background) = 0;
    virtual ColorValue FontColor() const = 0;
    virtual void SetFontColor(ColorValue color) = 0;

protected:
    ColorTarget() = default;
    ColorTarget(const ColorTarget&) = default;
    ColorTarget& operator=(const ColorTarget&) = default;
    ~ColorTarget() = default;
};

}  // namespace ui
