#include "platform/zufall.h"

#include <atomic>

namespace zufall {

namespace {
std::atomic<std::uint64_t> g_zustand{1};
std::atomic<std::uint64_t> g_ziehungen{0};
}  // namespace

std::uint32_t ziehe() {
    // Only one generator runs at a time; the compare-exchange keeps the state
    // consistent even if a test draws from another thread.
    std::uint64_t alt = g_zustand.load(std::memory_order_relaxed);
    std::uint64_t neu;
    do {
        neu = alt * MULTIPLIKATOR + 1;
    } while (!g_zustand.compare_exchange_weak(alt, neu, std::memory_order_relaxed));
    g_ziehungen.fetch_add(1, std::memory_order_relaxed);
    return static_cast<std::uint32_t>((neu >> 32) & 0x7FFFFFFFULL);
}

int waehle(int n) {
    if (n <= 0) return 1;
    return static_cast<int>(ziehe() % static_cast<std::uint32_t>(n)) + 1;
}

std::uint64_t anzahlZiehungen() { return g_ziehungen.load(std::memory_order_relaxed); }

void zuruecksetzen() {
    g_zustand.store(1, std::memory_order_relaxed);
    g_ziehungen.store(0, std::memory_order_relaxed);
}

}  // namespace zufall
