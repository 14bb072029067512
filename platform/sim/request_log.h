#pragma once
// The requests a simulated device received, for tests that check what was
// sent. A machine of 100,000 USB devices receives tens of millions of
// requests, so only the latest ones are kept (tests look at the last few or at
// a short run); Total() counts them all.

#include <cstddef>
#include <deque>

namespace platform::sim {

template <typename Entry>
class RequestLog {
public:
    static constexpr std::size_t kKept = 4096;

    void Add(Entry entry) {
        if (entries_.size() == kKept) entries_.pop_front();
        entries_.push_back(std::move(entry));
        ++total_;
    }

    std::size_t Total() const { return total_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const Entry& back() const { return entries_.back(); }
    const Entry& operator[](std::size_t i) const { return entries_[i]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::deque<Entry> entries_;
    std::size_t total_ = 0;
};

}  // namespace platform::sim
