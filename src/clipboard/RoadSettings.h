#pragma once
// The settings the road of a copy reads at the moment it needs them, named
// as their keys in property.ini. Portable.
namespace clipboard {

struct RoadSettings {
    int maxClipCount = 3;         // MaxClipCount, "Max Clip Count :", 1..50
    bool ignoreLargeText = true;  // IgnoreLargeText, "Ignore Large Text"
    int sizeOfText = 1000;        // SizeOfText, "Size of Text :", bytes
    bool closeClipTimer = false;  // CloseClipTimer, "Close Clip Timer"
    int countDown = 120;          // CountDown, "Count Down :", seconds
    bool doubleCopy = false;      // DoubleCopy, "Clip Window only show Double Copyed"

    friend bool operator==(const RoadSettings&, const RoadSettings&) = default;
};

}  // namespace clipboard
