#include "key_filter.h"

#include <utility>

namespace quondra::qt {

void KeyFilter::Press(std::int16_t code, bool autoRepeat) {
    // X11 repeats a held key as release/press pairs; a key already down
    // (two keys mapping to one code, say) is not pressed twice either.
    if (autoRepeat || !held_.insert(code).second) return;
    sink_(true, code);
}

void KeyFilter::Release(std::int16_t code, bool autoRepeat) {
    if (autoRepeat || held_.erase(code) == 0) return;
    sink_(false, code);
}

void KeyFilter::ReleaseAll() {
    for (std::int16_t code : std::exchange(held_, {})) sink_(false, code);
}

}  // namespace quondra::qt
