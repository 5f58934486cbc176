#pragma once

#include <string>

// Text for a wave-interface result code (platform::wavein::MMRESULT), as the
// system words it; "MMERR_???" for a code the system does not know.
std::string WaveErrorText(unsigned code);
