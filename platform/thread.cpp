#include "platform/thread.h"

c_Thread::~c_Thread() { warte(); }

void c_Thread::start() {
    if (k_status.load(std::memory_order_acquire) != Status::Created) return;
    k_status.store(Status::Running, std::memory_order_release);
    k_thread = std::thread([this] {
        k_ergebnis = run();
        k_status.store(Status::Finished, std::memory_order_release);
    });
}

void c_Thread::warte() {
    if (k_thread.joinable() && k_thread.get_id() != std::this_thread::get_id()) k_thread.join();
}
