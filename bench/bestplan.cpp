// SPDX-License-Identifier: GPL-3.0-or-later
// The best plan for the most days a game can have left after the information,
// in processor time (which a busy machine disturbs less than wall time); also
// the first call in the process, which first reads the gains from the rules.

#include "benchutil.h"
#include "bestplan.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr int kMostDaysLeft = 32767 - 45;

double millisecondsFor(int daysLeft, int &total)
{
    const std::clock_t start = std::clock();
    total = Startup::FindBestPlan(daysLeft).total;
    return static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

} // namespace

int main()
{
    int total = 0;
    const double first = millisecondsFor(kMostDaysLeft, total);
    std::vector<double> later;
    for (int run = 0; run < 200; ++run)
        later.push_back(millisecondsFor(kMostDaysLeft, total));
    std::printf("best plan for %d days left: %d households\n", kMostDaysLeft, total);
    std::printf("%-48s %.3f ms\n", "first call in the process, processor time", first);
    Bench::print("later calls, processor time", later, "ms");
}
