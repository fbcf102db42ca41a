#include "about/FramePacer.h"

namespace about {

std::chrono::microseconds FramePacer::RestAfterFrame(std::chrono::microseconds now) noexcept {
    if (!started_ || now - due_ >= kFramePeriod) due_ = now;
    started_ = true;
    due_ += kFramePeriod;
    return due_ > now ? due_ - now : std::chrono::microseconds{0};
}

}  // namespace about
