#pragma once

// Stands in for the UI thread of an HTTP client's tests: posted work waits here until the test
// runs it.

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace bt::test {

class UiQueue {
  public:
    void post(std::function<void()> f) {
        std::lock_guard lock(m_);
        q_.push_back(std::move(f));
    }
    // Runs posted work until pred holds or the time is up.
    bool pumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds limit) {
        for (const auto end = std::chrono::steady_clock::now() + limit;
             !pred() && std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
            std::unique_lock lock(m_);
            auto work = std::move(q_);
            q_.clear();
            lock.unlock();
            for (auto& f : work)
                f();
        }
        return pred();
    }

  private:
    std::mutex m_;
    std::deque<std::function<void()>> q_;
};

} // namespace bt::test
