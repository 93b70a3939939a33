// A lesson's degrees by tick, as the class view holds them: in blocks of 256 ticks, each made
// when its first tick arrives, so that memory follows the ticks received and not the number of
// the highest one.
#pragma once

#include <cstddef>
#include <vector>

namespace ClassView {

class TickSeries {
  public:
    static constexpr int BlockTicks = 256;

    // Sets tick `tick` (0 or more) to `degrees`.
    void set(int tick, float degrees);
    // The degrees of `tick`; NaN where none has arrived.
    float at(int tick) const;
    // One past the last tick held; 0 when none is.
    int size() const { return size_; }
    // How many ticks are held, and how many the blocks made so far have room for.
    int count() const { return count_; }
    int room() const;
    void clear();
    // How often a tick already held was set again, or the series cleared: a drawing made of
    // the series is out of date when this has changed since, not when ticks were only added.
    int edits() const { return edits_; }

    // Calls `visit(tick, degrees)` for every tick held, in order.
    template <typename Visit>
    void forEach(Visit visit) const {
        for (std::size_t b = 0; b < blocks_.size(); ++b)
            for (std::size_t i = 0; i < blocks_[b].size(); ++i)
                if (blocks_[b][i] == blocks_[b][i])  // not NaN
                    visit(static_cast<int>(b * BlockTicks + i), blocks_[b][i]);
    }

  private:
    std::vector<std::vector<float>> blocks_;  // empty where no tick of the block has arrived
    int size_ = 0;
    int count_ = 0;
    int edits_ = 0;
};

}  // namespace ClassView
