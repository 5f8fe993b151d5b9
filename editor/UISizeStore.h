#pragma once

#include <cstdint>

// The editor's window size remembered per user ("UISize": 0 "Default", 1 "Large", 2 "Huge"),
// in the registry on Windows and in a small file under the user's configuration folder elsewhere.
inline constexpr uint8_t kNumUISizes = 3;

// Sets *size to the stored size; 0 when there is none, or when what is stored is not one byte of
// 0 to 2 (a larger byte would index pictures that do not exist).
void readUISize(uint8_t* size);
// Stores size; failures are ignored (the next open falls back to what is stored).
void writeUISize(uint8_t size);
