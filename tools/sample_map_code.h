// The sample card's map code table: blocks of 15 by 15 minutes (30 cells of 30 seconds
// a row) laid over the main islands of Japan and Okinawa, and the code of a place in it.
#pragma once

#include <optional>
#include <string>

namespace sample_card {

// MapCode.bin of 1204 records.
std::string BuildSampleMapCodeTable();

// The map code (digits, '*' and a two-digit sub-code) that the sample table turns into
// the south-west corner of the ninth-of-a-second cell holding this WGS84 position; none
// outside the table's blocks.
std::optional<std::string> SampleMapCode(double longitude, double latitude);

}  // namespace sample_card
