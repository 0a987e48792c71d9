#pragma once

#include "recording_platform.h"

namespace quondra::bench {

// Every box answered at once, No to the quit question, nothing recorded.
using BenchPlatform = testing::SilentPlatform;

}  // namespace quondra::bench
