#include "fit_parallel.h"

#include <algorithm>
#include <atomic>
#include <vector>

#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#include <thread>
#define TESSERA_FIT_THREADS 1
#endif

namespace tessera {

int fitThreadCount() {
#ifdef TESSERA_FIT_THREADS
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
#else
    return 1;
#endif
}

void forEachIndex(int count, int threads, const std::function<void(int)>& work) {
    int workers = std::min(threads, count);
#ifndef TESSERA_FIT_THREADS
    workers = 1;
#endif
    if (workers <= 1) {
        for (int i = 0; i < count; ++i) work(i);
        return;
    }
#ifdef TESSERA_FIT_THREADS
    std::atomic<int> next{0};
    const auto run = [&] {
        for (int i = next++; i < count; i = next++) work(i);
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < workers; ++t) helpers.emplace_back(run);
    run();
    for (std::thread& helper : helpers) helper.join();
#endif
}

} // namespace tessera
