// lease_pool.h: working storage lent to one call at a time, kept between calls, without a lock and
// without thread-local objects.
//
// A callback that several host threads may run at once (an image filter's process) leases a slot
// for the length of the call: the first free slot is taken with one atomic exchange, its object is
// made on first use and kept for the next call that takes the slot. When every slot is taken, the
// call gets an object of its own, freed when it returns. The pool owns its objects and frees them
// when it is destroyed (a module-level pool: when the module is unloaded), never at a thread's exit,
// so no destructor runs in a thread's TLS teardown (which MinGW's emulated TLS does unsafely).
#ifndef ZK_LEASE_POOL_H
#define ZK_LEASE_POOL_H

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>

template <typename T, std::size_t Slots = 64> class LeasePool {
public:
    // The object lent to one call; given back when the lease ends.
    class Lease {
    public:
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        ~Lease()
        {
            if (pool_)
                pool_->taken_[slot_].store(false, std::memory_order_release);
        }
        T &operator*() const { return *object_; }
        T *operator->() const { return object_; }

    private:
        friend class LeasePool;
        Lease(LeasePool *pool, std::size_t slot, T *object) : pool_(pool), slot_(slot), object_(object) {}
        explicit Lease(std::unique_ptr<T> own) : own_(std::move(own)), object_(own_.get()) {}
        LeasePool *pool_ = nullptr; // null for an object of the call's own
        std::size_t slot_ = 0;
        std::unique_ptr<T> own_;
        T *object_;
    };

    LeasePool() = default;
    LeasePool(const LeasePool &) = delete;
    LeasePool &operator=(const LeasePool &) = delete;

    Lease Take()
    {
        for (std::size_t slot = 0; slot < Slots; ++slot) {
            if (taken_[slot].load(std::memory_order_relaxed) || taken_[slot].exchange(true, std::memory_order_acquire))
                continue;
            if (!objects_[slot]) {
                try {
                    objects_[slot] = std::make_unique<T>();
                } catch (...) {
                    taken_[slot].store(false, std::memory_order_release);
                    throw;
                }
            }
            return Lease(this, slot, objects_[slot].get());
        }
        return Lease(std::make_unique<T>());
    }

    // Calls `visit` with every kept object no call holds now.
    template <typename Visit> void ForEachIdle(Visit visit)
    {
        for (std::size_t slot = 0; slot < Slots; ++slot) {
            if (taken_[slot].exchange(true, std::memory_order_acquire))
                continue;
            if (objects_[slot])
                visit(static_cast<const T &>(*objects_[slot]));
            taken_[slot].store(false, std::memory_order_release);
        }
    }

private:
    std::array<std::atomic<bool>, Slots> taken_{};
    std::array<std::unique_ptr<T>, Slots> objects_{};
};

#endif
