#pragma once
// Something a window set up while it is open (a sink, a flag, a link, its
// place in a count) and must undo both when it unloads and when it is
// destroyed without unloading (its frame went away first). Keep it in a
// member: release() undoes it once, and so does the destructor when nothing
// released it before.
#include <functional>
#include <utility>

class Registration {
public:
    Registration() = default;
    explicit Registration(std::function<void()> undo) : undo_(std::move(undo)) {}
    Registration(Registration&& o) noexcept : undo_(std::exchange(o.undo_, nullptr)) {}
    Registration& operator=(Registration&& o) noexcept {
        if (this != &o) {
            release();
            undo_ = std::exchange(o.undo_, nullptr);
        }
        return *this;
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    ~Registration() { release(); }

    void release() {
        if (auto undo = std::exchange(undo_, nullptr)) undo();
    }
    bool active() const { return static_cast<bool>(undo_); }

private:
    std::function<void()> undo_;
};
