#pragma once
// One input through one reader, on a fresh engine without plots: shared by
// the libFuzzer targets and the corpus replay test.

#include <cstddef>
#include <cstdint>

namespace tessera::fuzzing {

void driveConfigurationReader(const std::uint8_t* data, std::size_t size);
void driveTdsReader(const std::uint8_t* data, std::size_t size);
void driveMlssaReader(const std::uint8_t* data, std::size_t size);
// The frequency-response reader, both as ".frd" and behind the MLSSA test of ".txt".
void driveResponseReader(const std::uint8_t* data, std::size_t size);

} // namespace tessera::fuzzing
