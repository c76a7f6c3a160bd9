// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the calendar engine and the day table. Run: build/<preset>/bench/bench_engine
#include "cli/DayFields.h"
#include "engine/JulianDay.h"
#include "engine/DayInfo.h"
#include "engine/Holidays.h"
#include "engine/LunarConversion.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace {

using namespace moonleaf;

// One date, asked again and again: the remembered month starts and new moons are warm.
void BM_BuildDayInfoWarm(benchmark::State& state) {
    BuildDayInfo(23, 3, 2023, TIMEZONE);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildDayInfo(23, 3, 2023, TIMEZONE));
    }
}
BENCHMARK(BM_BuildDayInfoWarm);

// Every day of 2023 in turn (warm after the first round).
void BM_BuildDayInfoYear(benchmark::State& state) {
    const double first = DateToJdn(1, 1, 2023);
    double jd = first;
    for (auto _ : state) {
        const CalDate d = JdnToDate(jd);
        benchmark::DoNotOptimize(BuildDayInfo(d.Day, d.Month, d.Year, TIMEZONE));
        jd = jd - first >= 364 ? first : jd + 1;
    }
}
BENCHMARK(BM_BuildDayInfoYear);

void BM_BuildDayInfoPlain(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::BuildDayInfo(23, 3, 2023, TIMEZONE));
    }
}
BENCHMARK(BM_BuildDayInfoPlain);

void BM_SolarToLunar(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolarToLunar(23, 3, 2023, TIMEZONE));
    }
}
BENCHMARK(BM_SolarToLunar);

void BM_SolarToLunarPlain(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(plain::SolarToLunar(23, 3, 2023, TIMEZONE));
    }
}
BENCHMARK(BM_SolarToLunarPlain);

// A stream that counts and discards, so the table is formatted in full but not stored.
class NullBuffer final : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int overflow(int c) override { return c; }
};

// The whole 1900..2100 table through the code path of `moonleaf-cli table`.
void BM_Table1900To2100(benchmark::State& state) {
    InitHolidays();
    NullBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cli::WriteTable({1, 1, 1900}, {31, 12, 2100}, out));
    }
    state.SetItemsProcessed(state.iterations() * 73414);
}
BENCHMARK(BM_Table1900To2100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
