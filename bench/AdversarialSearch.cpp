// Looks for records whose replay grows faster than their length. Each
// candidate is a short cycle over a few points (HostileRecords.h), repeated:
// random cycles over regions of 1x1 to 4x4 points in the corners, on the
// edges and in the middle of the board, with and without passes and bombs,
// and fills of small regions and of the whole board in every FillOrder.
// Each is timed going to end at n and at 2n entries; the growth
// time(2n)/time(n) is about 2 for replay that grows like the length and 4 for
// replay that grows like its square. The worst are timed again before they
// are reported, and at 100,000 entries against a generated game of that
// length.
//
//   adversarial_search [--n N] [--candidates C] [--budget SECONDS] [--seed S]
//   adversarial_search [--n N] [--budget SECONDS] --only RECIPE
//
// A candidate is reported as a RECIPE that --only times again:
//   cycle:SEED:WxH@X,Y:LENGTH:MARKS   MakeShortCycle({SEED, {X, Y, W, H}, LENGTH, MARKS}, n)
//   fill:ORDER:WxH@X,Y:SEED           MakeFill(FillOrder::ORDER, {X, Y, W, H}, n, SEED)
//
// Timing takes the minimum of several runs of the thread's processor time
// (ThreadClock.h), because on a shared machine a run is only ever slowed
// down; short runs are repeated until they add up to a time the clock
// measures well. The budget is wall-clock time: the run stops starting
// candidates when it is spent and says so; a measurement that would overrun
// it by itself is skipped, and said so too.
#include "GameRecords.h"
#include "HostileRecords.h"
#include "KeepFreedMemory.h"
#include "SplitMix64.h"
#include "ThreadClock.h"
#include "record/ClientDoc.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kYardstickEntries = 100'000;
constexpr int kWorstShown = 10;
// Beyond the shown ones, so that a candidate lifted by noise in the first
// measurement cannot push a truly worse one out of the list.
constexpr int kWorstRemeasured = 2 * kWorstShown;
constexpr double kUnmeasured = std::numeric_limits<double>::quiet_NaN();

struct Options {
    int nEntries = 20'000;
    int nCandidates = 400;
    double dBudgetSeconds = 180;
    std::uint64_t nSeed = 0x5EA2C4;
    std::string only;
};

struct Candidate {
    bool bFill = false;
    ShortCycle cycle;                      // a cycle's
    FillOrder order = FillOrder::rows;     // a fill's
    BoardRegion region;                    // a fill's
    std::uint64_t nFillSeed = 0;           // a fill's in FillOrder::shuffled

    double dTimeN = std::numeric_limits<double>::infinity();  // minimum seconds at n
    double dTime2N = std::numeric_limits<double>::infinity(); // at 2n
    int nRunsN = 0;
    int nRuns2N = 0;
    int nCaptures2N = 0;
    double dTimeYardstick = kUnmeasured;  // at kYardstickEntries
    bool bTooSlowToDouble = false;
    bool bTimedAgain = false;

    double Growth() const { return dTime2N / dTimeN; }
};

std::string Hex(std::uint64_t n)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(n));
    return text;
}

std::string RegionText(BoardRegion region)
{
    return std::to_string(region.nWidth) + "x" + std::to_string(region.nHeight) + "@" + std::to_string(region.nLeft)
        + "," + std::to_string(region.nTop);
}

std::string Recipe(const Candidate& candidate)
{
    if (candidate.bFill)
        return "fill:" + std::string(FillOrderName(candidate.order)) + ":" + RegionText(candidate.region) + ":"
            + Hex(candidate.nFillSeed);
    const ShortCycle& cycle = candidate.cycle;
    return "cycle:" + Hex(cycle.nSeed) + ":" + RegionText(cycle.region) + ":" + std::to_string(cycle.nLength) + ":"
        + std::to_string(cycle.nMarkPercent);
}

// Reads the number text starts with and removes it; 0x marks hexadecimal, as
// the seeds are printed.
bool ReadNumber(std::string_view& text, std::uint64_t& nValue)
{
    int nBase = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        nBase = 16;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nValue, nBase);
    if (error != std::errc())
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

bool ReadInt(std::string_view& text, int& nValue)
{
    std::uint64_t nRead = 0;
    if (!ReadNumber(text, nRead) || nRead > 1'000'000)
        return false;
    nValue = static_cast<int>(nRead);
    return true;
}

bool Expect(std::string_view& text, char separator)
{
    if (!text.starts_with(separator))
        return false;
    text.remove_prefix(1);
    return true;
}

bool ReadRegion(std::string_view& text, BoardRegion& region)
{
    return ReadInt(text, region.nWidth) && Expect(text, 'x') && ReadInt(text, region.nHeight) && Expect(text, '@')
        && ReadInt(text, region.nLeft) && Expect(text, ',') && ReadInt(text, region.nTop)
        && region.nWidth >= 1 && region.nHeight >= 1 && IsBoardPoint(region.nLeft, region.nTop)
        && IsBoardPoint(region.nLeft + region.nWidth - 1, region.nTop + region.nHeight - 1);
}

std::optional<Candidate> ParseRecipe(std::string_view text)
{
    Candidate candidate;
    if (text.starts_with("cycle:")) {
        text.remove_prefix(6);
        ShortCycle& cycle = candidate.cycle;
        if (ReadNumber(text, cycle.nSeed) && Expect(text, ':') && ReadRegion(text, cycle.region) && Expect(text, ':')
            && ReadInt(text, cycle.nLength) && Expect(text, ':') && ReadInt(text, cycle.nMarkPercent) && text.empty()
            && cycle.nLength >= 1 && cycle.nMarkPercent <= 100)
            return candidate;
    } else if (text.starts_with("fill:")) {
        text.remove_prefix(5);
        candidate.bFill = true;
        const std::size_t nColon = text.find(':');
        const auto order = std::find_if(std::begin(ALL_FILL_ORDERS), std::end(ALL_FILL_ORDERS),
                                        [&](FillOrder o) { return FillOrderName(o) == text.substr(0, nColon); });
        if (order == std::end(ALL_FILL_ORDERS) || nColon == std::string_view::npos)
            return std::nullopt;
        candidate.order = *order;
        text.remove_prefix(nColon + 1);
        if (ReadRegion(text, candidate.region) && Expect(text, ':') && ReadNumber(text, candidate.nFillSeed)
            && text.empty())
            return candidate;
    }
    return std::nullopt;
}

MoveRecord MakeRecord(const Candidate& candidate, int nEntries)
{
    return candidate.bFill ? MakeFill(candidate.order, candidate.region, nEntries, candidate.nFillSeed)
                           : MakeShortCycle(candidate.cycle, nEntries);
}

// A region of nWidth x nHeight in one of nine places: the four corners, the
// middles of the four edges, the middle of the board.
BoardRegion PlaceRegion(int nWidth, int nHeight, int nPlace)
{
    const int nColumn = nPlace % 3;
    const int nRow = nPlace / 3;
    auto start = [](int nPosition, int nSize) {
        return nPosition == 0 ? 1 : nPosition == 1 ? 1 + (BOARD_SIZE - nSize) / 2 : BOARD_SIZE - nSize + 1;
    };
    return {start(nColumn, nWidth), start(nRow, nHeight), nWidth, nHeight};
}

// The whole board in every order first, as they are few; then, three times
// in four, a random cycle over a small region, otherwise a fill of one.
std::vector<Candidate> MakeCandidates(int nCount, std::uint64_t nSeed)
{
    SplitMix64 random(nSeed);
    std::vector<Candidate> candidates;
    for (const FillOrder order : ALL_FILL_ORDERS) {
        Candidate candidate;
        candidate.bFill = true;
        candidate.order = order;
        candidate.region = WHOLE_BOARD;
        candidate.nFillSeed = order == FillOrder::shuffled ? random.Next() : 0;
        candidates.push_back(candidate);
    }
    for (int i = 0; static_cast<int>(candidates.size()) < nCount; ++i) {
        Candidate candidate;
        const int nWidth = 1 + random.Below(4);
        const int nHeight = 1 + random.Below(4);
        const BoardRegion region = PlaceRegion(nWidth, nHeight, random.Below(9));
        if (i % 4 == 3) {
            candidate.bFill = true;
            candidate.order = ALL_FILL_ORDERS[random.Below(static_cast<int>(std::size(ALL_FILL_ORDERS)))];
            candidate.region = region;
            candidate.nFillSeed = candidate.order == FillOrder::shuffled ? random.Next() : 0;
        } else {
            static constexpr int kMarkPercents[] = {0, 0, 0, 5, 15, 30};
            candidate.cycle = {random.Next(), region, 2 + random.Below(23),
                               kMarkPercents[random.Below(static_cast<int>(std::size(kMarkPercents)))]};
        }
        candidates.push_back(candidate);
    }
    candidates.resize(static_cast<std::size_t>(nCount));
    return candidates;
}

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

class Deadline {
public:
    explicit Deadline(double dSeconds) : m_start(Clock::now()), m_dSeconds(dSeconds) {}
    double Elapsed() const { return Seconds(Clock::now() - m_start); }
    double Left() const { return m_dSeconds - Elapsed(); }

private:
    Clock::time_point m_start;
    double m_dSeconds;
};

// One first go to end of a freshly loaded document; only GoToEnd is timed.
double TimeGoToEnd(const MoveRecord& record, int& nCaptures)
{
    auto doc = std::make_unique<CClientDoc>();
    doc->LoadRecord(record);
    const double dStart = ThreadSeconds();
    doc->GoToEnd();
    const double dSeconds = ThreadSeconds() - dStart;
    nCaptures = doc->GetPosition().m_nCaptures;
    return dSeconds;
}

struct Repeats {
    int nMinRuns;
    double dMinTotal;  // seconds of timed runs wanted at least
    double dMaxTotal;  // no run starts after this many
};

constexpr Repeats kFirstLook{3, 0.03, 1.0};
constexpr Repeats kDoubled{5, 0.06, 2.0};
constexpr Repeats kAgain{5, 0.2, 3.0};

struct Timing {
    double dMin = std::numeric_limits<double>::infinity();
    int nRuns = 0;
    int nCaptures = 0;
};

Timing TimeMin(const MoveRecord& record, Repeats repeats)
{
    Timing timing;
    double dTotal = 0;
    while (dTotal < repeats.dMaxTotal && (timing.nRuns < repeats.nMinRuns || dTotal < repeats.dMinTotal)) {
        const double dSeconds = TimeGoToEnd(record, timing.nCaptures);
        timing.dMin = std::min(timing.dMin, dSeconds);
        dTotal += dSeconds;
        ++timing.nRuns;
    }
    return timing;
}

// A bound on the time at nTo entries from times at nFrom and 2 nFrom: the
// measured growth carried on, at least linear, at most cubic.
double Predict(double dTimeFrom, double dTime2From, int nFrom, int nTo)
{
    const double dExponent = std::clamp(std::log2(dTime2From / dTimeFrom), 1.0, 3.0);
    return dTime2From * std::pow(static_cast<double>(nTo) / (2.0 * nFrom), dExponent);
}

// Times the candidate at n and, unless even a cubic growth from there would
// overrun the time left, at 2n. A second look keeps the minimum of both.
void Measure(Candidate& candidate, int nEntries, const Deadline& deadline, bool bAgain)
{
    candidate.bTimedAgain = candidate.bTimedAgain || bAgain;
    const MoveRecord record = MakeRecord(candidate, 2 * nEntries);
    MoveRecord prefix = record;
    prefix.SetSize(nEntries);
    const Timing timingN = TimeMin(prefix, bAgain ? kAgain : kFirstLook);
    candidate.dTimeN = std::min(candidate.dTimeN, timingN.dMin);
    candidate.nRunsN += timingN.nRuns;
    if (8 * candidate.dTimeN > deadline.Left()) {
        candidate.bTooSlowToDouble = candidate.nRuns2N == 0;
        return;
    }
    const Timing timing2N = TimeMin(record, bAgain ? kAgain : kDoubled);
    candidate.dTime2N = std::min(candidate.dTime2N, timing2N.dMin);
    candidate.nRuns2N += timing2N.nRuns;
    candidate.nCaptures2N = timing2N.nCaptures;
}

struct Yardstick {
    double dTimeN = 0;
    double dTime2N = 0;
    double dTimeLong = 0;  // at kYardstickEntries
};

// A generated game, as ReplayBench's long record: about one pass and one
// bomb in every hundred entries.
Yardstick MeasureYardstick(int nEntries)
{
    auto game = [](int n) { return MakePlayedRecord(n, n / 100, n / 100, 0x60'1000); };
    return {TimeMin(game(nEntries), kAgain).dMin, TimeMin(game(2 * nEntries), kAgain).dMin,
            TimeMin(game(kYardstickEntries), kAgain).dMin};
}

std::string LoadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string line;
    std::getline(file, line);
    return line.empty() ? "unknown" : line.substr(0, line.find(' ', line.find(' ', line.find(' ') + 1) + 1));
}

void PrintCandidate(int nRank, const Candidate& candidate, const Yardstick& yardstick)
{
    std::printf("%4d  %6.2f  %10.3f  %10.3f  %4d/%-4d%c  %8.2f  %9d  %s\n", nRank, candidate.Growth(),
                candidate.dTimeN * 1e3, candidate.dTime2N * 1e3, candidate.nRunsN, candidate.nRuns2N,
                candidate.bTimedAgain ? '*' : ' ', candidate.dTime2N / yardstick.dTime2N, candidate.nCaptures2N,
                Recipe(candidate).c_str());
}

void PrintHeader()
{
    std::printf("rank  growth   t(n) ms    t(2n) ms   runs        x_game   captures  recipe\n");
}

// Times at kYardstickEntries, the slowest first as far as the budget goes.
void MeasureLong(std::vector<Candidate*> chosen, const Yardstick& yardstick, int nEntries, const Deadline& deadline)
{
    std::printf("\nat %d entries, against a generated game of as many (%.3f ms):\n", kYardstickEntries,
                yardstick.dTimeLong * 1e3);
    std::printf("  x_game   t ms        recipe\n");
    const Candidate* worst = nullptr;
    const Candidate* worstPredicted = nullptr;
    double dWorstPredicted = 0;
    for (Candidate* candidate : chosen) {
        const double dPredicted = Predict(candidate->dTimeN, candidate->dTime2N, nEntries, kYardstickEntries);
        if (deadline.Left() <= 0 || dPredicted > deadline.Left()) {
            if (dPredicted > dWorstPredicted) {
                dWorstPredicted = dPredicted;
                worstPredicted = candidate;
            }
        }
        if (deadline.Left() <= 0) {
            std::printf("  not timed, the budget is used up: %s\n", Recipe(*candidate).c_str());
            continue;
        }
        if (dPredicted > deadline.Left()) {
            std::printf("  not timed, about %.3g s predicted (x_game about %.0f) with %.3g s of the budget left: %s\n",
                        dPredicted, dPredicted / yardstick.dTimeLong, deadline.Left(), Recipe(*candidate).c_str());
            continue;
        }
        candidate->dTimeYardstick = TimeMin(MakeRecord(*candidate, kYardstickEntries), kFirstLook).dMin;
        std::printf("  %7.2f  %10.3f  %s\n", candidate->dTimeYardstick / yardstick.dTimeLong,
                    candidate->dTimeYardstick * 1e3, Recipe(*candidate).c_str());
        if (!worst || candidate->dTimeYardstick > worst->dTimeYardstick)
            worst = candidate;
    }
    if (worst)
        std::printf("worst time(%d)/time(generated game of %d) measured: %.2f for %s\n", kYardstickEntries,
                    kYardstickEntries, worst->dTimeYardstick / yardstick.dTimeLong, Recipe(*worst).c_str());
    else
        std::printf("worst time(%d)/time(generated game of %d): nothing measured within the budget\n",
                    kYardstickEntries, kYardstickEntries);
    if (worstPredicted)
        std::printf("not timed for the budget, the worst predicted from its growth: about %.0f for %s\n",
                    dWorstPredicted / yardstick.dTimeLong, Recipe(*worstPredicted).c_str());
}

int RunOnly(const Options& options)
{
    const std::optional<Candidate> parsed = ParseRecipe(options.only);
    if (!parsed) {
        std::fprintf(stderr, "adversarial_search: not a candidate: %s\n", options.only.c_str());
        return 2;
    }
    Candidate candidate = *parsed;
    const Deadline deadline(options.dBudgetSeconds);
    const Yardstick yardstick = MeasureYardstick(options.nEntries);
    std::printf("n = %d; generated game: t(n) %.3f ms, t(2n) %.3f ms, growth %.2f\n", options.nEntries,
                yardstick.dTimeN * 1e3, yardstick.dTime2N * 1e3, yardstick.dTime2N / yardstick.dTimeN);
    Measure(candidate, options.nEntries, deadline, true);
    if (candidate.bTooSlowToDouble) {
        std::printf("t(n) %.3f ms; too slow to double within the budget\n", candidate.dTimeN * 1e3);
        return 0;
    }
    PrintHeader();
    PrintCandidate(1, candidate, yardstick);
    MeasureLong({&candidate}, yardstick, options.nEntries, deadline);
    return 0;
}

int RunSearch(const Options& options)
{
    const Deadline deadline(options.dBudgetSeconds);
    // The search proper stops at this point of the budget, leaving the rest
    // to the second look at the worst and to their long records.
    const double dSearchSeconds = 0.5 * options.dBudgetSeconds;
    const double dAgainSeconds = 0.65 * options.dBudgetSeconds;

    std::printf("adversarial_search: n = %d, %d candidates, budget %.0f s, seed %s\n", options.nEntries,
                options.nCandidates, options.dBudgetSeconds, Hex(options.nSeed).c_str());
    std::printf("load average at the start: %s\n", LoadAverage().c_str());
    const Yardstick yardstick = MeasureYardstick(options.nEntries);
    std::printf("generated game: t(n) %.3f ms, t(2n) %.3f ms, growth %.2f; t(%d) %.3f ms\n", yardstick.dTimeN * 1e3,
                yardstick.dTime2N * 1e3, yardstick.dTime2N / yardstick.dTimeN, kYardstickEntries,
                yardstick.dTimeLong * 1e3);

    std::vector<Candidate> candidates = MakeCandidates(options.nCandidates, options.nSeed);
    int nMeasured = 0;
    for (Candidate& candidate : candidates) {
        if (deadline.Elapsed() >= dSearchSeconds)
            break;
        Measure(candidate, options.nEntries, deadline, false);
        ++nMeasured;
        std::fprintf(stderr, "%d/%d  %.2f  %s\n", nMeasured, options.nCandidates,
                     candidate.bTooSlowToDouble ? kUnmeasured : candidate.Growth(), Recipe(candidate).c_str());
    }
    if (nMeasured < options.nCandidates)
        std::printf("stopped at the time budget: %d of %d candidates measured in %.0f s\n", nMeasured,
                    options.nCandidates, deadline.Elapsed());
    else
        std::printf("all %d candidates measured in %.0f s\n", nMeasured, deadline.Elapsed());

    std::vector<Candidate*> doubled;
    for (int i = 0; i < nMeasured; ++i) {
        Candidate& candidate = candidates[static_cast<std::size_t>(i)];
        if (candidate.bTooSlowToDouble)
            std::printf("too slow to double within the budget: t(n) %.3f ms  %s\n", candidate.dTimeN * 1e3,
                        Recipe(candidate).c_str());
        else
            doubled.push_back(&candidate);
    }
    auto byGrowth = [](const Candidate* a, const Candidate* b) { return a->Growth() > b->Growth(); };
    std::sort(doubled.begin(), doubled.end(), byGrowth);

    const std::size_t nAgain = std::min(doubled.size(), static_cast<std::size_t>(kWorstRemeasured));
    std::size_t nRemeasured = 0;
    for (; nRemeasured < nAgain && deadline.Elapsed() < dAgainSeconds; ++nRemeasured)
        Measure(*doubled[nRemeasured], options.nEntries, deadline, true);
    std::sort(doubled.begin(), doubled.end(), byGrowth);
    std::printf("\nworst %d by growth time(2n)/time(n); the worst %zu after the first look were timed again "
                "(* after their runs)%s; times are the minimum of the runs at n and 2n, x_game is t(2n) over the "
                "generated game's, captures those of the replay of 2n entries:\n",
                kWorstShown, nRemeasured, nRemeasured < nAgain ? ", as many as the budget allowed" : "");
    PrintHeader();
    const std::size_t nShown = std::min(doubled.size(), static_cast<std::size_t>(kWorstShown));
    for (std::size_t i = 0; i < nShown; ++i)
        PrintCandidate(static_cast<int>(i) + 1, *doubled[i], yardstick);

    // The slowest against the game at 2n may grow gently and still be the
    // slowest at the long length, so they get the long look too.
    std::vector<Candidate*> chosen(doubled.begin(), doubled.begin() + static_cast<std::ptrdiff_t>(nShown));
    std::vector<Candidate*> slowest = doubled;
    std::sort(slowest.begin(), slowest.end(), [](const Candidate* a, const Candidate* b) {
        return a->dTime2N > b->dTime2N;
    });
    for (std::size_t i = 0; i < std::min(slowest.size(), static_cast<std::size_t>(kWorstShown)); ++i)
        if (std::find(chosen.begin(), chosen.end(), slowest[i]) == chosen.end())
            chosen.push_back(slowest[i]);
    // The cheapest first, so that one slow record cannot use up the budget
    // the others need.
    std::sort(chosen.begin(), chosen.end(), [](const Candidate* a, const Candidate* b) {
        return a->dTime2N < b->dTime2N;
    });
    MeasureLong(chosen, yardstick, options.nEntries, deadline);
    std::printf("\nload average at the end: %s; %.0f s in all\n", LoadAverage().c_str(), deadline.Elapsed());
    return 0;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (i + 1 == argc)
            return false;
        std::string_view value = argv[++i];
        std::uint64_t nValue = 0;
        if (name == "--only") {
            options.only = value;
        } else if (!ReadNumber(value, nValue) || !value.empty()) {
            return false;
        } else if (name == "--n" && nValue >= 1 && nValue <= 10'000'000) {
            options.nEntries = static_cast<int>(nValue);
        } else if (name == "--candidates" && nValue >= 1 && nValue <= 1'000'000) {
            options.nCandidates = static_cast<int>(nValue);
        } else if (name == "--budget" && nValue >= 1) {
            options.dBudgetSeconds = static_cast<double>(nValue);
        } else if (name == "--seed") {
            options.nSeed = nValue;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    KeepFreedMemory();
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs("usage: adversarial_search [--n N] [--candidates C] [--budget SECONDS] [--seed S]\n"
                   "       adversarial_search [--n N] [--budget SECONDS] --only RECIPE\n",
                   stderr);
        return 2;
    }
    return options.only.empty() ? RunSearch(options) : RunOnly(options);
}
