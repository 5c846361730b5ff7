#include "utilities/timestamp.h"

#include <gtest/gtest.h>

#include "unit/fakes.h"

namespace kavri {
namespace {

using namespace testing;

const DateTime kNow{2003, 5, 30, 16, 42, 6, 120};

class TimestampTest : public ::testing::Test {
 protected:
  TimestampOutcome Stamp(const std::string& text, const DateFormat& format) {
    box_.text = text;
    return StampListedFiles(list_, box_, stamper_, format, kNow);
  }
  FakeItemList list_{{"C:\\a.txt", "C:\\dir", "C:\\b.txt"}};
  FakeDestinationBox box_;
  FakeFileStamper stamper_;
  DateFormat ymd_{DateOrder::YearMonthDay, "/", ":", "AM", "PM"};
};

TEST_F(TimestampTest, StampsEveryFileThatOpensWithTheEvenSecondBelow) {
  stamper_.stampable = {"C:\\a.txt", "C:\\b.txt"};
  EXPECT_EQ(Stamp("2001/01/01 10:00:01", ymd_), TimestampOutcome::Stamped);
  const DosDateTime expected = *ToDosDateTime({2001, 1, 1, 10, 0, 0, 0});
  EXPECT_EQ(stamper_.stamped,
            (std::map<std::string, DosDateTime>{{"C:\\a.txt", expected}, {"C:\\b.txt", expected}}));
  EXPECT_EQ(box_.text, "2001/01/01 10:00:01");
}

TEST_F(TimestampTest, TextThatIsNoDateTimeOffersTheCurrentTime) {
  struct Case {
    std::string text;
    DateFormat format;
    std::string offered;
  };
  const Case cases[] = {
      {"", ymd_, "2003/05/30 16:42:06"},
      {"yesterday", ymd_, "2003/05/30 16:42:06"},
      {"2001/02/30", ymd_, "2003/05/30 16:42:06"},
      {"", {DateOrder::DayMonthYear, ".", ".", "AM", "PM"}, "2003.05.30 16.42.06"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    stamper_.stampable = {"C:\\a.txt"};
    EXPECT_EQ(Stamp(c.text, c.format), TimestampOutcome::Offered);
    EXPECT_EQ(box_.text, c.offered);
    EXPECT_TRUE(box_.allSelected);
    EXPECT_TRUE(stamper_.stamped.empty());
  }
}

TEST_F(TimestampTest, DateOutsideTheDosRangeStampsNothingButStillCloses) {
  stamper_.stampable = {"C:\\a.txt"};
  for (const char* text : {"1979/12/31 23:59:59", "2100/01/01", "10:00"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Stamp(text, ymd_), TimestampOutcome::Stamped);
    EXPECT_TRUE(stamper_.stamped.empty());
  }
}

TEST_F(TimestampTest, OfferedTextReadsBackOnAMonthFirstSystem) {
  const DateFormat mdy{DateOrder::MonthDayYear, "/", ":", "AM", "PM"};
  stamper_.stampable = {"C:\\a.txt"};
  ASSERT_EQ(Stamp("", mdy), TimestampOutcome::Offered);
  EXPECT_EQ(Stamp(box_.text, mdy), TimestampOutcome::Stamped);
  EXPECT_EQ(stamper_.stamped["C:\\a.txt"], *ToDosDateTime({2003, 5, 30, 16, 42, 6, 0}));
}

}  // namespace
}  // namespace kavri
