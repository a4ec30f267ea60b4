#include "app/ui/telemetry/ChartHistory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "shared/RecordingCalendar.h"

namespace {

// A sample at `seconds` after 2023-11-14 22:13:20, tagged by its speed.
ChartSample At(int seconds, int tag) {
    const std::tm utc = RecordingCalendar(1700000000 + seconds);
    ChartSample s;
    s.time = ChartTime(utc);
    s.timeValid = 1;
    s.speed = tag;
    s.speedValid = 1;
    return s;
}

class ChartHistoryTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    // The tags of samples 0..last.
    std::vector<int> Tags() const {
        std::vector<int> tags;
        for (int i = 0; i <= chart.LastIndex(); ++i)
            tags.push_back(chart.Sample(i).speed);
        return tags;
    }

    struct Shown {
        int lastIndex;
        int firstTag;
    };
    std::vector<Shown> shown;
    CChartHistory chart{[this](const ChartSample* samples, int last) {
        shown.push_back({last, samples[0].speed});
    }};
};

TEST_F(ChartHistoryTest, FirstSampleIsStoredWithoutRedraw) {
    chart.Add(At(0, 1));
    EXPECT_EQ(Tags(), std::vector<int>{1});
    EXPECT_TRUE(shown.empty());
}

TEST_F(ChartHistoryTest, NewerSamplesAreAppendedAndShown) {
    chart.Add(At(0, 1));
    chart.Add(At(1, 2));
    chart.Add(At(5, 3));
    EXPECT_EQ(Tags(), (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].lastIndex, 2);
}

TEST_F(ChartHistoryTest, SameSecondOrOlderReplacesTheNewest) {
    chart.Add(At(0, 1));
    chart.Add(At(1, 2));
    chart.Add(At(1, 3));
    EXPECT_EQ(Tags(), (std::vector<int>{1, 3}));
    chart.Add(At(-10, 4));
    EXPECT_EQ(Tags(), (std::vector<int>{1, 4}));
    EXPECT_EQ(shown.back().lastIndex, 1);
}

TEST_F(ChartHistoryTest, TheEightyFirstDropsTheOldest) {
    for (int i = 0; i < CChartHistory::kSamples; ++i)
        chart.Add(At(i, i));
    EXPECT_EQ(chart.LastIndex(), 79);
    EXPECT_EQ(chart.Sample(0).speed, 0);
    chart.Add(At(80, 80));
    EXPECT_EQ(chart.LastIndex(), 79);
    EXPECT_EQ(chart.Sample(0).speed, 1);
    EXPECT_EQ(chart.Sample(78).speed, 79);
    EXPECT_EQ(chart.Sample(79).speed, 80);
    EXPECT_EQ(shown.back().lastIndex, 79);
    EXPECT_EQ(shown.back().firstTag, 1);
}

TEST_F(ChartHistoryTest, SampleWithoutTimeIsIgnored) {
    chart.Add(At(0, 1));
    ChartSample untimed = At(5, 2);
    untimed.timeValid = 0;
    chart.Add(untimed);
    EXPECT_EQ(Tags(), std::vector<int>{1});
    EXPECT_TRUE(shown.empty());
}

TEST_F(ChartHistoryTest, TimeMktimeCannotConvertIsIgnored) {
    chart.Add(At(0, 1));
    ChartSample far = At(1, 2);
    far.time.tm_year = INT_MAX;
    far.time.tm_mon = INT_MAX;
    ASSERT_EQ(ChartSampleTime(far), -1);
    chart.Add(far);
    EXPECT_EQ(Tags(), std::vector<int>{1});
    EXPECT_TRUE(shown.empty());
}

TEST_F(ChartHistoryTest, TimesAreReadAsLocalTime) {
    setenv("TZ", "XXX-8", 1);  // eight hours east of UTC
    tzset();
    EXPECT_EQ(ChartSampleTime(At(0, 0)), 1700000000LL - 8 * 3600);
    setenv("TZ", "UTC0", 1);
    tzset();
}

TEST_F(ChartHistoryTest, ClearZeroesAndShowsLastIndexOne) {
    chart.Add(At(0, 1));
    chart.Add(At(1, 2));
    chart.Clear();
    EXPECT_EQ(chart.LastIndex(), 0);
    EXPECT_EQ(chart.Sample(0).timeValid, 0);
    EXPECT_EQ(chart.Sample(1).speed, 0);
    EXPECT_EQ(shown.back().lastIndex, 1);
    EXPECT_EQ(shown.back().firstTag, 0);
    // The next sample starts a new history at 0.
    chart.Add(At(7, 9));
    EXPECT_EQ(Tags(), std::vector<int>{9});
}

}  // namespace
