#pragma once
// Test doubles (keep every plot block the engine hands over, log the page
// changes it announces) and an engine over a fresh state wired to them.

#include "filter_engine.h"
#include "page_model.h"
#include "plot_sink.h"
#include "standard_series.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

struct PlotCapture : tessera::PlotSink {
    std::map<tessera::GraphWindow, std::vector<tessera::PlotData>> blocks;
    std::vector<tessera::GraphWindow> order;

    void setData(tessera::GraphWindow window, const tessera::PlotData& block) override {
        blocks[window].push_back(block);
        order.push_back(window);
    }
    const tessera::PlotData& last(tessera::GraphWindow window) const { return blocks.at(window).back(); }
};

struct PageChangeLog : tessera::PageView {
    std::vector<std::pair<int, unsigned>> changes;
    void pageChanged(int section, unsigned what) override { changes.emplace_back(section, what); }
    unsigned allFor(int section) const {
        unsigned all = 0;
        for (auto [s, what] : changes)
            if (s == section) all |= what;
        return all;
    }
};

struct EngineFixture : ::testing::Test {
    tessera::FilterBankState state;
    PlotCapture plots;
    PageChangeLog pages;
    tessera::FilterEngine engine{state};
    void SetUp() override {
        tessera::E24Init(state);
        engine.setPlotSink(&plots);
        engine.setPageView(&pages);
    }
};
