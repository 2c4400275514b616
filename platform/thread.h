// A worker thread with a status, over std::thread: Created until start(),
// Running while run() works, Finished once run() has returned. The owner
// joins with warte() before it destroys the object.
#pragma once

#include <atomic>
#include <thread>

class c_Thread {
public:
    enum class Status { Created, Running, Finished };

    c_Thread() = default;
    // Joins a thread that is still attached. A derived class whose run() uses
    // its own members must call warte() in its own destructor already.
    virtual ~c_Thread();
    c_Thread(const c_Thread&) = delete;
    c_Thread& operator=(const c_Thread&) = delete;

    // Starts run() on a new thread; does nothing unless the status is Created.
    void start();
    Status getStatus() const { return k_status.load(std::memory_order_acquire); }
    // Waits until run() has returned (at once when the thread never started).
    void warte();
    // The value run() returned; valid once the status is Finished.
    int getErgebnis() const { return k_ergebnis; }

protected:
    // The thread body.
    virtual int run() = 0;

private:
    std::thread k_thread;
    std::atomic<Status> k_status{Status::Created};
    int k_ergebnis = 0;
};
