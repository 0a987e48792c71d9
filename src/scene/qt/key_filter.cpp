#include "key_filter.h"

#include <algorithm>
#include <utility>

namespace quondra::qt {

void KeyFilter::Press(std::int16_t code, bool autoRepeat, std::uint64_t time) {
    if (waiting_ && waiting_->code == code && waiting_->time == time) {
        // The second half of an unmarked repeat: the key never went up.
        waiting_.reset();
        return;
    }
    Flush();
    // A key already down (two keys mapping to one code, or a repeat that
    // comes as presses alone) is not pressed twice either.
    if (autoRepeat || !down_.try_emplace(code, true).second) return;
    sink_(true, code);
}

void KeyFilter::Release(std::int16_t code, bool autoRepeat, std::uint64_t time) {
    Flush();
    if (autoRepeat || !down_.contains(code)) return;
    if (time != kNoTime) {
        waiting_ = Pending{code, time};
        return;
    }
    const bool delivered = down_.extract(code).mapped();
    if (delivered) sink_(false, code);
}

void KeyFilter::Flush() {
    if (!waiting_) return;
    const std::int16_t code = std::exchange(waiting_, std::nullopt)->code;
    const auto key = down_.extract(code);
    if (!key.empty() && key.mapped()) sink_(false, code);
}

void KeyFilter::PressElsewhere(std::int16_t code) {
    Flush();
    down_.try_emplace(code, false);
    seenInBox_.insert(code);
}

void KeyFilter::ReleaseElsewhere(std::int16_t code) {
    Flush();
    down_.erase(code);
}

void KeyFilter::BoxOpened() { seenInBox_.clear(); }

void KeyFilter::BoxClosed(const std::map<std::int16_t, bool>& downNow) {
    Flush();
    std::erase_if(down_, [&](const auto& key) {
        const auto answer = downNow.find(key.first);
        return answer != downNow.end() ? !answer->second : !seenInBox_.contains(key.first);
    });
    // A key held through the box whose press never reached us is down all
    // the same; the game gets no key-down of it from here.
    for (const auto& [code, down] : downNow)
        if (down) down_.try_emplace(code, false);
    seenInBox_.clear();
}

void KeyFilter::ReleaseAll() {
    Flush();
    for (auto& [code, delivered] : down_)
        if (std::exchange(delivered, false)) sink_(false, code);
}

void KeyFilter::Forget() {
    ReleaseAll();
    down_.clear();
}

bool KeyFilter::AnyHeld() const {
    return std::any_of(down_.begin(), down_.end(), [](const auto& key) { return key.second; });
}

std::vector<std::int16_t> KeyFilter::Down() const {
    std::vector<std::int16_t> down;
    for (const auto& key : down_) down.push_back(key.first);
    return down;
}

void KeyFilter::MarkGiven(std::int16_t code) {
    if (auto key = down_.find(code); key != down_.end()) key->second = true;
}

}  // namespace quondra::qt
