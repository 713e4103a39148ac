// The module's factory: one class, the instrument, whose instances are both component and
// controller. The factory is a static object; its reference count is kept for form only.
#pragma once

#include "vst3/Vst3Factory.h"

namespace brisalonde_vst3 {

vst3::IPluginFactory3* moduleFactory();

}  // namespace brisalonde_vst3
