// The statistics from the maker's list file: totals with thousands
// separators, the top-100 table in rank order, and what a missing list,
// missing keys or hostile values give.
#include "dialogs/StatsCore.h"

#include <gtest/gtest.h>

#include <string>

#include "lists/IBHOList.h"
#include "support/TestSupport.h"

namespace {

// The maker's list at a path of the test's: no download when it is missing.
class ListAt : public IBHOList {
 public:
  explicit ListAt(const std::string& sPath) { m_sListPath = sPath; }
  HResult PopulateBHO(BHO*) override { return kSOk; }
  std::string GetBHOListFileName() const override { return "Tarvolin20List.ini"; }
};

class StatsFromList : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::ScopedLog log;
  std::string ListPath() const { return dir.File("Tarvolin20List.ini"); }
};

TEST_F(StatsFromList, TotalsAndTheHundredRowsInRankOrder) {
  std::string ini = "[General]\r\nTotalReports=1200000\r\nUniqueBHOs=4321\r\n";
  for (int n = 0; n < 100; ++n)
    ini += "TopXDesc" + std::to_string(n) + "=Toolbar " + std::to_string(n) + "\r\nTopXReportsCount" +
           std::to_string(n) + "=" + std::to_string(1000 - n) + "\r\n";
  test::WriteFile(ListPath(), ini);
  ListAt list(ListPath());
  const Stats::Data data = Stats::Read(&list);
  EXPECT_EQ("1,200,000", data.sTotalReports);
  EXPECT_EQ("4,321", data.sUniqueBHOs);
  ASSERT_EQ(100u, data.rows.size());
  for (int n = 0; n < 100; ++n) {
    const auto& row = data.rows[static_cast<std::size_t>(n)];
    EXPECT_EQ(std::to_string(n + 1), row[0]);  // numerically: 1, 2, ... 10, not 1, 10, 100
    EXPECT_EQ("Toolbar " + std::to_string(n), row[1]);
    EXPECT_EQ(std::to_string(1000 - n), row[2]);
  }
}

TEST_F(StatsFromList, MissingListOrKeysGiveZeros) {
  ListAt list(ListPath());  // no file
  for (const IBHOList* pList : {static_cast<const IBHOList*>(nullptr), static_cast<const IBHOList*>(&list)}) {
    const Stats::Data data = Stats::Read(pList);
    EXPECT_EQ("0", data.sTotalReports);
    EXPECT_EQ("0", data.sUniqueBHOs);
    ASSERT_EQ(100u, data.rows.size());
    EXPECT_EQ("100", data.rows[99][0]);
    for (const auto& row : data.rows) {
      EXPECT_EQ("0", row[1]);
      EXPECT_EQ("0", row[2]);
    }
  }
  EXPECT_NE(std::string::npos, log.Text().find("NULL != CTarvolinApp::m_pBHOListKST"));
}

TEST_F(StatsFromList, HostileNumbersAndTextsAreShownAsNumbersAndTextOnly) {
  const std::string sLong(1000, 'x');
  test::WriteFile(ListPath(),
                  "[General]\r\nTotalReports=99999999999999999999999\r\nUniqueBHOs=-12abc\r\n"
                  "TopXDesc0=%s%n%s " +
                      sLong + "\r\nTopXReportsCount0=lots\r\n");
  ListAt list(ListPath());
  const Stats::Data data = Stats::Read(&list);
  EXPECT_EQ("9,223,372,036,854,775,807", data.sTotalReports);
  EXPECT_EQ("-12", data.sUniqueBHOs);
  EXPECT_EQ(0u, data.rows[0][1].find("%s%n%s xxx"));
  EXPECT_LT(data.rows[0][1].size(), 260u);  // cut to the value buffer
  EXPECT_EQ("lots", data.rows[0][2]);
}

}  // namespace
