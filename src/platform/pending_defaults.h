#pragma once

#include <map>
#include <string>
#include <string_view>

namespace strumwise::platform {

// The changes one process made to its user defaults since it last wrote them. Stores that share
// their file with other processes write only these, laid over what the file holds at the time of
// writing, so that a key another process changed or added meanwhile survives, and nothing is
// written when nothing changed.
template <typename Value>
class PendingDefaults {
  public:
    using Map = std::map<std::string, Value, std::less<>>;

    void set(std::string_view key, Value value) {
        changed_.insert_or_assign(std::string(key), std::move(value));
    }
    // The whole domain was replaced by an empty one: every key on disk goes, and only what is
    // set afterwards is written.
    void eraseAll() {
        erasesAll_ = true;
        changed_.clear();
    }

    bool empty() const { return !erasesAll_ && changed_.empty(); }
    bool erasesAll() const { return erasesAll_; }
    const Map& changed() const { return changed_; }

    // `onDisk` with these changes laid over it.
    Map mergedOver(Map onDisk) const {
        if (erasesAll_) {
            onDisk.clear();
        }
        for (const auto& [key, value] : changed_) {
            onDisk.insert_or_assign(key, value);
        }
        return onDisk;
    }

    void clear() {
        erasesAll_ = false;
        changed_.clear();
    }

  private:
    bool erasesAll_ = false;
    Map changed_;
};

}  // namespace strumwise::platform
