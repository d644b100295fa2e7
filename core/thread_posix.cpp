// Detached threads and the lock on POSIX.
#include "core/thread.h"

#include <pthread.h>

#include <mutex>

struct LockImpl {
    std::mutex mutex;
};

namespace {

struct ThreadStart {
    void (*entry)(void*);
    void* argument;
};

void* ThreadMain(void* parameter) {
    const ThreadStart start = *static_cast<ThreadStart*>(parameter);
    delete static_cast<ThreadStart*>(parameter);
    start.entry(start.argument);
    return nullptr;
}

}  // namespace

bool StartDetachedThread(void (*entry)(void* argument), void* argument) {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return false;
    }
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    auto* start = new ThreadStart{entry, argument};
    pthread_t thread;
    const int rc = pthread_create(&thread, &attributes, ThreadMain, start);
    pthread_attr_destroy(&attributes);
    if (rc != 0) {
        delete start;
        return false;
    }
    return true;
}

Lock::Lock() : impl(new LockImpl) {}
Lock::~Lock() = default;

void Lock::Acquire() {
    impl->mutex.lock();
}

void Lock::Release() {
    impl->mutex.unlock();
}
