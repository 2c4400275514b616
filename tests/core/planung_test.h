// Fixture of the planning tests: a fresh scratch folder (the store keeps its
// structure file there), the random source at its start state, a fixed
// "today" (Monday, 2 March 2026) and exact text comparison.
#pragma once

#include "model/datum.h"
#include "platform/text.h"
#include "platform/zufall.h"
#include "tests/core/planung_schule.h"

#include <gtest/gtest.h>

#include <memory>

class PlanungTest : public ::testing::Test {
protected:
    void SetUp() override {
        text::setIgnoreCase(false);
        zufall::zuruecksetzen();
        setHeute(2, 3, 2026);
        k_ordner = std::make_unique<planung_schule::Arbeitsordner>();
        k_schule = std::make_unique<planung_schule::Schule>();
    }
    void TearDown() override {
        k_schule.reset();
        k_ordner.reset();
        setHeute(0, 0, 0);
        text::setIgnoreCase(false);
    }

    planung_schule::Schule& s() { return *k_schule; }
    c_Schulverwaltung* sv() { return k_schule->get(); }
    std::string plan() { return planung_schule::planText(*k_schule->sv); }
    std::vector<std::string> verletzungen(bool pflicht) { return planung_schule::invarianten(*k_schule->sv, pflicht); }

    std::unique_ptr<planung_schule::Arbeitsordner> k_ordner;
    std::unique_ptr<planung_schule::Schule> k_schule;
};
