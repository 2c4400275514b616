// The random source of the generators and the thread class they run on.

#include "platform/thread.h"
#include "platform/zufall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

class ZufallTest : public ::testing::Test {
protected:
    void SetUp() override { zufall::zuruecksetzen(); }
    void TearDown() override { zufall::zuruecksetzen(); }
};

TEST_F(ZufallTest, ErsteZiehungenAbZustandEins) {
    const std::uint32_t erwartet[] = {5540, 221838220, 695693412, 1410949376, 822182988};
    for (std::uint32_t e : erwartet) EXPECT_EQ(zufall::ziehe(), e);
    EXPECT_EQ(zufall::anzahlZiehungen(), 5u);
}

TEST_F(ZufallTest, ZiehungIstZustandMalMultiplikatorPlusEinsUndBits32Bis62) {
    // The state after n draws, computed independently; every draw returns bits 32..62.
    std::uint64_t zustand = 1;
    for (int i = 0; i < 1000; ++i) {
        zustand = zustand * 23794118839861ULL + 1;
        const std::uint32_t z = zufall::ziehe();
        ASSERT_EQ(z, static_cast<std::uint32_t>((zustand >> 32) & 0x7FFFFFFF)) << "Ziehung " << i + 1;
        ASSERT_LE(z, 2147483647u);
    }
    EXPECT_EQ(zufall::MULTIPLIKATOR, 5540ULL * (1ULL << 32) + 20021ULL);
}

TEST_F(ZufallTest, WahlUnterNIstZiehungModNPlusEins) {
    EXPECT_EQ(zufall::waehle(7), static_cast<int>(5540 % 7) + 1);
    EXPECT_EQ(zufall::waehle(10), static_cast<int>(221838220 % 10) + 1);
    EXPECT_EQ(zufall::waehle(3), static_cast<int>(695693412 % 3) + 1);
    EXPECT_EQ(zufall::waehle(1), 1);  // draws all the same
    EXPECT_EQ(zufall::anzahlZiehungen(), 4u);
    EXPECT_EQ(zufall::ziehe(), 822182988u);
}

TEST_F(ZufallTest, WahlUnterNullOderWenigerZiehtNichtsUndGibtEins) {
    EXPECT_EQ(zufall::waehle(0), 1);
    EXPECT_EQ(zufall::waehle(-5), 1);
    EXPECT_EQ(zufall::anzahlZiehungen(), 0u);
    EXPECT_EQ(zufall::ziehe(), 5540u);  // the sequence has not moved
}

TEST_F(ZufallTest, FolgeLaeuftOhneNeustartWeiterUndRuecksetzenBeginntVonVorn) {
    zufall::ziehe();
    zufall::ziehe();
    EXPECT_EQ(zufall::ziehe(), 695693412u);
    zufall::zuruecksetzen();
    EXPECT_EQ(zufall::ziehe(), 5540u);
}

TEST_F(ZufallTest, ZiehungenAusZweiThreadsVerlierenKeinenSchritt) {
    // Together the two threads take exactly the first 2000 values of the sequence.
    std::vector<std::uint32_t> a, b;
    std::thread t1([&] { for (int i = 0; i < 1000; ++i) a.push_back(zufall::ziehe()); });
    std::thread t2([&] { for (int i = 0; i < 1000; ++i) b.push_back(zufall::ziehe()); });
    t1.join();
    t2.join();
    std::vector<std::uint32_t> alle(a);
    alle.insert(alle.end(), b.begin(), b.end());
    std::sort(alle.begin(), alle.end());
    zufall::zuruecksetzen();
    std::vector<std::uint32_t> folge;
    for (int i = 0; i < 2000; ++i) folge.push_back(zufall::ziehe());
    std::sort(folge.begin(), folge.end());
    EXPECT_EQ(alle, folge);
}

// ---- the thread class

class Zaehlthread : public c_Thread {
public:
    explicit Zaehlthread(std::atomic<bool>* fertig = nullptr) : k_fertig(fertig) {}
    ~Zaehlthread() override { warte(); }
    std::atomic<bool> weiter{false};
    std::atomic<int> laeufe{0};

protected:
    int run() override {
        ++laeufe;
        while (!weiter.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (k_fertig) *k_fertig = true;
        return 42;
    }

private:
    std::atomic<bool>* k_fertig;
};

TEST(ZufallThread, StatusErstelltLaufendBeendet) {
    Zaehlthread t;
    EXPECT_EQ(t.getStatus(), c_Thread::Status::Created);
    t.warte();  // never started: returns at once
    t.start();
    EXPECT_EQ(t.getStatus(), c_Thread::Status::Running);
    t.start();  // a second start does nothing
    t.weiter = true;
    t.warte();
    EXPECT_EQ(t.getStatus(), c_Thread::Status::Finished);
    EXPECT_EQ(t.getErgebnis(), 42);
    EXPECT_EQ(t.laeufe.load(), 1);
}

TEST(ZufallThread, ZerstoerenWartetAufDenThread) {
    std::atomic<bool> fertig{false};
    auto t = std::make_unique<Zaehlthread>(&fertig);
    t->start();
    Zaehlthread* roh = t.get();
    std::thread freigabe([roh] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        roh->weiter = true;
    });
    t.reset();  // returns only after run() has returned
    EXPECT_TRUE(fertig.load());
    freigabe.join();
}

}  // namespace
