// The sample card's prefecture.mzb: the prefectures and municipalities of the sample
// places, each municipality a rough box around its real position.
#pragma once

#include <string>

namespace sample_card {

std::string BuildSampleBoundaryFile();

}  // namespace sample_card
