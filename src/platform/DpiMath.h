#pragma once
// Layout figures are given at 96 dpi; the screen may run at another density.

namespace platform {

constexpr int kDesignDpi = 96;

// value * dpi / 96, rounded half away from zero as MulDiv does.
constexpr int ScaleForDpi(int value, int dpi) noexcept {
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

}  // namespace platform
