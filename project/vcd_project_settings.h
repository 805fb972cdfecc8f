// SPDX-License-Identifier: GPL-3.0-or-later
// What the Create VCD Project dialog hands to the project writer, and the fixed choices it offers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ratewise {

// The "Aspect Ratio" choice for a 16:9 source; None for a 4:3 source.
enum AspectConversion : int {
    kConversionNone = -1,
    kConvertAddBorders = 0,
    kConvertCrop = 1,
    kLeaveWideKeepFlag = 2,
    kLeaveWideFlagTo4x3 = 3,
};

// The "Quality:" choice: which motion search the encoder runs.
enum EncodeQuality : int {
    kQualityLowest = 0,
    kQualityLow = 1,
    kQualityNormal = 2,
    kQualityHigh = 3,
    kQualityHighest = 4,
    kQualityMotionEstimate = 5,
};

struct VcdProjectSettings {
    bool isPal = true;
    int sourceAspect = 0; // 0 for 4:3, above 0 for 16:9
    int conversion = kConversionNone;
    bool keep16x9Flag = false; // set by RefreshWarnings: true exactly for conversion 2
    int audioKbps = 224;
    unsigned int videoKbps = 1150;
    int quality = kQualityNormal;
    std::string destination;
};

// Standard Video CD rates.
inline constexpr int kStandardVcdAudioKbps = 224;
inline constexpr unsigned int kStandardVcdVideoKbps = 1150;
inline constexpr int kStandardVcdTotalKbps = 1374;

// MPEG-1 Layer II rates offered for the audio, in list order; 224 is entry 6.
inline constexpr std::array<int, 10> kVcdAudioBitrates{64, 96, 112, 128, 160, 192, 224, 256, 320, 384};
inline constexpr int kStandardVcdAudioIndex = 6;

// The video field accepts whole numbers in this range.
inline constexpr unsigned int kMinVideoKbps = 0;
inline constexpr unsigned int kMaxVideoKbps = 10000;

// Shown when the video field holds anything else.
inline constexpr std::string_view kVideoRangeMessage = "Please enter an integer between 0 and 10000.";

// Texts of the two choice lists, in list order.
inline constexpr std::array<std::string_view, 4> kAspectConversionTexts{
    "Convert to 4:3 (add borders)",
    "Convert to 4:3 (crop)",
    "Leave 16:9 (Don't Change AR bit)",
    "Leave 16:9 (Change AR bit to 4:3)",
};
inline constexpr std::array<std::string_view, 6> kEncodeQualityTexts{
    "Lowest (very fast)", "Low (fast)",          "Normal",
    "High (slow)",        "Highest (very slow)", "Motion estimate (fast)",
};

bool IsVcdAudioBitrate(int kbps);
bool IsVideoKbpsInRange(long long kbps);

// The video field as the dialog reads it: an unsigned whole number (surrounding blanks allowed)
// within 0 to 10000; nothing for any other text, a negative number included.
std::optional<unsigned int> ParseVideoKbpsField(std::string_view text);

// "Get from Ratewise": the first list entry not below the calculator's audio bitrate, the last
// one (384) when every entry is below it.
int AudioIndexAtLeast(int calcAudioKbps);

// The source as the main window reads it from the first byte of the title set's video
// attributes: PAL when the standard bits 5-4 are not zero, the aspect code from bits 3-2.
struct VcdSource {
    bool isPal = false;
    int sourceAspect = 0;
};
VcdSource VcdSourceFromVideoAttributes(std::uint8_t firstAttributeByte);

} // namespace ratewise
