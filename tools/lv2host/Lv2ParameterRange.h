// A control port as a host's normalized parameter: 0 to 1 across the port's declared range,
// a toggled port off below one half and on from it, an integer port on whole values.
#pragma once

#include <algorithm>
#include <cmath>

#include "tools/lv2host/Lv2Instrument.h"

inline float plainOf(const Lv2Instrument::Control& port, float normalized) {
  const double v = std::clamp(static_cast<double>(normalized), 0.0, 1.0);
  if (port.toggled) return v >= 0.5 ? port.maximum : port.minimum;
  const double plain = port.minimum + v * (static_cast<double>(port.maximum) - port.minimum);
  return static_cast<float>(port.integer ? std::round(plain) : plain);
}

// Values outside the range read as its ends; an empty range reads as 0.
inline float normalizedOf(const Lv2Instrument::Control& port, float plain) {
  const double span = static_cast<double>(port.maximum) - port.minimum;
  if (!(span > 0.0)) return 0.0f;
  return static_cast<float>(std::clamp((plain - port.minimum) / span, 0.0, 1.0));
}
