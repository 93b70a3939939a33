#include "classview/tick_series.h"

#include <cmath>
#include <limits>

namespace ClassView {

namespace {

constexpr float None = std::numeric_limits<float>::quiet_NaN();

}  // namespace

void TickSeries::set(int tick, float degrees) {
    if (tick < 0 || std::isnan(degrees)) return;
    if (tick < size_) ++edits_;  // a tick below the newest: earlier columns change
    const auto block = static_cast<size_t>(tick / BlockTicks);
    if (block >= blocks_.size()) blocks_.resize(block + 1);
    std::vector<float>& ticks = blocks_[block];
    if (ticks.empty()) ticks.assign(BlockTicks, None);
    float& at = ticks[static_cast<size_t>(tick % BlockTicks)];
    if (std::isnan(at)) ++count_;
    at = degrees;
    if (tick >= size_) size_ = tick + 1;
}

float TickSeries::at(int tick) const {
    const auto block = static_cast<size_t>(tick / BlockTicks);
    if (tick < 0 || block >= blocks_.size() || blocks_[block].empty()) return None;
    return blocks_[block][static_cast<size_t>(tick % BlockTicks)];
}

int TickSeries::room() const {
    int slots = 0;
    for (const std::vector<float>& block : blocks_) slots += static_cast<int>(block.size());
    return slots;
}

void TickSeries::clear() {
    blocks_.clear();
    size_ = count_ = 0;
    ++edits_;
}

}  // namespace ClassView
