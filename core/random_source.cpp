#include "core/random_source.h"

std::uint32_t RandomState = 0;
