#pragma once
// What the page's bindings share with the shared fit's (worker_peers.cpp).

#include "page_session.h"

#include <emscripten/val.h>

#include <string>
#include <vector>

namespace tessera::web {

// Sets up the fit that tessera_run_prepared_fit runs as party `party` of
// `parties` workers: "" when ready, else the refusal's JSON.
std::string prepareSharedFit(const std::vector<double>& input, const FitForm& form, const CircuitSettings& circuit,
                             const emscripten::val& progress, int party, int parties);

} // namespace tessera::web
