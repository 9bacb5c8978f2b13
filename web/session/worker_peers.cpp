// A fit shared by the page's Web Workers. Each worker runs the same fit on
// the same input; where the fit splits its work by index, each works its own
// indices and the slots travel between the workers as messages (no shared
// memory, so no cross-origin isolation is needed). The wait for the others'
// messages suspends the fit (Asyncify) and lets the worker's event loop run.

#include "page_bindings.h"

#include "fit.h"
#include "fit_parallel.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <atomic>

// Module.fitPeers is the worker's side of the exchange (web/page/src/fit-peers.js).
EM_JS(void, tessera_peers_send, (int round, const std::uint8_t* data, int size), {
    Module.fitPeers.send(round, HEAPU8.slice(data, data + size));
});
// 1 when every other party's bytes of the round have come, 0 when a party failed.
EM_ASYNC_JS(int, tessera_peers_wait, (int round), { return await Module.fitPeers.wait(round); });
EM_JS(int, tessera_peers_size, (int round, int party), { return Module.fitPeers.bytes(round, party).length; });
EM_JS(void, tessera_peers_copy, (int round, int party, std::uint8_t* out), {
    HEAPU8.set(Module.fitPeers.bytes(round, party), out);
});
EM_JS(void, tessera_peers_fail, (), { Module.fitPeers.fail(); });

namespace {

using emscripten::val;

class WorkerPeers : public tessera::FitPeers {
public:
    WorkerPeers(int parties, int party, std::atomic<bool>& stop) : parties_(parties), party_(party), stop_(stop) {}
    int parties() const override { return parties_; }
    int party() const override { return party_; }
    std::vector<std::vector<std::uint8_t>> exchange(std::vector<std::uint8_t> mine) override {
        const int round = round_++;
        tessera_peers_send(round, mine.data(), static_cast<int>(mine.size()));
        if (tessera_peers_wait(round) == 0) {
            stop_ = true;
            return {};
        }
        std::vector<std::vector<std::uint8_t>> all(static_cast<std::size_t>(parties_));
        for (int p = 0; p < parties_; ++p) {
            auto& bytes = all[static_cast<std::size_t>(p)];
            if (p == party_) {
                bytes = std::move(mine);
                continue;
            }
            bytes.resize(static_cast<std::size_t>(tessera_peers_size(round, p)));
            tessera_peers_copy(round, p, bytes.data());
        }
        return all;
    }
    void fail() override {
        stop_ = true;
        tessera_peers_fail();
    }

private:
    int parties_, party_, round_ = 0;
    std::atomic<bool>& stop_;
};

// The shared fit as prepared: one at a time per worker.
struct SharedFit {
    tessera::web::PreparedFit fit;
    val progress = val::undefined();
    int parties = 1, party = 0;
    bool ready = false;
    std::string result;
};
SharedFit shared;

} // namespace

std::string tessera::web::prepareSharedFit(const std::vector<double>& input, const FitForm& form,
                                           const CircuitSettings& circuit, const val& progress, int party,
                                           int parties) {
    shared.fit = {};
    shared.ready = false;
    if (auto refused = prepareFit(input, form, circuit, shared.fit)) return *refused;
    shared.progress = progress;
    shared.party = party;
    shared.parties = parties;
    shared.ready = true;
    return {};
}

// Runs the prepared fit; JavaScript calls it with ccall's async option and
// gets the fit's JSON as runFit gives it. The calls from here to the
// peers' wait are direct, for Asyncify to suspend them.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tessera_run_prepared_fit() {
    if (!shared.ready) return "";
    shared.ready = false;
    std::atomic<bool> stop{false};
    WorkerPeers peers(shared.parties, shared.party, stop);
    tessera::FitSettings settings = shared.fit.settings;
    settings.search.peers = &peers;
    settings.search.threads = shared.parties;
    const val progress = shared.progress;
    const tessera::FitOutcome outcome =
        tessera::fitSections(*shared.fit.state, settings, &stop, [&progress](double done) { progress(done); });
    shared.result = tessera::web::fitJson(shared.fit, outcome);
    return shared.result.c_str();
}
