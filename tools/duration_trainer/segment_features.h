// The 58 segment features the duration trees may ask, as feature paths.
#pragma once

namespace durtrain {

constexpr int kSegmentFeatureCount = 58;
extern const char* const kSegmentFeatures[kSegmentFeatureCount];

}  // namespace durtrain
