// Worker threads and the one lock that guards data shared with them.
//
// Counters shared with workers are std::atomic; only starting a thread and the lock need the
// operating system (the win32 thread model of mingw-w64 offers neither std::thread nor std::mutex).
#pragma once

#include <memory>

// Starts a detached thread running entry(argument). The thread is never joined and its handle is
// not kept. Gives false when the system could not start it; entry then never runs.
bool StartDetachedThread(void (*entry)(void* argument), void* argument);

struct LockImpl;

// A mutual-exclusion lock; not recursive.
struct Lock {
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void Acquire();
    void Release();

    std::unique_ptr<LockImpl> impl;
};

// Holds a Lock for the lifetime of a scope.
struct LockGuard {
    explicit LockGuard(Lock& lock) : held(lock) { held.Acquire(); }
    ~LockGuard() { held.Release(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

    Lock& held;
};
