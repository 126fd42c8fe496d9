// Throughput of the toolkit-free core: keys through the real key map and engine, and the two
// number conversions every key pays for, each beside the C library routine it replaces.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/number_text.h"
#include "tests/support/headless_form.h"

namespace {

// Each script ends where it began (the display back at "0", nothing pending), so every
// iteration does the same work.
void keys(benchmark::State& state, std::string_view script) {
    // The tests' headless form: the real key map and engine on fakes that record only boxes,
    // and the scripts raise none, so nothing grows while the loop runs.
    support::HeadlessForm form;
    for (auto _ : state) {
        form.type(script);
        benchmark::DoNotOptimize(form.display().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(script.size()));
    if (!form.services.boxes.empty()) {
        state.SkipWithError("a key raised a box: the script is not what it measures");
    }
}

// Typing sums: digits, the four operators, equals and clear.
BENCHMARK_CAPTURE(keys, arithmetic, std::string_view("12+34*5-6/7\rc"));
// Entry only: the cheapest keys, mostly text appends.
BENCHMARK_CAPTURE(keys, digits, std::string_view("1234567890.5c"));
// Functions of the shown value: square root, square, cube, 6.28, circle, sphere, sign.
BENCHMARK_CAPTURE(keys, functions, std::string_view("81rfghc2jkec"));

// Values as a calculator meets them: whole numbers, short and repeating fractions, results
// of long chains, tiny and huge magnitudes.
const std::vector<double>& sample_values() {
    static const std::vector<double> values = [] {
        std::mt19937_64 random(20261206);
        std::vector<double> out;
        std::uniform_int_distribution<int> whole(0, 999999);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::uniform_int_distribution<int> exponent(-40, 40);
        for (int i = 0; i < 1024; ++i) {
            switch (i % 4) {
                case 0:
                    out.push_back(whole(random));
                    break;
                case 1:
                    out.push_back(whole(random) / 1000.0);
                    break;
                case 2:
                    out.push_back(1.0 / (1 + whole(random)));
                    break;
                default:
                    out.push_back(unit(random) * std::pow(10.0, exponent(random)));
                    break;
            }
        }
        return out;
    }();
    return values;
}

const std::vector<std::string>& sample_texts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> out;
        for (const double value : sample_values()) {
            out.push_back(platform::double_text(value));
        }
        return out;
    }();
    return texts;
}

void double_text(benchmark::State& state) {
    const auto& values = sample_values();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = platform::double_text(values[i++ & 1023]);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(double_text);

// The reference: the C library's 15 significant digits, into a std::string as well.
void snprintf_15g(benchmark::State& state) {
    const auto& values = sample_values();
    std::size_t i = 0;
    for (auto _ : state) {
        char buffer[32];
        const int length = std::snprintf(buffer, sizeof buffer, "%.15g", values[i++ & 1023]);
        std::string text(buffer, static_cast<std::size_t>(length));
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(snprintf_15g);

void leading_number(benchmark::State& state) {
    const auto& texts = sample_texts();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::leading_number(texts[i++ & 1023]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(leading_number);

void strtod_reference(benchmark::State& state) {
    const auto& texts = sample_texts();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strtod(texts[i++ & 1023].c_str(), nullptr));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(strtod_reference)->Name("strtod");

}  // namespace

BENCHMARK_MAIN();
