// Detached threads and the lock on Windows: CreateThread and a slim reader/writer lock.
#include "core/thread.h"

#include "core/windows_api.h"

struct LockImpl {
    SRWLOCK lock = SRWLOCK_INIT;
};

namespace {

struct ThreadStart {
    void (*entry)(void*);
    void* argument;
};

DWORD WINAPI ThreadMain(LPVOID parameter) {
    const ThreadStart start = *static_cast<ThreadStart*>(parameter);
    delete static_cast<ThreadStart*>(parameter);
    start.entry(start.argument);
    return 0;
}

}  // namespace

bool StartDetachedThread(void (*entry)(void* argument), void* argument) {
    auto* start = new ThreadStart{entry, argument};
    HANDLE thread = CreateThread(nullptr, 0, ThreadMain, start, 0, nullptr);
    if (thread == nullptr) {
        delete start;
        return false;
    }
    CloseHandle(thread);
    return true;
}

Lock::Lock() : impl(new LockImpl) {}
Lock::~Lock() = default;

void Lock::Acquire() {
    AcquireSRWLockExclusive(&impl->lock);
}

void Lock::Release() {
    ReleaseSRWLockExclusive(&impl->lock);
}
